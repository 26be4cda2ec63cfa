#include "parameters/vq_paramManager.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

const float vq_paramManager::gBeatMults[16] = {
    0.125f, // 1/32
    1.0f / 6.0f, // 1/16 triplet
    0.25f, // 1/16
    1.0f / 3.0f, // 1/8 triplet
    0.375f, // dotted 1/16
    0.5f, // 1/8
    2.0f / 3.0f, // 1/4 triplet
    0.75f, // dotted 1/8
    1.0f, // 1/4
    4.0f / 3.0f, // 1/2 triplet
    1.5f, // dotted 1/4
    2.0f, // 1/2
    8.0f / 3.0f, // whole-note triplet
    3.0f, // dotted 1/2
    4.0f, // whole note
    4.0f // whole note again (the synced types reach index 15)
};

const char* const vq_paramManager::beatTimeStr[16] = {
    "1/32 ", "1/16T", "1/16 ", "1/8 T", "1/16.", "1/8  ", "1/4 T", "1/8. ",
    "1/4  ", "1/2 T", "1/4. ", "1/2  ", "1/1 T", "1/2. ", "1/1  ", "1/1  "
};

const char* const vq_paramManager::gNoteNames[12] = { "C", "C#", "D", "D#", "E", "F",
                                                      "F#", "G", "G#", "A", "A#", "B" };

namespace
{
// Labels accepted when a metrical value is typed in, in metrical index order.
const char* const kMetricalLabels[15] = { "1/32", "1/16T", "1/16", "1/8T", "1/16.", "1/8", "1/4T", "1/8.",
                                          "1/4", "1/2T", "1/4.", "1/2", "1/1T", "1/2.", "1/1" };

// Entry of `m` for `index`, inserting a value-initialised one when missing.
// find() first, so that lookups of existing entries never touch the tree.
template<typename Map>
typename Map::mapped_type& entry (Map& m, int64_t index)
{
    auto it = m.find (index);
    if (it == m.end())
        it = m.emplace (index, typename Map::mapped_type {}).first;
    return it->second;
}

// Truncation toward zero that saturates instead of overflowing (NaN gives 0).
int toInt (float v)
{
    if (! (v == v))
        return 0;
    if (v >= 2147483647.0f)
        return std::numeric_limits<int>::max();
    if (v <= -2147483648.0f)
        return std::numeric_limits<int>::min();
    return static_cast<int> (v);
}

// Metrical index held within the 16 entries of the beat tables.
int metricalIndex (float v)
{
    const int k = toInt (v);
    if (k < 0)
        return 0;
    if (k > 15)
        return 15;
    return k;
}

// A normalized value held within [0, 1]; NaN becomes 0.
float limitUnit (float v)
{
    if (! (v >= 0.0f))
        return 0.0f;
    if (v > 1.0f)
        return 1.0f;
    return v;
}

float holdWithin (float n, float minimum, float maximum)
{
    if (n > maximum)
        return maximum;
    if (n < minimum)
        return minimum;
    return n;
}

float linearValue (float minimum, float maximum, float v)
{
    const float d = maximum - minimum;
    const float p = d * v;
    return minimum + p;
}

bool isSyncableType (vq_paramTypes type)
{
    return type == paramTime || type == paramRate || type == paramTimeNormalized || type == paramRateNormalized;
}

// printf into a std::string, whatever the length of the result.
template<typename... Args>
std::string format (const char* fmt, Args... args)
{
    char small[64];
    const int needed = std::snprintf (small, sizeof small, fmt, args...);
    if (needed < 0)
        return std::string();
    if (static_cast<size_t> (needed) < sizeof small)
        return std::string (small, static_cast<size_t> (needed));
    std::string big (static_cast<size_t> (needed) + 1, '\0');
    std::snprintf (&big[0], big.size(), fmt, args...);
    big.resize (static_cast<size_t> (needed));
    return big;
}

// Buffer-size convention: at most length - 1 characters, then zeros up to
// `length` bytes. Nothing is written when there is no room at all.
void copyToSizedBuffer (char* buffer, const std::string& text, int length)
{
    if (buffer == nullptr || length <= 0)
        return;
    std::strncpy (buffer, text.c_str(), static_cast<size_t> (length));
    buffer[length - 1] = '\0';
}

// Character-count convention: at most length characters, zero at `length`
// (the buffer holds length + 1 bytes).
void copyToCountedBuffer (char* buffer, const std::string& text, int length)
{
    if (buffer == nullptr || length < 0)
        return;
    std::strncpy (buffer, text.c_str(), static_cast<size_t> (length));
    buffer[length] = '\0';
}

std::string decimalText (float n)
{
    if (n < 1.0f)
        return format ("%3.3f", static_cast<double> (n));
    if (n < 10.0f)
        return format ("%4.2f", static_cast<double> (n));
    if (n < 100.0f)
        return format ("%4.1f", static_cast<double> (n));
    return format ("%4.0f", static_cast<double> (n));
}
} // namespace

