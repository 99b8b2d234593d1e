# The program folder: installing and updating it keeps the user's data, and the installed program
# starts through its real start-up path.
add_test(NAME install_keeps_user_data
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install-twice.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
add_test(NAME smoke_installed_program COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/smoke.sh ${CMAKE_BINARY_DIR})
# Both install from the same build folder, whose install manifest each rewrites: one at a time. The
# smoke test's virtual display is started apart from the window tests' (see tests/display.sh).
set_tests_properties(install_keeps_user_data smoke_installed_program PROPERTIES
    LABELS install
    RESOURCE_LOCK "corvalla_install;virtual_display"
    ENVIRONMENT "${CORVALLA_TEST_ENV}"
    TIMEOUT 300)
