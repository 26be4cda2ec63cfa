# Host boundary of the interface library: reference counting, entry points,
# host services, host interface proxies, description proxies, GUI base.
file(GLOB aax_core_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/core_*.cpp)
skorvane3_add_test(test_aax_core SOURCES ${aax_core_test_sources} LIBS aaxlibrary)
