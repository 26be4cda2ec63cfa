# The warnings every target built from our own sources compiles with: JUCE's
# recommended set for the compiler in use, as errors. JUCE's module sources
# (skorvane3_juce) do not link this: they are not ours to change.
add_library(skorvane3_warnings INTERFACE)
target_link_libraries(skorvane3_warnings INTERFACE juce::juce_recommended_warning_flags)
target_compile_options(skorvane3_warnings INTERFACE -Werror)