vq_paramManager::vq_paramManager() = default;

vq_paramManager::~vq_paramManager()
{
    for (auto& t : tables)
        table_free (t.second);
}

float vq_paramManager::tableAt (int64_t index, float position)
{
    return table_lookup (entry (tables, index), limitUnit (position));
}

// ---------------------------------------------------------------------------
// Definition and values

void vq_paramManager::newParameter (int64_t index, const char* name, const char* shortName, const char* unitsName,
                                    float minimum, float maximum, float defaultValue, vq_paramTypes type)
{
    // While the entries change, reads of this index search the maps.
    if (index >= 0 && index < kDirectIndices)
        definedParameters[index].store (nullptr, std::memory_order_release);

    entry (names, index) = name != nullptr ? name : "";
    entry (shortNames, index) = shortName != nullptr ? shortName : "";
    entry (unitsNames, index) = unitsName != nullptr ? unitsName : "";
    entry (minimumValues, index) = minimum;
    entry (maximumValues, index) = maximum;
    entry (defaultValues, index) = defaultValue;
    entry (types, index) = type;
    entry (randomizeFlags, index) = true;

    // A redefinition replaces the table: release the old array first.
    auto oldTable = tables.find (index);
    if (oldTable != tables.end())
        table_free (oldTable->second);

    switch (type)
    {
        case paramExponential:
            table_init (entry (tables, index), 1024);
            table_fill (entry (tables, index), TABLE_EXPONENTIAL, minimum, maximum);
            break;
        case paramDecibel:
            table_init (entry (tables, index), 1024);
            table_fill (entry (tables, index), TABLE_DECIBEL, minimum, maximum);
            break;
        case paramRate:
        case paramRateNormalized:
            table_init (entry (tables, index), 1024);
            table_fill (entry (tables, index), TABLE_EXPONENTIAL, minimum, maximum);
            setHostSynced (index, false);
            break;
        case paramTime:
        case paramTimeNormalized:
            setHostSynced (index, false);
            break;
        case paramLinear:
        case paramSwitch:
        case paramPercent:
        case paramDecimal:
        case paramInteger:
        case paramMetrical:
        case paramNote:
        default:
            break;
    }

    setNaturalValue (index, defaultValue);
    publishDefinition (index);
}

void vq_paramManager::publishDefinition (int64_t index)
{
    if (index < 0 || index >= kDirectIndices)
        return;

    // Read by the per-sample path in place of a table without data (never
    // written: a one-entry table whose entry and guard are 0).
    static float noTableData[2] = { 0.0f, 0.0f };
    static const _table_struct noTable { 1, noTableData };

    // Only tables table_lookup_held may read directly; anything else reads
    // as the checked lookup reads a table without data.
    const _table_struct* table = &noTable;
    const auto t = tables.find (index);
    if (t != tables.end() && t->second.data != nullptr && t->second.size >= 1 && t->second.size <= (1 << 24))
        table = &t->second;

    auto record = std::make_unique<const DefinedParameter> (DefinedParameter {
        entry (types, index), table, static_cast<float> (table->size - 1), &entry (vstValues, index),
        &entry (naturalValues, index) });
    definedParameters[index].store (record.get(), std::memory_order_release);
    definitionRecords.push_back (std::move (record));
}

float vq_paramManager::getVSTvalue (int64_t index)
{
    if (const auto* p = definedParameter (index))
        return p->vstValue->load();
    return entry (vstValues, index).load();
}

void vq_paramManager::setVSTvalue (int64_t index, float value)
{
    // A VST value is normalized: hold it within [0, 1] so that no table is read
    // outside its range; a NaN is not a value and leaves the stored pair as is.
    if (value != value)
        return;
    value = limitUnit (value);
    entry (vstValues, index).store (value);
    entry (naturalValues, index).store (naturalValueFromVSTvalue (index, value));
}

