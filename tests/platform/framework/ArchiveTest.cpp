// The archive's byte format and round trips: scalars, strings, counts, the schema marker peek,
// class and object references (an object written twice is read once), schemas, variants,
// collections, the 4096-byte buffer, and the exceptions for bad or short input.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Runs a storing archive over a memory file and returns what it wrote.
Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs a loading archive over a copy of bytes.
void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

template <class Operation>
int ArchiveCause(Operation operation)
{
    try {
        operation();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

class CNode : public CObject {
    DECLARE_SERIAL(CNode)
public:
    LONG value = 0;
    CNode* next = nullptr;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << value;
            ar << next;
        } else {
            ar >> value;
            ar >> next;
        }
    }
};
IMPLEMENT_SERIAL(CNode, CObject, 3)

class CVersioned : public CObject {
    DECLARE_SERIAL(CVersioned)
public:
    UINT schemaSeen = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading()) {
            schemaSeen = ar.GetObjectSchema();
        }
    }
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

TEST(ArchiveFormat, BoolByteAndTwoCharacterString)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar << static_cast<LONG>(TRUE) << static_cast<BYTE>(0x5A) << CString(L"ab");
    });
    const Bytes expected = {0x01, 0x00, 0x00, 0x00, 0x5A, 0xFF, 0xFE, 0xFF,
                            0x02, 0x61, 0x00, 0x62, 0x00};
    EXPECT_EQ(expected, bytes);
    Load(bytes, [](CArchive& ar) {
        LONG b = 0;
        BYTE by = 0;
        CString s;
        ar >> b >> by >> s;
        EXPECT_EQ(1, b);
        EXPECT_EQ(0x5A, by);
        EXPECT_STREQ(L"ab", s.GetString());
    });
}

TEST(ArchiveFormat, SchemaMarkerAndPeek)
{
    Bytes bytes = Store([](CArchive& ar) { ar << static_cast<DWORD>(0x0FF0ADBF) << LONG(36); });
    EXPECT_EQ((Bytes{0xBF, 0xAD, 0xF0, 0x0F, 0x24, 0x00, 0x00, 0x00}), bytes);

    // A reader looks at the next word without consuming it, as the schema exchange does.
    const auto peekSchema = [](CArchive& ar) -> LONG {
        if (ar.m_lpBufCur + 4 > ar.m_lpBufMax) {
            ar.FillBuffer(static_cast<UINT>(4 - (ar.m_lpBufMax - ar.m_lpBufCur)));
        }
        DWORD word = 0;
        std::memcpy(&word, ar.m_lpBufCur, 4);
        if (word != 0x0FF0ADBF) {
            return 17;
        }
        LONG schema = 0;
        ar >> word >> schema;
        return schema;
    };
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(36, peekSchema(ar)); });
    Load(Bytes{0x07, 0x00, 0x00, 0x00}, [&](CArchive& ar) {
        EXPECT_EQ(17, peekSchema(ar));
        LONG first = 0;
        ar >> first;
        EXPECT_EQ(7, first);
    });
    // Fewer than four bytes left: the peek itself reaches the end of the data.
    Load(Bytes{0x01, 0x02}, [&](CArchive& ar) {
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { peekSchema(ar); }));
    });
}

TEST(ArchiveFormat, PeekAcrossTheBufferBoundary)
{
    Bytes bytes = Store([](CArchive& ar) {
        Bytes filler(4094, 0xEE);
        ar.Write(filler.data(), static_cast<UINT>(filler.size()));
        ar << static_cast<DWORD>(0x0FF0ADBF) << LONG(36);
    });
    ASSERT_EQ(4102u, bytes.size());
    Load(bytes, [](CArchive& ar) {
        Bytes filler(4094);
        ASSERT_EQ(4094u, ar.Read(filler.data(), 4094));
        ar.FillBuffer(static_cast<UINT>(4 - (ar.m_lpBufMax - ar.m_lpBufCur)));
        DWORD word = 0;
        std::memcpy(&word, ar.m_lpBufCur, 4);
        EXPECT_EQ(0x0FF0ADBFu, word);
        LONG schema = 0;
        ar >> word >> schema;
        EXPECT_EQ(36, schema);
    });
}

struct CountCase {
    DWORD_PTR count;
    Bytes bytes;
};

