#pragma once
// Host parameters of value type T (float for continuous parameters, bool
// for switches). A parameter keeps its real value; the host speaks in
// normalized values, which the taper delegate maps; the display delegate
// turns real values into texts and back.
//
// While the host's automation delegate is attached, a change made on the
// plug-in's side only asks the host (touch, set-value request, release);
// the value changes when the host answers through UpdateNormalizedValue.
// Without a delegate the value is set at once.
//
// The current value and the force-notify flag are atomics: the host may
// update a parameter on one thread while the audio side reads it on another.

#include <atomic>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <type_traits>

#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

namespace AAX_ParameterDetail
{
// Identifier copy rule: at most 31 characters and a terminating NUL.
inline void CopyIdentifier (char (&to)[32], const char* from)
{
    std::memset (to, 0, sizeof (to));
    if (from == nullptr)
        return;
    const size_t length = ::strnlen (from, sizeof (to) - 1);
    std::memcpy (to, from, length);
}

template<typename T, typename U>
inline bool Is()
{
    return std::is_same<T, U>::value;
}
} // namespace AAX_ParameterDetail

template<typename T>
class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    AAX_CParameterValue (AAX_CParamID identifierToCopy, T initialValue = T())
        : value (initialValue)
    {
        AAX_ParameterDetail::CopyIdentifier (identifier, identifierToCopy);
    }
    AAX_CParameterValue (const AAX_CParameterValue& other)
        : AAX_IParameterValue()
        , value (other.Get())
    {
        AAX_ParameterDetail::CopyIdentifier (identifier, other.identifier);
    }
    ~AAX_CParameterValue() override {}

    AAX_IParameterValue* Clone() const override { return new AAX_CParameterValue (*this); }
    AAX_CParamID Identifier() const override { return identifier; }

    bool GetValueAsBool (bool* out) const override { return GetTyped<bool> (out); }
    bool GetValueAsInt32 (int32_t* out) const override { return GetTyped<int32_t> (out); }
    bool GetValueAsFloat (float* out) const override { return GetTyped<float> (out); }
    bool GetValueAsDouble (double* out) const override { return GetTyped<double> (out); }
    bool GetValueAsString (AAX_IString*) const override { return false; }

    T Get() const { return value.load (std::memory_order_acquire); }
    void Set (T newValue) { value.store (newValue, std::memory_order_release); }

private:
    template<typename U>
    bool GetTyped (U* out) const
    {
        if constexpr (std::is_same<T, U>::value)
        {
            if (out == nullptr)
                return false;
            *out = Get();
            return true;
        }
        else
        {
            (void) out;
            return false;
        }
    }

    char identifier[32];
    std::atomic<T> value;
};