float vq_paramManager::getNaturalValue (int64_t index)
{
    if (const auto* p = definedParameter (index))
        return p->naturalValue->load();
    return entry (naturalValues, index).load();
}

void vq_paramManager::setNaturalValue (int64_t index, float value)
{
    if (value != value)
        return;
    entry (naturalValues, index).store (value);
    entry (vstValues, index).store (VSTvalueFromNaturalValue (index, value));
}

void vq_paramManager::setAuxValue (int64_t index, int64_t aux)
{
    entry (auxValues, index).store (aux);
}

int64_t vq_paramManager::getAuxValue (int64_t index)
{
    return entry (auxValues, index).load();
}

void vq_paramManager::setHostSynced (int64_t index, bool synced)
{
    if (! isSyncableType (getType (index)))
        return;
    entry (auxValues, index).store (synced ? 1 : 0);
    setVSTvalue (index, entry (vstValues, index).load());
}

bool vq_paramManager::getHostSynced (int64_t index)
{
    if (! isSyncableType (getType (index)))
        return false;
    return entry (auxValues, index).load() != 0;
}

void vq_paramManager::setRandomizeable (int64_t index, bool flag)
{
    entry (randomizeFlags, index).store (flag);
}

bool vq_paramManager::canRandomize (int64_t index)
{
    return entry (randomizeFlags, index).load();
}

float vq_paramManager::getDefaultValue (int64_t index)
{
    return entry (defaultValues, index);
}

float vq_paramManager::getMinimumValue (int64_t index)
{
    return entry (minimumValues, index);
}

float vq_paramManager::getMaximumValue (int64_t index)
{
    return entry (maximumValues, index);
}

vq_paramTypes vq_paramManager::getType (int64_t index)
{
    if (const auto* p = definedParameter (index))
        return p->type;
    return entry (types, index);
}

int32_t vq_paramManager::getParameterCount()
{
    return static_cast<int32_t> (vstValues.size());
}

float vq_paramManager::getControlValue (int64_t index)
{
    if (controlUsesNaturalValue (index))
        return getNaturalValue (index);
    return getVSTvalue (index);
}

bool vq_paramManager::controlUsesNaturalValue (int64_t)
{
    return false;
}

// ---------------------------------------------------------------------------
// Conversions

float vq_paramManager::naturalValueFromVSTvalue (int64_t index, float v)
{
    const vq_paramTypes type = getType (index);
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);

    switch (type)
    {
        case paramSwitch:
            return v > 0.5f ? 1.0f : 0.0f;
        case paramExponential:
            return tableAt (index, v);
        case paramInteger:
        case paramNote:
            return std::floor (linearValue (minimum, maximum, v) + 0.5f);
        case paramMetrical:
        {
            // Fifteen equal steps over the knob, the last one (index 14) taking
            // in the top end. The VST value of index k (k / 15) maps back to k,
            // also where k / 15 was rounded just below k in single precision.
            float k = std::floor (v * 15.0f);
            if (k < 14.0f && static_cast<float> (k + 1.0f) / 15.0f <= v)
                k += 1.0f;
            if (k > 14.0f)
                k = 14.0f;
            if (k < 0.0f)
                k = 0.0f;
            return k;
        }
        case paramTime:
            if (getHostSynced (index))
                return std::floor (v * 15.0f);
            return linearValue (minimum, maximum, v);
        case paramRate:
            if (getHostSynced (index))
                return std::floor ((1.0f - v) * 15.0f);
            return tableAt (index, v);
        case paramTimeNormalized:
        case paramRateNormalized:
            return v; // the normalized types carry the knob position itself
        case paramLinear:
        case paramPercent:
        case paramDecimal:
        case paramDecibel:
        default:
            return linearValue (minimum, maximum, v);
    }
}

float vq_paramManager::VSTvalueFromNaturalValue (int64_t index, float n)
{
    const vq_paramTypes type = getType (index);
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);
    float v;

    switch (type)
    {
        case paramSwitch:
        case paramTimeNormalized:
        case paramRateNormalized:
            v = n;
            break;
        case paramExponential:
            v = table_inverse_calculate (TABLE_EXPONENTIAL, n, minimum, maximum);
            break;
        case paramMetrical:
            v = n / 15.0f;
            break;
        case paramTime:
            if (getHostSynced (index))
                v = n / 15.0f;
            else
                v = (n - minimum) / (maximum - minimum);
            break;
        case paramRate:
            if (getHostSynced (index))
                v = n / -15.0f + 1.0f;
            else
                v = table_inverse_calculate (TABLE_EXPONENTIAL, n, minimum, maximum);
            break;
        case paramLinear:
        case paramPercent:
        case paramDecimal:
        case paramDecibel:
        case paramInteger:
        case paramNote:
        default:
            v = (n - minimum) / (maximum - minimum);
            break;
    }
    return limitUnit (v);
}

