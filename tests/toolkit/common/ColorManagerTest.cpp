// The colour manager: arithmetic and the perceptual distance model, derivation from injected
// system colours (classic, high contrast, 256 colours), scheme detection from injected theme
// names, the stored bytes of the colour value types, and the real table in both theme runs.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKColorManager.h"
#include "tests/toolkit/common/ThemeRun.h"

#include "platform/framework/Framework.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <vector>

namespace {

using orvane::test::ClassicRun;

// The classic Windows palette, index by index (0-29).
const COLORREF kClassic[30] = {
    RGB(212, 208, 200), RGB(58, 110, 165), RGB(10, 36, 106),  RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),     RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(10, 36, 106),  RGB(255, 255, 255), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),     RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),   RGB(212, 208, 200), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(181, 181, 181), RGB(0, 0, 128),    RGB(166, 202, 240),
    RGB(192, 192, 192), RGB(49, 106, 197)};

// High contrast black: black faces, white text, a green highlight.
COLORREF HighContrast(int index)
{
    switch (index) {
    case COLOR_BTNFACE:
    case COLOR_WINDOW:
    case COLOR_MENU:
        return RGB(0, 0, 0);
    case COLOR_BTNTEXT:
    case COLOR_WINDOWTEXT:
    case COLOR_MENUTEXT:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
        return RGB(0, 128, 0);
    case COLOR_BTNSHADOW:
        return RGB(128, 128, 128);
    default:
        return RGB(0, 0, 255);
    }
}

COLORREF Classic(int index)
{
    return index >= 0 && index < 30 ? kClassic[index] : 0;
}

int TrueColour()
{
    return 32;
}

int TwoHundredFiftySixColours()
{
    return 8;
}

BOOL NoTheme(LPWSTR, LPWSTR)
{
    return FALSE;
}

BOOL NoBorder(COLORREF*)
{
    return FALSE;
}

