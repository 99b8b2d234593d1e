# Real printing: a private CUPS scheduler with a PDF queue as default printer is started before
# the printing tests and stopped after them. Each build folder gets its own scheduler folder, so
# two builds can test at the same time.
string(MD5 corvalla_build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${corvalla_build_hash}" 0 10 corvalla_build_hash)
set(CORVALLA_CUPS_DIR "/tmp/corvalla-cups-${corvalla_build_hash}")

add_test(NAME reports_cups_start
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/cups-start.sh ${CORVALLA_CUPS_DIR})
set_tests_properties(reports_cups_start PROPERTIES
    FIXTURES_SETUP corvalla_cups
    LABELS reports
    TIMEOUT 120)

add_test(NAME reports_cups_stop
         COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/cups-stop.sh ${CORVALLA_CUPS_DIR})
set_tests_properties(reports_cups_stop PROPERTIES
    FIXTURES_CLEANUP corvalla_cups
    LABELS reports
    TIMEOUT 60)

# A test that prints onto the private queue: it runs after the scheduler has started, one at a
# time, and learns the scheduler and the queue's output folder from its environment.
function(corvalla_prints_on_queue test)
    if(TEST ${test})
        set_tests_properties(${test} PROPERTIES
            FIXTURES_REQUIRED corvalla_cups
            RESOURCE_LOCK corvalla_cups
            TIMEOUT 300)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
            "CUPS_SERVER=${CORVALLA_CUPS_DIR}/cups.sock"
            "CORVALLA_PDF_DIR=${CORVALLA_CUPS_DIR}/pdf")
    endif()
endfunction()


# Every test called tst_printing* or tst_*_printing prints on that queue.
file(GLOB printing_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/tst_printing*.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/*/tst_*_printing.cpp)
foreach(src IN LISTS printing_sources)
    get_filename_component(name ${src} NAME_WE)
    corvalla_prints_on_queue(${name})
endforeach()
