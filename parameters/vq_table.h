#pragma once

#include <cstdint>

// A lookup table of single-precision floats, filled once from a numbered
// curve and read with linear interpolation at a position from 0 to 1.
//
// Entries 0 .. size-1 hold the curve at x = i / (size - 1); entry `size` is a
// guard copy of entry size-1 so that a lookup at exactly 1 stays inside the
// array. The array comes from csd_mem_alloc and belongs to whoever holds the
// record (release it with table_free).
struct _table_struct
{
    int32_t size = 0;
    float* data = nullptr;
};

// Curve numbers for table_fill and table_inverse_calculate.
enum : int32_t
{
    TABLE_EXPONENTIAL = 800, // a * (b / a)^x, from a to b
    TABLE_LOG = 810, // (log10(0.9 x + 0.1) + 1) * s, s = b (0 counts as 1)
    TABLE_DECIBEL = 812, // gain of a + (b - a) x decibels; entry 0 is silence
    TABLE_PAN_LEFT = 820, // equal-power pan, 1 down to 0
    TABLE_PAN_RIGHT = 821, // equal-power pan, 0 up to 1
    TABLE_DB_SCALE = 830, // 20 log10(x) / (a b) + 1, held within [0, 1]
    TABLE_SINE_S = 840, // sin((x - 0.5) pi), -1 up to 1
    TABLE_SINE_RISE = 842, // sin(x pi / 2), 0 up to 1
    TABLE_COSINE_FALL = 843, // cos(x pi / 2), 1 down to 0
    TABLE_SINE_SQUARED = 845 // sin^2(x pi / 2), 0 up to 1
};

// Sets size to `count` and allocates count + 1 zeroed floats. Does not look at
// an array the record held before. A negative count leaves an empty record.
void table_init (_table_struct& table, int32_t count);

// Writes the curve into the table. Does nothing when the table has no data.
// Unknown curve numbers change no entry (the guard entry is still refreshed).
void table_fill (_table_struct& table, int32_t curve, float a, float b);

// Linearly interpolated curve value at position x. Positions outside [0, 1]
// read the nearest end; a table without data reads as 0.
float table_lookup (const _table_struct& table, float x);

// The interpolation of both lookups between entries i and i + 1 at fraction
// f: the first product in single precision; the second weight, its product
// and the sum in double precision (1 - f rounded to single would move
// results in the first half of an interval by one step).
inline float table_interpolate (const float* data, int32_t i, float f)
{
    const float upper = f * data[i + 1];
    return static_cast<float> (static_cast<double> (upper)
                               + (1.0 - static_cast<double> (f)) * static_cast<double> (data[i]));
}

// table_lookup without its checks, for the per-sample path: only for a table
// with data and 1 to 2^24 entries (so that size - 1 is exact in single
// precision), at a position already held within [0, 1] where it was stored.
// Every result then equals table_lookup's; at x = 1, f is 0 and the guard
// entry is weighted 0.
inline float table_lookup_held (const float* data, float lastPosition, float x)
{
    const float p = lastPosition * x;
    const int32_t i = static_cast<int32_t> (p);
    return table_interpolate (data, i, p - static_cast<float> (i));
}

// The same, with the last position (size - 1) taken from the table.
inline float table_lookup_held (const _table_struct& table, float x)
{
    return table_lookup_held (table.data, static_cast<float> (table.size - 1), x);
}

// Position at which the given curve takes the value y (curves 800 and 810);
// -999.9 for every other curve number.
float table_inverse_calculate (int32_t curve, float y, float a, float b);

// Releases the table's array and leaves an empty record.
void table_free (_table_struct& table);
