#pragma once
// Taper delegates map between the host's normalized value (0 to 1) and a
// parameter's real value of type T, and keep real values inside its range.

// Untyped root, so that a parameter can be handed a taper without naming its type.
class AAX_ITaperDelegateBase
{
public:
    AAX_ITaperDelegateBase() = default;
    // Copyable: every delegate's Clone() copies it.
    AAX_ITaperDelegateBase (const AAX_ITaperDelegateBase&) = default;
    AAX_ITaperDelegateBase& operator= (const AAX_ITaperDelegateBase&) = default;
    virtual ~AAX_ITaperDelegateBase() = default;
};

template<typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    virtual AAX_ITaperDelegate* Clone() const = 0; // new heap copy, owned by the caller
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};
