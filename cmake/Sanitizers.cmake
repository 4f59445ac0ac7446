# ASan + UBSan for the asan preset. The flags are set for the whole directory tree, not
# carried by leaflow_warnings, so every target added after this include gets them,
# whether or not it links that target.
option(LEAFLOW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LEAFLOW_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
