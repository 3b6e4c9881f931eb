// Image resources (slots in shared bitmaps) and the persistence of icons: the saved record
// byte for byte, older schemas, and damaged streams that must leave the held icons alone.
#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ImageTestImages.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"

#include <cstdlib>
#include <functional>

namespace {

using orvane::test::Argb;
using orvane::test::DrawCanvas;
using Bytes = std::vector<BYTE>;

Bytes StoreWith(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + length);
    std::free(data);
    return bytes;
}

// Runs the reader; the cause of the archive exception it raised, or -1.
int LoadWith(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        read(ar);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

void PutLong(Bytes& b, int32_t v)
{
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<BYTE>(static_cast<uint32_t>(v) >> (8 * i)));
    }
}

void PutCount(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<BYTE>(v));
    b.push_back(static_cast<BYTE>(v >> 8));
}

// The record of an alpha bitmap of width x height 32-bit pixels (bottom-up, as given).
void PutAlphaRecord(Bytes& b, int width, int height, const std::vector<uint32_t>& pixels)
{
    PutCount(b, 52);
    PutLong(b, 40);
    PutLong(b, width);
    PutLong(b, height);
    b.insert(b.end(), {1, 0, 32, 0});
    PutLong(b, 0);  // plain pixels
    PutLong(b, width * height * 4);
    for (int i = 0; i < 4; ++i) {
        PutLong(b, 0);
    }
    b.insert(b.end(), 12, 0);  // room for three colour entries
    PutCount(b, static_cast<uint32_t>(width * height * 4));
    for (uint32_t p : pixels) {
        PutLong(b, static_cast<int32_t>(p));
    }
}

HBITMAP FourByTwo()
{
    // Top-down rows: the second pixel is fully transparent (its colour goes to 0 when
    // premultiplied), the third half transparent.
    return orvane::test::MakeBitmap32(4, 2, [](int x, int y) -> uint32_t {
        if (y == 0 && x == 1) {
            return 0x00123456u;
        }
        if (y == 0 && x == 2) {
            return 0x80FF0000u;
        }
        return Argb(255, RGB(10 * x, 20 * y, 30));
    });
}

// The premultiplied bottom-up pixels of FourByTwo.
std::vector<uint32_t> FourByTwoStored()
{
    std::vector<uint32_t> p;
    for (int y : {1, 0}) {
        for (int x = 0; x < 4; ++x) {
            if (y == 0 && x == 1) {
                p.push_back(0);
            } else if (y == 0 && x == 2) {
                p.push_back(0x80800000u);  // 255 * 128 / 255
            } else {
                p.push_back(Argb(255, RGB(10 * x, 20 * y, 30)));
            }
        }
    }
    return p;
}

TEST(ImageResource, SlotsAreAllocatedReusedAndFreed)
{
    CUTKImageManagerResource resource(nullptr, 16, 16);
    UTK_IMAGERESOURCE_INFO* slots[3];
    for (int i = 0; i < 3; ++i) {
        slots[i] = resource.AllocSlot();
        ASSERT_NE(slots[i], nullptr);
        EXPECT_EQ(slots[i]->rc, CRect(16 * i, 0, 16 * i + 16, 16));
    }
    EXPECT_EQ(resource.GetUsedWidth(), 48);
    BITMAP object = {};
    ASSERT_NE(::GetObjectW(resource.GetColorBitmap(), sizeof(object), &object), 0);
    EXPECT_EQ(object.bmWidth, 48);
    resource.FreeSlot(slots[1]);
    UTK_IMAGERESOURCE_INFO* reused = resource.AllocSlot();
    EXPECT_EQ(reused, slots[1]);
    EXPECT_EQ(reused->rc.left, 16);
    EXPECT_EQ(resource.GetUsedWidth(), 48);
    for (UTK_IMAGERESOURCE_INFO* slot : {slots[0], reused, slots[2]}) {
        resource.FreeSlot(slot);
    }
    EXPECT_EQ(resource.GetColorBitmap(), nullptr);
    EXPECT_EQ(resource.GetMaskBitmap(), nullptr);
    EXPECT_EQ(resource.GetUsedWidth(), 0);
    UTK_IMAGERESOURCE_INFO* again = resource.AllocSlot();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->rc.left, 0);
    resource.FreeSlot(again);
}

