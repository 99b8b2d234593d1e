# The start-up benchmark compares the program's start (the shipped start-up code in a probe that
# ends once the access window is shown) with the smallest Qt Widgets program that shows one
# window, both started as separate processes in the same run.
add_executable(minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets corvalla_flags)
add_executable(startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE corvalla_lib corvalla_flags)
if(TARGET bench_startup)
    add_dependencies(bench_startup startup_probe minimal_window)
    target_compile_definitions(bench_startup PRIVATE
        CORVALLA_PROGRAM="$<TARGET_FILE:startup_probe>"
        MINIMAL_PROGRAM="$<TARGET_FILE:minimal_window>")
    # Once more as a user's desktop shows the windows: on a virtual screen, through the X11
    # platform, under the openbox window manager, where a window is exposed once the display
    # server and the window manager have mapped it.
    add_test(NAME bench_startup_desktop
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/app/under-wm.sh 1280x800 $<TARGET_FILE:bench_startup>)
    set_tests_properties(bench_startup_desktop PROPERTIES LABELS bench ENVIRONMENT "${CORVALLA_TEST_ENV}"
                                                          TIMEOUT 1800 RESOURCE_LOCK virtual_display)
endif()

# The summary benchmark runs the same filtered sum in SQLite (Debian's libsqlite3-dev).
if(TARGET bench_summary)
    find_package(SQLite3 REQUIRED)
    target_link_libraries(bench_summary PRIVATE SQLite::SQLite3)
endif()
