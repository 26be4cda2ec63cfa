// Fuzzes the controls chunk the host hands back: AAX_CChunkDataParser::LoadChunk
// on a record of any size and content. Afterwards the typed finds answer
// without faults, and writing the loaded list and loading it again gives the
// same entries (entries of unknown type are left out when writing).
//
// Input: bytes 0..3 the record's version, the rest its data bytes.
#include "fuzz/FuzzerEntry.h"

#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
void check (bool condition)
{
    if (! condition)
        std::abort();
}

// A chunk record with exactly `size` data bytes behind its header, on the
// heap, so that AddressSanitizer sees any read or write past its end.
std::vector<unsigned char> makeRecord (int32_t version, const uint8_t* data, size_t size)
{
    std::vector<unsigned char> storage (kAAX_SPlugInChunkHeaderSize + size);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    record->size = static_cast<int32_t> (size);
    record->version = version;
    record->chunkID = 0x656C636B; // 'elck'
    if (data != nullptr && size > 0)
        std::memcpy (storage.data() + kAAX_SPlugInChunkHeaderSize, data, size);
    return storage;
}

bool sameEntry (const AAX_CChunkDataParser::DataValue& a, const AAX_CChunkDataParser::DataValue& b)
{
    return a.type == b.type && a.name == b.name && a.numericValue == b.numericValue && a.stringValue == b.stringValue;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 4 || size > (1u << 20))
        return 0;

    int32_t version;
    std::memcpy (&version, data, sizeof (version));
    auto storage = makeRecord (version, data + 4, size - 4);
    const auto* record = reinterpret_cast<const AAX_SPlugInChunk*> (storage.data());

    AAX_CChunkDataParser parser;
    parser.LoadChunk (record);
    check (parser.GetChunkVersion() == version);

    // The finds a restore makes, in parameter order, then some again.
    const char* names[] = { "0", "1", "2", "3", "4", "MasterBypassID", "", "0" };
    for (const char* name : names)
    {
        double d = -1.0;
        int32_t i = -1;
        AAX_CString s;
        parser.FindDouble (name, &d);
        parser.FindInt32 (name, &i);
        parser.FindString (name, &s);
        const int32_t found = parser.FindName (AAX_CString (name));
        check (found >= -1 && found < static_cast<int32_t> (parser.GetDataValues().size()));
    }

    // Write the known entries back and read them again.
    std::vector<AAX_CChunkDataParser::DataValue> known;
    for (const auto& v : parser.GetDataValues())
        if (v.type != AAX_CChunkDataParser::eDataType_Unknown)
            known.push_back (v);

    const int32_t written = parser.GetChunkDataSize();
    check (written >= 4);
    auto out = makeRecord (-1, nullptr, static_cast<size_t> (written));
    auto* outRecord = reinterpret_cast<AAX_SPlugInChunk*> (out.data());
    outRecord->size = 0;
    check (parser.GetChunkData (outRecord) == AAX_SUCCESS);
    check (outRecord->size == written);

    AAX_CChunkDataParser reread;
    reread.LoadChunk (outRecord);
    const auto& again = reread.GetDataValues();
    check (again.size() == known.size());
    for (size_t k = 0; k < known.size(); ++k)
        check (sameEntry (known[k], again[k]));
    return 0;
}