TEST(ImageResource, ImagesGoInAndComeOutUnchanged)
{
    CUTKImageManager* manager = new CUTKImageManager;
    CUTKImageManagerResource* resource = manager->GetResource(16, 16);
    EXPECT_EQ(manager->GetResource(16, 16), resource);
    // Wrong sizes and empty images take no slot.
    IconImageHandle empty;
    EXPECT_EQ(resource->Add(empty), nullptr);
    HBITMAP wrong = orvane::test::MakeBitmap32(8, 16, [](int, int) { return 0xFF000000u; });
    EXPECT_EQ(resource->Add(IconImageHandle(wrong)), nullptr);
    ::DeleteObject(wrong);
    EXPECT_EQ(resource->GetSlotsInUse(), 0);

    HBITMAP alpha = orvane::test::MakeBitmap32(
        16, 16, [](int x, int) { return x < 8 ? Argb(255, RGB(200, 0, 0)) : 0u; });
    HICON classic = orvane::test::MakeSolidIcon(16, 16, RGB(0, 90, 0), 4);
    IconImageHandle inAlpha(alpha);
    IconImageHandle inClassic(classic);
    IconImageHandle outAlpha;
    IconImageHandle outClassic;
    outAlpha.SetManager(manager);
    outClassic.SetManager(manager);
    outAlpha.CopyHandle(inAlpha);
    outClassic.CopyHandle(inClassic);
    ASSERT_NE(outAlpha.GetSlot(), nullptr);
    ASSERT_NE(outClassic.GetSlot(), nullptr);
    EXPECT_TRUE(outAlpha.IsAlpha());
    EXPECT_FALSE(outClassic.IsAlpha());
    EXPECT_EQ(outClassic.GetSlot()->rc.left, 16);

    for (IconImageHandle* image : {&outAlpha, &outClassic}) {
        IconImageHandle detached;
        detached.CopyHandle(*image);
        EXPECT_EQ(detached.GetSlot(), nullptr);
        EXPECT_EQ(detached.GetExtent(), CSize(16, 16));
        for (IconImageHandle* drawn : {image, &detached}) {
            DrawCanvas canvas(16, 16, RGB(1, 2, 3));
            drawn->Draw(canvas.dc(), CPoint(0, 0), CSize(16, 16), FALSE);
            if (image == &outAlpha) {
                EXPECT_EQ(canvas.At(2, 5), RGB(200, 0, 0));
                EXPECT_EQ(canvas.At(12, 5), RGB(1, 2, 3));
            } else {
                EXPECT_EQ(canvas.At(2, 5), RGB(1, 2, 3));
                EXPECT_EQ(canvas.At(12, 5), RGB(0, 90, 0));
            }
            // Composited drawing gives the same picture.
            DrawCanvas composited(16, 16, RGB(1, 2, 3));
            drawn->Draw(composited.dc(), CPoint(0, 0), CSize(16, 16), TRUE);
            EXPECT_EQ(composited.At(2, 5), canvas.At(2, 5));
            EXPECT_EQ(composited.At(12, 5), canvas.At(12, 5));
        }
    }
    outAlpha.Clear();
    outClassic.Clear();
    EXPECT_EQ(resource->GetColorBitmap(), nullptr);
    ::DeleteObject(alpha);
    ::DestroyIcon(classic);
    manager->InternalRelease();
}

