# The fuzz targets of tests/fuzz, a project of its own built with clang's libFuzzer: the test
# fuzz_build configures and builds it into <build>/fuzz, then each target runs for a short,
# bounded time on a fresh corpus folder followed by the repository's seeds. A target fails its
# test when it finds a crash, a leak, a hang or a broken property; the reproducer is kept in
# <build>/fuzz/artifacts/<target>/ and the test prints how to run it again.
set(CORVALLA_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
set(CORVALLA_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs in the test run")

add_test(NAME fuzz_build
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_CURRENT_LIST_DIR} -DBINARY=${CORVALLA_FUZZ_DIR}
                 -P ${CMAKE_CURRENT_LIST_DIR}/build-fuzzers.cmake)
set_tests_properties(fuzz_build PROPERTIES
    FIXTURES_SETUP corvalla_fuzzers
    LABELS fuzz
    TIMEOUT 1800)

file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fuzz_*.cpp)
foreach(src IN LISTS fuzz_sources)
    get_filename_component(name ${src} NAME_WE)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run-fuzzer.sh ${CORVALLA_FUZZ_DIR}/${name}
                     ${CMAKE_CURRENT_LIST_DIR}/corpus/${name} ${CORVALLA_FUZZ_DIR}/artifacts/${name}
                     ${CORVALLA_FUZZ_SECONDS})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED corvalla_fuzzers
        LABELS fuzz
        TIMEOUT 300)
endforeach()