BOOL LunaOlive(LPWSTR file, LPWSTR color)
{
    wcscpy(file, L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles");
    wcscpy(color, L"HomeStead");
    return TRUE;
}

CUTKColorManager::SystemHooks Hooks(COLORREF (*colors)(int), int (*depth)() = TrueColour,
                                    BOOL (*theme)(LPWSTR, LPWSTR) = NoTheme)
{
    CUTKColorManager::SystemHooks hooks;
    hooks.pfnSysColor = colors;
    hooks.pfnScreenBitsPerPixel = depth;
    hooks.pfnThemeName = theme;
    hooks.pfnTreeViewBorderColor = NoBorder;
    return hooks;
}

void ExpectGradient(const CUTKPaintManagerColorGradient& g, COLORREF first, COLORREF second,
                    float factor)
{
    EXPECT_EQ(first, g.clrLight.GetColor());
    EXPECT_EQ(second, g.clrDark.GetColor());
    EXPECT_FLOAT_EQ(factor, g.fGradientFactor);
}

TEST(CUTKColorManager, MixColorsUsesPercentOrPerMille)
{
    const COLORREF a = RGB(200, 100, 0);
    const COLORREF b = RGB(0, 0, 200);
    EXPECT_EQ(RGB(20, 10, 180), CUTKColorManager::MixColors(a, b, 100));
    EXPECT_EQ(RGB(198, 99, 2), CUTKColorManager::MixColors(a, b, 99));
    EXPECT_EQ(RGB(33, 17, 167), CUTKColorManager::MixColors(a, b, 165));
    EXPECT_EQ(b, CUTKColorManager::MixColors(a, b, 0));
    EXPECT_EQ(a, CUTKColorManager::MixColors(a, b, 1000));
}

TEST(CUTKColorManager, GetColorPassesNonIndicesThrough)
{
    const CUTKColorManager manager(Hooks(Classic));
    EXPECT_EQ(100u, manager.GetColor(100));
    EXPECT_EQ(static_cast<COLORREF>(-1), manager.GetColor(-1));
    EXPECT_EQ(static_cast<COLORREF>(-5), manager.GetColor(-5));
    EXPECT_EQ(kClassic[COLOR_BTNFACE], manager.GetColor(COLOR_BTNFACE));
    EXPECT_EQ(RGB(0, 0, 0), manager.GetColor(0));
    EXPECT_EQ(0u, manager.GetColor(62));
}

TEST(CUTKColorManager, DistanceModel)
{
    EXPECT_NEAR(440.9, CUTKColorManager::Brightness(RGB(255, 255, 255)), 0.1);
    EXPECT_FLOAT_EQ(0.0f, CUTKColorManager::Brightness(RGB(0, 0, 0)));
    // Twice the threshold for black, the plain one from brightness 220 on.
    EXPECT_FLOAT_EQ(70.0f, CUTKColorManager::ScaledThreshold(RGB(0, 0, 0), 35.0f));
    EXPECT_FLOAT_EQ(35.0f, CUTKColorManager::ScaledThreshold(RGB(255, 255, 255), 35.9f));
    EXPECT_FLOAT_EQ(35.0f, CUTKColorManager::ScaledThreshold(RGB(192, 192, 192), 35.0f));

    struct Case {
        COLORREF a;
        COLORREF b;
        BOOL scaled;
        float threshold;
        BOOL exceeds;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), FALSE, 440.0f, TRUE},
        {RGB(0, 0, 0), RGB(255, 255, 255), FALSE, 441.0f, FALSE},
        {RGB(0, 0, 0), RGB(0, 0, 255), FALSE, 64.0f, TRUE},
        {RGB(0, 0, 0), RGB(0, 0, 255), TRUE, 64.0f, FALSE},
        {RGB(200, 200, 200), RGB(210, 210, 210), TRUE, 35.0f, FALSE},
        {RGB(200, 200, 200), RGB(150, 150, 150), TRUE, 35.0f, TRUE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exceeds, CUTKColorManager::ColorDistanceExceeds(c.a, c.b, c.scaled,
                                                                    c.threshold))
            << std::hex << c.a << " " << c.b << " " << std::dec << c.threshold;
    }
}

TEST(CUTKColorManager, PushAwayAndPullTowardLandAtTheThreshold)
{
    const COLORREF a = RGB(212, 208, 200);
    // Darker and lighter neighbours: pushed toward black and toward white.
    for (COLORREF b : {RGB(200, 200, 200), RGB(230, 226, 220)}) {
        const float d = CUTKColorManager::ScaledThreshold(a, 50.0f);
        const COLORREF pushed = CUTKColorManager::PushAway(a, b, 50.0f);
        // Rounding to whole channels moves the result by a few units at most.
        EXPECT_NEAR(d, std::sqrt(CUTKColorManager::SquaredDistance(a, pushed)), 3.0) << b;
    }
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF pulled = CUTKColorManager::PullToward(a, black, 145.0f);
    EXPECT_NEAR(CUTKColorManager::ScaledThreshold(a, 145.0f),
                std::sqrt(CUTKColorManager::SquaredDistance(a, pulled)), 3.0);
    EXPECT_EQ(a, CUTKColorManager::PullToward(a, a, 10.0f));
}

TEST(CUTKColorManager, PushAwayOfALineThatMissesTheSphereStaysInRange)
{
    // Black and pure blue: the line from black through blue passes far from a bright colour;
    // the square root of a negative value is taken as 0 instead of giving garbage.
    // The nearest point of the line to white is blue itself.
    EXPECT_EQ(RGB(0, 0, 255),
              CUTKColorManager::PushAway(RGB(255, 255, 255), RGB(0, 0, 255), 400.0f));
}

