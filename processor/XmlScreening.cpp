#include "processor/XmlScreening.h"

#include <cstring>

namespace XmlScreening
{
// Text that is not valid UTF-8 is not ours (we write ASCII): the parser
// steps over a multi-byte lead byte without looking, so a sequence cut short
// walks it past the end of the text.
bool isValidUtf8 (const juce::String& text)
{
    const char* bytes = text.toRawUTF8();
    return juce::CharPointer_UTF8::isValidString (bytes, (int) std::strlen (bytes));
}

// A processing instruction ("<?...?>") inside the document element, followed
// by text, sends the parser into an endless loop: it skips the instruction as
// white space, then rolls back to it to read the text. Our documents carry
// none there (only the XML declaration before the root).
bool hasNoInstructionInsideRoot (const juce::String& text)
{
    for (int i = text.indexOfChar ('<'); i >= 0; i = text.indexOfChar (i + 1, '<'))
    {
        const auto next = text[i + 1];
        if (next != '?' && next != '!')
            return text.indexOf (i, "<?") < 0;
    }

    return true;
}

// A document type declaration brings entity definitions that the parser
// expands without bound (a malformed one never finishes).
bool hasNoDocumentType (const juce::String& text)
{
    return ! text.contains ("<!DOCTYPE");
}

// Every '&' must start a reference the XML writer produces: one of the five
// predefined entities or a character reference to a character between 1 and
// U+10FFFF. The parser reads anything else as an external entity (one whose
// name holds a '<' makes it read past the end of its text) and lets long
// character numbers overflow.
bool hasOnlyKnownReferences (const juce::String& text)
{
    static const char* const names[] = { "amp;", "lt;", "gt;", "quot;", "apos;" };

    for (int i = text.indexOfChar ('&'); i >= 0; i = text.indexOfChar (i + 1, '&'))
    {
        const auto rest = text.substring (i + 1, i + 12);
        bool known = false;

        for (auto* name : names)
            known = known || rest.startsWithIgnoreCase (name);

        if (! known && rest.startsWithChar ('#'))
        {
            const bool hex = rest[1] == 'x' || rest[1] == 'X';
            const int start = hex ? 2 : 1;
            const int end = rest.indexOfChar (';');
            const auto digits = end > start ? rest.substring (start, end) : juce::String();
            const bool wellFormed = digits.isNotEmpty() && digits.length() <= (hex ? 6 : 7)
                                    && digits.containsOnly (hex ? "0123456789abcdefABCDEF" : "0123456789");
            const int code = hex ? digits.getHexValue32() : digits.getIntValue();
            known = wellFormed && code >= 1 && code <= 0x10ffff;
        }

        if (! known)
            return false;
    }

    return true;
}

// A quick count of open elements, so that a hostile document cannot exhaust
// the stack of the recursive parser.
bool nestingIsWithinLimit (const juce::String& text)
{
    int depth = 0;
    auto p = text.getCharPointer();

    for (auto c = p.getAndAdvance(); c != 0; c = p.getAndAdvance())
    {
        if (c == '<')
        {
            const auto next = *p;
            if (next == '/')
                --depth;
            else if (next != '?' && next != '!')
                if (++depth > kMaxDepth)
                    return false;
        }
        else if (c == '/' && *p == '>')
        {
            --depth;
        }
    }

    return true;
}

namespace
{
// Moves `p` past the next `end`; false when the text ends first.
bool skipPast (const char*& p, const char* end)
{
    const char* found = std::strstr (p, end);
    if (found == nullptr)
        return false;

    p = found + std::strlen (end);
    return true;
}
} // namespace

// The parser hands back an element for a truncated document (e.g.
// "<sv3PresetFile" as an element without attributes, which would zero every
// value), so the document element must be seen to end: its end tag, or the
// '/>' of an empty element, outside any quoted value. What follows the root
// is left to the parser, which reads past it.
bool rootElementIsClosed (const juce::String& text)
{
    const char* p = text.toRawUTF8();
    int depth = 0;

    for (;;)
    {
        p = std::strchr (p, '<');
        if (p == nullptr)
            return false;
        ++p;

        if (*p == '?')
        {
            if (! skipPast (p, "?>"))
                return false;
            continue;
        }

        if (*p == '!')
        {
            const bool skipped = std::strncmp (p, "!--", 3) == 0        ? skipPast (p, "-->")
                                 : std::strncmp (p, "![CDATA[", 8) == 0 ? skipPast (p, "]]>")
                                                                        : skipPast (p, ">");
            if (! skipped)
                return false;
            continue;
        }

        // Walk the tag to its '>', stepping over quoted attribute values.
        const bool isEndTag = *p == '/';
        char quote = 0;
        char previous = 0;

        for (;; ++p)
        {
            const char c = *p;
            if (c == 0)
                return false;

            if (quote != 0)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
            {
                quote = c;
            }
            else if (c == '>')
            {
                break;
            }

            previous = c;
        }

        ++p;

        if (isEndTag)
            --depth;
        else if (previous != '/')
            ++depth;

        if (depth <= 0)
            return true;
    }
}

bool isAcceptable (const juce::String& text)
{
    return isValidUtf8 (text) && hasNoInstructionInsideRoot (text) && hasNoDocumentType (text)
           && hasOnlyKnownReferences (text) && nestingIsWithinLimit (text) && rootElementIsClosed (text);
}

std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
{
    if (! isAcceptable (text))
        return {};

    // The parser is lenient; anything it reports an error for is not applied.
    juce::XmlDocument document (text);
    auto xml = document.getDocumentElement();

    if (document.getLastParseError().isNotEmpty())
        return {};

    return xml;
}
} // namespace XmlScreening
