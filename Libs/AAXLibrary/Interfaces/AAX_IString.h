#pragma once
// The string interface exchanged between the host and the plug-in.

#include <cstdint>

class AAX_IString
{
public:
    virtual ~AAX_IString() {}

    // Number of bytes, without the terminating NUL.
    virtual uint32_t Length() const = 0;
    // Largest length the implementation can hold.
    virtual uint32_t MaxLength() const = 0;
    // Contents as a NUL-terminated byte string, valid until the next change.
    virtual const char* Get() const = 0;
    // Replaces the contents with the bytes of text up to its NUL (text must not be null).
    virtual void Set (const char* text) = 0;
    // Replaces the contents with other.Get().
    virtual AAX_IString& operator= (const AAX_IString& other) = 0;
    // As Set.
    virtual AAX_IString& operator= (const char* text) = 0;
};
