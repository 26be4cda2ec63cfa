// Controls chunks handed back by the host are untrusted: an entry whose value
// is not a number must leave its parameter as it was, so that the host
// parameter (and the processor behind it) never holds a NaN.
#include "tests/support/ChunkTestEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
void appendDouble (std::vector<unsigned char>& data, const char* name, double value)
{
    data.push_back ('d');
    data.push_back ('_');
    data.insert (data.end(), name, name + std::strlen (name) + 1);
    while (data.size() % 4 != 0)
        data.push_back (0);
    uint64_t bits;
    std::memcpy (&bits, &value, sizeof (bits));
    for (int i = 7; i >= 0; --i)
        data.push_back (static_cast<unsigned char> (bits >> (8 * i)));
}

std::vector<unsigned char> controlsRecord (const std::vector<unsigned char>& data)
{
    return testsupport::makeChunkRecord (kControlsChunkID, -1, data.data(), data.size());
}

// Two float parameters, both at 0.25.
struct Effect : testsupport::HeldChunkEffect
{
    Effect()
        : HeldChunkEffect ({ { 0.25f, 0.25f } })
    {}
};
} // namespace

TEST (ControlsChunkValues, NotANumberLeavesTheParameterUnchanged)
{
    Effect e;
    std::vector<unsigned char> data = { 1, 1, 1, 1 };
    appendDouble (data, "0", std::numeric_limits<double>::quiet_NaN());
    appendDouble (data, "1", 0.75);
    const auto record = controlsRecord (data);

    EXPECT_EQ (AAX_SUCCESS, e.effect->SetChunk (kControlsChunkID, reinterpret_cast<const AAX_SPlugInChunk*> (record.data())));
    EXPECT_DOUBLE_EQ (0.25, e.value ("0"));
    EXPECT_DOUBLE_EQ (0.75, e.value ("1"));

    // The chunk of the current values compares equal to them.
    uint32_t size = 0;
    ASSERT_EQ (AAX_SUCCESS, e.effect->GetChunkSize (kControlsChunkID, &size));
    std::vector<unsigned char> written (kAAX_SPlugInChunkHeaderSize + size);
    auto* writtenRecord = reinterpret_cast<AAX_SPlugInChunk*> (written.data());
    writtenRecord->chunkID = kControlsChunkID;
    ASSERT_EQ (AAX_SUCCESS, e.effect->GetChunk (kControlsChunkID, writtenRecord));
    writtenRecord->chunkID = kControlsChunkID;
    AAX_CBoolean equal = 0;
    EXPECT_EQ (AAX_SUCCESS, e.effect->CompareActiveChunk (writtenRecord, &equal));
    EXPECT_EQ (1, equal);
}

TEST (ControlsChunkValues, OutOfRangeValuesAreHeldInRange)
{
    Effect e;
    std::vector<unsigned char> data = { 1, 1, 1, 1 };
    appendDouble (data, "0", 7.5);
    appendDouble (data, "1", -1.0e300); // beyond float: narrows to -infinity
    const auto record = controlsRecord (data);

    EXPECT_EQ (AAX_SUCCESS, e.effect->SetChunk (kControlsChunkID, reinterpret_cast<const AAX_SPlugInChunk*> (record.data())));
    EXPECT_DOUBLE_EQ (1.0, e.value ("0"));
    EXPECT_DOUBLE_EQ (0.0, e.value ("1"));
}
