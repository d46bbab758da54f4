# The Debian package, made by CPack: `make package`, or `cmake --build build --target package`.
# Library dependencies come from dpkg-shlibdeps; what the programs load at run time without
# linking it (the Qt platform plugins, the Japanese font, Qt's Japanese texts) is named here.
set(VEXILO_MAINTAINER "The Vexilo developers <maintainers@vexilo.example.org>" CACHE STRING
  "The Debian package's maintainer")

set(VEXILO_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vexilo)
execute_process(COMMAND date -u -R -d "${VEXILO_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE VEXILO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${VEXILO_DATA}/debian/changelog.in ${VEXILO_DATA_BUILT}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${VEXILO_DATA_BUILT}/debian/changelog.gz
  COMMAND gzip -9n -c ${VEXILO_DATA_BUILT}/debian/changelog > ${VEXILO_DATA_BUILT}/debian/changelog.gz
  DEPENDS ${VEXILO_DATA_BUILT}/debian/changelog VERBATIM)
add_custom_target(vexilo_debian_changelog ALL DEPENDS ${VEXILO_DATA_BUILT}/debian/changelog.gz)
install(FILES ${VEXILO_DATA}/debian/copyright ${VEXILO_DATA_BUILT}/debian/changelog.gz
  DESTINATION ${VEXILO_DOC_DIR})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexilo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vexilo developers")
set(CPACK_PACKAGE_CONTACT ${VEXILO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loop puzzle game with an automatic solver")
set(CPACK_PACKAGE_DESCRIPTION [=[Vexilo plays loop puzzles: draw one closed loop along the edges of a grid
so that every clue cell has as many loop edges around it as its clue says.
Its solver finishes a puzzle at one of three strengths, or solves it
completely and rates its difficulty from 0 to 6. It reads its own .ALC files
and the .SLZ, .LPM, .RING and .SLT formats.
.
The command-line tool vexilo-cli solves, rates and converts whole puzzle
collections.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VEXILO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# Qt's own Japanese texts for its dialogs; without them those stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Debian keeps the programs of a games package in /usr/games.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianGamesDir.cmake)
include(CPack)
