# Every fuzz target and what it links, for the libFuzzer build and for the corpus replay tests.
# The includer defines quorvel_fuzz_target(<name> <libraries...>).
quorvel_fuzz_target(fuzz_batch_line quorvel_cli_core)
quorvel_fuzz_target(fuzz_judgement quorvel_judgement)
quorvel_fuzz_target(fuzz_record_list quorvel_cli_core)
quorvel_fuzz_target(fuzz_pillar_lookup quorvel_judgement)
quorvel_fuzz_target(fuzz_cut_sjis quorvel_common)
quorvel_fuzz_target(fuzz_output_name quorvel_consultation)
quorvel_fuzz_target(fuzz_person_list quorvel_cli_core)
quorvel_fuzz_target(fuzz_casebook quorvel_cli_core)
