// The image manager: loading icons from toolbar, bitmap, image-list and icon sources, the
// lookups by id and width, and the picture loaders (PNG, BMP, GIF files; resource bitmaps).
#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/common/ImageTestImages.h"
#include "toolkit/common/CUTKImageManager.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace {

using orvane::test::CellColour;
using orvane::test::ColourDistance;
using orvane::test::DrawCanvas;

// The colour at the centre of an icon drawn at its own size over white.
COLORREF CentreColour(CUTKImageManagerIcon* icon)
{
    DrawCanvas canvas(64, 64, RGB(255, 255, 255));
    icon->Draw(canvas.dc(), CPoint(0, 0));
    return canvas.At(icon->GetWidth() / 2, icon->GetHeight() / 2);
}

// A strip of cells 16 by 16 pixels, cell i in CellColour(i), opaque.
HBITMAP MakeStrip(int width)
{
    return orvane::test::MakeBitmap32(
        width, 16, [](int x, int) { return orvane::test::Argb(255, CellColour(x / 16)); });
}

struct ManagerFixture : ::testing::Test {
    CUTKImageManager* manager = new CUTKImageManager;
    void TearDown() override { manager->InternalRelease(); }
};

using ImageManagerLoading = ManagerFixture;

TEST_F(ImageManagerLoading, ToolBarOfTenItemsWithTwoSeparatorsGivesSixteenPixelIcons)
{
    ASSERT_TRUE(manager->SetIconsFromToolBar(128, 129, 0));
    const UINT ids[] = {101, 102, 103, 104, 105, 106, 107, 108};
    for (int cell = 0; cell < 8; ++cell) {
        SCOPED_TRACE(ids[cell]);
        CUTKImageManagerIcon* icon = manager->GetImage(ids[cell], 16);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->GetWidth(), 16);
        EXPECT_EQ(icon->GetHeight(), 16);
        EXPECT_TRUE(icon->IsAlpha());
        // Separators take no cell: each id has the cell of its place among the ids.
        EXPECT_LE(ColourDistance(CentreColour(icon), CellColour(cell)), 1);
    }
    EXPECT_EQ(manager->GetIconSet(0), nullptr);
}

TEST_F(ImageManagerLoading, ToolBarResourceShorterThanItsCountIsRefused)
{
    UINT* ids = nullptr;
    int count = -1;
    SIZE size = {0, 0};
    EXPECT_FALSE(ReadToolBarResource(133, ids, count, size));
    EXPECT_EQ(ids, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(manager->SetIconsFromToolBar(133, 129, 0));
    EXPECT_FALSE(manager->SetIconsFromToolBar(999, 129, 0));
    EXPECT_EQ(manager->GetIconSet(101), nullptr);

    ASSERT_TRUE(ReadToolBarResource(128, ids, count, size));
    std::unique_ptr<UINT[]> owned(ids);
    EXPECT_EQ(count, 8);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 15);
    EXPECT_EQ(owned[2], 103u);
}

TEST_F(ImageManagerLoading, StripWidthsAndCellSizes)
{
    struct Case {
        int width;
        int count;
        int cx;
        BOOL alpha;
        BOOL result;
        int icons;
    } cases[] = {
        {48, 0, 16, TRUE, TRUE, 3},   // count from the width
        {48, 3, 0, TRUE, TRUE, 3},    // cell size from the count
        {50, 0, 16, TRUE, FALSE, 0},  // not a multiple of the cell
        {48, 0, 0, TRUE, FALSE, 0},   // no cell size at all
        {48, 0, 16, FALSE, TRUE, 3},  // through an image list
        {48, 0, 0, FALSE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " " << c.count << " " << c.cx << " "
                                        << c.alpha);
        manager->RemoveAll();
        CBitmap strip;
        strip.Attach(MakeStrip(c.width));
        EXPECT_EQ(manager->SetIconsFromBitmap(&strip, nullptr, c.count, c.cx, 0, 0, c.alpha),
                  c.result);
        for (int i = 0; i < 3; ++i) {
            CUTKImageManagerIcon* icon = manager->GetImage(static_cast<UINT>(i), 16);
            EXPECT_EQ(icon != nullptr, i < c.icons) << i;
            if (icon != nullptr) {
                EXPECT_EQ(icon->GetWidth(), 16);
                EXPECT_LE(ColourDistance(CentreColour(icon), CellColour(i)), 1);
            }
        }
    }
}

