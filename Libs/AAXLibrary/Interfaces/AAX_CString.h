#pragma once
// The library's string: one standard byte string behind the host's string
// interface. Lengths and positions count bytes; no encoding is interpreted.

#include <cstdint>
#include <string>

#include "AAX_IString.h"

class AAX_CString : public AAX_IString
{
public:
    AAX_CString();
    AAX_CString (const char* text); // null gives the empty string
    AAX_CString (const std::string& text);
    AAX_CString (const AAX_CString& other);
    AAX_CString (const AAX_IString& other);
    ~AAX_CString() override;

    // AAX_IString
    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* text) override; // null sets the empty string
    AAX_IString& operator= (const AAX_IString& other) override;
    AAX_IString& operator= (const char* text) override;

    AAX_CString& operator= (const AAX_CString& other);

    void Clear();
    // Removes n bytes starting at pos; a range past the end is cut at the end.
    AAX_CString& Erase (uint32_t pos, uint32_t n);
    const char* CString() const;
    const std::string& StdString() const { return text; }

    // Appends value in fixed-point notation with exactly precision decimals.
    AAX_CString& AppendNumber (double value, int32_t precision);
    AAX_CString& Append (const char* other);
    // Parses the leading number; false (and *out = 0) when there is none.
    bool ToDouble (double* out) const;
    // out->Set with the n bytes from pos (fewer at the end, none past it).
    void SubString (uint32_t pos, uint32_t n, AAX_IString* out) const;

    bool operator== (const AAX_CString& other) const;
    bool operator!= (const AAX_CString& other) const;
    bool operator== (const char* other) const;
    bool operator!= (const char* other) const { return ! (*this == other); }
    bool operator<(const AAX_CString& other) const; // for ordered containers

    char& operator[] (uint32_t index);
    const char& operator[] (uint32_t index) const;

private:
    std::string text;
};