TEST(ArchiveFormat, Counts)
{
    const CountCase cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const CountCase& c : cases) {
        Bytes bytes = Store([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(c.bytes, bytes) << c.count;
        Load(bytes, [&](CArchive& ar) { EXPECT_EQ(c.count, ar.ReadCount()); });
    }
}

struct StringCase {
    int length;
    Bytes prefix;  // what comes before the characters
};

TEST(ArchiveFormat, StringLengthForms)
{
    const StringCase wide[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const StringCase& c : wide) {
        CString text(L'w', c.length);
        Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(c.prefix.size() + 2 * c.length, bytes.size()) << c.length;
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size())) << c.length;
        Load(bytes, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(text, back) << c.length;
        });
    }
    const StringCase narrow[] = {
        {3, {0x03}},
        {255, {0xFF, 0xFF, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const StringCase& c : narrow) {
        CStringA text('n', c.length);
        Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size())) << c.length;
        // 8-bit text read into a wide string is converted.
        Load(bytes, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(CString(L'n', c.length), back) << c.length;
        });
    }
}

TEST(ArchiveFormat, ScalarsRoundTrip)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar << static_cast<WORD>(0xBEEF) << static_cast<DWORD>(0xDEADBEEF) << 1.5f << -2.25
           << static_cast<LONGLONG>(-1234567890123LL) << static_cast<ULONGLONG>(~0ULL) << true
           << static_cast<short>(-2) << 7 << static_cast<unsigned>(8);
    });
    EXPECT_EQ(2u + 4 + 4 + 8 + 8 + 8 + 1 + 2 + 4 + 4, bytes.size());
    EXPECT_EQ(0xEF, bytes[0]);
    EXPECT_EQ(0xBE, bytes[1]);
    Load(bytes, [](CArchive& ar) {
        WORD w = 0;
        DWORD d = 0;
        float f = 0;
        double g = 0;
        LONGLONG ll = 0;
        ULONGLONG ull = 0;
        bool b = false;
        short s = 0;
        int i = 0;
        unsigned u = 0;
        ar >> w >> d >> f >> g >> ll >> ull >> b >> s >> i >> u;
        EXPECT_EQ(0xBEEF, w);
        EXPECT_EQ(0xDEADBEEFu, d);
        EXPECT_EQ(1.5f, f);
        EXPECT_EQ(-2.25, g);
        EXPECT_EQ(-1234567890123LL, ll);
        EXPECT_EQ(~0ULL, ull);
        EXPECT_TRUE(b);
        EXPECT_EQ(-2, s);
        EXPECT_EQ(7, i);
        EXPECT_EQ(8u, u);
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> w; }));
    });
}

TEST(ArchiveFormat, ObjectAndClassTags)
{
    CNode first;
    first.value = 10;
    CNode second;
    second.value = 20;
    first.next = &second;
    second.next = &first;  // a cycle: the second reference is written as an index
    Bytes bytes = Store([&](CArchive& ar) {
        ar << &first;
        ar << static_cast<CObject*>(nullptr);
    });
    const Bytes expected = {
        0xFF, 0xFF, 0x03, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e',  // new class, schema 3
        0x0A, 0x00, 0x00, 0x00,                                       // first.value
        0x01, 0x80,                                                   // known class 1
        0x14, 0x00, 0x00, 0x00,                                       // second.value
        0x02, 0x00,                                                   // object 2 (first)
        0x00, 0x00,                                                   // null
    };
    EXPECT_EQ(expected, bytes);
    Load(bytes, [](CArchive& ar) {
        CNode* a = nullptr;
        CObject* none = reinterpret_cast<CObject*>(1);
        ar >> a;
        ar >> none;
        ASSERT_NE(nullptr, a);
        EXPECT_EQ(nullptr, none);
        EXPECT_EQ(10, a->value);
        ASSERT_NE(nullptr, a->next);
        EXPECT_EQ(20, a->next->value);
        EXPECT_EQ(a, a->next->next);  // read back once, referenced twice
        delete a->next;
        delete a;
    });
}