TEST(CUTKColorManager, ClassicColoursDerive)
{
    const CUTKColorManager manager(Hooks(Classic));
    for (int i = 1; i < 30; ++i) {
        if (i != COLOR_3DLIGHT) {
            EXPECT_EQ(kClassic[i], manager.GetColor(i)) << i;
        }
    }
    // 30: 16.5 per cent of the window white into the face, close enough not to be pulled.
    EXPECT_EQ(RGB(219, 216, 209), manager.GetColor(30));
    EXPECT_EQ(manager.GetColor(30), manager.GetColor(53));
    // 48: the face lightened by 35 on its largest channel; 49: the shadow darkened by 43.
    EXPECT_EQ(RGB(247, 242, 233), manager.GetColor(48));
    EXPECT_EQ(RGB(85, 85, 85), manager.GetColor(49));
    EXPECT_EQ(RGB(227, 223, 215), manager.GetColor(COLOR_3DLIGHT));
    const COLORREF c31 = manager.GetColor(31);
    EXPECT_EQ(RGB(GetRValue(c31) * 3 / 4, GetGValue(c31) * 3 / 4, GetBValue(c31) * 3 / 4),
              manager.GetColor(34));
    EXPECT_EQ(manager.GetColor(40), manager.GetColor(58));
    EXPECT_EQ(manager.GetStandardColor(40), manager.GetColor(60));
    EXPECT_EQ(kClassic[COLOR_BTNSHADOW], manager.GetColor(57));
    EXPECT_EQ(0u, manager.GetColor(59));
    // The texts keep their contrast against the faces they are drawn on.
    EXPECT_TRUE(CUTKColorManager::ColorDistanceExceeds(manager.GetColor(30), manager.GetColor(46),
                                                       TRUE, 179.0f));
    EXPECT_TRUE(CUTKColorManager::ColorDistanceExceeds(manager.GetColor(41), manager.GetColor(44),
                                                       TRUE, 179.0f));
    EXPECT_EQ(CUTKColorManager::schemeNone, manager.GetDetectedWinTheme());
    // No scheme: gradients are mixes of face, window and shadow.
    const COLORREF f = kClassic[COLOR_BTNFACE];
    const COLORREF w = kClassic[COLOR_WINDOW];
    const COLORREF h = kClassic[COLOR_BTNSHADOW];
    ExpectGradient(manager.GetGradient(1), h, h, 0.5f);
    ExpectGradient(manager.GetGradient(4), CUTKColorManager::MixColors(f, w, 205), f, 0.5f);
    ExpectGradient(manager.GetGradient(8), RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
    ExpectGradient(manager.GetGradient(10), RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
    EXPECT_THROW(manager.GetGradient(11), CException*);
}

TEST(CUTKColorManager, HighContrastSkipsTheMixes)
{
    const CUTKColorManager manager(Hooks(HighContrast));
    const COLORREF highlight = RGB(0, 128, 0);
    EXPECT_EQ(highlight, manager.GetColor(36));
    EXPECT_EQ(highlight, manager.GetColor(50));
    EXPECT_EQ(RGB(255, 255, 255), manager.GetColor(45));
    EXPECT_EQ(RGB(127, 127, 127), manager.GetColor(49));
    EXPECT_EQ(RGB(35, 35, 35), manager.GetColor(48));
}

TEST(CUTKColorManager, TwoHundredFiftySixColoursKeepThePlainColours)
{
    const CUTKColorManager manager(Hooks(Classic, TwoHundredFiftySixColours, LunaOlive));
    EXPECT_TRUE(manager.IsLowResolution());
    EXPECT_EQ(kClassic[COLOR_WINDOW], manager.GetColor(31));
    EXPECT_EQ(kClassic[COLOR_BTNFACE], manager.GetColor(30));
    // No scheme is detected on such a display, and gradients 2 and 4 are solid face.
    EXPECT_EQ(CUTKColorManager::schemeNone, manager.GetDetectedWinTheme());
    EXPECT_TRUE(manager.GetGradient(2).IsSolid());
    ExpectGradient(manager.GetGradient(4), kClassic[COLOR_BTNFACE], kClassic[COLOR_BTNFACE],
                   0.5f);
    HDC memory = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(memory, BITSPIXEL) <= 8, manager.IsLowResolution(memory) != FALSE);
    ::DeleteDC(memory);
}

TEST(CUTKColorManager, LunaOliveSelectsItsGradients)
{
    CUTKColorManager manager(Hooks(Classic, TrueColour, LunaOlive));
    EXPECT_EQ(CUTKColorManager::schemeLunaOlive, manager.GetDetectedWinTheme());
    EXPECT_EQ(CUTKColorManager::schemeLunaOlive, manager.GetCurrentSystemTheme());
    ExpectGradient(manager.GetGradient(4), RGB(244, 247, 222), RGB(183, 198, 145), 0.3f);
    ExpectGradient(manager.GetGradient(1), RGB(175, 192, 130), RGB(99, 122, 68), 0.5f);
    EXPECT_EQ(RGB(96, 128, 88), manager.GetColor(54));
    // Switching the scheme colours off brings the mixes back, the detection stays.
    manager.DisableLunaColors(TRUE);
    manager.RefreshColors();
    EXPECT_EQ(CUTKColorManager::schemeLunaOlive, manager.GetDetectedWinTheme());
    ExpectGradient(manager.GetGradient(1), kClassic[COLOR_BTNSHADOW], kClassic[COLOR_BTNSHADOW],
                   0.5f);
    EXPECT_EQ(kClassic[COLOR_BTNSHADOW], manager.GetColor(54));
    // A selected scheme holds over the detected one.
    manager.DisableLunaColors(FALSE);
    manager.SetSystemTheme(CUTKColorManager::schemeLunaSilver);
    manager.RefreshColors();
    EXPECT_EQ(CUTKColorManager::schemeLunaSilver, manager.GetCurrentSystemTheme());
    EXPECT_EQ(RGB(124, 124, 148), manager.GetColor(54));
}

TEST(CUTKColorManager, SchemeDetectionFromNames)
{
    struct Case {
        const wchar_t* file;
        const wchar_t* color;
        int scheme;
    };
    const Case cases[] = {
        {L"C:\\Themes\\Luna\\LUNA.MSSTYLES", L"NormalColor", 1},
        {L"c:\\themes\\luna.msstyles", L"homestead", 2},
        {L"c:\\themes\\luna.msstyles", L"Metallic", 3},
        {L"c:\\themes\\luna.msstyles", L"Purple", 0},
        {L"c:\\skins\\WinXP.Luna.cjstyles", L"Metallic", 3},
        {L"c:\\themes\\Royale\\Royale.msstyles", L"NormalColor", 4},
        {L"c:\\themes\\winxp.royale.cjstyles", L"", 4},
        {L"c:\\themes\\Aero\\aero.msstyles", L"NormalColor", 5},
        {L"C:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", 0},
        {L"", L"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.scheme, CUTKColorManager::DetectScheme(c.file, c.color, TRUE, TRUE))
            << c.file;
    }
    EXPECT_EQ(0, CUTKColorManager::DetectScheme(L"royale.msstyles", L"", FALSE, TRUE));
    EXPECT_EQ(0, CUTKColorManager::DetectScheme(L"aero.msstyles", L"", TRUE, FALSE));
}

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

TEST(CUTKPaintManagerColor, SerializeBytesAndRoundTrip)
{
    CUTKPaintManagerColor color;
    EXPECT_EQ(CUTKPaintManagerColor::unset, color.GetColor());
    color = RGB(0x33, 0x22, 0x11);
    EXPECT_EQ(RGB(0x33, 0x22, 0x11), color.GetColor());
    EXPECT_EQ((std::vector<BYTE>{0x33, 0x22, 0x11, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}),
              Store([&](CArchive& ar) { color.Serialize(ar); }));

    CUTKPaintManagerColorGradient gradient;
    gradient.SetStandardValue(RGB(1, 2, 3), RGB(4, 5, 6), 0.75f);
    gradient.clrDark.SetCustomValue(RGB(7, 8, 9));
    const std::vector<BYTE> bytes = Store([&](CArchive& ar) { gradient.Serialize(ar); });
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 5, 6, 0, 7, 8, 9, 0,
                                 0x00, 0x00, 0x40, 0x3F}),
              bytes);

    std::vector<BYTE> copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPaintManagerColorGradient loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(RGB(1, 2, 3), loaded.clrLight.GetColor());
    EXPECT_EQ(RGB(7, 8, 9), loaded.clrDark.GetColor());
    EXPECT_EQ(RGB(4, 5, 6), loaded.clrDark.GetStandardColor());
    EXPECT_FLOAT_EQ(0.75f, loaded.fGradientFactor);

    // A short stream is the archive's end-of-file error, the value keeps what it held.
    std::vector<BYTE> shortBytes(bytes.begin(), bytes.begin() + 6);
    CMemFile shortFile(shortBytes.data(), static_cast<UINT>(shortBytes.size()));
    CArchive shortAr(&shortFile, CArchive::load);
    CUTKPaintManagerColor kept;
    kept = RGB(9, 9, 9);
    EXPECT_THROW(kept.Serialize(shortAr), CArchiveException*);
    EXPECT_EQ(RGB(9, 9, 9), kept.GetColor());
}

