# libFuzzer targets for the parsers, built with clang beside the native build
# when clang is installed. Each also runs briefly as a test; run one longer
# by hand: build/native/tests/NAME -max_total_time=600
find_program(OSTREL_CLANGXX NAMES clang++ clang++-14)

function(ostrel_add_fuzzer name)
    if(NOT OSTREL_CLANGXX)
        return()
    endif()
    set(sources ${ARGN})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${OSTREL_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
                -I${PROJECT_SOURCE_DIR}/src -I${PROJECT_SOURCE_DIR}/tests ${sources} -o ${output}
        DEPENDS ${sources}
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
        COMMENT "Building fuzzer ${name} with clang"
        VERBATIM)
    add_custom_target(${name}_build ALL DEPENDS ${output})
    add_test(NAME ${name} COMMAND ${output} -max_total_time=5 -print_final_stats=1)
endfunction()
