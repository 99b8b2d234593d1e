# The program's code in two static libraries:
#  - corvalla_core: Qt Core and Qt Gui only (Qt Svg for drawing pictures): text codec, record
#    layouts and files, INI files, formats, password encoding, member records, search and list
#    lines, the spreadsheet writer, report design, layout and painting, member photos;
#  - corvalla_lib: every window and widget, printing and the preview, linking corvalla_core. It
#    holds everything but main(), so the program and the tests link it alone.
# A file belongs to the core when it is listed here; every other source of the subsystem folders
# goes to corvalla_lib.
set(CORVALLA_CORE_FILES
    app/Crypt
    app/ProgramInfo
    common/Cp1252
    common/FixedText
    common/Formats
    common/IniFile
    common/ListLines
    common/ProgramFolder
    common/RecordArchive
    common/RecordFile
    common/RecordLayout
    common/RecordRules
    common/ResourceImage
    common/SpreadsheetExport
    common/SpreadsheetWriter
    common/TaxCode
    common/TextUtil
    common/VatNumber
    members/MemberArchive
    members/MemberExport
    members/MemberPhoto
    members/MemberRecord
    members/MemberSearch
    receipts/AmountInWords
    receipts/ReceiptRecord
    receipts/ReceiptRules
    receipts/ReceiptSettings
    receipts/YearFile
    reports/ListReportPage
    reports/Report
    reports/ReportDesign
    takings/Summary)

set(CORVALLA_CORE_SOURCES)
foreach(file IN LISTS CORVALLA_CORE_FILES)
    foreach(ext IN ITEMS h cpp)
        if(EXISTS ${PROJECT_SOURCE_DIR}/${file}.${ext})
            list(APPEND CORVALLA_CORE_SOURCES ${PROJECT_SOURCE_DIR}/${file}.${ext})
        endif()
    endforeach()
endforeach()

set(CORVALLA_SOURCE_DIRS app common members reports receipts cards takings)
set(CORVALLA_WIDGET_SOURCES)
foreach(dir IN LISTS CORVALLA_SOURCE_DIRS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND CORVALLA_WIDGET_SOURCES ${found})
endforeach()
list(REMOVE_ITEM CORVALLA_WIDGET_SOURCES ${PROJECT_SOURCE_DIR}/app/main.cpp ${CORVALLA_CORE_SOURCES})

add_library(corvalla_core STATIC ${CORVALLA_CORE_SOURCES})
target_include_directories(corvalla_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(corvalla_core PUBLIC Qt6::Core Qt6::Gui Qt6::Svg PRIVATE corvalla_flags)

add_library(corvalla_lib STATIC ${CORVALLA_WIDGET_SOURCES})
target_link_libraries(corvalla_lib
    PUBLIC corvalla_core Qt6::Widgets Qt6::PrintSupport Qt6::Multimedia
    PRIVATE corvalla_flags)

# Pictures and help texts are compiled in as resources, under their path below assets/.
file(GLOB_RECURSE CORVALLA_ASSETS CONFIGURE_DEPENDS
     RELATIVE ${PROJECT_SOURCE_DIR}/assets
     ${PROJECT_SOURCE_DIR}/assets/pictures/* ${PROJECT_SOURCE_DIR}/assets/help/*)
list(TRANSFORM CORVALLA_ASSETS PREPEND assets/ OUTPUT_VARIABLE CORVALLA_ASSET_PATHS)
qt_add_resources(corvalla_core corvalla_assets
    PREFIX "/"
    BASE assets
    FILES ${CORVALLA_ASSET_PATHS})

# The core must build and link without Qt Widgets (checked again by tests/core).
get_target_property(core_links corvalla_core LINK_LIBRARIES)
foreach(lib IN LISTS core_links)
    if(lib MATCHES "Widgets|PrintSupport|Multimedia")
        message(FATAL_ERROR "corvalla_core must not link ${lib}")
    endif()
endforeach()