TEST(ArchiveFormat, ClassReferencesAndSchemas)
{
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CNode));
        ar.WriteClass(RUNTIME_CLASS(CNode));
        ar.WriteClass(RUNTIME_CLASS(CVersioned));
    });
    EXPECT_EQ(0x01, bytes[11]);
    EXPECT_EQ(0x80, bytes[12]);
    Load(bytes, [](CArchive& ar) {
        UINT schema = 0;
        EXPECT_EQ(RUNTIME_CLASS(CNode), ar.ReadClass(RUNTIME_CLASS(CNode), &schema));
        EXPECT_EQ(3u, schema);
        EXPECT_EQ(RUNTIME_CLASS(CNode), ar.ReadClass(RUNTIME_CLASS(CObject), &schema));
        EXPECT_EQ(3u, schema);
        EXPECT_EQ(CArchiveException::badClass,
                  ArchiveCause([&] { ar.ReadClass(RUNTIME_CLASS(CNode)); }));
    });

    // An object of a versionable class stored with an older schema reads with that schema.
    Bytes old = {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'V', 'e', 'r', 's',
                 'i',  'o',  'n',  'e',  'd'};
    Load(old, [](CArchive& ar) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CVersioned));
        ASSERT_NE(nullptr, object);
        EXPECT_EQ(1u, static_cast<CVersioned*>(object)->schemaSeen);
        delete object;
    });
    // A fixed-schema class stored with another schema is refused.
    Bytes wrongSchema = {0xFF, 0xFF, 0x02, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e'};
    Load(wrongSchema, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::badSchema,
                  ArchiveCause([&] { ar.ReadObject(RUNTIME_CLASS(CNode)); }));
    });
}

TEST(ArchiveFormat, BadInputGivesArchiveExceptions)
{
    Bytes unknownClass = {0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'C', 'Z', 'z', 'z'};
    Load(unknownClass, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
    Bytes badIndex = {0x05, 0x00};
    Load(badIndex, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
    Bytes badClassIndex = {0x07, 0x80};
    Load(badClassIndex, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
    // A stream that ends inside a class name is cut short, not an unknown class.
    Bytes truncatedName = {0xFF, 0xFF, 0x03, 0x00, 0x05, 0x00, 'C', 'N', 'o'};
    Load(truncatedName, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
    Bytes truncatedObject = {0xFF, 0xFF, 0x03, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e', 0x01};
    Load(truncatedObject, [](CArchive& ar) {
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar.ReadObject(nullptr); }));
    });
    // A huge stored string length with no characters behind it ends in endOfFile.
    Bytes hugeString = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 0x41, 0x00};
    Load(hugeString, [](CArchive& ar) {
        CString s;
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> s; }));
    });
    Load(Bytes{}, [](CArchive& ar) {
        BYTE b = 0;
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> b; }));
        EXPECT_EQ(CArchiveException::readOnly, ArchiveCause([&] { ar << b; }));
    });
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    BYTE b = 0;
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] { ar >> b; }));
    try {
        ar.WriteClass(RUNTIME_CLASS(CMemFile));
        ADD_FAILURE() << "no exception";
    } catch (CNotSupportedException* e) {
        e->Delete();
    }
}

TEST(ArchiveFormat, LargeWritesPassThroughTheBuffer)
{
    Bytes big(20000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<BYTE>(i * 7);
    }
    Bytes bytes = Store([&](CArchive& ar) {
        ar << static_cast<BYTE>(1);
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar << static_cast<DWORD>(0xABCDEF01);
    });
    ASSERT_EQ(20005u, bytes.size());
    Load(bytes, [&](CArchive& ar) {
        BYTE first = 0;
        ar >> first;
        Bytes back(big.size());
        EXPECT_EQ(big.size(), ar.Read(back.data(), static_cast<UINT>(back.size())));
        EXPECT_EQ(big, back);
        DWORD last = 0;
        ar >> last;
        EXPECT_EQ(0xABCDEF01u, last);
        EXPECT_EQ(0u, ar.Read(back.data(), 10));
    });
}

TEST(ArchiveFormat, FlushAndAbort)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar << static_cast<DWORD>(1);
    EXPECT_EQ(0u, file.GetLength());
    ar.Flush();
    EXPECT_EQ(4u, file.GetPosition());
    ar << static_cast<DWORD>(2);
    ar.Abort();  // the second word is dropped
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(nullptr, ar.GetFile());

    // A loading archive that is flushed hands unread bytes back to its file.
    BYTE data[] = {1, 2, 3, 4, 5, 6};
    CMemFile source(data, sizeof(data));
    CArchive reader(&source, CArchive::load);
    BYTE b = 0;
    reader >> b;
    reader.Flush();
    EXPECT_EQ(1u, source.GetPosition());
}

