# Smoke tests of vexilo-cli convert from shared text and of export.
set(exchange_puzzle ${cli_data}/corpus/loopy/easy-5x5-01.ALC)
set(exchange_link "https://puzz.link/p?slither/5/5/jb22ag223618cg")
set(exchange_id "5x5t0:d1b220c2231a13a2c")

vexilo_cli_test(convert_link ARGS convert ${exchange_link} ${cli_out}/from-link.ALC EXIT 0
  OUTPUT ${cli_out}/from-link.ALC OUTPUT_EXPECTED ${exchange_puzzle})
vexilo_cli_test(convert_game_id ARGS convert ${exchange_id} ${cli_out}/from-id.ALC EXIT 0
  OUTPUT ${cli_out}/from-id.ALC OUTPUT_EXPECTED ${exchange_puzzle})
vexilo_cli_test(convert_text_grid ARGS convert ${cli_data}/exchange/easy-5x5-01-grid.txt
  ${cli_out}/from-grid.ALC EXIT 0
  OUTPUT ${cli_out}/from-grid.ALC OUTPUT_EXPECTED ${exchange_puzzle})
vexilo_cli_test(convert_unknown_clues ARGS convert "https://puzz.link/p?slither/2/1/.1"
  ${cli_out}/unknown.ALC EXIT 0 STDERR_REGEX "note: .*read 1 .+clue not given")
vexilo_cli_test(convert_other_genre ARGS convert "https://puzz.link/p?nurikabe/5/5/g1h"
  ${cli_out}/genre.ALC EXIT 4 STDERR_REGEX "not to a slitherlink")
vexilo_cli_test(convert_truncated_id ARGS convert "5x5t0:d1b2" ${cli_out}/short.ALC EXIT 4
  STDERR_REGEX "ends after 8 of 25 cells")

vexilo_cli_test(export_link ARGS export --url ${exchange_puzzle} EXIT 0 STDOUT ${exchange_link})
vexilo_cli_test(export_game_id ARGS export --loopy ${exchange_puzzle} EXIT 0 STDOUT ${exchange_id})
vexilo_cli_test(export_several ARGS export --loopy ${cli_data}/cli/tiny.ALC ${exchange_puzzle}
  EXIT 0 STDOUT "${cli_data}/cli/tiny.ALC\t3x2t0:3a2a01\n${exchange_puzzle}\t${exchange_id}")
vexilo_cli_test(export_usage ARGS export ${exchange_puzzle} EXIT 2 STDERR_REGEX "--url or --loopy")
vexilo_cli_test(export_missing ARGS export --url ${cli_out}/missing.ALC EXIT 4
  STDERR_REGEX "no such file")
