# Flags and defines that every Corvalla target gets.
add_library(corvalla_flags INTERFACE)
target_compile_options(corvalla_flags INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(corvalla_flags INTERFACE
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_DISABLE_DEPRECATED_UP_TO=0x050F00)

option(CORVALLA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CORVALLA_SANITIZE)
    set(san -fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer)
    add_compile_options(${san})
    add_link_options(${san})
    target_compile_definitions(corvalla_flags INTERFACE _GLIBCXX_ASSERTIONS)
endif()
