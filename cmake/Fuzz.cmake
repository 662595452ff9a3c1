# libFuzzer targets for the parsers, built with clang beside the native build
# when clang is installed (tests/fuzz is their project). Each also runs
# briefly as a test; run one longer by hand:
#   build/native/tests/fuzz/NAME -max_total_time=600
#   (scan_output_diff_fuzz with -max_len=20000 -dict=tests/fuzz/ScanOutput.dict)
find_program(OSTREL_CLANGXX NAMES clang++ clang++-14)
if(OSTREL_CLANGXX)
    include(ExternalProject)
    set(fuzz_build ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
    ExternalProject_Add(fuzzers
        SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fuzz
        BINARY_DIR ${fuzz_build}
        CMAKE_ARGS -DCMAKE_CXX_COMPILER=${OSTREL_CLANGXX}
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
    foreach(name scan_report_fuzz message_fallback_fuzz language_script_fuzz clamd_reply_fuzz scanner_profile_fuzz engine_ini_fuzz)
        add_test(NAME ${name} COMMAND ${fuzz_build}/${name} -max_total_time=5 -print_final_stats=1)
    endforeach()
    # The scanner output's keywords, so the fuzzer starts from reports.
    add_test(NAME scan_output_diff_fuzz COMMAND ${fuzz_build}/scan_output_diff_fuzz -max_total_time=5
             -max_len=20000 -print_final_stats=1 -dict=${CMAKE_CURRENT_SOURCE_DIR}/fuzz/ScanOutput.dict)
endif()
