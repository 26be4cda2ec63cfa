# Host boundary of the interface library: reference counting, entry points,
# host services, host interface proxies, description proxies, GUI base.
skorvane3_add_test(test_aax_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/core_description_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_entry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_exports_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_gui_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_proxy_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core_support.cpp
  LIBS aaxlibrary)

# A shared module built the way the plug-in is, for checking what it exports.
add_library(aax_core_test_plugin MODULE ${CMAKE_CURRENT_LIST_DIR}/core_exports_plugin.cc)
target_link_libraries(aax_core_test_plugin PRIVATE aaxlibrary_plugin skorvane3_warnings)
set_target_properties(aax_core_test_plugin PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN TRUE)
add_dependencies(test_aax_core aax_core_test_plugin)
target_compile_definitions(test_aax_core PRIVATE AAX_CORE_TEST_PLUGIN="$<TARGET_FILE:aax_core_test_plugin>")
target_link_libraries(test_aax_core PRIVATE ${CMAKE_DL_LIBS})
