# The vector pictures drawn beforehand at their own size and at twice it (tools/pictures), and
# compiled in under /rendered/: a window opening at those sizes shows a PNG instead of drawing the
# vector picture and loading the fonts of its text, which the access window's start-up would pay.
add_executable(corvalla_pictures ${PROJECT_SOURCE_DIR}/tools/pictures/main.cpp)
target_include_directories(corvalla_pictures PRIVATE ${CORVALLA_INCLUDE_ROOTS}/common)
target_link_libraries(corvalla_pictures PRIVATE Qt6::Gui corvalla_flags)

file(GLOB CORVALLA_VECTOR_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/pictures/*.svg)
set(CORVALLA_RENDERED_DIR ${CMAKE_BINARY_DIR}/rendered)
set(CORVALLA_RENDERED_PICTURES)
foreach(svg IN LISTS CORVALLA_VECTOR_PICTURES)
    get_filename_component(name ${svg} NAME_WE)
    list(APPEND CORVALLA_RENDERED_PICTURES ${CORVALLA_RENDERED_DIR}/${name}@1x.png
         ${CORVALLA_RENDERED_DIR}/${name}@2x.png)
endforeach()
# A tool run at build time: no window system, and no leak report at its exit.
add_custom_command(OUTPUT ${CORVALLA_RENDERED_PICTURES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:corvalla_pictures> ${CORVALLA_RENDERED_DIR} ${CORVALLA_VECTOR_PICTURES}
    DEPENDS corvalla_pictures ${CORVALLA_VECTOR_PICTURES}
    COMMENT "Drawing the vector pictures beforehand"
    VERBATIM)
set_source_files_properties(${CORVALLA_RENDERED_PICTURES} PROPERTIES GENERATED TRUE)
qt_add_resources(corvalla_common_core corvalla_rendered
    PREFIX "/rendered"
    BASE ${CORVALLA_RENDERED_DIR}
    FILES ${CORVALLA_RENDERED_PICTURES})
