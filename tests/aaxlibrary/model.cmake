# Data model of the interface library: strings, delegates, controls chunk,
# host parameters, packet dispatcher and the effect-parameters base.
file(GLOB aax_model_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/model_*.cpp)
skorvane3_add_test(test_aax_model SOURCES ${aax_model_test_sources} LIBS aaxlibrary)
