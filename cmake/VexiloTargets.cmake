# Helpers that give every Vexilo target the same options and keep the layers honest.

# Warnings and, with VEXILO_SANITIZE or VEXILO_FUZZ, the sanitizers: per target, never
# directory-wide.
function(vexilo_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VEXILO_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(VEXILO_FUZZ)
    # Coverage for the fuzzer in every library it drives; fuzz/ links the fuzzer itself.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# vexilo_folder_library(FOLDER SOURCES file... [DEPENDS target...] [QT])
# Builds src/FOLDER into the static library vexilo_FOLDER (FOLDER may be nested, e.g.
# solver/engine is part of solver). DEPENDS names the vexilo_* libraries of lower layers;
# a header of this folder or of a folder below is included as "folder/file.h", and the
# configure fails when a file of FOLDER includes a folder that is not among them.
function(vexilo_folder_library folder)
  cmake_parse_arguments(L "QT" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT L_SOURCES)
    message(FATAL_ERROR "vexilo_folder_library(${folder}): no SOURCES")
  endif()
  set(target vexilo_${folder})
  add_library(${target} STATIC ${L_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${L_DEPENDS})
  vexilo_target_options(${target})
  if(L_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()

  set(allowed ${folder})
  foreach(dep IN LISTS L_DEPENDS)
    if(dep MATCHES "^vexilo_")
      get_target_property(below ${dep} VEXILO_FOLDERS)
      list(APPEND allowed ${below})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_target_properties(${target} PROPERTIES VEXILO_FOLDERS "${allowed}")
  vexilo_check_includes(${folder} "${allowed}")
  vexilo_record_sources(${L_SOURCES})
endfunction()

# An executable made of files of src/FOLDER, linked to the libraries it uses; the same
# include check as for a library.
function(vexilo_folder_executable target folder)
  cmake_parse_arguments(E "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${target} ${E_SOURCES})
  # The programs sit at the top of the build folder (build/vexilo, build/vexilo-cli).
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  target_link_libraries(${target} PRIVATE ${E_DEPENDS})
  vexilo_target_options(${target})
  set(allowed ${folder})
  foreach(dep IN LISTS E_DEPENDS)
    if(dep MATCHES "^vexilo_")
      get_target_property(below ${dep} VEXILO_FOLDERS)
      list(APPEND allowed ${below})
    endif()
  endforeach()
  vexilo_check_includes(${folder} "${allowed}")
  vexilo_record_sources(${E_SOURCES})
endfunction()

# Fails the configure when a file under src/FOLDER includes "other/..." for a folder not
# in ALLOWED: the layers then show in the build, not only in a picture.
function(vexilo_check_includes folder allowed)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  string(REGEX REPLACE "/.*" "" top ${folder})
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
      if(NOT used STREQUAL top AND NOT used IN_LIST allowed)
        file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${file})
        message(FATAL_ERROR "${shown} includes ${used}/, which src/${folder} does not depend "
          "on (it may use: ${allowed}). Move the code down a layer or add the dependency "
          "in src/${top}/CMakeLists.txt.")
      endif()
    endforeach()
  endforeach()
endfunction()

function(vexilo_record_sources)
  foreach(source IN LISTS ARGN)
    get_filename_component(full ${source} ABSOLUTE)
    set_property(GLOBAL APPEND PROPERTY VEXILO_LISTED_SOURCES ${full})
  endforeach()
endfunction()

# Fails the configure when a .cpp file under src/ belongs to no target (it would silently
# not be built); folders named after EXCEPT are left out on purpose.
function(vexilo_check_every_source_listed)
  cmake_parse_arguments(C "" "" "EXCEPT" ${ARGN})
  get_property(listed GLOBAL PROPERTY VEXILO_LISTED_SOURCES)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp)
  foreach(file IN LISTS all)
    file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${file})
    string(REGEX REPLACE "^src/([^/]+)/.*" "\\1" top ${shown})
    if(NOT file IN_LIST listed AND NOT top IN_LIST C_EXCEPT)
      get_filename_component(dir ${shown} DIRECTORY)
      message(FATAL_ERROR "${shown} is in no target: add it to the SOURCES in "
        "${dir}/CMakeLists.txt (or the CMakeLists.txt of the folder above).")
    endif()
  endforeach()
endfunction()

# find_package that stops the configure with what to install or which option to turn off.
macro(vexilo_require package what option)
  find_package(${package} ${ARGN} QUIET)
  if(NOT ${package}_FOUND)
    message(FATAL_ERROR "${what} was not found. Install it, point "
      "CMAKE_PREFIX_PATH at it, or configure with -D${option}=OFF to build without it.")
  endif()
endmacro()
