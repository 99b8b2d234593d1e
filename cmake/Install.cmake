# The program folder: `cmake --install <build> --prefix <folder>` puts the program, the guide, the
# icon and the desktop entry into <folder>, and the initial password file only when the folder
# has none yet. Nothing else is written there, so the user's data (password file, member archive,
# year files, settings, photos, attachments) stays as it is through every update.
option(CORVALLA_USER_MENU "Also add the installed program to the user's application menu" OFF)

install(TARGETS corvalla RUNTIME DESTINATION .)
install(TARGETS corvalla_camera LIBRARY DESTINATION .)
install(FILES ${CORVALLA_GUIDE_PDF} ${PROJECT_SOURCE_DIR}/assets/install/corvalla.svg DESTINATION .)

set(CORVALLA_INITIAL_PASSWORD_FILE ${PROJECT_SOURCE_DIR}/assets/install/unins000.dll)
configure_file(${CMAKE_CURRENT_LIST_DIR}/InstallFolder.cmake.in
               ${CMAKE_BINARY_DIR}/InstallFolder.cmake @ONLY)
install(SCRIPT ${CMAKE_BINARY_DIR}/InstallFolder.cmake)
