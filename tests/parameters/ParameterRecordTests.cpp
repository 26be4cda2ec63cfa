// Reads of defined parameters go through the record newParameter keeps of
// where their values live; what they return must be what the searching
// reads return, for the product's manager, after any redefinition, and for
// indices that have no record.

#include <gtest/gtest.h>

#include "parameters/Skorvane3ParameterManager.h"

namespace
{
// A table built here, independently of any manager.
struct Table
{
    _table_struct t;
    Table (int32_t curve, float a, float b)
    {
        table_init (t, 1024);
        table_fill (t, curve, a, b);
    }
    ~Table() { table_free (t); }
};

const float kPositions[] = { 0.0f, 0.000008f, 0.000104f, 0.0005f, 0.1f, 0.25f, 0.5f, 0.7f, 0.95f, 0.999f, 1.0f };

// Answers paramDecibel for index 1 whatever it was defined as.
class TypeOverridingManager : public vq_paramManager
{
public:
    vq_paramTypes getType (int64_t index) override
    {
        return index == 1 ? paramDecibel : vq_paramManager::getType (index);
    }
};
} // namespace

TEST (ParameterRecord, ProductDspValuesAreTheBaseClassesAndTheTablesOwn)
{
    Skorvane3ParameterManager pm;
    const Table feedback (TABLE_DECIBEL, -60.0f, -3.0f);
    const Table level (TABLE_DECIBEL, -60.0f, 0.0f);

    for (float v : kPositions)
    {
        for (int i = 0; i < 5; ++i)
            pm.setVSTvalue (i, v);

        for (int i = 0; i < 5; ++i)
            EXPECT_EQ (pm.getDSPValue (i), pm.vq_paramManager::getDSPValue (i)) << "index " << i << " at " << v;

        EXPECT_EQ (pm.getDSPValue (Skorvane3ParameterManager::kFeedback), table_lookup (feedback.t, v)) << v;
        EXPECT_EQ (pm.getDSPValue (Skorvane3ParameterManager::kLevel), table_lookup (level.t, v)) << v;
        EXPECT_EQ (pm.getDSPValue (Skorvane3ParameterManager::kFrequency), pm.getNaturalValue (0)) << v;
        EXPECT_EQ (pm.getDSPValue (Skorvane3ParameterManager::kDistortion), pm.getNaturalValue (2) * 0.01f) << v;
    }
    EXPECT_EQ (pm.getParameterCount(), 5);
}

TEST (ParameterRecord, RedefinitionRePointsEveryRead)
{
    for (bool product : { false, true })
    {
        std::unique_ptr<vq_paramManager> owner;
        if (product)
            owner = std::make_unique<Skorvane3ParameterManager>();
        else
            owner = std::make_unique<vq_paramManager>();
        vq_paramManager& pm = *owner;
        const int64_t index = product ? Skorvane3ParameterManager::kLevel : 2;
        SCOPED_TRACE (product ? "product manager" : "base manager");

        pm.newParameter (index, "A", "A", "", 0.0f, 10.0f, 5.0f, paramLinear);
        EXPECT_EQ (pm.getType (index), paramLinear);
        EXPECT_EQ (pm.getDSPValue (index), 5.0f);

        // Now a decibel gain: a table appears where there was none.
        pm.newParameter (index, "B", "B", "dB", -60.0f, 0.0f, -3.0f, paramDecibel);
        const Table first (TABLE_DECIBEL, -60.0f, 0.0f);
        EXPECT_EQ (pm.getType (index), paramDecibel);
        EXPECT_EQ (pm.getVSTvalue (index), 0.95f);
        EXPECT_EQ (pm.getNaturalValue (index), -3.0f);
        EXPECT_EQ (pm.getDSPValue (index), table_lookup (first.t, 0.95f));

        // Another range: the old table is released and a new one read (under
        // AddressSanitizer a read of the old one would be reported).
        pm.newParameter (index, "C", "C", "dB", -40.0f, -20.0f, -20.0f, paramDecibel);
        const Table second (TABLE_DECIBEL, -40.0f, -20.0f);
        EXPECT_EQ (pm.getDSPValue (index), table_lookup (second.t, 1.0f));
        pm.setVSTvalue (index, 0.5f);
        EXPECT_EQ (pm.getDSPValue (index), table_lookup (second.t, 0.5f));

        // And back to a type without a table.
        pm.newParameter (index, "D", "D", "Hz", 20.0f, 20000.0f, 1000.0f, paramExponential);
        EXPECT_EQ (pm.getType (index), paramExponential);
        EXPECT_EQ (pm.getDSPValue (index), pm.getNaturalValue (index));
        EXPECT_NEAR (pm.getDSPValue (index), 1000.0f, 0.5f);
    }
}

TEST (ParameterRecord, IndicesWithoutARecordStillFindOrInsert)
{
    Skorvane3ParameterManager pm;
    for (int64_t undefined : { (int64_t) 5, (int64_t) 15, (int64_t) 16, (int64_t) -1, (int64_t) 1000 })
    {
        EXPECT_EQ (pm.getDSPValue (undefined), 0.0f) << undefined;
        EXPECT_EQ (pm.getType (undefined), paramLinear) << undefined;
        EXPECT_EQ (pm.getNaturalValue (undefined), 0.0f) << undefined;
    }
    // None of those reads touched the VST values; reading one adds an entry.
    EXPECT_EQ (pm.getParameterCount(), 5);
    EXPECT_EQ (pm.getVSTvalue (16), 0.0f);
    EXPECT_EQ (pm.getParameterCount(), 6);

    // A parameter defined beyond the recorded indices is read by searching.
    pm.newParameter (40, "Far", "Far", "dB", -60.0f, 0.0f, -3.0f, paramDecibel);
    const Table far (TABLE_DECIBEL, -60.0f, 0.0f);
    EXPECT_EQ (pm.getDSPValue (40), table_lookup (far.t, 0.95f));
    EXPECT_EQ (pm.getParameterCount(), 7);
}

TEST (ParameterRecord, AGetTypeOverrideStillDecidesTheBaseClassesDspValue)
{
    // Index 1 is linear but answers as a decibel parameter: the DSP value is
    // then read from its table, which it does not have, and reads as 0 rather
    // than its natural value 4.
    TypeOverridingManager pm;
    pm.newParameter (1, "A", "A", "", 0.0f, 10.0f, 4.0f, paramLinear);
    pm.newParameter (2, "B", "B", "", 0.0f, 10.0f, 4.0f, paramLinear);
    EXPECT_EQ (pm.getDSPValue (1), 0.0f);
    EXPECT_EQ (pm.getDSPValue (2), 4.0f);
}
