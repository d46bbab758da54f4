# Installing Vexilo like a desktop program (GNUInstallDirs, any CMAKE_INSTALL_PREFIX): the two
# programs, the sample puzzles, the menu entry, the icon, the puzzle file types, the AppStream
# metainfo and the manual pages.
include(GNUInstallDirs)

set(VEXILO_APP_ID "org.example.vexilo" CACHE STRING
  "Application id: the name of the desktop entry and the AppStream component")
set(VEXILO_HOMEPAGE "https://vexilo.example.org" CACHE STRING
  "The project's home page; the AppStream screenshot lies there as screenshot.png")
# The date of the release PROJECT_VERSION names; change the two together.
set(VEXILO_RELEASE_DATE "2026-12-08")

set(VEXILO_SAMPLES_DIR ${CMAKE_INSTALL_DATADIR}/vexilo/samples)
# The programs find the installed samples relative to themselves, so any prefix works.
file(RELATIVE_PATH VEXILO_SAMPLES_FROM_BINDIR
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${VEXILO_SAMPLES_DIR})
foreach(target vexilo vexilo-cli vexilo_ui)
  if(TARGET ${target})
    target_compile_definitions(${target} PRIVATE VEXILO_VERSION="${PROJECT_VERSION}"
      VEXILO_APP_ID="${VEXILO_APP_ID}" VEXILO_SAMPLES_FROM_BINDIR="${VEXILO_SAMPLES_FROM_BINDIR}")
  endif()
endforeach()

set(VEXILO_DATA ${PROJECT_SOURCE_DIR}/data)
set(VEXILO_DATA_BUILT ${PROJECT_BINARY_DIR}/data)

install(TARGETS vexilo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION ${VEXILO_SAMPLES_DIR})
if(TARGET vexilo)
  install(TARGETS vexilo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${VEXILO_DATA}/vexilo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${VEXILO_APP_ID}.desktop)
  configure_file(${VEXILO_DATA}/vexilo.metainfo.xml.in
    ${VEXILO_DATA_BUILT}/${VEXILO_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${VEXILO_DATA_BUILT}/${VEXILO_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${VEXILO_DATA}/vexilo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME vexilo.xml)
  install(FILES ${VEXILO_DATA}/icons/vexilo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${VEXILO_DATA}/icons/${size}x${size}/vexilo.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# Manual pages, compressed as Debian wants them.
set(man_pages)
foreach(page vexilo.6 vexilo-cli.6)
  if(page STREQUAL "vexilo.6" AND NOT TARGET vexilo)
    continue()
  endif()
  add_custom_command(OUTPUT ${VEXILO_DATA_BUILT}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXILO_DATA_BUILT}/man
    COMMAND gzip -9n -c ${VEXILO_DATA}/man/${page} > ${VEXILO_DATA_BUILT}/man/${page}.gz
    DEPENDS ${VEXILO_DATA}/man/${page} VERBATIM)
  list(APPEND man_pages ${VEXILO_DATA_BUILT}/man/${page}.gz)
endforeach()
add_custom_target(vexilo_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
