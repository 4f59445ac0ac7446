# ASan + UBSan for the sanitizer preset; every target links leaflow_warnings, which carries it.
option(LEAFLOW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LEAFLOW_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
