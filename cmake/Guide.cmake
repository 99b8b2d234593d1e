# The printed guide Guida.pdf, made at build time from the help topics built into the program
# (tools/guide), beside the program in the build folder and installed with it.
add_executable(corvalla_guide
    ${PROJECT_SOURCE_DIR}/tools/guide/main.cpp
    ${PROJECT_SOURCE_DIR}/tools/guide/GuideWriter.cpp
    ${PROJECT_SOURCE_DIR}/tools/guide/GuideWriter.h)
target_link_libraries(corvalla_guide PRIVATE corvalla_core corvalla_flags)

file(GLOB CORVALLA_HELP_TEXTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/help/*.txt)
set(CORVALLA_GUIDE_PDF ${CMAKE_BINARY_DIR}/Guida.pdf)
# A tool run at build time: no window system, and no leak report at its exit.
add_custom_command(OUTPUT ${CORVALLA_GUIDE_PDF}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:corvalla_guide> ${CORVALLA_GUIDE_PDF}
    DEPENDS corvalla_guide ${CORVALLA_HELP_TEXTS}
    COMMENT "Writing the guide Guida.pdf"
    VERBATIM)
add_custom_target(corvalla_guide_pdf ALL DEPENDS ${CORVALLA_GUIDE_PDF})
