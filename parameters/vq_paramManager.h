#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "parameters/vq_relaxed.h"
#include "parameters/vq_table.h"

// How a parameter's value is converted between its VST (normalized 0..1),
// natural (own units) and DSP forms. Values outside 0..12 behave as paramLinear.
enum vq_paramTypes : int32_t
{
    paramLinear = 0,
    paramSwitch = 1,
    paramPercent = 2,
    paramDecimal = 3,
    paramExponential = 4,
    paramDecibel = 5,
    paramInteger = 6,
    paramMetrical = 7,
    paramTime = 8,
    paramRate = 9,
    paramTimeNormalized = 10,
    paramRateNormalized = 11,
    paramNote = 12
};

// The parameter table: for every parameter index its names, range, default,
// type, current value pair (VST and natural), lookup table, aux value and
// randomize flag, with every conversion between the value domains, value
// texts, parsing, stepping, randomizing and snapshots.
//
// Lookups follow a find-or-insert rule: reading or writing any value of an
// index that has no entry first inserts a default entry (0, "", paramLinear,
// false). The maps therefore only change structure for undefined indices; the
// values of defined parameters may be read on the audio thread while other
// threads set them.
class vq_paramManager
{
public:
    // One entry of a value snapshot.
    struct _pr
    {
        uint32_t index;
        float vstValue;
    };

    // Note length in beats (quarter notes) of each metrical index.
    static const float gBeatMults[16];
    // Display label of each metrical index, five characters each.
    static const char* const beatTimeStr[16];
    // Pitch class names from C.
    static const char* const gNoteNames[12];

    vq_paramManager();
    virtual ~vq_paramManager();

    vq_paramManager (const vq_paramManager&) = delete;
    vq_paramManager& operator= (const vq_paramManager&) = delete;

    virtual void newParameter (int64_t index, const char* name, const char* shortName, const char* unitsName,
                               float minimum, float maximum, float defaultValue, vq_paramTypes type);
    virtual float getVSTvalue (int64_t index);
    virtual void setVSTvalue (int64_t index, float value);
    virtual float getNaturalValue (int64_t index);
    virtual void setNaturalValue (int64_t index, float value);
    virtual void incrementNaturalValue (int64_t index);
    virtual void decrementNaturalValue (int64_t index);
    virtual void setAuxValue (int64_t index, int64_t aux);
    virtual void setHostSynced (int64_t index, bool synced);
    virtual void setRandomizeable (int64_t index, bool flag);
    virtual bool canRandomize (int64_t index);
    virtual void randomize (int64_t index);
    virtual float getDSPValue (int64_t index);
    virtual float getModulatedDSPValue (int64_t index, float offset);
    virtual float getDefaultValue (int64_t index);
    virtual float getMinimumValue (int64_t index);
    virtual float getMaximumValue (int64_t index);
    virtual int64_t getAuxValue (int64_t index);
    virtual bool getHostSynced (int64_t index);
    virtual vq_paramTypes getType (int64_t index);
    virtual void getName (int64_t index, char* buffer, int length);
    virtual std::string getName (int64_t index);
    virtual void getUnitsName (int64_t index, char* buffer, int length);
    virtual void getValueString (int64_t index, char* buffer, int length);
    virtual void getValueStringFromNaturalValue (int64_t index, char* buffer, float naturalValue, int length);
    virtual void getValueStringFromVSTvalue (int64_t index, char* buffer, float vstValue, int length);
    virtual void getVSTvalueString (int64_t index, char* buffer);
    virtual void getTextEditString (int64_t index, char* buffer, int length);
    virtual float VSTvalueFromNaturalValue (int64_t index, float naturalValue);
    virtual float naturalValueFromVSTvalue (int64_t index, float vstValue);
    virtual float dspValueFromNaturalValue (int64_t index, float naturalValue);
    virtual bool naturalValueFromString (int64_t index, const char* text, float& value);
    virtual int32_t getParameterCount();
    virtual float getControlValue (int64_t index);
    virtual bool controlUsesNaturalValue (int64_t index);
    virtual void getAllValueStrings (int64_t index, std::vector<std::string>& strings);
    virtual int32_t createState (const std::set<uint32_t>& indices);
    virtual void saveState (int32_t snapshot);
    virtual void restoreState (int32_t snapshot);
    virtual void floatToTimeStr (char* buffer, float milliseconds, int length);
    virtual bool matchMetricalStr (const char* text, int& metricalIndex);

protected:
    // Where the values of a defined parameter live. Map nodes never move once
    // inserted, so newParameter records pointers to the entries of the index
    // (for indices 0 to kDirectIndices - 1) and the reads on the per-sample
    // path follow them instead of searching the maps.
    struct DefinedParameter
    {
        vq_paramTypes type; // as defined (types change only by definition)
        // The parameter's table, or, when it has none with data, an empty
        // one that reads as 0 (as table_lookup reads a table without data),
        // and that table's size - 1 (sizes change only by definition).
        const _table_struct* table;
        float tableLastPosition;
        const vq_relaxed<float>* vstValue;
        const vq_relaxed<float>* naturalValue;
    };
    static constexpr int64_t kDirectIndices = 16;