TEST(CUTKPaintManagerColorGradient, StandardValuesFromAnotherGradient)
{
    CUTKPaintManagerColorGradient source;
    source.SetStandardValue(RGB(10, 10, 10), RGB(20, 20, 20), 0.3f);
    source.clrLight.SetCustomValue(RGB(1, 1, 1));
    CUTKPaintManagerColorGradient target;
    target.clrDark.SetCustomValue(RGB(99, 99, 99));
    target.SetStandardFrom(source);
    EXPECT_EQ(RGB(1, 1, 1), target.clrLight.GetStandardColor());
    EXPECT_EQ(RGB(20, 20, 20), target.clrDark.GetStandardColor());
    EXPECT_EQ(RGB(99, 99, 99), target.clrDark.GetColor());
    EXPECT_FLOAT_EQ(0.3f, target.fGradientFactor);
    target.SetStandardSolid(RGB(5, 5, 5));
    EXPECT_FALSE(target.IsSolid());
    target.clrDark.SetCustomValue(CUTKPaintManagerColor::unset);
    EXPECT_TRUE(target.IsSolid());
}

TEST(CUTKColorManager, TheSystemTableInThisRun)
{
    CUTKColorManager* manager = GetColorManager();
    ASSERT_EQ(manager, GetColorManager());
    COLORREF border = 0;
    if (orvane::test::ReadTreeViewBorder(&border)) {
        EXPECT_FALSE(ClassicRun());
        EXPECT_EQ(border, manager->GetColor(57));
    } else {
        EXPECT_TRUE(ClassicRun());
        EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), manager->GetColor(57));
    }
    EXPECT_EQ(CUTKColorManager::schemeNone, manager->GetDetectedWinTheme());
    for (int i = 1; i < 30; ++i) {
        if (i != COLOR_3DLIGHT) {
            EXPECT_EQ(::GetSysColor(i), manager->GetColor(i)) << i;
        }
    }
    std::printf("colour table, %s run (scheme %d):\n", ClassicRun() ? "classic" : "themed",
                manager->GetDetectedWinTheme());
    for (int i = 0; i < CUTKColorManager::colorCount; ++i) {
        const COLORREF c = manager->GetColor(i);
        std::printf("%2d #%02X%02X%02X%s", i, GetRValue(c), GetGValue(c), GetBValue(c),
                    i % 8 == 7 ? "\n" : "  ");
    }
    std::printf("\n");
}

}  // namespace
