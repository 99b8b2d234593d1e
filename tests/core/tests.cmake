# The core library on its own: built and linked without Qt Widgets, and usable so.
add_executable(core_without_widgets ${CMAKE_CURRENT_LIST_DIR}/core_without_widgets.cpp)
target_link_libraries(core_without_widgets PRIVATE corvalla_core Qt6::Test corvalla_flags)
add_test(NAME core_without_widgets COMMAND core_without_widgets)
set_tests_properties(core_without_widgets PROPERTIES
    LABELS core
    ENVIRONMENT "${CORVALLA_TEST_ENV}"
    TIMEOUT 120)
