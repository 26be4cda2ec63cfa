// The controls chunk: byte layout, reading back, name search, and safety on
// truncated or corrupt data.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "AAX_CChunkDataParser.h"

namespace
{

// A chunk record with room for exactly `dataSize` data bytes, so that any
// read past the data is a read past the allocation.
class Record
{
public:
    explicit Record (size_t dataSize)
        : storage (new unsigned char[kAAX_SPlugInChunkHeaderSize + dataSize])
    {
        std::memset (storage.get(), 0, kAAX_SPlugInChunkHeaderSize + dataSize);
        get()->size = static_cast<int32_t> (dataSize);
    }
    Record (const std::vector<unsigned char>& bytes)
        : Record (bytes.size())
    {
        if (! bytes.empty())
            std::memcpy (data(), bytes.data(), bytes.size());
    }
    AAX_SPlugInChunk* get() { return reinterpret_cast<AAX_SPlugInChunk*> (storage.get()); }
    unsigned char* data() { return storage.get() + kAAX_SPlugInChunkHeaderSize; }
    std::vector<unsigned char> bytes() { return std::vector<unsigned char> (data(), data() + get()->size); }

private:
    std::unique_ptr<unsigned char[]> storage;
};

std::vector<unsigned char> Written (const AAX_CChunkDataParser& parser)
{
    Record record (static_cast<size_t> (parser.GetChunkDataSize()));
    record.get()->size = 12345; // GetChunkData sets it
    EXPECT_EQ (AAX_SUCCESS, parser.GetChunkData (record.get()));
    EXPECT_EQ (parser.GetChunkDataSize(), record.get()->size);
    return record.bytes();
}

std::vector<unsigned char> Bytes (std::initializer_list<int> list)
{
    std::vector<unsigned char> out;
    for (int b : list)
        out.push_back (static_cast<unsigned char> (b));
    return out;
}

void Append (std::vector<unsigned char>& to, const std::vector<unsigned char>& more) { to.insert (to.end(), more.begin(), more.end()); }

// The five product parameters as the effect-parameters base writes them.
AAX_CChunkDataParser FiveParameters()
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("0", 0.5);
    parser.AddDouble ("1", 1.0);
    parser.AddDouble ("2", 0.0);
    parser.AddDouble ("3", static_cast<double> (0.1234f));
    parser.AddDouble ("4", 0.25);
    return parser;
}

TEST (AaxChunk, WorkedExampleOfFiveDoublesIs64Bytes)
{
    const AAX_CChunkDataParser parser = FiveParameters();
    EXPECT_EQ (-1, parser.GetChunkVersion());
    ASSERT_EQ (64, parser.GetChunkDataSize());

    std::vector<unsigned char> expected = Bytes ({ 1, 1, 1, 1 });
    Append (expected, Bytes ({ 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0, 0, 0, 0, 0, 0 }));
    Append (expected, Bytes ({ 0x64, 0x5F, 0x31, 0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 }));
    Append (expected, Bytes ({ 0x64, 0x5F, 0x32, 0x00, 0, 0, 0, 0, 0, 0, 0, 0 }));
    Append (expected, Bytes ({ 0x64, 0x5F, 0x33, 0x00, 0x3F, 0xBF, 0x97, 0x24, 0x80, 0, 0, 0 }));
    Append (expected, Bytes ({ 0x64, 0x5F, 0x34, 0x00, 0x3F, 0xD0, 0, 0, 0, 0, 0, 0 }));
    ASSERT_EQ (64u, expected.size());
    EXPECT_EQ (expected, Written (parser));
}

TEST (AaxChunk, WorkedExampleReadsBack)
{
    Record record (Written (FiveParameters()));
    record.get()->version = 7;
    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    EXPECT_EQ (7, reader.GetChunkVersion());
    ASSERT_EQ (5u, reader.GetDataValues().size());
    const double expected[] = { 0.5, 1.0, 0.0, static_cast<double> (0.1234f), 0.25 };
    for (int i = 0; i < 5; ++i)
    {
        double v = -1.0;
        const std::string name = std::to_string (i);
        EXPECT_TRUE (reader.FindDouble (name.c_str(), &v));
        EXPECT_EQ (expected[i], v);
        EXPECT_EQ (i, reader.GetLastFoundIndex()); // names in order: one comparison each
    }
}