TEST(ImagePersistence, IconRecordByteForByte)
{
    Bytes expected;
    PutLong(expected, 2);   // height
    PutLong(expected, 36);  // schema
    PutAlphaRecord(expected, 4, 2, FourByTwoStored());
    PutCount(expected, 0);  // no mask: an alpha image
    for (int image = 0; image < 4; ++image) {
        PutCount(expected, 0);
        PutCount(expected, 0);
    }
    for (bool resources : {true, false}) {
        SCOPED_TRACE(resources);
        CUTKImageManager* manager = new CUTKImageManager;
        manager->m_bUseResources = resources ? TRUE : FALSE;
        HBITMAP bitmap = FourByTwo();
        IconImageHandle image(bitmap);
        ASSERT_TRUE(manager->SetIconImage(image, 40, 0, 0, 0));
        image.Clear();
        ::DeleteObject(bitmap);
        CUTKImageManagerIcon* icon = manager->GetImage(40, 4);
        const Bytes stored = StoreWith([icon](CArchive& ar) { icon->Serialize(ar); });
        EXPECT_EQ(stored, expected);

        // And back: the same pixels, and stored again the same bytes.
        CUTKImageManagerIconSet set(41, manager);
        CUTKImageManagerIcon* loaded = set.CreateIcon(4);
        EXPECT_EQ(LoadWith(expected, [loaded](CArchive& ar) { loaded->Serialize(ar); }), -1);
        EXPECT_EQ(loaded->GetHeight(), 2);
        EXPECT_TRUE(loaded->IsAlpha());
        EXPECT_TRUE(loaded->GetHotIcon().IsAlpha());
        EXPECT_EQ(StoreWith([loaded](CArchive& ar) { loaded->Serialize(ar); }), expected);
        set.RemoveAll();
        manager->InternalRelease();
    }
}

TEST(ImagePersistence, OlderSchemas)
{
    // One opaque half-red pixel block, not yet premultiplied in schema 24.
    const std::vector<uint32_t> pixels(8, 0x80C80000u);
    struct Case {
        int schema;
        int images;       // records in the stream
        COLORREF drawn;   // over black
        bool checked;     // a checked image was read
    } cases[] = {
        {7, 3, RGB(100, 0, 0), false},   // premultiplied on first use: 200 * 128 / 255
        {16, 4, RGB(100, 0, 0), true},
        {24, 5, RGB(100, 0, 0), true},
        {36, 5, RGB(200, 0, 0), true},   // taken as already premultiplied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.schema);
        Bytes stream;
        PutLong(stream, 2);
        PutLong(stream, c.schema);
        for (int i = 0; i < c.images; ++i) {
            PutAlphaRecord(stream, 4, 2, pixels);
            PutCount(stream, 0);
        }
        stream.push_back(0x5A);  // what follows the record stays unread
        CUTKImageManager* manager = new CUTKImageManager;
        CUTKImageManagerIconSet set(1, manager);
        CUTKImageManagerIcon* icon = set.CreateIcon(4);
        size_t left = 0;
        EXPECT_EQ(LoadWith(stream,
                           [icon, &left](CArchive& ar) {
                               icon->Serialize(ar);
                               BYTE rest[4];
                               left = ar.Read(rest, sizeof(rest));
                           }),
                  -1);
        EXPECT_EQ(left, 1u);
        EXPECT_EQ(!icon->GetCheckedIcon().IsEmpty() &&
                      &icon->GetCheckedIcon() != &icon->GetHotIcon(),
                  c.checked);
        DrawCanvas canvas(4, 2, RGB(0, 0, 0));
        icon->Draw(canvas.dc(), CPoint(0, 0));
        EXPECT_LE(orvane::test::ColourDistance(canvas.At(1, 1), c.drawn), 1);
        set.RemoveAll();
        manager->InternalRelease();
    }
}

// Two icon sets (alpha and classic, two widths) saved through the manager.
Bytes SavedManager()
{
    CUTKImageManager* manager = new CUTKImageManager;
    HBITMAP bitmap = FourByTwo();
    IconImageHandle alpha(bitmap);
    (void)manager->SetIconImage(alpha, 500, 0, 0, 0);
    alpha.Clear();
    ::DeleteObject(bitmap);
    HICON small = orvane::test::MakeSolidIcon(4, 4, RGB(0, 0, 200), 1);
    HICON large = orvane::test::MakeSolidIcon(8, 8, RGB(0, 200, 0), 2);
    (void)manager->SetIconImage(IconImageHandle(small), 501, 0, 0, 0);
    (void)manager->SetIconImage(IconImageHandle(large), 501, 0, 0, 0);
    (void)manager->SetIconImage(IconImageHandle(large), 501, 0, 0, 2);
    ::DestroyIcon(small);
    ::DestroyIcon(large);
    const Bytes saved = StoreWith([manager](CArchive& ar) { manager->Serialize(ar); });
    manager->InternalRelease();
    return saved;
}

