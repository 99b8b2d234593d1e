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
# The scaling and small-screen tests run again as a desktop shows the windows: on a virtual screen
# of their size under the openbox window manager.
foreach(pair IN ITEMS "tst_scaling;1920x1080" "tst_smallscreen;1024x600")
    list(GET pair 0 name)
    list(GET pair 1 size)
    if(TARGET ${name})
        add_test(NAME ${name}_wm COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/under-wm.sh ${size} $<TARGET_FILE:${name}>)
        # One virtual display started at a time (see tests/display.sh).
        set_tests_properties(${name}_wm PROPERTIES LABELS app ENVIRONMENT "${CORVALLA_TEST_ENV}" TIMEOUT 600
                                                   RESOURCE_LOCK virtual_display)
    endif()
endforeach()
# The installed program as a screen reader user meets it: driven by keys and read through the
# accessibility bus, on a virtual display under openbox; it also keeps pictures of the member sheet
# with the focus on "Salva" in test-output/. It installs from the build folder and starts displays
# of its own (see tests/install/tests.cmake and tests/display.sh).
add_test(NAME tst_atspi COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/atspi/run.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(tst_atspi PROPERTIES LABELS app ENVIRONMENT "${CORVALLA_TEST_ENV}" TIMEOUT 600
                                          RESOURCE_LOCK "corvalla_install;virtual_display")