TEST (AaxChunk, EmptyListWritesTheHeaderOnly)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (4, parser.GetChunkDataSize());
    const std::vector<unsigned char> bytes = Written (parser);
    EXPECT_EQ (Bytes ({ 1, 1, 1, 1 }), bytes);

    Record record (bytes);
    AAX_CChunkDataParser reader;
    reader.AddInt32 ("stale", 1);
    reader.LoadChunk (record.get());
    EXPECT_TRUE (reader.GetDataValues().empty());
}

TEST (AaxChunk, EntryLayoutsOfEachType)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("ab", 1.0); // tag, name, NUL = 5 bytes, padded to 8
    parser.AddInt32 ("x", -2);
    parser.AddString ("s", AAX_CString ("ab"));
    parser.AddInt32 ("y", 3);
    EXPECT_EQ (4 + (8 + 8) + (4 + 4) + (4 + 4) + (4 + 4), parser.GetChunkDataSize());

    std::vector<unsigned char> expected = Bytes ({ 1, 1, 1, 1 });
    Append (expected, Bytes ({ 0x64, 0x5F, 0x61, 0x62, 0x00, 0, 0, 0, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 }));
    Append (expected, Bytes ({ 0x6C, 0x5F, 0x78, 0x00, 0xFF, 0xFF, 0xFF, 0xFE }));
    Append (expected, Bytes ({ 0x72, 0x5F, 0x73, 0x00, 0x61, 0x62, 0x00, 0x00 }));
    Append (expected, Bytes ({ 0x6C, 0x5F, 0x79, 0x00, 0, 0, 0, 3 }));
    const std::vector<unsigned char> bytes = Written (parser);
    EXPECT_EQ (expected, bytes);

    Record record (bytes);
    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    ASSERT_EQ (4u, reader.GetDataValues().size());
    int32_t i = 0;
    EXPECT_TRUE (reader.FindInt32 ("x", &i));
    EXPECT_EQ (-2, i);
    AAX_CString s;
    EXPECT_TRUE (reader.FindString ("s", &s));
    EXPECT_STREQ ("ab", s.Get());
    EXPECT_TRUE (reader.FindInt32 ("y", &i)); // the entry after the string reads correctly
    EXPECT_EQ (3, i);
}

TEST (AaxChunk, LoadedFloatAndInt16EntriesAreWrittenBack)
{
    std::vector<unsigned char> bytes = Bytes ({ 1, 1, 1, 1 });
    Append (bytes, Bytes ({ 0x73, 0x5F, 0x6E, 0x00, 0xFF, 0xFE, 0x00, 0x00 })); // "s_n" = -2
    Append (bytes, Bytes ({ 0x66, 0x5F, 0x66, 0x00, 0x3F, 0x00, 0x00, 0x00 })); // "f_f" = 0.5f
    Record record (bytes);
    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    ASSERT_EQ (2u, reader.GetDataValues().size());
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_Int16, reader.GetDataValues()[0].type);
    EXPECT_EQ (0xFFFEu, reader.GetDataValues()[0].numericValue & 0xFFFF);
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_Float, reader.GetDataValues()[1].type);
    // No find operation returns float or int16 entries.
    double d = 9.0;
    int32_t i = 9;
    EXPECT_FALSE (reader.FindDouble ("f", &d));
    EXPECT_FALSE (reader.FindInt32 ("n", &i));
    EXPECT_EQ (9.0, d);
    EXPECT_EQ (9, i);
    EXPECT_EQ (bytes, Written (reader));
}

TEST (AaxChunk, WrongHeaderOrTinyRecordLoadsNothing)
{
    std::vector<unsigned char> bytes = Written (FiveParameters());
    bytes[3] = 2; // 01 01 01 02
    Record record (bytes);
    record.get()->version = 3;
    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    EXPECT_TRUE (reader.GetDataValues().empty());
    EXPECT_EQ (3, reader.GetChunkVersion());

    for (int32_t size : { 0, 1, 4, -1, -1000 })
    {
        Record tiny (Bytes ({ 1, 1, 1, 1 }));
        tiny.get()->size = size > 4 ? 4 : size;
        reader.AddInt32 ("x", 1);
        reader.LoadChunk (tiny.get());
        EXPECT_TRUE (reader.GetDataValues().empty()) << size;
    }
    reader.LoadChunk (nullptr);
    EXPECT_TRUE (reader.GetDataValues().empty());
}

