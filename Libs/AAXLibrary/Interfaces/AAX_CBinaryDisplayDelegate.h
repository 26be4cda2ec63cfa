#pragma once
// Shows a two-state value as one of two texts, with optional shorter texts
// for narrow displays.

#include <vector>

#include "AAX_IDisplayDelegate.h"

template<typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    struct StringTable
    {
        int32_t maxChars; // display width the row is meant for
        AAX_CString falseString;
        AAX_CString trueString;
    };

    AAX_CBinaryDisplayDelegate (const char* falseText, const char* trueText)
        : falseString (falseText)
        , trueString (trueText)
        , maxLength (0)
    {
        maxLength = falseString.Length() > trueString.Length() ? falseString.Length() : trueString.Length();
    }
    AAX_CBinaryDisplayDelegate (const AAX_CBinaryDisplayDelegate& other) = default;

    AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate (*this); }

    // Adds a row of shorter texts meant for displays of maxChars characters.
    void AddShortenedStrings (int32_t maxChars, const char* falseText, const char* trueText)
    {
        stringTable.push_back (StringTable { maxChars, AAX_CString (falseText), AAX_CString (trueText) });
    }

    uint32_t GetMaxLength() const { return maxLength; }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;
        *valueString = value ? trueString : falseString;
        return true;
    }

    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;
        if (stringTable.empty())
            return this->ValueToString (value, valueString);

        const uint32_t n = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
        if (n >= maxLength)
        {
            *valueString = value ? trueString : falseString;
            return true;
        }
        // The last row that fits the width; none fits: the first row.
        const StringTable* row = &stringTable.front();
        for (auto it = stringTable.rbegin(); it != stringTable.rend(); ++it)
        {
            if (it->maxChars <= maxNumChars)
            {
                row = &*it;
                break;
            }
        }
        *valueString = value ? row->trueString : row->falseString;
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        if (valueString == trueString)
        {
            if (value != nullptr)
                *value = T (true);
            return true;
        }
        if (value != nullptr)
            *value = T (false);
        return valueString == falseString;
    }

private:
    AAX_CString falseString;
    AAX_CString trueString;
    uint32_t maxLength;
    std::vector<StringTable> stringTable;
};
