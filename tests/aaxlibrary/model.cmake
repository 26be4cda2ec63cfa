# Data model of the interface library: strings, delegates, controls chunk,
# host parameters, packet dispatcher and the effect-parameters base.
skorvane3_add_test(test_aax_model
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/model_chunk_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/model_dispatcher_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/model_effect_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/model_parameter_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/model_strings_test.cpp
  LIBS aaxlibrary)
