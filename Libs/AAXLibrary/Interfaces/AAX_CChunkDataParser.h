#pragma once
// The controls chunk: a flat list of named, typed values, serialized as a
// 4-byte header 01 01 01 01 followed by entries. One entry is a two-byte tag
// ("f_" float, "l_" int32, "d_" double, "s_" int16, "r_" string), the name
// and its NUL, zero padding up to a multiple of 4, then the value, big-endian
// (int16: 2 bytes and 2 zero bytes; string: its bytes, NUL and zero padding).
// Every entry starts at a multiple of 4; there is no count and no end mark.

#include <cstdint>
#include <vector>

#include "AAX_CString.h"
#include "AAX_IACFEffectParameters.h"

class AAX_CChunkDataParser
{
public:
    enum EDataType : int32_t
    {
        eDataType_Unknown = 0, // read with an unknown tag; carries no value
        eDataType_Float = 1,
        eDataType_Int32 = 2,
        eDataType_Double = 3,
        eDataType_Int16 = 4,
        eDataType_String = 5
    };

    struct DataValue
    {
        int32_t type = eDataType_Unknown;
        AAX_CString name;
        uint64_t numericValue = 0; // double bits, or the float/int32/int16 in the low bits
        AAX_CString stringValue;
    };

    AAX_CChunkDataParser();
    AAX_CChunkDataParser (const AAX_CChunkDataParser&) = default;
    AAX_CChunkDataParser& operator= (const AAX_CChunkDataParser&) = default;
    virtual ~AAX_CChunkDataParser();

    void Clear();

    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, AAX_CString value);

    // Size in bytes of the serialized data of the current list.
    int32_t GetChunkDataSize() const;
    // Writes the list into record->data (which must have room for
    // GetChunkDataSize() bytes) and sets record->size; 0 or kErrChunkWrite.
    AAX_Result GetChunkData (AAX_SPlugInChunk* record) const;
    // Replaces the list by the entries read from the record. Never reads
    // at or beyond record->size data bytes; an entry whose value would lie
    // there ends the reading and is dropped.
    void LoadChunk (const AAX_SPlugInChunk* record);

    // Index of a matching entry, resuming after the last hit; -1 for none.
    int32_t FindName (const AAX_CString& name);
    bool FindDouble (const char* name, double* out);
    bool FindInt32 (const char* name, int32_t* out);
    bool FindString (const char* name, AAX_IString* out);

    int32_t GetChunkVersion() const { return chunkVersion; }
    int32_t GetLastFoundIndex() const { return lastFoundIndex; }
    const std::vector<DataValue>& GetDataValues() const { return dataValues; }
    // For loaded lists only: entries of every type may be appended for writing.
    void AddDataValue (const DataValue& value) { dataValues.push_back (value); }

private:
    int32_t lastFoundIndex;
    int32_t chunkVersion;
    std::vector<DataValue> dataValues;
};
