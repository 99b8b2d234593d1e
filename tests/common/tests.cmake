# The pictures test compares the program's drawing of its vector pictures with the SVG library's
# own, which the program itself does not link.
if(TARGET tst_pictures)
    target_link_libraries(tst_pictures PRIVATE Qt6::Svg)
endif()
