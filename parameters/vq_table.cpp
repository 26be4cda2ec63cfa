#include "parameters/vq_table.h"

#include <cmath>
#include <cstdlib>

#include "parameters/csd_mem.h"

namespace
{
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kInvSqrt2 = 0.7071067811865476;
constexpr double kLn2 = 0.6931471805599453;

// Position of entry i. A one-entry table has its only entry at position 0.
inline float positionOf (int32_t i, int32_t n)
{
    if (n < 2)
        return 0.0f;
    return static_cast<float> (i) / static_cast<float> (n - 1);
}
} // namespace

void table_init (_table_struct& table, int32_t count)
{
    if (count < 0)
    {
        table.size = 0;
        table.data = nullptr;
        return;
    }
    table.size = count;
    const uint64_t bytes = (static_cast<uint64_t> (count) + 1u) * sizeof (float);
    table.data = static_cast<float*> (csd_mem_alloc (bytes));
}

void table_free (_table_struct& table)
{
    std::free (table.data);
    table.data = nullptr;
    table.size = 0;
}

void table_fill (_table_struct& table, int32_t curve, float a, float b)
{
    float* data = table.data;
    const int32_t n = table.size;
    // Without data, or without a single curve entry, there is nothing to write
    // (and no entry n - 1 to copy into the guard).
    if (data == nullptr || n < 1)
        return;

    switch (curve)
    {
        case TABLE_EXPONENTIAL:
        {
            const double l = std::log (static_cast<double> (b / a));
            for (int32_t i = 0; i < n; ++i)
            {
                const double x = positionOf (i, n);
                data[i] = static_cast<float> (static_cast<double> (a) * std::pow (2.0, x * l / kLn2));
            }
            break;
        }
        case TABLE_LOG:
        {
            const float s = (b == 0.0f) ? 1.0f : b;
            data[0] = 0.0f;
            for (int32_t i = 1; i < n; ++i)
            {
                const double x = positionOf (i, n);
                data[i] = static_cast<float> ((std::log10 (0.9 * x + 0.1) + 1.0) * static_cast<double> (s));
            }
            break;
        }
        case TABLE_DECIBEL:
        {
            const float g0 = std::pow (10.0f, a / 20.0f);
            const float g1 = std::pow (10.0f, b / 20.0f);
            const float d = std::log (g1 / g0);
            // Entry 0 keeps its zero: the bottom of a decibel range is silence.
            for (int32_t i = 1; i < n; ++i)
            {
                const float e = static_cast<float> (i) * d / static_cast<float> (n - 1);
                data[i] = std::exp (e) * g0;
            }
            break;
        }
        case TABLE_PAN_LEFT:
        case TABLE_PAN_RIGHT:
        {
            for (int32_t i = 0; i < n; ++i)
            {
                const float x = positionOf (i, n);
                const float t = static_cast<float> (static_cast<double> (x - 0.5f) * kHalfPi);
                const float c = std::cos (t);
                const float s = std::sin (t);
                const float m = (curve == TABLE_PAN_LEFT) ? (c - s) : (s + c);
                data[i] = static_cast<float> (static_cast<double> (m) * kInvSqrt2);
            }
            break;
        }
        case TABLE_DB_SCALE:
        {
            const float r = a * b;
            for (int32_t i = 0; i < n; ++i)
            {
                const double x = positionOf (i, n);
                float v = static_cast<float> (20.0 * std::log10 (x) / static_cast<double> (r) + 1.0);
                if (v > 1.0f)
                    v = 1.0f;
                else if (v < 0.0f)
                    v = 0.0f;
                data[i] = v;
            }
            break;
        }
        case TABLE_SINE_S:
            for (int32_t i = 0; i < n; ++i)
                data[i] = static_cast<float> (std::sin (static_cast<double> (positionOf (i, n) - 0.5f) * kPi));
            break;
        case TABLE_SINE_RISE:
            for (int32_t i = 0; i < n; ++i)
                data[i] = static_cast<float> (std::sin (static_cast<double> (positionOf (i, n)) * kPi * 0.5));
            break;
        case TABLE_COSINE_FALL:
            for (int32_t i = 0; i < n; ++i)
                data[i] = static_cast<float> (std::cos (static_cast<double> (positionOf (i, n)) * kPi * 0.5));
            break;
        case TABLE_SINE_SQUARED:
            for (int32_t i = 0; i < n; ++i)
            {
                const float s = static_cast<float> (std::sin (static_cast<double> (positionOf (i, n)) * kPi * 0.5));
                data[i] = s * s;
            }
            break;
        default:
            break;
    }

    data[n] = data[n - 1];
}

float table_lookup (const _table_struct& table, float x)
{
    if (table.data == nullptr || table.size < 1)
        return 0.0f;
    // Hold the position within the table (NaN reads entry 0).
    if (! (x >= 0.0f))
        x = 0.0f;
    else if (x > 1.0f)
        x = 1.0f;

    const int32_t n = table.size;
    const float p = static_cast<float> (n - 1) * x;
    int32_t i = static_cast<int32_t> (p);
    // Beyond 2^24 entries n - 1 may round up in single precision.
    if (i > n - 1)
        i = n - 1;
    return table_interpolate (table.data, i, p - static_cast<float> (i));
}

float table_inverse_calculate (int32_t curve, float y, float a, float b)
{
    switch (curve)
    {
        case TABLE_EXPONENTIAL:
            return static_cast<float> (std::log (static_cast<double> (y / a)) / std::log (static_cast<double> (b / a)));
        case TABLE_LOG:
        {
            const float s = (b == 0.0f) ? 1.0f : b;
            return (std::pow (10.0f, y / s - 1.0f) - 0.1f) / 0.9f;
        }
        default:
            return -999.9f;
    }
}