template<typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_IString& parameterName, T initialDefaultValue,
                    const AAX_ITaperDelegate<T>& taperToCopy, const AAX_IDisplayDelegate<T>& displayToCopy,
                    bool isAutomatable)
        : name (parameterName)
        , automatable (isAutomatable)
        , numberOfSteps (0)
        , type (AAX_eParameterType_Continuous)
        , orientation (0)
        , taperDelegate (taperToCopy.Clone())
        , displayDelegate (displayToCopy.Clone())
        , automationDelegate (nullptr)
        , forceNotify (true)
        , parameterValue (identifier, T())
        , defaultValue (initialDefaultValue)
    {
        // No step count given yet: a continuous parameter offers 128 positions.
        SetNumberOfSteps (128);
        SetToDefaultValue();
    }

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    ~AAX_CParameter() override
    {
        if (automationDelegate != nullptr)
            automationDelegate->UnregisterParameter (Identifier());
        automationDelegate = nullptr;
    }

    AAX_IParameterValue* CloneValue() const override
    {
        return new AAX_CParameterValue<T> (parameterValue.Identifier(), parameterValue.Get());
    }

    AAX_CParamID Identifier() const override { return parameterValue.Identifier(); }
    void SetName (const AAX_CString& newName) override { name = newName; }
    const AAX_CString& Name() const override { return name; }

    void AddShortenedName (const AAX_CString& shortName) override { shortenedNames[shortName.Length()] = shortName; }

    const AAX_CString& ShortenedName (int32_t length) const override
    {
        if (length < 0 || static_cast<uint32_t> (length) >= name.Length() || shortenedNames.empty())
            return name;
        auto it = shortenedNames.upper_bound (static_cast<uint32_t> (length));
        if (it == shortenedNames.begin())
            return it->second; // every shortened name is longer: the shortest, uncut
        return std::prev (it)->second;
    }

    void ClearShortenedNames() override { shortenedNames.clear(); }

    bool Automatable() const override { return automatable; }

    void SetAutomationDelegate (AAX_IAutomationDelegate* newDelegate) override
    {
        if (automationDelegate != nullptr)
            automationDelegate->UnregisterParameter (Identifier());
        automationDelegate = newDelegate;
        if (newDelegate != nullptr)
            newDelegate->RegisterParameter (Identifier());
    }

    void Touch() override
    {
        if (automationDelegate != nullptr)
            automationDelegate->PostTouchRequest (Identifier());
    }

    void Release() override
    {
        if (automationDelegate != nullptr)
            automationDelegate->PostReleaseRequest (Identifier());
    }

    void SetNormalizedValue (double x) override
    {
        const double n = taperDelegate->RealToNormalized (taperDelegate->NormalizedToReal (x));
        Request (n);
    }

    double GetNormalizedValue() const override { return taperDelegate->RealToNormalized (parameterValue.Get()); }

    void SetNormalizedDefaultValue (double x) override
    {
        defaultValue = taperDelegate->ConstrainRealValue (taperDelegate->NormalizedToReal (x));
    }

    double GetNormalizedDefaultValue() const override { return taperDelegate->RealToNormalized (defaultValue); }

    void SetToDefaultValue() override { Request (taperDelegate->RealToNormalized (defaultValue)); }

    void SetNumberOfSteps (uint32_t numSteps) override
    {
        if (numSteps != 0)
            numberOfSteps = numSteps;
    }

    uint32_t GetNumberOfSteps() const override { return numberOfSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue (GetNormalizedValue()); }

    double GetNormalizedValueFromStep (uint32_t step) const override
    {
        const uint32_t n = GetNumberOfSteps();
        if (n < 2)
            return 0.0;
        const double stepSize = 1.0 / static_cast<double> (n - 1);
        const double v = static_cast<double> (step) * stepSize;
        return v > 1.0 ? 1.0 : v;
    }

    uint32_t GetStepValueFromNormalizedValue (double x) const override
    {
        const uint32_t n = GetNumberOfSteps();
        if (n < 2)
            return 0;
        const double m = static_cast<double> (n - 1);
        const double stepSize = 1.0 / m;
        const double v = x / stepSize + 0.5;
        if (v < 0.0)
            return 0;
        if (v > m)
            return n - 1;
        if (! (v >= 0.0)) // NaN
            return 0;
        return static_cast<uint32_t> (v);
    }

    void SetStepValue (uint32_t step) override
    {
        if (GetNumberOfSteps() < 2)
            return;
        SetNormalizedValue (GetNormalizedValueFromStep (step));
    }

    bool GetValueString (AAX_CString* valueString) const override
    {
        return displayDelegate->ValueToString (parameterValue.Get(), valueString);
    }

    // The full text: the maximum length is not applied here.
    bool GetValueString (int32_t /*maxNumChars*/, AAX_CString* valueString) const override
    {
        return displayDelegate->ValueToString (parameterValue.Get(), valueString);
    }

    bool GetNormalizedValueFromBool (bool value, double* out) const override { return NormalizedFrom (value, out); }
    bool GetNormalizedValueFromInt32 (int32_t value, double* out) const override { return NormalizedFrom (value, out); }
    bool GetNormalizedValueFromFloat (float value, double* out) const override { return NormalizedFrom (value, out); }
    bool GetNormalizedValueFromDouble (double value, double* out) const override { return NormalizedFrom (value, out); }

    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* out) const override
    {
        T real = T();
        if (! displayDelegate->StringToValue (valueString, &real))
            return false;
        if (out != nullptr)
            *out = taperDelegate->RealToNormalized (real);
        return InRange (real);
    }

    bool GetBoolFromNormalizedValue (double x, bool* out) const override { return RealFrom (x, out); }
    bool GetInt32FromNormalizedValue (double x, int32_t* out) const override { return RealFrom (x, out); }
    bool GetFloatFromNormalizedValue (double x, float* out) const override { return RealFrom (x, out); }
    bool GetDoubleFromNormalizedValue (double x, double* out) const override { return RealFrom (x, out); }

    bool GetStringFromNormalizedValue (double x, AAX_CString& valueString) const override
    {
        const T real = taperDelegate->NormalizedToReal (x);
        if (! displayDelegate->ValueToString (real, &valueString))
            return false;
        return InRange (real);
    }

    bool GetStringFromNormalizedValue (double x, int32_t maxNumChars, AAX_CString& valueString) const override
    {
        const T real = taperDelegate->NormalizedToReal (x);
        if (! displayDelegate->ValueToString (real, maxNumChars, &valueString))
            return false;
        return InRange (real);
    }

    bool SetValueFromString (const AAX_CString& valueString) override
    {
        T real = T();
        if (! displayDelegate->StringToValue (valueString, &real))
            return false;
        Request (taperDelegate->RealToNormalized (real));
        return true;
    }

    bool GetValueAsBool (bool* value) const override { return parameterValue.GetValueAsBool (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return parameterValue.GetValueAsInt32 (value); }
    bool GetValueAsFloat (float* value) const override { return parameterValue.GetValueAsFloat (value); }
    bool GetValueAsDouble (double* value) const override { return parameterValue.GetValueAsDouble (value); }

    bool GetValueAsString (AAX_IString* value) const override
    {
        if (value == nullptr)
            return false;
        AAX_CString text;
        const bool ok = GetValueString (&text);
        if (ok)
            *value = static_cast<const AAX_IString&> (text);
        return ok;
    }

    bool SetValueWithBool (bool value) override { return SetTyped (value); }
    bool SetValueWithInt32 (int32_t value) override { return SetTyped (value); }
    bool SetValueWithFloat (float value) override { return SetTyped (value); }
    bool SetValueWithDouble (double value) override { return SetTyped (value); }

    bool SetValueWithString (const AAX_IString& value) override
    {
        const AAX_CString copy (value);
        return SetValueFromString (copy);
    }

    void SetType (AAX_EParameterType newType) override { type = newType; }
    AAX_EParameterType GetType() const override { return type; }
    void SetOrientation (AAX_EParameterOrientation newOrientation) override { orientation = newOrientation; }
    AAX_EParameterOrientation GetOrientation() const override { return orientation; }

    // A taper of another value type is ignored.
    void SetTaperDelegate (AAX_ITaperDelegateBase& newTaper, bool preserveValue) override
    {
        auto* typed = dynamic_cast<AAX_ITaperDelegate<T>*> (&newTaper);
        if (typed == nullptr)
            return;
        const double old = GetNormalizedValue();
        taperDelegate.reset (typed->Clone());
        forceNotify.store (true);
        if (preserveValue)
            Request (taperDelegate->RealToNormalized (parameterValue.Get()));
        else
            UpdateNormalizedValue (old);
    }

    // A display of another value type is ignored.
    void SetDisplayDelegate (AAX_IDisplayDelegateBase& newDisplay) override
    {
        auto* typed = dynamic_cast<AAX_IDisplayDelegate<T>*> (&newDisplay);
        if (typed == nullptr)
            return;
        displayDelegate.reset (typed->Clone());
        if (automationDelegate != nullptr)
            automationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
    }

    void UpdateNormalizedValue (double x) override
    {
        const T real = taperDelegate->NormalizedToReal (x);
        // Exact comparison; for float a NaN on either side counts as a change.
        if (! forceNotify.load() && real == parameterValue.Get())
            return;
        parameterValue.Set (real);
        if (automationDelegate != nullptr)
            automationDelegate->PostCurrentValue (Identifier(), x);
        forceNotify.store (false);
    }

    // Real value of type T, without a range test.
    void SetValue (T value) { Request (taperDelegate->RealToNormalized (value)); }

    // For tests and diagnostics.
    T GetDefaultValue() const { return defaultValue; }
    bool GetForceNotify() const { return forceNotify.load(); }
    const AAX_ITaperDelegate<T>* TaperDelegate() const { return taperDelegate.get(); }
    const AAX_IDisplayDelegate<T>* DisplayDelegate() const { return displayDelegate.get(); }

private:
    // The request for a normalized value n: through the host when a
    // delegate is attached, else at once.
    void Request (double n)
    {
        if (automationDelegate != nullptr)
        {
            Touch();
            automationDelegate->PostSetValueRequest (Identifier(), n);
            Release();
            return;
        }
        forceNotify.store (true);
        UpdateNormalizedValue (n);
    }

    bool InRange (T real) const
    {
        if (real > taperDelegate->GetMaximumValue())
            return false;
        if (real < taperDelegate->GetMinimumValue())
            return false;
        return true;
    }

    template<typename U>
    bool NormalizedFrom (U value, double* out) const
    {
        if constexpr (std::is_same<T, U>::value)
        {
            if (out == nullptr)
                return false;
            *out = taperDelegate->RealToNormalized (value);
            return true;
        }
        else
        {
            (void) value;
            (void) out;
            return false;
        }
    }

    template<typename U>
    bool RealFrom (double x, U* out) const
    {
        if constexpr (std::is_same<T, U>::value)
        {
            if (out == nullptr)
                return false;
            *out = taperDelegate->NormalizedToReal (x);
            return true;
        }
        else
        {
            (void) x;
            (void) out;
            return false;
        }
    }

    template<typename U>
    bool SetTyped (U value)
    {
        if constexpr (std::is_same<T, U>::value)
        {
            SetValue (value);
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    AAX_CString name;
    std::map<uint32_t, AAX_CString> shortenedNames;
    bool automatable;
    uint32_t numberOfSteps;
    AAX_EParameterType type;
    AAX_EParameterOrientation orientation;
    std::unique_ptr<AAX_ITaperDelegate<T>> taperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> displayDelegate;
    AAX_IAutomationDelegate* automationDelegate;
    std::atomic<bool> forceNotify;
    AAX_CParameterValue<T> parameterValue;
    T defaultValue;
};
