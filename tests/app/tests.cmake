# The guide test reads the Guida.pdf that the build wrote.
if(TARGET tst_guide)
    add_dependencies(tst_guide corvalla_guide_pdf)
    target_compile_definitions(tst_guide PRIVATE CORVALLA_GUIDE_PDF="${CORVALLA_GUIDE_PDF}")
endif()
# The journeys print on the private CUPS queue of tests/reports/tests.cmake, which is read after
# this file: the fixture is joined once every tests.cmake has been read. They also run the
# spreadsheet program twice, hence the longer time.
function(corvalla_journeys_on_queue)
    corvalla_prints_on_queue(tst_journeys)
    set_tests_properties(tst_journeys PROPERTIES TIMEOUT 900)
endfunction()
if(TARGET tst_journeys)
    cmake_language(DEFER CALL corvalla_journeys_on_queue)
endif()
