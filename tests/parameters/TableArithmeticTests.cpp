#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "parameters/csd_mem.h"
#include "parameters/vq_table.h"

// The tables feed the Frequency in hertz and the per-sample gains, so every
// entry must be the documented formula in its documented precision and order,
// bit for bit. Each curve's formula is written out here on its own.
namespace
{
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kInvSqrt2 = 0.7071067811865476;
constexpr double kLn2 = 0.6931471805599453;

uint32_t bitsOf (float f)
{
    uint32_t u;
    std::memcpy (&u, &f, sizeof u);
    return u;
}

// Entry i's position, divided in single precision.
float position (int i, int n)
{
    return (float) i / (float) (n - 1);
}

struct Curve
{
    const char* name;
    int32_t curve;
    float a, b;
    int32_t size;
    float (*entry) (int i, int n, float a, float b);
};

float exponentialEntry (int i, int n, float a, float b)
{
    const double l = std::log ((double) (b / a));
    return (float) ((double) a * std::pow (2.0, (double) position (i, n) * l / kLn2));
}

float decibelEntry (int i, int n, float a, float b)
{
    if (i == 0)
        return 0.0f; // silence at the bottom
    const float g0 = std::pow (10.0f, a / 20.0f);
    const float g1 = std::pow (10.0f, b / 20.0f);
    const float d = std::log (g1 / g0);
    return std::exp ((float) i * d / (float) (n - 1)) * g0;
}

float logEntry (int i, int n, float, float b)
{
    if (i == 0)
        return 0.0f;
    const float s = b == 0.0f ? 1.0f : b;
    return (float) ((std::log10 (0.9 * (double) position (i, n) + 0.1) + 1.0) * (double) s);
}

float panAngle (int i, int n)
{
    return (float) ((double) (position (i, n) - 0.5f) * kHalfPi);
}

float panLeftEntry (int i, int n, float, float)
{
    const float t = panAngle (i, n);
    return (float) ((double) (std::cos (t) - std::sin (t)) * kInvSqrt2);
}

float panRightEntry (int i, int n, float, float)
{
    const float t = panAngle (i, n);
    return (float) ((double) (std::sin (t) + std::cos (t)) * kInvSqrt2);
}

float dbScaleEntry (int i, int n, float a, float b)
{
    const float r = a * b;
    const float v = (float) (20.0 * std::log10 ((double) position (i, n)) / (double) r + 1.0);
    return v > 1.0f ? 1.0f : (v < 0.0f ? 0.0f : v);
}

float sineSEntry (int i, int n, float, float)
{
    return (float) std::sin ((double) (position (i, n) - 0.5f) * kPi);
}

float sineRiseEntry (int i, int n, float, float)
{
    return (float) std::sin ((double) position (i, n) * kPi * 0.5);
}

float cosineFallEntry (int i, int n, float, float)
{
    return (float) std::cos ((double) position (i, n) * kPi * 0.5);
}

float sineSquaredEntry (int i, int n, float, float)
{
    const float s = (float) std::sin ((double) position (i, n) * kPi * 0.5);
    return s * s;
}

float noCurveEntry (int, int, float, float)
{
    return 0.0f; // an unknown curve number leaves the zeros of table_init
}

const Curve curves[] = {
    { "exponential Frequency", TABLE_EXPONENTIAL, 200.0f, 15000.0f, 1024, exponentialEntry },
    { "exponential 0.1 to 20", TABLE_EXPONENTIAL, 0.1f, 20.0f, 1024, exponentialEntry },
    { "decibel Feedback", TABLE_DECIBEL, -60.0f, -3.0f, 1024, decibelEntry },
    { "decibel Level", TABLE_DECIBEL, -60.0f, 0.0f, 1024, decibelEntry },
    { "log", TABLE_LOG, 0.0f, 3.0f, 257, logEntry },
    { "log, scale 0", TABLE_LOG, 5.0f, 0.0f, 257, logEntry },
    { "pan left", TABLE_PAN_LEFT, 0.0f, 0.0f, 129, panLeftEntry },
    { "pan right", TABLE_PAN_RIGHT, 0.0f, 0.0f, 129, panRightEntry },
    { "dB scale, 60 dB span", TABLE_DB_SCALE, 6.0f, 10.0f, 101, dbScaleEntry },
    { "dB scale, 6 dB span", TABLE_DB_SCALE, 1.0f, 6.0f, 101, dbScaleEntry },
    { "dB scale, negative span", TABLE_DB_SCALE, -6.0f, 10.0f, 101, dbScaleEntry },
    { "sine S", TABLE_SINE_S, 0.0f, 0.0f, 65, sineSEntry },
    { "sine rise", TABLE_SINE_RISE, 0.0f, 0.0f, 65, sineRiseEntry },
    { "cosine fall", TABLE_COSINE_FALL, 0.0f, 0.0f, 65, cosineFallEntry },
    { "sine squared", TABLE_SINE_SQUARED, 0.0f, 0.0f, 65, sineSquaredEntry },
    { "no curve", 999, 1.0f, 2.0f, 9, noCurveEntry },
};
} // namespace

