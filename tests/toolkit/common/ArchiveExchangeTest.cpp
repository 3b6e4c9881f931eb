// The binary exchange: byte layouts of single values, a whole tree stored and loaded byte for
// byte, and damaged streams (cut short, bytes flipped) that must fail cleanly.
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "tests/toolkit/common/ExchangeTestTree.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <functional>
#include <vector>

namespace {

using orvane::test::ExchangeTree;
using Bytes = std::vector<BYTE>;

Bytes Store(const std::function<void(CUTKPropExchange*)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        write(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// Loads with the given reader; the archive is closed afterwards.
void Load(const Bytes& bytes, const std::function<void(CUTKPropExchange*)>& read)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    read(&px);
}

// Runs the loader; the cause of the archive exception it raised, or -1 when none.
int LoadCause(const Bytes& bytes, const std::function<void(CUTKPropExchange*)>& read)
{
    try {
        Load(bytes, read);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST(ArchiveExchangeBytes, SingleValues)
{
    const struct {
        const char* what;
        std::function<void(CUTKPropExchange*)> write;
        Bytes expected;
    } cases[] = {
        {"BOOL, byte, \"ab\"",
         [](CUTKPropExchange* px) {
             BOOL flag = TRUE;
             BYTE b = 0x7F;
             CString text = L"ab";
             ASSERT_TRUE(ExchangeBoolProp(px, L"Flag", flag, TRUE));
             ASSERT_TRUE(ExchangeByteProp(px, L"Byte", b, 0));
             ASSERT_TRUE(ExchangeStringProp(px, L"Text", text));
         },
         {0x01, 0x00, 0x00, 0x00, 0x7F, 0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x62, 0x00}},
        {"schema 36",
         [](CUTKPropExchange* px) { px->ExchangeSchema(); },
         {0xBF, 0xAD, 0xF0, 0x0F, 0x24, 0x00, 0x00, 0x00}},
        {"count 70000",
         [](CUTKPropExchange* px) { px->WriteCount(70000); },
         {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
        {"count 5", [](CUTKPropExchange* px) { px->WriteCount(5); }, {0x05, 0x00}},
        {"short -2, rect, size",
         [](CUTKPropExchange* px) {
             short s = -2;
             CRect r(1, -1, 2, 3);
             CSize z(4, 5);
             ASSERT_TRUE(ExchangeShortProp(px, L"S", s, 0));
             ASSERT_TRUE(ExchangeRectProp(px, L"R", r, CRect()));
             ASSERT_TRUE(ExchangeSizeProp(px, L"Z", z, CSize()));
         },
         {0xFE, 0xFF, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00,
          0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00}},
        {"currency low word first, date status first",
         [](CUTKPropExchange* px) {
             CY cy;
             cy.int64 = 0x0000000200000001LL;
             COleDateTime date(1.5);
             ASSERT_TRUE(px->ExchangeValue(L"C", VT_CY, &cy, nullptr));
             ASSERT_TRUE(px->ExchangeValue(L"D", VT_DATE, &date, nullptr));
         },
         {0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F}},
        {"blob: count, then bytes; a value equal to its default is still written",
         [](CUTKPropExchange* px) {
             BYTE raw[] = {0xAA, 0xBB};
             BYTE* data = raw;
             DWORD size = 2;
             int zero = 0;
             ASSERT_TRUE(ExchangeBlobProp(px, L"B", data, size));
             ASSERT_TRUE(ExchangeIntPropDefault(px, L"I", zero, 0));
         },
         {0x02, 0x00, 0xAA, 0xBB, 0x00, 0x00, 0x00, 0x00}},
        {"a BSTR writes nothing and is refused",
         [](CUTKPropExchange* px) {
             BSTR text = ::SysAllocString(L"x");
             EXPECT_FALSE(px->ExchangeValue(L"B", VT_BSTR, &text, L"x"));
             ::SysFreeString(text);
             int unknown = 5;
             EXPECT_FALSE(px->ExchangeValue(L"U", VT_I8, &unknown, nullptr));
             VARIANT v;
             ::VariantInit(&v);
             v.vt = VT_UNKNOWN;
             v.punkVal = nullptr;
             EXPECT_FALSE(px->ExchangeValue(L"V", VT_VARIANT, &v, nullptr));
         },
         {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, Store(c.write)) << c.what;
    }
}

TEST(ArchiveExchangeBytes, StreamWithoutMarkerIsSchema17)
{
    const Bytes old = {0x05, 0x00, 0x00, 0x00};
    Load(old, [](CUTKPropExchange* px) {
        px->ExchangeSchema();
        EXPECT_EQ(17, px->m_nSchema);
        int first = 0;
        ASSERT_TRUE(ExchangeIntProp(px, L"First", first));
        EXPECT_EQ(5, first);
    });
    Load({0xBF, 0xAD, 0xF0, 0x0F, 0x24, 0x00, 0x00, 0x00}, [](CUTKPropExchange* px) {
        px->m_nSchema = 0;
        px->ExchangeSchema();
        EXPECT_EQ(36, px->m_nSchema);
    });
    Load({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}, [](CUTKPropExchange* px) {
        EXPECT_EQ(70000u, px->ReadCount());
    });
}

TEST(ArchiveExchangeBytes, BlobIntoAGivenBuffer)
{
    const Bytes stream = {0x03, 0x00, 0x01, 0x02, 0x03, 0x09};
    Load(stream, [](CUTKPropExchange* px) {
        BYTE small[2] = {};
        BYTE* data = small;
        DWORD size = sizeof small;
        // Too small: refused, the count consumed, the bytes not.
        EXPECT_FALSE(ExchangeBlobProp(px, L"B", data, size));
        BYTE rest[4] = {};
        EXPECT_EQ(4u, px->ReadBlob(L"Rest", rest, 4));
        EXPECT_EQ((Bytes{1, 2, 3, 9}), Bytes(rest, rest + 4));
    });
    // A count beyond the data is the end of the stream, before anything is allocated.
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01}, [](CUTKPropExchange* px) {
                  BYTE* data = nullptr;
                  DWORD size = 0;
                  (void)ExchangeBlobProp(px, L"B", data, size);
                  std::free(data);
              }));
}

TEST(ArchiveExchangeTree, RoundTripsByteForByte)
{
    ExchangeTree stored = ExchangeTree::Sample();
    const Bytes bytes = Store([&](CUTKPropExchange* px) {
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px, stored));
    });
    ExchangeTree loaded;
    Load(bytes, [&](CUTKPropExchange* px) {
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px, loaded));
        // The last class read sets the schema: CTreeItemEx is stored with schema 2.
        EXPECT_EQ(2, px->m_nSchema);
    });
    orvane::test::ExpectSameTree(stored, loaded);
    // The object written again came back as a reference to the one loaded.
    EXPECT_EQ(loaded.object.get(), loaded.repeated);
    const Bytes again = Store([&](CUTKPropExchange* px) {
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px, loaded));
    });
    EXPECT_EQ(bytes, again);
}