float vq_paramManager::dspValueFromNaturalValue (int64_t index, float n)
{
    const vq_paramTypes type = getType (index);
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);

    switch (type)
    {
        case paramDecibel:
            return tableAt (index, (n - minimum) / (maximum - minimum));
        case paramMetrical:
            return gBeatMults[metricalIndex (n)];
        case paramTime:
            if (getHostSynced (index))
                return gBeatMults[metricalIndex (n)];
            return n;
        case paramRate:
            if (getHostSynced (index))
                return 1.0f / gBeatMults[metricalIndex (n)];
            return n;
        case paramTimeNormalized:
            if (getHostSynced (index))
                return gBeatMults[metricalIndex (n * 15.0f)];
            return linearValue (minimum, maximum, n);
        case paramRateNormalized:
            if (getHostSynced (index))
                return 1.0f / gBeatMults[metricalIndex ((1.0f - n) * 15.0f)];
            return tableAt (index, n);
        case paramPercent:
            return holdWithin (n, minimum, maximum) * 0.01f;
        case paramLinear:
        case paramSwitch:
        case paramDecimal:
        case paramExponential:
        case paramInteger:
        case paramNote:
        default:
            return holdWithin (n, minimum, maximum);
    }
}

float vq_paramManager::getDSPValue (int64_t index)
{
    const auto* p = definedParameter (index);
    if (p == nullptr)
        return dspValueOfIndexWithoutRecord (index);

    // Decibel gains come straight from the table at the stored VST value. A
    // stored VST value is always within [0, 1] (setVSTvalue and
    // setNaturalValue hold it there), so the table is read unchecked.
    if (getType (index) == paramDecibel)
        return table_lookup_held (p->table->data, p->tableLastPosition, p->vstValue->load());
    return dspValueFromNaturalValue (index, p->naturalValue->load());
}

float vq_paramManager::dspValueOfIndexWithoutRecord (int64_t index)
{
    if (getType (index) == paramDecibel)
        return table_lookup (entry (tables, index), entry (vstValues, index).load());
    return dspValueFromNaturalValue (index, entry (naturalValues, index).load());
}

float vq_paramManager::getModulatedDSPValue (int64_t index, float offset)
{
    const float x = limitUnit (offset + entry (vstValues, index).load());
    return dspValueFromNaturalValue (index, naturalValueFromVSTvalue (index, x));
}

// ---------------------------------------------------------------------------
// Texts

void vq_paramManager::getName (int64_t index, char* buffer, int length)
{
    const std::string& text = length <= 8 ? entry (shortNames, index) : entry (names, index);
    copyToCountedBuffer (buffer, text, length);
}

std::string vq_paramManager::getName (int64_t index)
{
    return entry (names, index);
}

void vq_paramManager::getUnitsName (int64_t index, char* buffer, int length)
{
    const vq_paramTypes type = getType (index);
    switch (type)
    {
        case paramRate:
        case paramRateNormalized:
            copyToCountedBuffer (buffer, getHostSynced (index) ? "" : "Hz", length);
            return;
        case paramTime:
        case paramTimeNormalized:
            copyToCountedBuffer (buffer, getHostSynced (index) ? "" : (length < 5 ? "ms" : "msec"), length);
            return;
        case paramLinear:
        case paramSwitch:
        case paramPercent:
        case paramDecimal:
        case paramExponential:
        case paramDecibel:
        case paramInteger:
        case paramMetrical:
        case paramNote:
        default:
            copyToCountedBuffer (buffer, entry (unitsNames, index), length);
            return;
    }
}

void vq_paramManager::getValueString (int64_t index, char* buffer, int length)
{
    getValueStringFromNaturalValue (index, buffer, entry (naturalValues, index).load(), length);
}