TEST (AaxChunk, UnknownTagBecomesAnEntryWithoutValue)
{
    std::vector<unsigned char> bytes = Bytes ({ 1, 1, 1, 1 });
    Append (bytes, Bytes ({ 0x78, 0x5F, 0x71, 0x00 })); // "x_q": unknown, no value
    Append (bytes, Bytes ({ 0x6C, 0x5F, 0x7A, 0x00, 0x00, 0x00, 0x01, 0x02 })); // "l_z" = 258
    Record record (bytes);
    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    ASSERT_EQ (2u, reader.GetDataValues().size());
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_Unknown, reader.GetDataValues()[0].type);
    EXPECT_STREQ ("q", reader.GetDataValues()[0].name.Get());
    int32_t z = 0;
    EXPECT_TRUE (reader.FindInt32 ("z", &z));
    EXPECT_EQ (258, z);
    // A loaded unknown entry has nothing to write and is left out of a rewrite.
    EXPECT_EQ (12, reader.GetChunkDataSize());
}

TEST (AaxChunk, FindResumesAfterTheLastHit)
{
    AAX_CChunkDataParser p;
    p.AddInt32 ("a", 1);
    p.AddInt32 ("b", 2);
    p.AddInt32 ("c", 3);
    EXPECT_EQ (0, p.FindName (AAX_CString ("a")));
    EXPECT_EQ (1, p.FindName (AAX_CString ("b")));
    EXPECT_EQ (2, p.FindName (AAX_CString ("c")));
    EXPECT_EQ (0, p.FindName (AAX_CString ("a")));

    EXPECT_EQ (1, p.FindName (AAX_CString ("b")));
    EXPECT_EQ (-1, p.FindName (AAX_CString ("missing")));
    EXPECT_EQ (1, p.GetLastFoundIndex());
    EXPECT_EQ (0, p.FindName (AAX_CString ("a")));
    EXPECT_EQ (0, p.FindName (AAX_CString ("a"))); // the same name twice: found again

    AAX_CChunkDataParser empty;
    EXPECT_EQ (-1, empty.FindName (AAX_CString ("a")));
    p.Clear();
    EXPECT_EQ (-1, p.GetLastFoundIndex());
}

TEST (AaxChunk, DuplicateNamesAreFoundInTurn)
{
    AAX_CChunkDataParser p;
    p.AddInt32 ("a", 1);
    p.AddInt32 ("a", 2);
    int32_t v = 0;
    EXPECT_TRUE (p.FindInt32 ("a", &v));
    EXPECT_EQ (1, v);
    EXPECT_TRUE (p.FindInt32 ("a", &v));
    EXPECT_EQ (2, v);
    EXPECT_TRUE (p.FindInt32 ("a", &v));
    EXPECT_EQ (1, v);
}

TEST (AaxChunk, TypedFindsRefuseOtherTypes)
{
    AAX_CChunkDataParser p;
    p.AddInt32 ("i", 5);
    p.AddDouble ("d", 2.5);
    p.AddString ("s", AAX_CString ("txt"));
    double d = 9.0;
    EXPECT_FALSE (p.FindDouble ("i", &d));
    EXPECT_EQ (9.0, d);
    int32_t i = 9;
    EXPECT_FALSE (p.FindInt32 ("d", &i));
    EXPECT_EQ (9, i);
    AAX_CString s ("keep");
    EXPECT_FALSE (p.FindString ("i", &s));
    EXPECT_STREQ ("keep", s.Get());
    EXPECT_FALSE (p.FindDouble ("nothing", &d));
    EXPECT_FALSE (p.FindString ("s", nullptr));
}

TEST (AaxChunk, StringWithoutNulAndNamesWithoutNulStayInside)
{
    // String value running to the end without a NUL: dropped.
    std::vector<unsigned char> bytes = Bytes ({ 1, 1, 1, 1, 0x72, 0x5F, 0x73, 0x00, 0x61, 0x62, 0x63, 0x64 });
    Record r1 (bytes);
    AAX_CChunkDataParser reader;
    reader.LoadChunk (r1.get());
    EXPECT_TRUE (reader.GetDataValues().empty());

    // Tag and name filling the rest of the data without a NUL.
    std::vector<unsigned char> longName = Bytes ({ 1, 1, 1, 1, 0x64, 0x5F });
    longName.resize (600, 'n');
    Record r2 (longName);
    reader.LoadChunk (r2.get());
    for (const auto& v : reader.GetDataValues())
        EXPECT_LE (v.name.Length(), 253u);
}

