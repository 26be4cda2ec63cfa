#pragma once
// Linear mapping between normalized values and a real range [min, max].

#include "AAX_ITaperDelegate.h"

// RealPrecision 0: real values are not rounded (the only form this library provides).
template<typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
    static_assert (RealPrecision == 0, "only unrounded linear tapers are provided");

public:
    // Needs minimumValue < maximumValue.
    AAX_CLinearTaperDelegate (T minimum = T (0), T maximum = T (1))
        : minimumValue (minimum)
        , maximumValue (maximum)
    {}
    AAX_CLinearTaperDelegate (const AAX_CLinearTaperDelegate& other) = default;

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }
    T GetMaximumValue() const override { return maximumValue; }
    T GetMinimumValue() const override { return minimumValue; }

    // A NaN passes through unchanged (both comparisons are false).
    T ConstrainRealValue (T value) const override
    {
        if (value > maximumValue)
            return maximumValue;
        if (minimumValue > value)
            return minimumValue;
        return value;
    }

    // Arithmetic in double, rounded once to T, then constrained.
    T NormalizedToReal (double normalizedValue) const override
    {
        const double maxD = static_cast<double> (maximumValue);
        const double minD = static_cast<double> (minimumValue);
        const double real = (maxD - minD) * normalizedValue + minD;
        return this->ConstrainRealValue (static_cast<T> (real));
    }

    double RealToNormalized (T realValue) const override
    {
        const T c = this->ConstrainRealValue (realValue);
        const double maxD = static_cast<double> (maximumValue);
        const double minD = static_cast<double> (minimumValue);
        return (static_cast<double> (c) - minD) / (maxD - minD);
    }

private:
    T minimumValue;
    T maximumValue;
};