TEST(ArchiveExchangeTree, ObjectOfAClassOutsideTheExpectedOneIsRefused)
{
    const Bytes bytes = Store([](CUTKPropExchange* px) {
        CTreeOther other;
        CObject* object = &other;
        ASSERT_TRUE(px->ExchangeObjectInstance(object, RUNTIME_CLASS(CObject)));
    });
    const int before = CTreeItem::Instances();
    EXPECT_EQ(CArchiveException::badClass, LoadCause(bytes, [](CUTKPropExchange* px) {
                  CObject* object = nullptr;
                  (void)px->ExchangeObjectInstance(object,
                                                   RUNTIME_CLASS(CTreeItem));
                  delete object;
              }));
    EXPECT_EQ(before, CTreeItem::Instances());
}

// Each cut of the stream ends in the archive's end-of-file exception; a cut inside the last
// value, a serialized object, makes that object's exchange answer FALSE instead (it catches
// archive exceptions around the serialization).
TEST(ArchiveExchangeDamage, EveryTruncationIsTheEndOfFile)
{
    ExchangeTree stored = ExchangeTree::Sample();
    const Bytes bytes = Store([&](CUTKPropExchange* px) {
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px, stored));
    });
    const size_t serializedAt = bytes.size() - sizeof(int);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const Bytes shortened(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        ExchangeTree loaded;
        bool result = true;
        const int cause = LoadCause(shortened, [&](CUTKPropExchange* px) {
            result = orvane::test::ExchangeWholeTree(px, loaded);
        });
        if (cut < serializedAt) {
            EXPECT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut;
        } else {
            EXPECT_EQ(-1, cause) << "cut at " << cut;
            EXPECT_FALSE(result) << "cut at " << cut;
        }
    }
}

SIZE_T PeakCommit()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

// Each flipped byte gives an exception, a refusal or other values: never a crash, and never
// an allocation sized by a damaged count.
TEST(ArchiveExchangeDamage, FlippedBytesFailCleanly)
{
    ExchangeTree stored = ExchangeTree::Sample();
    const Bytes bytes = Store([&](CUTKPropExchange* px) {
        ASSERT_TRUE(orvane::test::ExchangeWholeTree(px, stored));
    });
    const SIZE_T peakBefore = PeakCommit();
    int exceptions = 0;
    int refusals = 0;
    int loaded = 0;
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (BYTE mask : {BYTE(0xFF), BYTE(0x01), BYTE(0x80)}) {
            Bytes damaged = bytes;
            damaged[at] ^= mask;
            ExchangeTree tree;
            try {
                Load(damaged, [&](CUTKPropExchange* px) {
                    if (orvane::test::ExchangeWholeTree(px, tree)) {
                        ++loaded;
                    } else {
                        ++refusals;
                    }
                });
            } catch (CException* e) {
                e->Delete();
                ++exceptions;
            }
            if (tree.repeated != tree.object.get()) {
                delete tree.repeated;
            }
        }
    }
    EXPECT_GT(exceptions, 0);
    EXPECT_GT(loaded, 0);
    EXPECT_LT(PeakCommit() - peakBefore, SIZE_T(64) * 1024 * 1024);
    std::printf("flips: %d exceptions, %d refusals, %d loaded with other values\n", exceptions,
                refusals, loaded);
}

TEST(ArchiveExchange, SectionsAndEnumeratorShareTheStream)
{
    const Bytes bytes = Store([](CUTKPropExchange* px) {
        CUTKPropExchange* section = px->GetSection(L"Ignored");
        EXPECT_TRUE(section->IsKindOf(RUNTIME_CLASS(CUTKPropExchangeArchive)));
        EXPECT_FALSE(section->IsRootSection());
        int v = 3;
        ASSERT_TRUE(ExchangeIntProp(section, L"V", v));
        section->InternalRelease();
        CUTKPropExchangeEnumerator* items = px->GetEnumerator(L"Item");
        POSITION pos = items->GetPosition(2, TRUE);
        int n = 0;
        while (pos) {
            CUTKPropExchange* item = items->GetNext(pos);
            BYTE b = static_cast<BYTE>(0x10 + n++);
            ASSERT_TRUE(ExchangeByteProp(item, L"B", b, 0));
            item->InternalRelease();
        }
        delete items;
        EXPECT_FALSE(px->CanOmitValues());
        EXPECT_TRUE(px->StoresBinary());
    });
    EXPECT_EQ((Bytes{0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x10, 0x11}), bytes);
}

}  // namespace