TEST (TableArithmetic, EveryEntryOfEveryCurveIsItsFormula)
{
    for (const auto& c : curves)
    {
        SCOPED_TRACE (c.name);
        _table_struct t;
        table_init (t, c.size);
        table_fill (t, c.curve, c.a, c.b);
        ASSERT_NE (t.data, nullptr);
        int mismatches = 0, first = -1;
        for (int i = 0; i < c.size; ++i)
            if (bitsOf (t.data[i]) != bitsOf (c.entry (i, c.size, c.a, c.b)) && mismatches++ == 0)
                first = i;
        EXPECT_EQ (mismatches, 0) << "first at entry " << first;
        EXPECT_EQ (bitsOf (t.data[c.size]), bitsOf (t.data[c.size - 1])) << "guard entry";
        table_free (t);
    }
}

TEST (TableArithmetic, InverseIsTheDocumentedFormula)
{
    // Exponential: quotients in single, logarithms and division in double.
    for (float y : { 200.0f, 588.567f, 1000.0f, 1732.05f, 9999.0f, 15000.0f, 100.0f, 20000.0f })
    {
        const float expected = (float) (std::log ((double) (y / 200.0f)) / std::log ((double) (15000.0f / 200.0f)));
        EXPECT_EQ (bitsOf (table_inverse_calculate (TABLE_EXPONENTIAL, y, 200.0f, 15000.0f)), bitsOf (expected)) << y;
    }
    // Log: all in single precision; a scale of 0 counts as 1.
    for (float y : { 0.0f, 0.3f, 1.2f, 2.0f })
    {
        EXPECT_EQ (table_inverse_calculate (TABLE_LOG, y, 0.0f, 2.0f), (std::pow (10.0f, y / 2.0f - 1.0f) - 0.1f) / 0.9f);
        EXPECT_EQ (table_inverse_calculate (TABLE_LOG, y, 0.0f, 0.0f), (std::pow (10.0f, y / 1.0f - 1.0f) - 0.1f) / 0.9f);
    }
    EXPECT_EQ (table_inverse_calculate (TABLE_DECIBEL, 0.5f, -60.0f, 0.0f), -999.9f);
}

TEST (CsdMemAlloc, ReusedMemoryComesBackZeroed)
{
    // Dirty a block and give it back, so that the allocator's next block of
    // that size is likely the same memory.
    for (int round = 0; round < 4; ++round)
    {
        void* dirty = std::malloc (4096);
        ASSERT_NE (dirty, nullptr);
        std::memset (dirty, 0xA5, 4096);
        std::free (dirty);
        unsigned char* p = static_cast<unsigned char*> (csd_mem_alloc (4096));
        ASSERT_NE (p, nullptr);
        int nonZero = 0;
        for (int i = 0; i < 4096; ++i)
            nonZero += p[i] != 0;
        EXPECT_EQ (nonZero, 0);
        std::free (p);
    }
    EXPECT_EQ (csd_mem_alloc (~0ull), nullptr);
}
