# Smoke tests of vexilo-cli's file commands: show, convert, check and hint.
set(cli_data "${CMAKE_CURRENT_SOURCE_DIR}/data")
set(cli_out "${CMAKE_CURRENT_BINARY_DIR}/cli-output")
file(MAKE_DIRECTORY "${cli_out}")

function(vexilo_cli_test name)
  cmake_parse_arguments(T "" "EXIT;STDOUT;STDOUT_FILE;STDERR_REGEX;OUTPUT;OUTPUT_EXPECTED" "ARGS" ${ARGN})
  list(JOIN T_ARGS "|" joined)
  set(defs -DCLI=$<TARGET_FILE:vexilo-cli> "-DARGS=${joined}" -DEXIT=${T_EXIT})
  foreach(opt STDOUT STDOUT_FILE STDERR_REGEX OUTPUT OUTPUT_EXPECTED)
    if(DEFINED T_${opt})
      list(APPEND defs "-D${opt}=${T_${opt}}")
    endif()
  endforeach()
  add_test(NAME cli_${name}
    COMMAND ${CMAKE_COMMAND} ${defs} -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/run_cli.cmake)
endfunction()

vexilo_cli_test(help ARGS --help EXIT 0)
vexilo_cli_test(version ARGS --version EXIT 0 STDOUT "vexilo-cli ${PROJECT_VERSION}")
vexilo_cli_test(no_command EXIT 2 STDERR_REGEX "usage: vexilo-cli")
vexilo_cli_test(unknown_command ARGS frobnicate EXIT 2 STDERR_REGEX "unknown command")

# show: every format of the same 3 x 2 puzzle gives the same picture.
foreach(ext ALC SLZ LPM SLT RING)
  vexilo_cli_test(show_${ext} ARGS show ${cli_data}/cli/tiny.${ext} EXIT 0
    STDOUT_FILE ${cli_data}/cli/tiny.show.txt)
endforeach()
vexilo_cli_test(show_help ARGS show --help EXIT 0)
vexilo_cli_test(show_usage ARGS show a b EXIT 2 STDERR_REGEX "usage: vexilo-cli show")
vexilo_cli_test(show_missing ARGS show ${cli_out}/missing.ALC EXIT 4
  STDERR_REGEX "cannot open .*missing.ALC")
vexilo_cli_test(show_not_a_puzzle ARGS show ${cli_data}/cli/two-loops.sol EXIT 4
  STDERR_REGEX "not a puzzle file")
vexilo_cli_test(show_unreadable ARGS show ${cli_data}/cli/tiny.SLZ/nothing.LPM EXIT 4
  STDERR_REGEX "cannot open")
vexilo_cli_test(show_rejected_foreign ARGS show ${cli_data}/cli/empty.LPM EXIT 4
  STDERR_REGEX "empty.LPM: there is no text to read")

# convert: foreign formats become native text with the rating -1 and CR LF.
foreach(ext SLZ LPM SLT RING ALC)
  vexilo_cli_test(convert_${ext} ARGS convert ${cli_data}/cli/tiny.${ext} ${cli_out}/from-${ext}.ALC
    EXIT 0 OUTPUT ${cli_out}/from-${ext}.ALC OUTPUT_EXPECTED ${cli_data}/cli/tiny-converted.ALC)
endforeach()
vexilo_cli_test(convert_not_alc ARGS convert ${cli_data}/cli/tiny.LPM ${cli_out}/out.txt EXIT 2
  STDERR_REGEX "must end in .ALC")
vexilo_cli_test(convert_usage ARGS convert ${cli_data}/cli/tiny.LPM EXIT 2)
vexilo_cli_test(convert_unwritable ARGS convert ${cli_data}/cli/tiny.LPM ${cli_out}/no/dir/x.ALC
  EXIT 4 STDERR_REGEX "cannot write")

# check: the exit code and the line tell correct, wrong (with or without a place) and open.
vexilo_cli_test(check_correct ARGS check ${cli_data}/corpus/loopy/easy-5x5-01.ALC
  ${cli_data}/corpus/loopy/easy-5x5-01.sol EXIT 0 STDOUT "correct")
vexilo_cli_test(check_wrong_at ARGS check ${cli_data}/corpus/loopy/easy-5x5-01.ALC
  ${cli_data}/cli/easy-5x5-01-flipped.sol EXIT 1 STDOUT "wrong at 5,3")
vexilo_cli_test(check_wrong_two_loops ARGS check ${cli_data}/cli/two-loops.ALC
  ${cli_data}/cli/two-loops.sol EXIT 1 STDOUT "wrong")
vexilo_cli_test(check_open ARGS check ${cli_data}/cli/blank-3x3.ALC
  ${cli_data}/cli/blank-3x3-open.sol EXIT 3 STDOUT "open at 2,2")
vexilo_cli_test(check_bad_picture ARGS check ${cli_data}/cli/blank-3x3.ALC
  ${cli_data}/cli/bad-picture.sol EXIT 4 STDERR_REGEX "unexpected '\\?'")
vexilo_cli_test(check_picture_size ARGS check ${cli_data}/corpus/loopy/easy-5x5-01.ALC
  ${cli_data}/corpus/loopy/hard-7x7-01.sol EXIT 4 STDERR_REGEX "needs 11")
vexilo_cli_test(check_usage ARGS check ${cli_data}/corpus/loopy/easy-5x5-01.ALC EXIT 2)

# hint: the first mistake, a solved position, a puzzle with several answers.
vexilo_cli_test(hint_mistake ARGS hint ${cli_data}/corpus/loopy/easy-5x5-01.ALC
  ${cli_data}/cli/easy-5x5-01-flipped.sol EXIT 0 STDOUT "mistake 10,7: ここが間違っています。")
vexilo_cli_test(hint_solved ARGS hint ${cli_data}/corpus/loopy/easy-5x5-01.ALC
  ${cli_data}/corpus/loopy/easy-5x5-01.sol EXIT 0 STDOUT "solved: もう解けています。")
vexilo_cli_test(hint_several ARGS hint ${cli_data}/cli/blank-3x3.ALC EXIT 0
  STDOUT "several-solutions: 解が複数あります。")
vexilo_cli_test(hint_usage ARGS hint EXIT 2)