TEST_F(ImageManagerLoading, WholeBitmapAsCommandZero)
{
    for (BOOL alpha : {TRUE, FALSE}) {
        manager->RemoveAll();
        CBitmap picture;
        picture.Attach(MakeStrip(48));
        ASSERT_TRUE(manager->SetIconsFromBitmap(&picture, nullptr, 1, 0, 0, 0, alpha));
        CUTKImageManagerIcon* icon = manager->GetImage(0, 48);
        ASSERT_NE(icon, nullptr) << alpha;
        EXPECT_EQ(icon->GetWidth(), 48);
        EXPECT_EQ(icon->GetHeight(), 16);
        EXPECT_EQ(manager->GetIconSet(1), nullptr);
    }
}

TEST_F(ImageManagerLoading, IdListsWithZeros)
{
    struct Case {
        std::vector<UINT> ids;
        // Expected cell of each id (-1: no icon).
        std::vector<std::pair<UINT, int>> expect;
    } cases[] = {
        // Shorter than the cells... with zeros: the zeros take no cell.
        {{201, 0, 202, 0, 203}, {{201, 0}, {202, 1}, {203, 2}, {0, -1}}},
        // As long as the cells: a zero takes its cell and is stored under id 0.
        {{301, 0, 302}, {{301, 0}, {0, 1}, {302, 2}}},
        // Longer than the cells: the rest is skipped.
        {{401, 402, 403, 404}, {{401, 0}, {402, 1}, {403, 2}, {404, -1}}},
    };
    for (BOOL alpha : {TRUE, FALSE}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "alpha " << alpha << " first id " << c.ids[0]);
            manager->RemoveAll();
            CBitmap strip;
            strip.Attach(MakeStrip(48));
            ASSERT_TRUE(manager->SetIconsFromBitmap(&strip, c.ids.data(),
                                                    static_cast<int>(c.ids.size()), 16, 16, 0,
                                                    alpha));
            for (const auto& [id, cell] : c.expect) {
                CUTKImageManagerIcon* icon = manager->GetImage(id, 16);
                ASSERT_EQ(icon != nullptr, cell >= 0) << id;
                if (icon != nullptr) {
                    EXPECT_EQ(icon->IsAlpha(), alpha) << id;
                    EXPECT_LE(ColourDistance(CentreColour(icon), CellColour(cell)), 1) << id;
                }
            }
        }
    }
}

TEST_F(ImageManagerLoading, GetImageByWidth)
{
    IconImageHandle small(orvane::test::MakeBitmap32(16, 16, [](int, int) { return 0xFF112233u; }));
    IconImageHandle large(orvane::test::MakeBitmap32(32, 32, [](int, int) { return 0xFF445566u; }));
    ASSERT_TRUE(manager->SetIconImage(small, 7, 0, 0, 0));
    ASSERT_TRUE(manager->SetIconImage(large, 7, 0, 0, 0));
    struct Case {
        int width;
        int got;
    } cases[] = {{20, 16}, {0, 16}, {1, 32}, {16, 16}, {32, 32}, {30, 32}, {100, 32}};
    for (const Case& c : cases) {
        CUTKImageManagerIcon* icon = manager->GetImage(7, c.width);
        ASSERT_NE(icon, nullptr) << c.width;
        EXPECT_EQ(icon->GetWidth(), c.got) << c.width;
    }
    EXPECT_TRUE(manager->IsImageAvailable(7, 0));
    EXPECT_TRUE(manager->IsImageAvailable(7, 32));
    EXPECT_FALSE(manager->IsImageAvailable(7, 20));
    EXPECT_FALSE(manager->IsImageAvailable(8, 0));
    EXPECT_EQ(manager->GetImage(8, 16), nullptr);
    ::DeleteObject(small.GetBitmap());
    ::DeleteObject(large.GetBitmap());
}

