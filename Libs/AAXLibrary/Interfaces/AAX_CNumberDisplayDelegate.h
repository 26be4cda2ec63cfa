#pragma once
// Shows a real value as a fixed-point number with Precision decimals and
// parses typed numbers back.

#include "AAX_IDisplayDelegate.h"

// SpaceAfter is kept for the template's signature; it changes nothing in the texts.
template<typename T, int32_t Precision = 2, int32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate() = default;
    AAX_CNumberDisplayDelegate (const AAX_CNumberDisplayDelegate& other) = default;

    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;
        valueString->Clear();
        valueString->AppendNumber (static_cast<double> (value), Precision);
        return true;
    }

    // The full text cut to maxNumChars bytes; a trailing '.' left by the cut goes too.
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;
        valueString->Clear();
        valueString->AppendNumber (static_cast<double> (value), Precision);
        const uint32_t n = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
        const uint32_t length = valueString->Length();
        if (length > n)
            valueString->Erase (n, length - n);
        if (n > 0 && valueString->Length() == n && (*valueString)[n - 1] == '.')
            valueString->Erase (n - 1, 1);
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        double parsed = 0.0;
        const bool ok = valueString.ToDouble (&parsed);
        if (value != nullptr)
            *value = ok ? static_cast<T> (parsed) : T (0);
        return ok;
    }
};
