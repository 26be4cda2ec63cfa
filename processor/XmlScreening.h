#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// State chunks, clipboard text and preset files come from outside the
// plug-in. JUCE 7's XML parser mishandles some text (it loops forever, reads
// past the end, exhausts the stack, or hands back an element for a truncated
// document), so every such text is screened before the parser sees it. Our
// own writer never produces any of what is refused here.
namespace XmlScreening
{
// Deeper nesting than this is not ours: the parser is recursive.
constexpr int kMaxDepth = 64;

// The individual checks, each true when the text passes it.
bool isValidUtf8 (const juce::String& text);
bool hasNoInstructionInsideRoot (const juce::String& text);
bool hasNoDocumentType (const juce::String& text);
bool hasOnlyKnownReferences (const juce::String& text);
bool nestingIsWithinLimit (const juce::String& text);
bool rootElementIsClosed (const juce::String& text);

// True when the text passes every check above.
bool isAcceptable (const juce::String& text);

// The document element of text that passes every check and that the parser
// reads without an error; nullptr for anything else.
std::unique_ptr<juce::XmlElement> parse (const juce::String& text);
} // namespace XmlScreening
