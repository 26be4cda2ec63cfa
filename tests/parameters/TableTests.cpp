#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "parameters/csd_mem.h"
#include "parameters/vq_table.h"

// Under AddressSanitizer, let an impossible allocation fail with null as the
// C heap does instead of aborting the test program.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1";
}

namespace
{
// Owns a table for the length of a test.
struct Table
{
    _table_struct t;
    Table (int32_t count, int32_t curve, float a, float b)
    {
        table_init (t, count);
        table_fill (t, curve, a, b);
    }
    ~Table() { table_free (t); }
};
} // namespace

TEST (TableInit, AllocatesCountPlusOneZeroedEntries)
{
    _table_struct t;
    table_init (t, 16);
    ASSERT_NE (t.data, nullptr);
    EXPECT_EQ (t.size, 16);
    for (int i = 0; i <= 16; ++i)
        EXPECT_EQ (t.data[i], 0.0f);
    table_free (t);
    EXPECT_EQ (t.data, nullptr);
    EXPECT_EQ (t.size, 0);
}

TEST (TableExponential, FrequencyTableWorkedValues)
{
    Table tab (1024, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
    const float* d = tab.t.data;
    EXPECT_EQ (d[0], 200.0f);
    EXPECT_EQ (d[1023], 15000.0f);
    EXPECT_EQ (d[1024], 15000.0f);
    EXPECT_NEAR (d[511], 1728.40f, 0.01f);
    EXPECT_NEAR (d[512], 1735.71f, 0.01f);
    EXPECT_EQ (table_lookup (tab.t, 0.0f), 200.0f);
    EXPECT_EQ (table_lookup (tab.t, 1.0f), 15000.0f);
    EXPECT_NEAR (table_lookup (tab.t, 0.5f), 1732.05f, 0.01f);
}

TEST (TableDecibel, FeedbackTableWorkedValues)
{
    Table tab (1024, TABLE_DECIBEL, -60.0f, -3.0f);
    const float* d = tab.t.data;
    EXPECT_EQ (d[0], 0.0f); // silence at the bottom, not -60 dB
    EXPECT_NEAR (d[1], 0.0010064f, 1e-7f);
    EXPECT_NEAR (d[1023], 0.70795f, 1e-5f);
    EXPECT_EQ (d[1024], d[1023]);
    EXPECT_EQ (table_lookup (tab.t, 0.0f), 0.0f);
    EXPECT_NEAR (table_lookup (tab.t, 1.0f), 0.70795f, 1e-5f);
    // Between positions 0 and 1/1023 the gain rises linearly from 0 to entry 1.
    EXPECT_NEAR (table_lookup (tab.t, 0.5f / 1023.0f), d[1] * 0.5f, 1e-9f);
}

TEST (TableDecibel, LevelTableWorkedValues)
{
    Table tab (1024, TABLE_DECIBEL, -60.0f, 0.0f);
    EXPECT_EQ (tab.t.data[1023], 1.0000001f);
    EXPECT_NEAR (table_lookup (tab.t, 0.95f), 0.707948f, 1e-6f);
}

TEST (TableFill, NullDataChangesNothing)
{
    _table_struct t;
    t.size = 1024;
    table_fill (t, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
    EXPECT_EQ (t.data, nullptr);
    EXPECT_EQ (t.size, 1024);
    EXPECT_EQ (table_lookup (t, 0.5f), 0.0f); // no data reads as 0 instead of crashing
}

TEST (TableFill, TinyAndNegativeCountsStayInBounds)
{
    // One entry: no division by zero, the guard copies the only entry.
    Table one (1, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
    EXPECT_EQ (one.t.data[0], 200.0f);
    EXPECT_EQ (one.t.data[1], 200.0f);
    EXPECT_EQ (table_lookup (one.t, 1.0f), 200.0f);

    // Zero entries: only the guard exists; nothing is written before it.
    Table zero (0, TABLE_SINE_RISE, 0.0f, 0.0f);
    ASSERT_NE (zero.t.data, nullptr);
    EXPECT_EQ (zero.t.data[0], 0.0f);
    EXPECT_EQ (table_lookup (zero.t, 0.5f), 0.0f);

    _table_struct neg;
    table_init (neg, -5);
    EXPECT_EQ (neg.data, nullptr);
    table_fill (neg, TABLE_SINE_RISE, 0.0f, 0.0f);
    EXPECT_EQ (table_lookup (neg, 0.5f), 0.0f);
}

TEST (TableLookup, PositionsOutsideTheRangeReadTheEnds)
{
    Table tab (1024, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
    EXPECT_EQ (table_lookup (tab.t, -3.0f), 200.0f);
    EXPECT_EQ (table_lookup (tab.t, 7.0f), 15000.0f);
    EXPECT_EQ (table_lookup (tab.t, std::nanf ("")), 200.0f);
}

TEST (TableLookup, SecondWeightIsFormedInDoublePrecision)
{
    // f * data[i + 1] in single precision; (1 - f) * data[i] and the sum in
    // double precision, so 1 - f is formed in double as well. Below half the
    // first interval (Frequency under about 200.01 Hz) a single-precision
    // 1 - f would round and move the result by one step.
    Table tab (1024, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
    const float* d = tab.t.data;

    for (float x : { 0.0001f, 0.000104f, 0.000008f, 0.00048f, 0.25f, 0.7f, 0.999f })
    {
        const float p = 1023.0f * x;
        const int i = (int) p;
        const float f = p - (float) i;
        const float upper = f * d[i + 1];
        const float expected = (float) ((double) upper + (1.0 - (double) f) * (double) d[i]);
        EXPECT_EQ (table_lookup (tab.t, x), expected) << "position " << x;
    }

    // At 0.0001 both forms happen to agree; at 0.000104 and 0.000008 the
    // single-precision weight gives another result, so the cases above tell
    // the two apart.
    for (float x : { 0.000104f, 0.000008f })
    {
        const float f = 1023.0f * x;
        const float single = (float) ((double) (f * d[1]) + (double) (1.0f - f) * (double) d[0]);
        EXPECT_NE (table_lookup (tab.t, x), single) << "position " << x;
    }
}

TEST (TableLookup, HeldFormGivesTheCheckedResultInsideTheUnitRange)
{
    // The unchecked lookup of the per-sample path, on every size it may be
    // given and over the whole unit range, ends included.
    for (int32_t size : { 1, 2, 3, 1024 })
    {
        Table tab (size, TABLE_EXPONENTIAL, 200.0f, 15000.0f);
        for (int k = 0; k <= 4096; ++k)
        {
            const float x = (float) k / 4096.0f;
            ASSERT_EQ (table_lookup_held (tab.t, x), table_lookup (tab.t, x)) << "size " << size << " at " << x;
            ASSERT_EQ (table_lookup_held (tab.t.data, (float) (size - 1), x), table_lookup (tab.t, x));
        }
    }
}

TEST (TableInverse, ExponentialAndLog)
{
    EXPECT_EQ (table_inverse_calculate (TABLE_EXPONENTIAL, 200.0f, 200.0f, 15000.0f), 0.0f);
    EXPECT_NEAR (table_inverse_calculate (TABLE_EXPONENTIAL, 15000.0f, 200.0f, 15000.0f), 1.0f, 1e-6f);
    EXPECT_NEAR (table_inverse_calculate (TABLE_EXPONENTIAL, 1732.05f, 200.0f, 15000.0f), 0.5f, 1e-5f);
    EXPECT_LT (table_inverse_calculate (TABLE_EXPONENTIAL, 100.0f, 200.0f, 15000.0f), 0.0f);

    Table logTab (1024, TABLE_LOG, 0.0f, 2.0f);
    const float y = table_lookup (logTab.t, 0.3f);
    EXPECT_NEAR (table_inverse_calculate (TABLE_LOG, y, 0.0f, 2.0f), 0.3f, 1e-3f);

    EXPECT_EQ (table_inverse_calculate (TABLE_DECIBEL, 0.5f, -60.0f, 0.0f), -999.9f);
    EXPECT_EQ (table_inverse_calculate (0, 0.5f, 1.0f, 2.0f), -999.9f);
}
