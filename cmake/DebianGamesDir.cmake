# Run by CPack on the staged files before it builds the Debian package: moves the programs
# from bin to games, where Debian keeps those of a games package. They find their data from
# either folder, one level below the prefix.
set(prefix "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(GLOB programs "${prefix}/bin/*")
file(MAKE_DIRECTORY "${prefix}/games")
foreach(program ${programs})
  get_filename_component(name "${program}" NAME)
  file(RENAME "${program}" "${prefix}/games/${name}")
endforeach()
file(REMOVE_RECURSE "${prefix}/bin")

# The menu entry names the program by its full path: /usr/games is not on every PATH (root's).
file(GLOB desktop_entries "${prefix}/share/applications/*.desktop")
foreach(entry ${desktop_entries})
  file(READ "${entry}" text)
  foreach(key Exec TryExec)
    string(REPLACE "\n${key}=" "\n${key}=${CPACK_PACKAGING_INSTALL_PREFIX}/games/" text "${text}")
  endforeach()
  file(WRITE "${entry}" "${text}")
endforeach()
