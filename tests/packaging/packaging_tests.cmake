# The Debian package as built from this folder, checked in a scratch root.
if(TARGET vexilo)
  add_test(NAME packaging_deb COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_package.sh
    ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${VEXILO_APP_ID})
  set_tests_properties(packaging_deb PROPERTIES TIMEOUT 120)
endif()
