# Builds the JUCE modules the product needs once, as one static library that
# every other target links. Debian's JUCE leaves out its bundled png, jpeg and
# zlib code, so the system libraries are linked in their place.
find_package(JUCE CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SKORVANE3_IMAGE_LIBS REQUIRED IMPORTED_TARGET libpng libjpeg zlib)

add_library(skorvane3_juce STATIC)
# JUCE's decimal reader (String::getDoubleValue, behind every XML attribute
# value) gathers a long exponent ("1e02000000000000") in an int, which
# overflows; the value is only wrong, and we hold every such value in range
# before use. The code is JUCE's: its module sources are built without that
# one check (clang's fuzz build names the function in
# sanitizers/ubsan-ignorelist.txt; GCC has no such list).
if(SKORVANE3_SANITIZE MATCHES "undefined")
  target_compile_options(skorvane3_juce PRIVATE -fno-sanitize=signed-integer-overflow)
endif()
target_link_libraries(skorvane3_juce
  PRIVATE
    juce::juce_audio_basics
    juce::juce_audio_formats
    juce::juce_audio_processors
    juce::juce_core
    juce::juce_data_structures
    juce::juce_events
    juce::juce_graphics
    juce::juce_gui_basics
    juce::juce_gui_extra
    juce::juce_opengl
  PUBLIC
    juce::juce_recommended_config_flags
    PkgConfig::SKORVANE3_IMAGE_LIBS)

target_compile_definitions(skorvane3_juce
  PUBLIC
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_USE_DARK_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STANDALONE_APPLICATION=0
    JUCE_PLUGINHOST_VST3=0
    JUCE_PLUGINHOST_LADSPA=0
    JUCE_PLUGINHOST_LV2=0
    JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
  INTERFACE
    $<TARGET_PROPERTY:skorvane3_juce,COMPILE_DEFINITIONS>)

target_include_directories(skorvane3_juce
  INTERFACE $<TARGET_PROPERTY:skorvane3_juce,INCLUDE_DIRECTORIES>)

# The plug-in exports only its entry functions: keep JUCE's symbols hidden.
set_target_properties(skorvane3_juce PROPERTIES
  C_VISIBILITY_PRESET hidden
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN TRUE)
