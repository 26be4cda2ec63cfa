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

// Position at which the given curve takes the value y (curves 800 and 810);
// -999.9 for every other curve number.
float table_inverse_calculate (int32_t curve, float y, float a, float b);

// Releases the table's array and leaves an empty record.
void table_free (_table_struct& table);
