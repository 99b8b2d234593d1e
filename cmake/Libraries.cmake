# The program's code in layers, lowest first. Each layer is a folder, and each folder is built
# into two static libraries: its part that needs no widgets (`<folder>_core`, Qt Core and Gui
# only) and its windows (`<folder>_ui`). A layer links only the layers below it:
#
#   common    formats, records and files, INI files, shared widgets and small shared windows
#   reports   the report engine, the list panel and page, the print and preview windows
#   records   the member archive and the receipt year files, which several work areas read
#   members, receipts, cards, takings   the work areas, each on the layers above only
#   app       start-up, the window set and main menu: the only layer that knows every window
#
# A folder's headers are reachable only through its own libraries' include root (a folder in the
# build tree holding a link to the source folder), and a library sees only the roots of the
# libraries it links. So an include against the direction (common/ including reports/, cards/
# including members/, a work area including app/) fails to build.
#
# corvalla_core gathers every `_core` library: it links no widgets (checked below and again by
# tests/core). corvalla_lib is the whole program but main().

set(CORVALLA_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include-roots)

# The widget-free files of each folder (without extension); every other source of the folder is
# one of its windows.
set(CORVALLA_CORE_common
    Cp1252 FileLock FixedText FileReplace Formats HelpTopics IniFile ListLines PictureFile ProgramFolder ReadProgress RecordArchive
    MappedCopy RecordFile RecordLayout RecordRules RecordTable ResourceImage SpreadsheetExport SpreadsheetWriter TaxCode
    SystemError TextUtil VatNumber)
set(CORVALLA_CORE_reports ListReportPage Report ReportDesign)
set(CORVALLA_CORE_records MemberArchive MemberChoiceTarget MemberPhoto MemberRecord ReceiptRecord YearFile)
set(CORVALLA_CORE_members MemberExport MemberSearch MemberSheetPage)
set(CORVALLA_CORE_receipts
    AmountInWords ReceiptExport ReceiptLogo ReceiptPage ReceiptRules ReceiptSearch ReceiptSettings)
set(CORVALLA_CORE_cards CardPage CardPictures CardSettings)
set(CORVALLA_CORE_takings Summary)
set(CORVALLA_CORE_app Crypt DataCopies ProgramInfo)

# corvalla_layer(<folder> CORE_USES <libs> UI_USES <libs>): the two libraries of one folder.
function(corvalla_layer folder)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CORE_USES;UI_USES")
    set(root ${CORVALLA_INCLUDE_ROOTS}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)

    file(GLOB all CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(REMOVE_ITEM all ${PROJECT_SOURCE_DIR}/app/main.cpp)
    set(core)
    foreach(name IN LISTS CORVALLA_CORE_${folder})
        foreach(ext IN ITEMS h cpp)
            set(file ${PROJECT_SOURCE_DIR}/${folder}/${name}.${ext})
            if(EXISTS ${file})
                list(APPEND core ${file})
            endif()
        endforeach()
    endforeach()
    set(ui ${all})
    if(core)
        list(REMOVE_ITEM ui ${core})
    endif()

    add_library(corvalla_${folder}_core STATIC ${core})
    target_include_directories(corvalla_${folder}_core PUBLIC ${root})
    target_link_libraries(corvalla_${folder}_core
        PUBLIC Qt6::Core Qt6::Gui ${arg_CORE_USES} PRIVATE corvalla_flags)
    if(ui)
        add_library(corvalla_${folder}_ui STATIC ${ui})
        target_link_libraries(corvalla_${folder}_ui
            PUBLIC corvalla_${folder}_core Qt6::Widgets ${arg_UI_USES} PRIVATE corvalla_flags)
    endif()
endfunction()

corvalla_layer(common UI_USES Qt6::PrintSupport)
# Printing hands each job to the print system (CUPS) itself, to learn whether the job was accepted.
# Its library is loaded when the first job is submitted, so the program starts without it.
find_package(Cups REQUIRED)
corvalla_layer(reports CORE_USES corvalla_common_core UI_USES corvalla_common_ui Qt6::PrintSupport)
target_include_directories(corvalla_reports_ui PRIVATE ${CUPS_INCLUDE_DIR})
corvalla_layer(records CORE_USES corvalla_common_core)
foreach(area IN ITEMS members receipts cards takings)
    corvalla_layer(${area} CORE_USES corvalla_records_core corvalla_reports_core
                   UI_USES corvalla_reports_ui)
endforeach()
# The camera code is a module of its own, loaded when a webcam window first looks for a camera, so
# that the program starts without Qt Multimedia. It is built beside the program.
add_library(corvalla_camera MODULE ${PROJECT_SOURCE_DIR}/members/camera/CameraModule.cpp)
target_include_directories(corvalla_camera PRIVATE ${CORVALLA_INCLUDE_ROOTS}/members)
target_link_libraries(corvalla_camera PRIVATE Qt6::Multimedia Qt6::Gui corvalla_flags)
set_target_properties(corvalla_camera PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR} PREFIX "lib")
target_compile_definitions(corvalla_members_ui PRIVATE CORVALLA_MODULE_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(corvalla_members_ui corvalla_camera)
corvalla_layer(app CORE_USES corvalla_common_core corvalla_records_core
               UI_USES corvalla_members_ui corvalla_receipts_ui corvalla_cards_ui corvalla_takings_ui)

add_library(corvalla_core INTERFACE)
foreach(folder IN ITEMS common reports records members receipts cards takings app)
    target_link_libraries(corvalla_core INTERFACE corvalla_${folder}_core)
endforeach()
add_library(corvalla_lib INTERFACE)
target_link_libraries(corvalla_lib INTERFACE corvalla_app_ui)

# Pictures and help texts are compiled in as resources, under their path below assets/.
file(GLOB_RECURSE CORVALLA_ASSETS CONFIGURE_DEPENDS
     RELATIVE ${PROJECT_SOURCE_DIR}/assets
     ${PROJECT_SOURCE_DIR}/assets/pictures/* ${PROJECT_SOURCE_DIR}/assets/help/*)
list(TRANSFORM CORVALLA_ASSETS PREPEND assets/ OUTPUT_VARIABLE CORVALLA_ASSET_PATHS)
qt_add_resources(corvalla_common_core corvalla_assets
    PREFIX "/"
    BASE assets
    FILES ${CORVALLA_ASSET_PATHS})
include(${CMAKE_CURRENT_LIST_DIR}/Pictures.cmake)

# No library of the core may link Qt Widgets, Qt PrintSupport or Qt Multimedia.
foreach(folder IN ITEMS common reports records members receipts cards takings app)
    get_target_property(core_links corvalla_${folder}_core LINK_LIBRARIES)
    foreach(lib IN LISTS core_links)
        if(lib MATCHES "Widgets|PrintSupport|Multimedia|_ui$")
            message(FATAL_ERROR "corvalla_${folder}_core must not link ${lib}")
        endif()
    endforeach()
endforeach()
