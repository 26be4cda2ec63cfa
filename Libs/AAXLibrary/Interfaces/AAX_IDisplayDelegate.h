#pragma once
// Display delegates turn a parameter's real value into text and back.

#include "AAX_CString.h"

// Untyped root, so that a parameter can be handed a display without naming its type.
class AAX_IDisplayDelegateBase
{
public:
    AAX_IDisplayDelegateBase() = default;
    // Copyable: every delegate's Clone() copies it.
    AAX_IDisplayDelegateBase (const AAX_IDisplayDelegateBase&) = default;
    AAX_IDisplayDelegateBase& operator= (const AAX_IDisplayDelegateBase&) = default;
    virtual ~AAX_IDisplayDelegateBase() = default;
};

template<typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    virtual AAX_IDisplayDelegate* Clone() const = 0; // new heap copy, owned by the caller
    virtual bool ValueToString (T value, AAX_CString* valueString) const = 0;
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool StringToValue (const AAX_CString& valueString, T* value) const = 0;
};
