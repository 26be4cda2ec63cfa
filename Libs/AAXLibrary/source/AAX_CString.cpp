#include "AAX_CString.h"

#include <cstring>
#include <iomanip>
#include <locale>
#include <sstream>

AAX_CString::AAX_CString() = default;
AAX_CString::AAX_CString (const char* t)
    : text (t != nullptr ? t : "")
{}
AAX_CString::AAX_CString (const std::string& t)
    : text (t)
{}
AAX_CString::AAX_CString (const AAX_CString& other)
    : AAX_IString()
    , text (other.text)
{}
AAX_CString::AAX_CString (const AAX_IString& other)
    : text (other.Get() != nullptr ? other.Get() : "")
{}
AAX_CString::~AAX_CString() = default;

uint32_t AAX_CString::Length() const { return static_cast<uint32_t> (text.size()); }
uint32_t AAX_CString::MaxLength() const { return 0xFFFFFFFEu; }
const char* AAX_CString::Get() const { return text.c_str(); }
const char* AAX_CString::CString() const { return text.c_str(); }

void AAX_CString::Set (const char* t)
{
    // A null text would be undefined for std::string; treat it as empty.
    text = (t != nullptr) ? t : "";
}

AAX_IString& AAX_CString::operator= (const AAX_IString& other)
{
    if (&other != this)
        Set (other.Get());
    return *this;
}

AAX_IString& AAX_CString::operator= (const char* t)
{
    Set (t);
    return *this;
}

AAX_CString& AAX_CString::operator= (const AAX_CString& other)
{
    text = other.text;
    return *this;
}

void AAX_CString::Clear() { text.clear(); }

AAX_CString& AAX_CString::Erase (uint32_t pos, uint32_t n)
{
    if (pos < text.size())
        text.erase (pos, n); // std::string cuts n at the end
    return *this;
}

AAX_CString& AAX_CString::AppendNumber (double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream << std::fixed << std::setprecision (precision < 0 ? 0 : precision) << value;
    text += stream.str();
    return *this;
}

AAX_CString& AAX_CString::Append (const char* other)
{
    if (other != nullptr)
        text += other;
    return *this;
}

bool AAX_CString::ToDouble (double* out) const
{
    std::istringstream stream (text);
    stream.imbue (std::locale::classic());
    double value = 0.0;
    stream >> value;
    if (stream.fail() || stream.bad())
    {
        if (out != nullptr)
            *out = 0.0;
        return false;
    }
    if (out != nullptr)
        *out = value;
    return true;
}

void AAX_CString::SubString (uint32_t pos, uint32_t n, AAX_IString* out) const
{
    if (out == nullptr)
        return;
    if (pos > text.size())
    {
        out->Set ("");
        return;
    }
    out->Set (text.substr (pos, n).c_str());
}

bool AAX_CString::operator== (const AAX_CString& other) const { return std::strcmp (text.c_str(), other.text.c_str()) == 0; }
bool AAX_CString::operator!= (const AAX_CString& other) const { return ! (*this == other); }
bool AAX_CString::operator== (const char* other) const { return std::strcmp (text.c_str(), other != nullptr ? other : "") == 0; }
bool AAX_CString::operator<(const AAX_CString& other) const { return std::strcmp (text.c_str(), other.text.c_str()) < 0; }

char& AAX_CString::operator[] (uint32_t index) { return text[index]; }
const char& AAX_CString::operator[] (uint32_t index) const { return text[index]; }
