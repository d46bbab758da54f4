# Smoke tests of vexilo-cli solve, rate, bench and generate.
set(SOLVE_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data/cli-solve)
set(CORPUS_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data/corpus)

add_test(NAME cli_solve_full_json
  COMMAND vexilo-cli solve --json --picture ${SOLVE_DATA}/one-trial.ALC)
set_tests_properties(cli_solve_full_json PROPERTIES PASS_REGULAR_EXPRESSION
  "\"width\": 4, \"height\": 4, \"level\": \"full\", \"result\": \"solved\", \"rating\": 3, \"trialPasses\": 1, \"effortScore\": 6, \"ruleUsage\": 3, \"effortBeforeTrials\": 5, \"ms\": [0-9.]+, \"picture\": \"[+]-[+]-[+]-[+]-[+][\\]n[|] x2x x3[|]")

add_test(NAME cli_solve_level_text
  COMMAND vexilo-cli solve --level 0 ${SOLVE_DATA}/one-trial.ALC)
set_tests_properties(cli_solve_level_text PROPERTIES PASS_REGULAR_EXPRESSION
  "one-trial.ALC  4x4  level 0  (solved|stuck)  rating -  trialPasses 0")

add_test(NAME cli_solve_foreign_format
  COMMAND vexilo-cli solve --json ${SOLVE_DATA}/one-trial.SLZ)
set_tests_properties(cli_solve_foreign_format PROPERTIES PASS_REGULAR_EXPRESSION
  "\"result\": \"solved\", \"rating\": 3")

add_test(NAME cli_solve_contradiction
  COMMAND vexilo-cli solve --json ${SOLVE_DATA}/contradiction.ALC)
set_tests_properties(cli_solve_contradiction PROPERTIES PASS_REGULAR_EXPRESSION
  "\"result\": \"contradiction\", \"rating\": null")

# A folder on two threads: every puzzle once, in name order.
add_test(NAME cli_solve_folder_in_order
  COMMAND vexilo-cli solve --level 2 -j 2 ${CORPUS_DATA}/loopy)
set_tests_properties(cli_solve_folder_in_order PROPERTIES PASS_REGULAR_EXPRESSION
  "easy-10x10-01.ALC[^\n]*\n[^\n]*easy-10x10-02.ALC[^\n]*\n[^\n]*easy-10x10-07.ALC[^\n]*\n[^\n]*easy-5x5-01.ALC")

add_test(NAME cli_solve_bad_level COMMAND vexilo-cli solve --level 3 ${SOLVE_DATA})
set_tests_properties(cli_solve_bad_level PROPERTIES WILL_FAIL TRUE)
add_test(NAME cli_solve_missing_path COMMAND vexilo-cli solve ${SOLVE_DATA}/no-such-file.ALC)
set_tests_properties(cli_solve_missing_path PROPERTIES WILL_FAIL TRUE)

add_test(NAME cli_rate
  COMMAND vexilo-cli rate ${SOLVE_DATA}/one-trial.ALC ${SOLVE_DATA}/contradiction.ALC)
set_tests_properties(cli_rate PROPERTIES PASS_REGULAR_EXPRESSION
  "one-trial.ALC  4x4  rating 3  trialPasses 1  [0-9.]+ ms\n[^\n]*contradiction.ALC  2x1  エラーがあります。")

# --write on copies: the native files get their ratings, the foreign one stays as it was.
add_test(NAME cli_rate_write
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:vexilo-cli> -DDATA=${SOLVE_DATA}
    -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-rate-write
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/rate_write_check.cmake)

add_test(NAME cli_bench
  COMMAND vexilo-cli bench --level 2 --repeat 2 ${SOLVE_DATA}/one-trial.ALC
    ${SOLVE_DATA}/one-trial.SLZ)
set_tests_properties(cli_bench PROPERTIES PASS_REGULAR_EXPRESSION
  "level 2, 2 runs per puzzle[^\n]*\nsize +puzzles +median +p95 +max\n4x4 +2 +[0-9.]+ +[0-9.]+ +[0-9.]+\n")

# A folder where the program also keeps a puzzle's progress: only the puzzle is solved, from
# its clues, as everywhere else.
add_test(NAME cli_solve_ignores_kept_progress
  COMMAND vexilo-cli solve --json ${CMAKE_CURRENT_SOURCE_DIR}/data/cli-progress)
set_tests_properties(cli_solve_ignores_kept_progress PROPERTIES
  PASS_REGULAR_EXPRESSION "one-trial.ALC[^\n]*\"result\": \"solved\", \"rating\": 3, \"trialPasses\": 1"
  FAIL_REGULAR_EXPRESSION "[.]vxp|[.]solved")

# solve --complete: the count of answers, the pictures, and the exit status (0 only when
# every puzzle has exactly one answer).
add_test(NAME cli_solve_complete_json
  COMMAND vexilo-cli solve --complete --json --picture ${SOLVE_DATA}/several.ALC)
set_tests_properties(cli_solve_complete_json PROPERTIES PASS_REGULAR_EXPRESSION
  "\"width\": 3, \"height\": 2, \"solutions\": 2, \"nodes\": [0-9]+, \"ms\": [0-9.]+, \"picture\": \"[+]-[+]-[+]-[+][\\]n[|] x2x [|][\\]n[^\"]*\", \"picture2\": \"[+]-[+]-[+]-[+][\\]n")
vexilo_cli_test(solve_complete_unique ARGS solve --complete ${SOLVE_DATA}/one-trial.ALC EXIT 0)
vexilo_cli_test(solve_complete_none ARGS solve --complete ${SOLVE_DATA}/one-trial.ALC
  ${SOLVE_DATA}/contradiction.ALC EXIT 1 STDERR_REGEX "no solution 1, unique 1")
vexilo_cli_test(solve_complete_with_level ARGS solve --complete --level 2 ${SOLVE_DATA} EXIT 2)
add_test(NAME cli_bench_complete
  COMMAND vexilo-cli bench --complete --cpu --repeat 2 ${SOLVE_DATA}/one-trial.ALC)
set_tests_properties(cli_bench_complete PROPERTIES PASS_REGULAR_EXPRESSION
  "complete, 2 runs per puzzle, processor times in ms[^\n]*\nsize +puzzles +median +p95 +max\n4x4 +1 ")

add_test(NAME cli_generate
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:vexilo-cli>
    -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cli-generate
    -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/generate_check.cmake)
