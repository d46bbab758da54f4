# The desktop program's command line. Help and version need no display; the other runs use
# the offscreen platform and end before the window opens.
function(vexilo_app_test name)
  cmake_parse_arguments(T "" "EXIT;STDOUT;STDERR_REGEX" "ARGS" ${ARGN})
  list(JOIN T_ARGS "|" joined)
  set(defs -DCLI=$<TARGET_FILE:vexilo> "-DARGS=${joined}" -DEXIT=${T_EXIT})
  foreach(opt STDOUT STDERR_REGEX)
    if(DEFINED T_${opt})
      list(APPEND defs "-D${opt}=${T_${opt}}")
    endif()
  endforeach()
  add_test(NAME app_${name}
    COMMAND ${CMAKE_COMMAND} ${defs} -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/run_cli.cmake)
  set_tests_properties(app_${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

vexilo_app_test(version ARGS --version EXIT 0 STDOUT "vexilo ${PROJECT_VERSION}")
vexilo_app_test(help ARGS --help EXIT 0)
vexilo_app_test(unknown_option ARGS --frobnicate EXIT 2 STDERR_REGEX "unknown option '--frobnicate'")
vexilo_app_test(two_files ARGS a.ALC b.ALC EXIT 2 STDERR_REGEX "one puzzle file at a time")