TEST_F(ImageManagerLoading, StatesAnswerWhatHappened)
{
    HICON normalIcon = orvane::test::MakeSolidIcon(16, 16, RGB(10, 20, 30));
    HICON hotIcon = orvane::test::MakeSolidIcon(16, 16, RGB(200, 20, 30));
    IconImageHandle normal(normalIcon);
    IconImageHandle hot(hotIcon);
    IconImageHandle empty;
    // A hot image first: the command has no icon yet.
    EXPECT_FALSE(manager->SetIconImage(hot, 9, 0, 0, 2));
    EXPECT_EQ(manager->GetIconSet(9), nullptr);
    EXPECT_FALSE(manager->SetIconImage(empty, 9, 16, 16, 0));
    ASSERT_TRUE(manager->SetIconImage(normal, 9, 0, 0, 0));
    // A state the manager does not know stores nothing and says so.
    EXPECT_FALSE(manager->SetIconImage(hot, 9, 0, 0, 7));
    EXPECT_FALSE(manager->SetIconImage(hot, 9, 0, 0, -1));
    CUTKImageManagerIcon* icon = manager->GetImage(9, 16);
    ASSERT_NE(icon, nullptr);
    // Without a hot image, hot, checked and pressed fall back to the normal one.
    EXPECT_EQ(&icon->GetHotIcon(), &icon->GetIcon());
    EXPECT_EQ(&icon->GetCheckedIcon(), &icon->GetIcon());
    EXPECT_EQ(&icon->GetPressedIcon(), &icon->GetIcon());
    EXPECT_TRUE(manager->SetIconImage(hot, 9, 0, 0, 2));
    EXPECT_NE(&icon->GetHotIcon(), &icon->GetIcon());
    EXPECT_EQ(&icon->GetCheckedIcon(), &icon->GetHotIcon());
    EXPECT_EQ(&icon->GetIconForState(4), &icon->GetHotIcon());
    // No disabled image, none generated when not asked for.
    EXPECT_TRUE(icon->GetDisabledIcon(FALSE).IsEmpty());
    EXPECT_FALSE(icon->HasDisabledIcon());
    EXPECT_FALSE(icon->GetDisabledIcon(TRUE).IsEmpty());
    EXPECT_TRUE(icon->HasDisabledIcon());
    ::DestroyIcon(normalIcon);
    ::DestroyIcon(hotIcon);
}

TEST_F(ImageManagerLoading, IconResourcesAndFiles)
{
    struct Case {
        const wchar_t* name;
        int cx;
        BOOL result;
        std::vector<int> widths;
        BOOL alpha;
    } cases[] = {
        {MAKEINTRESOURCEW(130), 0, TRUE, {16, 32}, TRUE},   // every entry of the group
        {MAKEINTRESOURCEW(130), 32, TRUE, {32}, TRUE},      // the matching entry only
        {MAKEINTRESOURCEW(130), 24, FALSE, {}, FALSE},      // no entry of that size
        {MAKEINTRESOURCEW(134), 16, TRUE, {16}, FALSE},     // classic
        {MAKEINTRESOURCEW(999), 16, FALSE, {}, FALSE},      // missing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << reinterpret_cast<UINT_PTR>(c.name) << " " << c.cx);
        manager->RemoveAll();
        EXPECT_EQ(manager->SetIconFromResource(c.name, 5, c.cx, c.cx, 0), c.result);
        for (int width : c.widths) {
            ASSERT_TRUE(manager->IsImageAvailable(5, width)) << width;
            EXPECT_EQ(manager->GetImage(5, width)->IsAlpha(), c.alpha);
        }
        if (c.widths.empty()) {
            EXPECT_EQ(manager->GetIconSet(5), nullptr);
        }
    }
    // By name or file: a group of the resource module first, else an icon file.
    manager->RemoveAll();
    EXPECT_TRUE(manager->SetIconFromNameOrFile(MAKEINTRESOURCEW(130), 6));
    EXPECT_TRUE(manager->IsImageAvailable(6, 32));
    const std::wstring file = orvane::test::FixturePath(L"classic.ico");
    EXPECT_TRUE(manager->SetIconFromNameOrFile(file.c_str(), 11, 16, 16));
    CUTKImageManagerIcon* classic = manager->GetImage(11, 16);
    ASSERT_NE(classic, nullptr);
    // Its four left columns are transparent.
    DrawCanvas canvas(16, 16, RGB(1, 2, 3));
    classic->Draw(canvas.dc(), CPoint(0, 0));
    EXPECT_EQ(canvas.At(1, 8), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(10, 8), RGB(30, 160, 30));
    EXPECT_FALSE(manager->SetIconFromNameOrFile(L"no such icon.ico", 12));
}

TEST_F(ImageManagerLoading, RegisteredImageListsAnswerForTheirRange)
{
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 1);
    for (int i = 0; i < 3; ++i) {
        HICON icon = orvane::test::MakeSolidIcon(16, 16, CellColour(i));
        ASSERT_EQ(::ImageList_AddIcon(list, icon), i);
        ::DestroyIcon(icon);
    }
    manager->AddImageList(list, 500, TRUE);
    struct Case {
        UINT id;
        int width;
        BOOL available;
    } cases[] = {{499, 0, FALSE}, {500, 0, TRUE}, {502, 16, TRUE}, {502, 20, FALSE},
                 {503, 0, FALSE}};
    for (const Case& c : cases) {
        EXPECT_EQ(manager->IsImageAvailable(c.id, c.width), c.available) << c.id;
        EXPECT_EQ(manager->GetImage(c.id, c.width) != nullptr, c.id >= 500 && c.id < 503)
            << c.id;
    }
    // The wrapper draws image id - base of the list.
    CUTKImageManagerIcon* wrapper = manager->GetImage(501);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->GetID(), 501u);
    EXPECT_EQ(wrapper->GetWidth(), 16);
    EXPECT_EQ(manager->GetImage(501), wrapper);
    EXPECT_LE(ColourDistance(CentreColour(wrapper), CellColour(1)), 1);
    // An icon set of the id comes first.
    HICON own = orvane::test::MakeSolidIcon(16, 16, RGB(1, 2, 3));
    ASSERT_TRUE(manager->SetIconImage(IconImageHandle(own), 501, 0, 0, 0));
    ::DestroyIcon(own);
    EXPECT_NE(manager->GetImage(501), wrapper);
    EXPECT_EQ(CentreColour(manager->GetImage(501)), RGB(1, 2, 3));
    EXPECT_EQ(CentreColour(manager->GetImage(502)), CellColour(2));
}