TEST(ArchiveFormat, VariantsAndCollections)
{
    CY currency;
    currency.int64 = 0x0000000200000001LL;
    Bytes bytes = Store([&](CArchive& ar) {
        ar << COleVariant(L"text") << COleVariant(static_cast<long>(-7))
           << COleVariant(2.5) << COleVariant(currency) << COleVariant(static_cast<BYTE>(9))
           << COleVariant();
        CStringArray strings;
        strings.Add(L"one");
        strings.Add(L"two");
        strings.Serialize(ar);
        CArray<int, int> ints;
        ints.Add(3);
        ints.Add(-4);
        ints.Serialize(ar);
        CMap<UINT, UINT, CString, LPCTSTR> map;
        map.SetAt(1, L"a");
        map.SetAt(2, L"b");
        map.Serialize(ar);
    });
    // The currency: type 6, then the low word first.
    const Bytes currencyForm = {0x06, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), currencyForm.begin(), currencyForm.end()),
              bytes.end());
    Load(bytes, [&](CArchive& ar) {
        COleVariant text, number, real, cy, byte, empty;
        ar >> text >> number >> real >> cy >> byte >> empty;
        EXPECT_TRUE(text == COleVariant(L"text"));
        EXPECT_TRUE(number == COleVariant(static_cast<long>(-7)));
        EXPECT_TRUE(real == COleVariant(2.5));
        EXPECT_TRUE(cy == COleVariant(currency));
        EXPECT_TRUE(byte == COleVariant(static_cast<BYTE>(9)));
        EXPECT_EQ(VT_EMPTY, empty.vt);
        CStringArray strings;
        strings.Serialize(ar);
        ASSERT_EQ(2, strings.GetSize());
        EXPECT_STREQ(L"two", strings[1].GetString());
        CArray<int, int> ints;
        ints.Serialize(ar);
        ASSERT_EQ(2, ints.GetSize());
        EXPECT_EQ(-4, ints[1]);
        CMap<UINT, UINT, CString, LPCTSTR> map;
        map.Serialize(ar);
        CString value;
        EXPECT_TRUE(map.Lookup(2, value));
        EXPECT_STREQ(L"b", value.GetString());
    });
}

TEST(ArchiveFormat, CallersBuffer)
{
    BYTE buffer[128];
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, sizeof(buffer), buffer);
        for (int i = 0; i < 100; ++i) {
            ar << static_cast<DWORD>(i);
        }
    }
    EXPECT_EQ(400u, file.GetLength());
    BYTE small[16];
    try {
        CArchive ar(&file, CArchive::store, sizeof(small), small);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

TEST(ArchiveFormat, OverADiskFile)
{
    wchar_t folder[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, folder));
    CString path;
    path.Format(L"%sfwarchive%lu.bin", folder, ::GetCurrentProcessId());
    CString text(L'x', 5000);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        for (int i = 0; i < 3; ++i) {
            ar << text << static_cast<DWORD>(i);
        }
    }  // the archive's destructor flushes before the file closes
    {
        CFile file(path, CFile::modeRead);
        EXPECT_EQ(3u * (3 + 1 + 2 + 10000 + 4), file.GetLength());
        CArchive ar(&file, CArchive::load);
        for (DWORD i = 0; i < 3; ++i) {
            CString back;
            DWORD index = 99;
            ar >> back >> index;
            EXPECT_EQ(text, back);
            EXPECT_EQ(i, index);
        }
        ar.Close();
        EXPECT_EQ(file.GetLength(), file.GetPosition());
    }
    ::DeleteFileW(path);
}

TEST(ArchiveFormat, MapObjectReservesAnIndex)
{
    CNode stored;
    Bytes bytes = Store([&](CArchive& ar) {
        ar.MapObject(&stored);
        ar << &stored;  // already mapped: written as a reference to index 1
    });
    EXPECT_EQ((Bytes{0x01, 0x00}), bytes);
    Load(bytes, [&](CArchive& ar) {
        CNode existing;
        ar.MapObject(&existing);
        CObject* back = ar.ReadObject(RUNTIME_CLASS(CNode));
        EXPECT_EQ(&existing, back);
    });
}

}  // namespace
