// Colour derivation: mixes, minimum contrasts in a perceptual space, gradients by scheme.
#include "toolkit/common/CUTKColorManager.h"

#include "toolkit/common/CUTKWinThemeWrapper.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <string>

namespace {

// A colour in the weighted space: red up to 195, green up to 390, blue up to 65.
struct Weighted {
    float r;
    float g;
    float b;
};

constexpr float kMaxR = 195.0f;
constexpr float kMaxG = 390.0f;
constexpr float kMaxB = 65.0f;

Weighted ToWeighted(COLORREF c) noexcept
{
    return {GetRValue(c) * kMaxR / 255.0f, GetGValue(c) * kMaxG / 255.0f,
            GetBValue(c) * kMaxB / 255.0f};
}

Weighted FromWhite(const Weighted& w) noexcept
{
    return {kMaxR - w.r, kMaxG - w.g, kMaxB - w.b};
}

float Dot(const Weighted& x, const Weighted& y) noexcept
{
    return x.r * y.r + x.g * y.g + x.b * y.b;
}

int Channel(float value, float max) noexcept
{
    const float clamped = std::clamp(value, 0.0f, max);
    return std::clamp(static_cast<int>(clamped * 255.0f / max + 0.5f), 0, 255);
}

COLORREF FromWeighted(const Weighted& w) noexcept
{
    return RGB(Channel(w.r, kMaxR), Channel(w.g, kMaxG), Channel(w.b, kMaxB));
}

BOOL SystemThemeName(LPWSTR fileName, LPWSTR colorName)
{
    CUTKWinThemeWrapper wrapper;
    if (!wrapper.IsThemeActive()) {
        return FALSE;
    }
    WCHAR sizeName[MAX_PATH] = {};
    return SUCCEEDED(
        wrapper.GetCurrentThemeName(fileName, MAX_PATH, colorName, MAX_PATH, sizeName, MAX_PATH));
}

BOOL SystemTreeViewBorderColor(COLORREF* color)
{
    CUTKWinThemeWrapper wrapper;
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    COLORREF border = 0;
    // 3801: the border colour property.
    if (wrapper.IsAppThemed() && SUCCEEDED(wrapper.GetThemeColor(0, 0, 3801, &border))) {
        *color = border;
        return TRUE;
    }
    return FALSE;
}

std::wstring Lower(LPCWSTR text)
{
    std::wstring lower = text ? text : L"";
    for (wchar_t& ch : lower) {
        ch = static_cast<wchar_t>(std::towlower(ch));
    }
    return lower;
}

struct GradientValue {
    COLORREF first;
    COLORREF second;
    float factor;
};

// Gradients 1-7 of the blue, olive and silver schemes.
const GradientValue kSchemeGradients[3][7] = {
    {{RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
     {RGB(158, 190, 245), RGB(196, 218, 250), 0.5f},
     {RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
     {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f},
     {RGB(227, 239, 255), RGB(135, 173, 228), 0.5f},
     {RGB(203, 221, 246), RGB(121, 161, 220), 0.5f},
     {RGB(227, 239, 255), RGB(147, 181, 231), 0.5f}},
    {{RGB(175, 192, 130), RGB(99, 122, 68), 0.5f},
     {RGB(217, 217, 167), RGB(242, 241, 228), 0.5f},
     {RGB(120, 142, 111), RGB(73, 91, 67), 0.5f},
     {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
     {RGB(255, 255, 237), RGB(184, 199, 146), 0.3f},
     {RGB(230, 230, 209), RGB(164, 180, 120), 0.3f},
     {RGB(236, 240, 213), RGB(194, 206, 159), 0.5f}},
    {{RGB(168, 167, 191), RGB(112, 111, 145), 0.5f},
     {RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
     {RGB(168, 167, 191), RGB(119, 118, 151), 0.5f},
     {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
     {RGB(249, 249, 255), RGB(159, 157, 185), 0.75f},
     {RGB(215, 215, 226), RGB(128, 126, 158), 0.75f},
     {RGB(233, 231, 241), RGB(186, 185, 205), 0.5f}},
};
const COLORREF kSchemeColor54[3] = {RGB(0, 45, 150), RGB(96, 128, 88), RGB(124, 124, 148)};

struct Mix {
    int target;
    int a;
    int b;
    int weight;
};

const Mix kMixes[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50},  {41, 15, 5, 143},
    {35, 17, 5, 70},  {38, 16, 5, 75}, {39, 16, 5, 70},  {43, 46, 16, 20},
    {61, 46, 16, 15}, {40, 16, 5, 90}, {42, 15, 16, 90},
};

struct Contrast {
    int target;
    int a;
    int b;
    float threshold;
};

const Contrast kContrasts[] = {
    {31, 30, 31, 50.0f},  {32, 30, 13, 100.0f}, {33, 30, 33, 30.0f},  {35, 41, 35, 80.0f},
    {37, 33, 37, 100.0f}, {38, 30, 38, 85.0f},  {39, 30, 39, 50.0f},  {43, 41, 43, 100.0f},
    {61, 30, 61, 100.0f}, {40, 30, 40, 80.0f},  {44, 41, 44, 180.0f}, {45, 31, 45, 180.0f},
    {46, 30, 46, 180.0f}, {47, 33, 47, 180.0f},
};

// The derived colours' starting values: the system colour of each index from 30 on (-1: 0).
const int kBaseColors[] = {15, 5,  13, 13, 16, 17, 5,  13, 16, 16, 16, 5,  16, 16, 8,  7,
                           18, 14, 16, 14, 13, 15, 16, 15, 16, 15, 15, 16, 17, -1, 16, 16};

}  // namespace

CUTKColorManager::CUTKColorManager() : CUTKColorManager(SystemHooks{}) {}

CUTKColorManager::CUTKColorManager(const SystemHooks& hooks) : m_hooks(hooks)
{
    for (COLORREF& custom : m_arrCustomColor) {
        custom = CUTKPaintManagerColor::unset;
    }
    RefreshColors();
    m_grc[7].SetStandardValue(RGB(255, 213, 140), RGB(255, 173, 85));
    m_grc[8].SetStandardValue(RGB(254, 142, 75), RGB(255, 207, 139));
    m_grc[9].SetStandardValue(RGB(255, 242, 200), RGB(255, 212, 151));
}

CUTKColorManager::~CUTKColorManager() = default;

// ---- Attributes -----------------------------------------------------------------------------

COLORREF CUTKColorManager::GetColor(int index) const noexcept
{
    if (index < 0 || index >= colorCount) {
        return static_cast<COLORREF>(index);
    }
    const COLORREF custom = m_arrCustomColor[index];
    return custom != CUTKPaintManagerColor::unset ? custom : m_arrStandardColor[index];
}

void CUTKColorManager::SetCustomColor(int index, COLORREF color) noexcept
{
    if (index >= 0 && index < colorCount) {
        m_arrCustomColor[index] = color;
    }
}

COLORREF CUTKColorManager::GetStandardColor(int index) const noexcept
{
    return (index >= 0 && index < colorCount) ? m_arrStandardColor[index]
                                              : static_cast<COLORREF>(index);
}

const CUTKPaintManagerColorGradient& CUTKColorManager::GetGradient(int number) const
{
    if (number < 1 || number > gradientCount) {
        AfxThrowInvalidArgException();
    }
    return m_grc[number - 1];
}

int CUTKColorManager::GetCurrentSystemTheme() const noexcept
{
    return (m_nSelectedTheme == 6 || m_nSelectedTheme == 7) ? m_nDetectedTheme
                                                             : m_nSelectedTheme;
}

COLORREF CUTKColorManager::SysColor(int index) const
{
    return m_hooks.pfnSysColor ? m_hooks.pfnSysColor(index) : ::GetSysColor(index);
}

int CUTKColorManager::ScreenBitsPerPixel() const
{
    if (m_hooks.pfnScreenBitsPerPixel) {
        return m_hooks.pfnScreenBitsPerPixel();
    }
    HWND desktop = ::GetDesktopWindow();
    HDC dc = ::GetDC(desktop);
    if (!dc) {
        return 0;
    }
    const int bits = ::GetDeviceCaps(dc, BITSPIXEL);
    ::ReleaseDC(desktop, dc);
    return bits;
}

BOOL CUTKColorManager::IsLowResolution(HDC dc) const
{
    const int bits = dc ? ::GetDeviceCaps(dc, BITSPIXEL) : ScreenBitsPerPixel();
    return bits >= 1 && bits <= 8;
}

// ---- Colour arithmetic ----------------------------------------------------------------------

COLORREF CUTKColorManager::MixColors(COLORREF a, COLORREF b, int weight) noexcept
{
    const int d = weight < 100 ? 100 : 1000;
    auto mix = [&](int x, int y) { return (weight * x + (d - weight) * y + d / 2) / d; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

float CUTKColorManager::SquaredDistance(COLORREF a, COLORREF b) noexcept
{
    const Weighted x = ToWeighted(a);
    const Weighted y = ToWeighted(b);
    const Weighted diff{x.r - y.r, x.g - y.g, x.b - y.b};
    return Dot(diff, diff);
}

float CUTKColorManager::Brightness(COLORREF color) noexcept
{
    return std::sqrt(SquaredDistance(color, RGB(0, 0, 0)));
}

float CUTKColorManager::ScaledThreshold(COLORREF a, float threshold) noexcept
{
    const int brightness = static_cast<int>(Brightness(a));
    const int plain = static_cast<int>(threshold);
    return (2.0f - static_cast<float>(std::min(brightness, 220)) / 220.0f) *
           static_cast<float>(plain);
}

BOOL CUTKColorManager::ColorDistanceExceeds(COLORREF a, COLORREF b, BOOL scaled,
                                            float threshold) noexcept
{
    const float t = scaled ? ScaledThreshold(a, threshold) : threshold;
    return SquaredDistance(a, b) > t * t;
}

COLORREF CUTKColorManager::PushAway(COLORREF a, COLORREF b, float threshold) noexcept
{
    const float c = Brightness(a);
    const float d = ScaledThreshold(a, threshold);
    const float cb = Brightness(b);
    const float reach = c < cb ? 442.0f - d : d;
    // Move along the line from black through b, or from white when black is too near a.
    const bool fromWhite = !(reach < c);
    Weighted wa = ToWeighted(a);
    Weighted wb = ToWeighted(b);
    if (fromWhite) {
        wa = FromWhite(wa);
        wb = FromWhite(wb);
    }
    const float u = std::max(std::sqrt(Dot(wb, wb)), 0.001f);
    const float p = Dot(wa, wb) / u;
    const float perp2 = Dot(wa, wa) - p * p;
    // A line that passes farther than d from a never meets the sphere: take its nearest point.
    const float k = (p - std::sqrt(std::max(0.0f, d * d - perp2))) / u;
    Weighted moved{wb.r * k, wb.g * k, wb.b * k};
    if (fromWhite) {
        moved = FromWhite(moved);
    }
    return FromWeighted(moved);
}

COLORREF CUTKColorManager::PullToward(COLORREF a, COLORREF b, float threshold) noexcept
{
    const float k = ScaledThreshold(a, threshold);
    const float distance = std::sqrt(SquaredDistance(a, b));
    if (distance <= 0.0f) {
        return b;
    }
    const float f = (distance - k) / distance;
    const Weighted wa = ToWeighted(a);
    const Weighted wb = ToWeighted(b);
    return FromWeighted(
        {wb.r + f * (wa.r - wb.r), wb.g + f * (wa.g - wb.g), wb.b + f * (wa.b - wb.b)});
}

// ---- Scheme ---------------------------------------------------------------------------------

int CUTKColorManager::DetectScheme(LPCWSTR fileName, LPCWSTR colorName, BOOL royale, BOOL aero)
{
    const std::wstring file = Lower(fileName);
    if (file.find(L"luna.msstyles") != std::wstring::npos ||
        file.find(L"winxp.luna.cjstyles") != std::wstring::npos) {
        const std::wstring color = Lower(colorName);
        if (color == L"normalcolor") {
            return schemeLunaBlue;
        }
        if (color == L"homestead") {
            return schemeLunaOlive;
        }
        if (color == L"metallic") {
            return schemeLunaSilver;
        }
    }
    if (royale && (file.find(L"royale.msstyles") != std::wstring::npos ||
                   file.find(L"winxp.royale.cjstyles") != std::wstring::npos)) {
        return schemeRoyale;
    }
    if (aero && file.find(L"aero.msstyles") != std::wstring::npos) {
        return schemeAero;
    }
    return schemeNone;
}

int CUTKColorManager::DetectWinTheme() const
{
    WCHAR fileName[MAX_PATH] = {};
    WCHAR colorName[MAX_PATH] = {};
    auto themeName = m_hooks.pfnThemeName ? m_hooks.pfnThemeName : SystemThemeName;
    if (!themeName(fileName, colorName) || IsLowResolution()) {
        return schemeNone;
    }
    return DetectScheme(fileName, colorName, m_bEnableRoyaleDetection, m_bEnableAeroDetection);
}

// ---- Refresh --------------------------------------------------------------------------------

void CUTKColorManager::RefreshColors()
{
    m_nDetectedTheme = DetectWinTheme();
    auto S = [this](int index) { return GetColor(index); };

    SetStandard(0, RGB(0, 0, 0));
    for (int i = 1; i < 30; ++i) {
        SetStandard(i, SysColor(i));
    }
    for (int i = 30; i < 62; ++i) {
        const int base = kBaseColors[i - 30];
        SetStandard(i, base < 0 ? RGB(0, 0, 0) : S(base));
    }
    if (IsLowResolution()) {
        RefreshGradients();
        return;
    }

    const COLORREF face = S(COLOR_BTNFACE);
    const COLORREF text = S(COLOR_BTNTEXT);
    const bool highContrast = (face == RGB(0, 0, 0) && text == RGB(255, 255, 255)) ||
                              (face == RGB(255, 255, 255) && text == RGB(0, 0, 0));
    if (highContrast) {
        SetStandard(31, S(13));
        SetStandard(36, S(13));
        SetStandard(45, S(14));
        SetStandard(32, S(18));
        SetStandard(37, S(18));
        SetStandard(50, S(13));
        SetStandard(43, S(18));
        SetStandard(38, S(18));
    } else {
        for (const Mix& mix : kMixes) {
            SetStandard(mix.target, MixColors(S(mix.a), S(mix.b), mix.weight));
        }
    }

    if (ColorDistanceExceeds(S(15), S(30), TRUE, 35.0f)) {
        SetStandard(30, PullToward(S(15), S(30), 35.0f));
    }
    for (const Contrast& row : kContrasts) {
        if (!ColorDistanceExceeds(S(row.a), S(row.b), TRUE, row.threshold)) {
            SetStandard(row.target, PushAway(S(row.a), S(row.b), row.threshold));
        }
    }
    if (ColorDistanceExceeds(S(41), S(35), TRUE, 145.0f)) {
        SetStandard(35, PullToward(S(41), S(35), 145.0f));
    }

    if (!highContrast) {
        auto blend = [](int x, int y, int z) {
            return (x * 50) / 100 + (y * 40) / 100 + (z * 10) / 100;
        };
        const COLORREF c30 = S(30);
        const COLORREF c5 = S(5);
        const COLORREF c13 = S(13);
        SetStandard(36, RGB(blend(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                            blend(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                            blend(GetBValue(c30), GetBValue(c5), GetBValue(c13))));
    }

    // 48: a lighter button face.
    {
        const COLORREF f = S(COLOR_BTNFACE);
        const int m = std::max({GetRValue(f), GetGValue(f), GetBValue(f)});
        if (m == 0) {
            SetStandard(48, RGB(35, 35, 35));
        } else {
            const int k = m + std::min(35, 255 - m);
            SetStandard(48, RGB(GetRValue(f) * k / m, GetGValue(f) * k / m, GetBValue(f) * k / m));
        }
    }
    // 49: a darker button shadow.
    {
        const COLORREF shadow = S(COLOR_BTNSHADOW);
        const int m = std::max({GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)});
        if (S(COLOR_BTNFACE) == RGB(0, 0, 0)) {
            SetStandard(49, RGB(127, 127, 127));
        } else if (m == 0) {
            SetStandard(49, RGB(0, 0, 0));
        } else {
            const int k = std::max(0, m - 43);
            SetStandard(49, RGB(GetRValue(shadow) * k / m, GetGValue(shadow) * k / m,
                                GetBValue(shadow) * k / m));
        }
    }
    {
        const COLORREF c31 = S(31);
        SetStandard(34, RGB(static_cast<int>(GetRValue(c31) * 0.75),
                            static_cast<int>(GetGValue(c31) * 0.75),
                            static_cast<int>(GetBValue(c31) * 0.75)));
        const COLORREF f = S(COLOR_BTNFACE);
        SetStandard(COLOR_3DLIGHT, RGB(std::min(GetRValue(f) + 15, 255),
                                       std::min(GetGValue(f) + 15, 255),
                                       std::min(GetBValue(f) + 15, 255)));
    }
    SetStandard(53, S(30));
    SetStandard(58, S(40));
    SetStandard(60, m_arrStandardColor[40]);

    RefreshGradients();

    COLORREF border = 0;
    auto treeViewBorder =
        m_hooks.pfnTreeViewBorderColor ? m_hooks.pfnTreeViewBorderColor : SystemTreeViewBorderColor;
    if (treeViewBorder(&border)) {
        SetStandard(57, border);
    }
}

void CUTKColorManager::RefreshGradients()
{
    const int scheme = m_bDisableLunaColors ? schemeNone : GetCurrentSystemTheme();
    int set = -1;
    if (scheme == schemeLunaBlue || scheme == schemeRoyale || scheme == schemeAero) {
        set = 0;
    } else if (scheme == schemeLunaOlive) {
        set = 1;
    } else if (scheme == schemeLunaSilver) {
        set = 2;
    }
    if (set >= 0) {
        for (int i = 0; i < 7; ++i) {
            const GradientValue& value = kSchemeGradients[set][i];
            m_grc[i].SetStandardValue(value.first, value.second, value.factor);
        }
        SetStandard(54, kSchemeColor54[set]);
    } else {
        const COLORREF f = GetColor(COLOR_BTNFACE);
        const COLORREF w = GetColor(COLOR_WINDOW);
        const COLORREF h = GetColor(COLOR_BTNSHADOW);
        m_grc[0].SetStandardValue(h, h);
        m_grc[1].SetStandardValue(f, MixColors(f, w, 215));
        m_grc[2].SetStandardValue(f, h);
        m_grc[3].SetStandardValue(MixColors(f, w, 205), f);
        m_grc[4].SetStandardValue(MixColors(f, w, 145), MixColors(f, w, 93));
        m_grc[5].SetStandardValue(MixColors(f, w, 40), MixColors(f, h, 95));
        m_grc[6].SetStandardValue(MixColors(f, w, 165), MixColors(f, w, 42));
    }
    if (IsLowResolution()) {
        m_grc[3].SetStandardSolid(GetColor(COLOR_BTNFACE));
        m_grc[1].SetStandardSolid(GetColor(COLOR_BTNFACE));
    }
}

CUTKColorManager* GetColorManager()
{
    static CUTKColorManager manager;
    return &manager;
}

void RefreshGlobalColors()
{
    GetColorManager()->RefreshColors();
}

BOOL IsLowResolutionDC(HDC dc)
{
    return GetColorManager()->IsLowResolution(dc);
}
