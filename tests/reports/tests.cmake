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

# The tests that print on the queue.
foreach(printing_test IN ITEMS tst_printing tst_receipt_printing)
    if(TEST ${printing_test})
        set_tests_properties(${printing_test} PROPERTIES
            FIXTURES_REQUIRED corvalla_cups
            RESOURCE_LOCK corvalla_cups
            TIMEOUT 300)
        set_property(TEST ${printing_test} APPEND PROPERTY ENVIRONMENT
            "CUPS_SERVER=${CORVALLA_CUPS_DIR}/cups.sock"
            "CORVALLA_PDF_DIR=${CORVALLA_CUPS_DIR}/pdf")
    endif()
endforeach()