// A manager holding one icon that a damaged load must not touch.
struct HeldIcons {
    CUTKImageManager* manager = new CUTKImageManager;
    CUTKImageManagerIcon* icon = nullptr;
    HeldIcons()
    {
        HICON held = orvane::test::MakeSolidIcon(16, 16, RGB(222, 111, 0));
        (void)manager->SetIconImage(IconImageHandle(held), 77, 0, 0, 0);
        ::DestroyIcon(held);
        icon = manager->GetImage(77, 16);
    }
    ~HeldIcons() { manager->InternalRelease(); }
    HeldIcons(const HeldIcons&) = delete;
    HeldIcons& operator=(const HeldIcons&) = delete;
    bool Intact()
    {
        if (manager->GetImage(77, 16) != icon || manager->GetIconSet(500) != nullptr) {
            return false;
        }
        DrawCanvas canvas(16, 16, 0);
        icon->Draw(canvas.dc(), CPoint(0, 0));
        return canvas.At(8, 8) == RGB(222, 111, 0);
    }
};

TEST(ImagePersistence, ManagerRoundTrip)
{
    const Bytes saved = SavedManager();
    HeldIcons held;
    EXPECT_EQ(LoadWith(saved, [&](CArchive& ar) { held.manager->Serialize(ar); }), -1);
    // The held icon set is replaced by what was saved.
    EXPECT_EQ(held.manager->GetIconSet(77), nullptr);
    ASSERT_NE(held.manager->GetImage(500, 4), nullptr);
    EXPECT_TRUE(held.manager->GetImage(500, 4)->IsAlpha());
    ASSERT_TRUE(held.manager->IsImageAvailable(501, 4));
    ASSERT_TRUE(held.manager->IsImageAvailable(501, 8));
    CUTKImageManagerIcon* large = held.manager->GetImage(501, 8);
    EXPECT_NE(&large->GetHotIcon(), &large->GetIcon());
    DrawCanvas canvas(8, 8, RGB(5, 5, 5));
    large->Draw(canvas.dc(), CPoint(0, 0));
    EXPECT_EQ(canvas.At(0, 4), RGB(5, 5, 5));
    EXPECT_EQ(canvas.At(5, 4), RGB(0, 200, 0));
    held.icon = nullptr;
    // Saving what was loaded gives the same stream.
    EXPECT_EQ(StoreWith([&](CArchive& ar) { held.manager->Serialize(ar); }), saved);
}

TEST(ImagePersistence, EveryTruncationIsRefusedAndKeepsTheHeldIcons)
{
    const Bytes saved = SavedManager();
    HeldIcons held;
    for (size_t length = 0; length < saved.size(); ++length) {
        const Bytes cut(saved.begin(), saved.begin() + static_cast<long>(length));
        const int cause = LoadWith(cut, [&](CArchive& ar) { held.manager->Serialize(ar); });
        EXPECT_NE(cause, -1) << length;
        ASSERT_TRUE(held.Intact()) << length;
    }
}

TEST(ImagePersistence, EveryByteFlipIsRefusedOrHarmless)
{
    const Bytes saved = SavedManager();
    int refused = 0;
    for (size_t at = 0; at < saved.size(); ++at) {
        Bytes flipped = saved;
        flipped[at] ^= 0xA5;
        HeldIcons held;
        const int cause = LoadWith(flipped, [&](CArchive& ar) { held.manager->Serialize(ar); });
        if (cause != -1) {
            ++refused;
            ASSERT_TRUE(held.Intact()) << at;
            continue;
        }
        // Accepted: whatever was read draws and saves without harm.
        DrawCanvas canvas(32, 32, 0);
        for (UINT id : {500u, 501u, 77u}) {
            if (CUTKImageManagerIcon* icon = held.manager->GetImage(id, 0)) {
                icon->Draw(canvas.dc(), CPoint(0, 0));
                icon->DrawImage(canvas.dc(), CPoint(0, 0), icon->GetDisabledIcon(), CSize(8, 8));
            }
        }
        (void)StoreWith([&](CArchive& ar) { held.manager->Serialize(ar); });
    }
    // Most flips land in headers, counts and sizes that the loader checks.
    EXPECT_GT(refused, 0);
}