    // The record of a defined index, or null for any other index (whose
    // reads then search, and insert, as the find-or-insert rule says).
    const DefinedParameter* definedParameter (int64_t index) const noexcept
    {
        if (static_cast<uint64_t> (index) >= static_cast<uint64_t> (kDirectIndices))
            return nullptr;
        return definedParameters[index].load (std::memory_order_acquire);
    }

    // getDSPValue with the type of a defined index read from its record
    // rather than through the virtual getType. Only for a subclass whose
    // getType is this class's own and cannot be overridden further: then the
    // result is getDSPValue's. Inline, for the per-sample path.
    float dspValueWithOwnType (int64_t index)
    {
        const auto* p = definedParameter (index);
        if (p == nullptr)
            return dspValueOfIndexWithoutRecord (index);
        // A stored VST value is always within [0, 1] (setVSTvalue and
        // setNaturalValue hold it there), so the table is read unchecked.
        if (p->type == paramDecibel)
            return table_lookup_held (p->table->data, p->tableLastPosition, p->vstValue->load());
        return dspValueFromNaturalValue (index, p->naturalValue->load());
    }

    // getDSPValue's searching form, for indices without a record (kept out
    // of line so that the per-sample path stays small).
    float dspValueOfIndexWithoutRecord (int64_t index);

    // Table read for the index at a position held within [0, 1].
    float tableAt (int64_t index, float position);

    std::vector<std::vector<_pr>> snapshots;
    std::map<int64_t, vq_relaxed<float>> vstValues;
    std::map<int64_t, vq_relaxed<float>> naturalValues;
    std::map<int64_t, float> minimumValues;
    std::map<int64_t, float> maximumValues;
    std::map<int64_t, float> defaultValues;
    std::map<int64_t, std::string> names;
    std::map<int64_t, std::string> shortNames;
    std::map<int64_t, std::string> unitsNames;
    std::map<int64_t, vq_paramTypes> types;
    std::map<int64_t, _table_struct> tables;
    std::map<int64_t, vq_relaxed<int64_t>> auxValues;
    std::map<int64_t, vq_relaxed<bool>> randomizeFlags;

private:
    void publishDefinition (int64_t index);

    // Published with release ordering once every entry it points to exists,
    // so that a reader that sees the record sees the entries. A redefinition
    // withdraws the record first and publishes a new one at the end.
    std::atomic<const DefinedParameter*> definedParameters[kDirectIndices] {};
    // Every record ever published, kept until the manager goes: a reader may
    // still hold one that a redefinition replaced.
    std::vector<std::unique_ptr<const DefinedParameter>> definitionRecords;
};
