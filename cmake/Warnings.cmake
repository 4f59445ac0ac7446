# One warnings target that every Leaflow target links.
add_library(leaflow_warnings INTERFACE)
target_compile_options(leaflow_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wnull-dereference
    $<$<BOOL:${LEAFLOW_WERROR}>:-Werror>)
# Qt's and qpdf's headers are included as system headers so their warnings stay theirs.
option(LEAFLOW_WERROR "Treat warnings as errors" OFF)