void vq_paramManager::getValueStringFromNaturalValue (int64_t index, char* buffer, float n, int length)
{
    const vq_paramTypes type = getType (index);
    std::string text;

    switch (type)
    {
        case paramSwitch:
            text = n > 0.5f ? "On" : "Off";
            break;
        case paramDecimal:
        case paramExponential:
            text = decimalText (n);
            break;
        case paramInteger:
            text = format ("%4d", toInt (n));
            break;
        case paramMetrical:
            text = beatTimeStr[metricalIndex (VSTvalueFromNaturalValue (index, n) * 15.0f)];
            break;
        case paramTime:
            if (getHostSynced (index))
                text = beatTimeStr[metricalIndex (n)];
            else
                text = format ("%4.0f", static_cast<double> (n));
            break;
        case paramRate:
        case paramRateNormalized:
            if (getHostSynced (index))
                text = beatTimeStr[metricalIndex ((1.0f - VSTvalueFromNaturalValue (index, n)) * 15.0f)];
            else
                text = decimalText (n);
            break;
        case paramTimeNormalized:
            if (getHostSynced (index))
                text = beatTimeStr[metricalIndex (VSTvalueFromNaturalValue (index, n) * 15.0f)];
            else
                text = format ("%4.0f", static_cast<double> (linearValue (entry (minimumValues, index),
                                                                          entry (maximumValues, index), n)));
            break;
        case paramNote:
        {
            // Floor division, so that notes below 0 still name a pitch class:
            // note -1 is "B-3".
            const int note = toInt (n);
            int pitchClass = note % 12;
            int octave = note / 12;
            if (pitchClass < 0)
            {
                pitchClass += 12;
                octave -= 1;
            }
            text = format ("%s%d", gNoteNames[pitchClass], octave - 2);
            break;
        }
        case paramLinear:
        case paramPercent:
        case paramDecibel:
        default:
            text = format ("%4.0f", static_cast<double> (n));
            break;
    }

    copyToSizedBuffer (buffer, text, length);
}

void vq_paramManager::getValueStringFromVSTvalue (int64_t index, char* buffer, float vstValue, int length)
{
    getValueStringFromNaturalValue (index, buffer, naturalValueFromVSTvalue (index, vstValue), length);
}

void vq_paramManager::getVSTvalueString (int64_t index, char* buffer)
{
    if (buffer == nullptr)
        return;
    const std::string text = format ("%f", static_cast<double> (entry (vstValues, index).load()));
    copyToCountedBuffer (buffer, text, 8);
}

void vq_paramManager::getTextEditString (int64_t index, char* buffer, int length)
{
    if (buffer == nullptr || length <= 0)
        return;
    std::vector<char> work;
    try
    {
        work.assign (static_cast<size_t> (length) + 1, '\0');
    }
    catch (...)
    {
        buffer[0] = '\0';
        return;
    }
    getValueString (index, work.data(), length);

    int out = 0;
    for (int i = 0; i < length && work[static_cast<size_t> (i)] != '\0'; ++i)
    {
        const char c = work[static_cast<size_t> (i)];
        if (c != ' ')
            buffer[out++] = c;
    }
    buffer[out] = '\0';
}

void vq_paramManager::floatToTimeStr (char* buffer, float milliseconds, int length)
{
    std::string text;
    if (milliseconds >= 1000.0f)
        text = format ("%4.3f", static_cast<double> (milliseconds * 0.001f));
    else
        text = format ("%3.0f", static_cast<double> (milliseconds));
    copyToCountedBuffer (buffer, text, length);
}

bool vq_paramManager::naturalValueFromString (int64_t index, const char* text, float& value)
{
    const vq_paramTypes type = getType (index);
    bool understood = false;

    if (text != nullptr)
    {
        const bool metrical = type == paramMetrical
                              || ((type == paramTime || type == paramRate) && getHostSynced (index));
        if (type == paramSwitch)
        {
            understood = false;
        }
        else if (metrical)
        {
            int k = 0;
            if (matchMetricalStr (text, k))
            {
                value = static_cast<float> (k);
                understood = true;
            }
        }
        else
        {
            float parsed = 0.0f;
            // A NaN is not a value: it counts as not understood.
            if (std::sscanf (text, "%10f", &parsed) == 1 && parsed == parsed)
            {
                value = parsed;
                understood = true;
            }
        }
    }

    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);
    if (value > maximum)
        value = maximum;
    else if (value < minimum)
        value = minimum;
    return understood;
}