// Random chunks of every readable type, cut at a random length, in records
// exactly that long: the reader reads nothing outside the data and yields
// exactly the entries whose value (a string: up to its NUL) lies wholly
// inside, with their names and values; what it read writes back unchanged.
TEST (AaxChunk, GarbageNeverReadsOutside)
{
    struct Entry
    {
        char tag;
        std::string name;
        uint64_t value;
        std::string text;
        size_t end; // offset after the last byte the reader needs
    };
    auto align4 = [] (size_t x) {
        return (x + 3) & ~static_cast<size_t> (3);
    };
    std::mt19937 rng (1234);
    const char tags[] = { 'd', 'f', 'l', 's', 'r' };
    for (int round = 0; round < 2000; ++round)
    {
        std::vector<unsigned char> bytes = Bytes ({ 1, 1, 1, 1 });
        std::vector<Entry> entries (1 + rng() % 6);
        for (Entry& entry : entries)
        {
            entry.tag = tags[rng() % sizeof (tags)];
            entry.name.assign (rng() % 7, 'a');
            for (char& c : entry.name)
                c = static_cast<char> (1 + rng() % 255);
            bytes.push_back (static_cast<unsigned char> (entry.tag));
            bytes.push_back ('_');
            bytes.insert (bytes.end(), entry.name.begin(), entry.name.end());
            bytes.resize (align4 (bytes.size() + 1), 0);
            const int width = entry.tag == 'd' ? 8 : entry.tag == 's' ? 2
                                                                      : 4;
            entry.value = (static_cast<uint64_t> (rng()) << 32 | rng()) & (~0ull >> (64 - 8 * width));
            if (entry.tag == 'r')
            {
                entry.text.assign (rng() % 6, 'a');
                for (char& c : entry.text)
                    c = static_cast<char> (1 + rng() % 255);
                bytes.insert (bytes.end(), entry.text.begin(), entry.text.end());
                bytes.push_back (0);
                entry.end = bytes.size();
                bytes.resize (align4 (bytes.size()), 0);
                continue;
            }
            for (int i = width - 1; i >= 0; --i)
                bytes.push_back (static_cast<unsigned char> (entry.value >> (8 * i)));
            entry.end = bytes.size();
            bytes.resize (align4 (bytes.size()), 0);
        }
        const size_t cut = 5 + rng() % (bytes.size() - 4);
        Record record (std::vector<unsigned char> (bytes.begin(), bytes.begin() + static_cast<long> (cut)));
        AAX_CChunkDataParser reader;
        reader.LoadChunk (record.get());

        size_t inside = 0;
        while (inside < entries.size() && entries[inside].end <= cut)
            ++inside;
        const auto& values = reader.GetDataValues();
        ASSERT_EQ (inside, values.size()) << "round " << round;
        const int32_t types[] = { AAX_CChunkDataParser::eDataType_Double, AAX_CChunkDataParser::eDataType_Float,
                                  AAX_CChunkDataParser::eDataType_Int32, AAX_CChunkDataParser::eDataType_Int16,
                                  AAX_CChunkDataParser::eDataType_String };
        for (size_t i = 0; i < inside; ++i)
        {
            const Entry& entry = entries[i];
            EXPECT_EQ (types[std::string ("dflsr").find (entry.tag)], values[i].type) << round;
            EXPECT_EQ (entry.name, values[i].name.StdString()) << round;
            if (entry.tag == 'r')
                EXPECT_EQ (entry.text, values[i].stringValue.StdString()) << round;
            else
                EXPECT_EQ (entry.value, values[i].numericValue & (~0ull >> (entry.tag == 'd' ? 0 : entry.tag == 's' ? 48
                                                                                                                    : 32)))
                    << round;
        }

        // What was read writes back as the bytes it came from.
        Record out (static_cast<size_t> (reader.GetChunkDataSize()));
        ASSERT_EQ (AAX_SUCCESS, reader.GetChunkData (out.get()));
        const size_t written = inside == 0 ? 4 : align4 (entries[inside - 1].end);
        EXPECT_EQ (std::vector<unsigned char> (bytes.begin(), bytes.begin() + static_cast<long> (written)), out.bytes()) << round;
    }
}

TEST (AaxChunk, WriteRejectsANullRecord)
{
    EXPECT_EQ (kErrChunkWrite, FiveParameters().GetChunkData (nullptr));
}

} // namespace