TEST(ImageLoaders, ResourceBitmapsSayWhetherTheyCarryAlpha)
{
    struct Case {
        UINT id;
        bool loads;
        BOOL alpha;
        int width;
    } cases[] = {{129, true, TRUE, 128}, {131, true, TRUE, 48}, {132, true, FALSE, 48},
                 {999, false, FALSE, 0}};
    for (const Case& c : cases) {
        BOOL alpha = 2;
        HBITMAP bitmap = LoadResourceBitmap(MAKEINTRESOURCEW(c.id), &alpha);
        EXPECT_EQ(bitmap != nullptr, c.loads) << c.id;
        EXPECT_EQ(alpha, c.alpha) << c.id;
        BITMAP object = {};
        if (bitmap != nullptr) {
            ::GetObjectW(bitmap, sizeof(object), &object);
            EXPECT_EQ(object.bmWidth, c.width) << c.id;
            ::DeleteObject(bitmap);
        }
    }
}

TEST(ImageLoaders, FilesOfEachKind)
{
    struct Case {
        const wchar_t* name;
        BOOL alpha;
        int width;
    } cases[] = {{L"strip128.png", TRUE, 128}, {L"strip32.bmp", TRUE, 48},
                 {L"strip24.bmp", FALSE, 48}};
    for (const Case& c : cases) {
        BOOL alpha = 2;
        HBITMAP bitmap = LoadBitmapFromFile(orvane::test::FixturePath(c.name).c_str(), &alpha);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(alpha, c.alpha);
        BITMAP object = {};
        ::GetObjectW(bitmap, sizeof(object), &object);
        EXPECT_EQ(object.bmWidth, c.width);
        ::DeleteObject(bitmap);
    }
}

TEST(ImageLoaders, GifArrivesOnTheButtonFace)
{
    BOOL alpha = 2;
    HBITMAP bitmap =
        LoadBitmapFromFile(orvane::test::FixturePath(L"halfred.gif").c_str(), &alpha);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(alpha, 2);  // not written on this path
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(ReadBitmapPixels32(bitmap, width, height, pixels));
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 8);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto at = [&](int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(height - 1 - y) * 8 + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    for (int y = 1; y < 7; ++y) {
        EXPECT_EQ(at(1, y), RGB(255, 0, 0)) << y;
        EXPECT_EQ(at(6, y), face) << y;
    }
    ::DeleteObject(bitmap);
}

TEST(ImageLoaders, ShortAndDamagedFilesLoadNothing)
{
    // A BMP cut inside its headers, and a PNG signature with nothing behind it.
    std::ifstream in(orvane::test::FixturePath(L"strip32.bmp").c_str(), std::ios::binary);
    std::vector<char> bmp(std::istreambuf_iterator<char>(in), {});
    const std::wstring cutPath = orvane::test::FixturePath(L"cut.bmp");
    const std::wstring pngPath = orvane::test::FixturePath(L"sig.png");
    {
        std::ofstream(cutPath.c_str(), std::ios::binary).write(bmp.data(), 30);
        std::ofstream(pngPath.c_str(), std::ios::binary).write("\x89PNG", 4);
    }
    for (const std::wstring& path : {cutPath, pngPath}) {
        BOOL alpha = FALSE;
        HBITMAP bitmap = LoadBitmapFromFile(path.c_str(), &alpha);
        EXPECT_EQ(bitmap, nullptr);
        if (bitmap != nullptr) {
            ::DeleteObject(bitmap);
        }
    }
    EXPECT_FALSE(Is32BitBitmapFile(cutPath.c_str()));
    EXPECT_TRUE(IsPngFile(pngPath.c_str()));
    ::DeleteFileW(cutPath.c_str());
    ::DeleteFileW(pngPath.c_str());
}

}  // namespace