bool vq_paramManager::matchMetricalStr (const char* text, int& metricalIndexOut)
{
    if (text == nullptr)
        return false;
    char candidate[7] = {};
    int count = 0;
    for (int i = 0; i < 6 && text[i] != '\0'; ++i)
        if (text[i] != ' ')
            candidate[count++] = text[i];
    candidate[count] = '\0';

    for (int k = 0; k < 15; ++k)
    {
        if (std::strcmp (candidate, kMetricalLabels[k]) == 0)
        {
            metricalIndexOut = k;
            return true;
        }
    }
    return false;
}

void vq_paramManager::getAllValueStrings (int64_t index, std::vector<std::string>& strings)
{
    if (getType (index) != paramInteger)
        return;
    strings.clear();
    for (int64_t i = toInt (entry (minimumValues, index)); i <= toInt (entry (maximumValues, index)); ++i)
        strings.push_back (format ("%d", static_cast<int> (i)));
}

// ---------------------------------------------------------------------------
// Stepping, randomizing, snapshots

void vq_paramManager::incrementNaturalValue (int64_t index)
{
    const vq_paramTypes type = getType (index);
    const float n = entry (naturalValues, index).load();
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);
    float result;

    switch (type)
    {
        case paramSwitch:
            result = (n == 0.0f) ? 1.0f : 0.0f;
            break;
        case paramMetrical:
        case paramInteger:
        case paramNote:
            result = n + 1.0f;
            if (result > maximum)
                result = minimum;
            break;
        case paramLinear:
        case paramPercent:
        case paramDecimal:
        case paramExponential:
        case paramDecibel:
        case paramTime:
        case paramRate:
        case paramTimeNormalized:
        case paramRateNormalized:
        default:
            result = n + 1.0f;
            if (result > maximum)
                result = maximum;
            break;
    }
    setNaturalValue (index, result);
}

void vq_paramManager::decrementNaturalValue (int64_t index)
{
    const vq_paramTypes type = getType (index);
    const float n = entry (naturalValues, index).load();
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);
    float result;

    switch (type)
    {
        case paramSwitch:
            result = (n == 0.0f) ? 1.0f : 0.0f;
            break;
        case paramMetrical:
        case paramInteger:
            // Stepping whole values wraps around in both directions.
            result = n - 1.0f;
            if (result < minimum)
                result = maximum;
            break;
        case paramLinear:
        case paramPercent:
        case paramDecimal:
        case paramExponential:
        case paramDecibel:
        case paramTime:
        case paramRate:
        case paramTimeNormalized:
        case paramRateNormalized:
        case paramNote:
        default:
            result = n - 1.0f;
            if (result < minimum)
                result = minimum;
            break;
    }
    setNaturalValue (index, result);
}

void vq_paramManager::randomize (int64_t index)
{
    if (! entry (randomizeFlags, index).load())
        return;

    const vq_paramTypes type = getType (index);
    const float minimum = entry (minimumValues, index);
    const float maximum = entry (maximumValues, index);
    const bool coinFlip = type == paramSwitch
                          || ((type == paramInteger || type == paramNote) && minimum == 0.0f && maximum == 1.0f);
    float v;
    if (coinFlip)
        v = (std::rand() & 1) ? 1.0f : 0.0f;
    else
        v = std::fabs (static_cast<float> (std::rand()) * 4.656612873077392578125e-10f); // 2^-31
    setVSTvalue (index, v);
}

int32_t vq_paramManager::createState (const std::set<uint32_t>& indices)
{
    std::vector<_pr> snapshot;
    snapshot.reserve (indices.size());
    for (uint32_t i : indices)
        snapshot.push_back (_pr { i, entry (vstValues, static_cast<int64_t> (i)).load() });
    snapshots.push_back (snapshot);
    return static_cast<int32_t> (snapshots.size()) - 1;
}

void vq_paramManager::saveState (int32_t snapshot)
{
    if (snapshot < 0 || static_cast<size_t> (snapshot) >= snapshots.size())
        return;
    for (_pr& e : snapshots[static_cast<size_t> (snapshot)])
        e.vstValue = entry (vstValues, static_cast<int64_t> (e.index)).load();
}

void vq_paramManager::restoreState (int32_t snapshot)
{
    if (snapshot < 0 || static_cast<size_t> (snapshot) >= snapshots.size())
        return;
    for (const _pr& e : snapshots[static_cast<size_t> (snapshot)])
        setVSTvalue (static_cast<int64_t> (e.index), e.vstValue);
}
