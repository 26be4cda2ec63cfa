#include "AAX_CChunkDataParser.h"

#include <cstring>
#include <stdexcept>

#include "AAX_CHostServices.h"

namespace
{
const char kOverflowText[] = "aborting: chunk data will overflow buffer";

inline int64_t Align4 (int64_t x) { return (x + 3) & ~static_cast<int64_t> (3); }

unsigned char* DataOf (AAX_SPlugInChunk* record)
{
    return reinterpret_cast<unsigned char*> (record) + kAAX_SPlugInChunkHeaderSize;
}

const unsigned char* DataOf (const AAX_SPlugInChunk* record)
{
    return reinterpret_cast<const unsigned char*> (record) + kAAX_SPlugInChunkHeaderSize;
}

char TagLetter (int32_t type)
{
    switch (type)
    {
        case AAX_CChunkDataParser::eDataType_Float: return 'f';
        case AAX_CChunkDataParser::eDataType_Int32: return 'l';
        case AAX_CChunkDataParser::eDataType_Double: return 'd';
        case AAX_CChunkDataParser::eDataType_Int16: return 's';
        case AAX_CChunkDataParser::eDataType_String: return 'r';
        default: return 0;
    }
}

// Bytes that the value of an entry takes in the data, padding included.
int64_t ValueSpan (const AAX_CChunkDataParser::DataValue& v)
{
    switch (v.type)
    {
        case AAX_CChunkDataParser::eDataType_Double: return 8;
        case AAX_CChunkDataParser::eDataType_Float:
        case AAX_CChunkDataParser::eDataType_Int32:
        case AAX_CChunkDataParser::eDataType_Int16: return 4;
        case AAX_CChunkDataParser::eDataType_String: return Align4 (static_cast<int64_t> (v.stringValue.Length()) + 1);
        default: return 0;
    }
}

uint64_t ReadBigEndian (const unsigned char* p, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}
} // namespace

AAX_CChunkDataParser::AAX_CChunkDataParser()
    : lastFoundIndex (-1)
    , chunkVersion (-1)
{}
AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::Clear()
{
    dataValues.clear();
    lastFoundIndex = -1;
    chunkVersion = -1;
}

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    DataValue v;
    v.type = eDataType_Double;
    v.name = AAX_CString (name);
    std::memcpy (&v.numericValue, &value, sizeof (value));
    dataValues.push_back (v);
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    DataValue v;
    v.type = eDataType_Int32;
    v.name = AAX_CString (name);
    v.numericValue = static_cast<uint32_t> (value);
    dataValues.push_back (v);
}

void AAX_CChunkDataParser::AddString (const char* name, AAX_CString value)
{
    DataValue v;
    v.type = eDataType_String;
    v.name = AAX_CString (name);
    v.stringValue = value;
    dataValues.push_back (v);
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64_t size = 4;
    for (const DataValue& v : dataValues)
    {
        // Entries without a known type have no tag to write and are left out.
        if (TagLetter (v.type) == 0)
            continue;
        size += Align4 (2 + static_cast<int64_t> (v.name.Length()) + 1) + ValueSpan (v);
    }
    if (size > INT32_MAX)
        return -1;
    return static_cast<int32_t> (size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* record) const
{
    const int32_t size = GetChunkDataSize();
    if (record == nullptr || size < 4)
        return kErrChunkWrite;

    try
    {
        unsigned char* data = DataOf (record);
        std::memset (data, 0, static_cast<size_t> (size));
        data[0] = data[1] = data[2] = data[3] = 1;

        int64_t e = 4;
        std::vector<unsigned char> valueBytes;
        for (const DataValue& v : dataValues)
        {
            const char tag = TagLetter (v.type);
            if (tag == 0)
                continue;

            valueBytes.clear();
            int64_t next = 0; // offset of the next entry relative to V
            switch (v.type)
            {
                case eDataType_Double:
                    for (int i = 7; i >= 0; --i)
                        valueBytes.push_back (static_cast<unsigned char> (v.numericValue >> (8 * i)));
                    next = 8;
                    break;
                case eDataType_Float:
                case eDataType_Int32:
                    for (int i = 3; i >= 0; --i)
                        valueBytes.push_back (static_cast<unsigned char> (v.numericValue >> (8 * i)));
                    next = 4;
                    break;
                case eDataType_Int16:
                    valueBytes.push_back (static_cast<unsigned char> (v.numericValue >> 8));
                    valueBytes.push_back (static_cast<unsigned char> (v.numericValue));
                    next = 4;
                    break;
                case eDataType_String:
                    valueBytes.assign (v.stringValue.Get(), v.stringValue.Get() + v.stringValue.Length() + 1);
                    next = Align4 (static_cast<int64_t> (valueBytes.size()));
                    break;
            }

            const int64_t n = v.name.Length();
            if (e + 2 + n + 1 + static_cast<int64_t> (valueBytes.size()) > size)
                throw std::length_error (kOverflowText);

            data[e] = static_cast<unsigned char> (tag);
            data[e + 1] = '_';
            std::memcpy (data + e + 2, v.name.Get(), static_cast<size_t> (n) + 1);
            const int64_t valueStart = Align4 (e + 2 + n + 1);
            // The value end lies inside the data: the padded value fits the
            // size computed above.
            if (valueStart + static_cast<int64_t> (valueBytes.size()) > size)
                throw std::length_error (kOverflowText);
            std::memcpy (data + valueStart, valueBytes.data(), valueBytes.size());
            e = valueStart + next;
        }
        record->size = size;
        return AAX_SUCCESS;
    }
    catch (const std::exception& ex)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAX_CChunkDataParser::GetChunkData ERROR: %s", ex.what());
    }
    catch (...)
    {
    }
    return kErrChunkWrite;
}

void AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* record)
{
    Clear();
    if (record == nullptr)
        return;
    chunkVersion = record->version;

    const int64_t s = record->size;
    const unsigned char* data = DataOf (record);
    if (s <= 4 || data[0] != 1 || data[1] != 1 || data[2] != 1 || data[3] != 1)
        return;

    int64_t e = 4;
    while (e < s)
    {
        // Tag and name: up to the first NUL within at most 255 bytes.
        const int64_t limit = (s - e) < 255 ? (s - e) : 255;
        int64_t t = 0;
        while (t < limit && data[e + t] != 0)
            ++t;
        const int64_t v = Align4 (e + t + 1);

        DataValue entry;
        if (t > 2)
            entry.name = AAX_CString (std::string (reinterpret_cast<const char*> (data + e + 2), static_cast<size_t> (t - 2)));

        const char letter = t > 0 ? static_cast<char> (data[e]) : 0;
        int64_t next = v;
        switch (letter)
        {
            case 'd':
                if (v + 8 > s)
                    return; // value cut off: drop the entry, stop reading
                entry.type = eDataType_Double;
                entry.numericValue = ReadBigEndian (data + v, 8);
                next = v + 8;
                break;
            case 'f':
            case 'l':
                if (v + 4 > s)
                    return;
                entry.type = letter == 'f' ? eDataType_Float : eDataType_Int32;
                entry.numericValue = ReadBigEndian (data + v, 4);
                next = v + 4;
                break;
            case 's':
                if (v + 2 > s)
                    return;
                entry.type = eDataType_Int16;
                entry.numericValue = ReadBigEndian (data + v, 2);
                next = v + 4;
                break;
            case 'r':
            {
                int64_t m = 0;
                while (v + m < s && data[v + m] != 0)
                    ++m;
                if (v + m >= s)
                    return; // no NUL before the end: drop the entry, stop reading
                entry.type = eDataType_String;
                entry.stringValue = AAX_CString (std::string (reinterpret_cast<const char*> (data + v), static_cast<size_t> (m)));
                next = Align4 (v + m + 1);
                break;
            }
            default:
                entry.type = eDataType_Unknown;
                next = v;
                break;
        }
        dataValues.push_back (entry);
        e = next;
    }
}

int32_t AAX_CChunkDataParser::FindName (const AAX_CString& name)
{
    const int32_t count = static_cast<int32_t> (dataValues.size());
    if (lastFoundIndex >= count - 1)
        lastFoundIndex = -1;

    for (int32_t i = lastFoundIndex + 1; i < count; ++i)
    {
        if (dataValues[static_cast<size_t> (i)].name == name)
        {
            lastFoundIndex = i;
            return i;
        }
    }
    if (lastFoundIndex == -1)
        return -1;
    for (int32_t i = 0; i <= lastFoundIndex; ++i)
    {
        if (dataValues[static_cast<size_t> (i)].name == name)
        {
            lastFoundIndex = i;
            return i;
        }
    }
    return -1;
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* out)
{
    const int32_t i = FindName (AAX_CString (name));
    if (i < 0 || dataValues[static_cast<size_t> (i)].type != eDataType_Double || out == nullptr)
        return false;
    std::memcpy (out, &dataValues[static_cast<size_t> (i)].numericValue, sizeof (double));
    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* out)
{
    const int32_t i = FindName (AAX_CString (name));
    if (i < 0 || dataValues[static_cast<size_t> (i)].type != eDataType_Int32 || out == nullptr)
        return false;
    *out = static_cast<int32_t> (static_cast<uint32_t> (dataValues[static_cast<size_t> (i)].numericValue));
    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_IString* out)
{
    const int32_t i = FindName (AAX_CString (name));
    if (i < 0 || dataValues[static_cast<size_t> (i)].type != eDataType_String || out == nullptr)
        return false;
    out->Set (dataValues[static_cast<size_t> (i)].stringValue.Get());
    return true;
}
