# A module a helper loads only when a job needs it (src/runner/OnDemand): named without the "lib"
# prefix, exporting nothing but its entry point (its own copy of the engine stays private), and
# installed beside the helpers, where HelperPath looks for it.
include(GNUInstallDirs)

function(leaflow_on_demand_module target)
    set_target_properties(${target} PROPERTIES
        PREFIX ""
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
    install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/leaflow)
endfunction()
