# One warnings target that every Leaflow target links.
add_library(leaflow_warnings INTERFACE)
target_compile_options(leaflow_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual
    # With optimisation GCC 12 reports null dereferences inside Qt's inline code that cannot
    # happen, which a user building the app would read as our faults.
    $<$<CONFIG:Debug>:-Wnull-dereference>
    $<$<BOOL:${LEAFLOW_WERROR}>:-Werror>)
# Qt's and qpdf's headers are included as system headers so their warnings stay theirs.
option(LEAFLOW_WERROR "Treat warnings as errors" OFF)