TEST(ImagePersistence, OtherCheckSumIsABadClass)
{
    Bytes stream = StoreWith([](CArchive& ar) {
        CUTKPropExchangeArchive px(ar);
        CString wrong = L"SomethingElse";
        (void)ExchangeStringProp(&px, L"CheckSum", wrong);
    });
    HeldIcons held;
    EXPECT_EQ(LoadWith(stream,
                       [&](CArchive& ar) {
                           CUTKPropExchangeArchive px(ar);
                           held.manager->ExchangeIconSet(77, &px);
                       }),
              CArchiveException::badClass);
    EXPECT_TRUE(held.Intact());
    // A set saved under its check sum loads, and raises the largest command id.
    CUTKImageManager* source = new CUTKImageManager;
    HICON icon = orvane::test::MakeSolidIcon(16, 16, RGB(1, 1, 1));
    (void)source->SetIconImage(IconImageHandle(icon), 0x20000, 0, 0, 0);
    ::DestroyIcon(icon);
    const Bytes good = StoreWith([&](CArchive& ar) {
        CUTKPropExchangeArchive px(ar);
        source->ExchangeIconSet(0x20000, &px);
    });
    source->InternalRelease();
    EXPECT_EQ(LoadWith(good,
                       [&](CArchive& ar) {
                           CUTKPropExchangeArchive px(ar);
                           held.manager->ExchangeIconSet(0x20000, &px);
                       }),
              -1);
    EXPECT_TRUE(held.manager->IsImageAvailable(0x20000, 16));
    EXPECT_EQ(held.manager->m_nMaxCommand, 0x20000u);
    EXPECT_TRUE(held.Intact() || held.manager->GetIconSet(500) == nullptr);
}

TEST(ImagePersistence, IconSetThroughAnIniFile)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"orvane-icon-set.ini";
    ::DeleteFileW(file.c_str());
    CUTKImageManager* source = new CUTKImageManager;
    HBITMAP bitmap = FourByTwo();
    (void)source->SetIconImage(IconImageHandle(bitmap), 600, 0, 0, 0);
    ::DeleteObject(bitmap);
    HICON hot = orvane::test::MakeSolidIcon(4, 2, RGB(9, 80, 160), 1);
    (void)source->SetIconImage(IconImageHandle(hot), 600, 0, 0, 2);
    ::DestroyIcon(hot);
    auto* store = new CUTKPropExchangeIniFile(FALSE, nullptr, L"Icons");
    store->AssignFile(file.c_str());
    source->ExchangeIconSet(600, store);
    store->InternalRelease();
    source->InternalRelease();

    HeldIcons held;
    auto* load = new CUTKPropExchangeIniFile(TRUE, nullptr, L"Icons");
    load->AssignFile(file.c_str());
    held.manager->ExchangeIconSet(600, load);
    load->InternalRelease();
    ::DeleteFileW(file.c_str());
    EXPECT_TRUE(held.Intact());
    CUTKImageManagerIcon* icon = held.manager->GetImage(600, 4);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->IsAlpha());
    EXPECT_FALSE(icon->GetHotIcon().IsAlpha());
    DrawCanvas canvas(4, 2, RGB(0, 0, 0));
    icon->Draw(canvas.dc(), CPoint(0, 0));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 20, 30));
    DrawCanvas hotCanvas(4, 2, RGB(1, 1, 1));
    icon->DrawImage(hotCanvas.dc(), CPoint(0, 0), icon->GetHotIcon());
    EXPECT_EQ(hotCanvas.At(0, 0), RGB(1, 1, 1));
    EXPECT_EQ(hotCanvas.At(2, 0), RGB(9, 80, 160));
}

}  // namespace
