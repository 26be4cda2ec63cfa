#pragma once
// The host's own implementation of the string interface that crosses the
// plug-in boundary.

#include <string>

#include "AAX_IString.h"

namespace skorvane3host
{

class HostString final : public AAX_IString
{
public:
    HostString() = default;
    explicit HostString (const std::string& s)
        : text (s)
    {}

    uint32_t Length() const override { return static_cast<uint32_t> (text.size()); }
    uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
    const char* Get() const override { return text.c_str(); }
    void Set (const char* t) override { text = t != nullptr ? t : ""; }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* t) override
    {
        Set (t);
        return *this;
    }

    const std::string& str() const { return text; }

private:
    std::string text;
};

} // namespace skorvane3host
