# The guide test reads the Guida.pdf that the build wrote.
if(TARGET tst_guide)
    add_dependencies(tst_guide corvalla_guide_pdf)
    target_compile_definitions(tst_guide PRIVATE CORVALLA_GUIDE_PDF="${CORVALLA_GUIDE_PDF}")
endif()
