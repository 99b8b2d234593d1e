# The start-up benchmark compares the program with the smallest Qt Widgets program that shows
# one window, both started as separate processes in the same run.
add_executable(minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets corvalla_flags)
if(TARGET bench_startup)
    add_dependencies(bench_startup corvalla minimal_window)
    target_compile_definitions(bench_startup PRIVATE
        CORVALLA_PROGRAM="$<TARGET_FILE:corvalla>"
        MINIMAL_PROGRAM="$<TARGET_FILE:minimal_window>")
endif()

# The summary benchmark runs the same filtered sum in SQLite (Debian's libsqlite3-dev).
if(TARGET bench_summary)
    find_package(SQLite3 REQUIRED)
    target_link_libraries(bench_summary PRIVATE SQLite::SQLite3)
endif()
