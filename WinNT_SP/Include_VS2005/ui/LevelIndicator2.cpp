// Segmented level meter: layout, colour ramp, peak hold with a scattered dissolve, and the
// bitmap handed to the static control.
#include "WinNT_SP/Include_VS2005/ui/LevelIndicator2.h"

#include <algorithm>
#include <cmath>

namespace {

DWORD Blend(DWORD c0, DWORD c1, int f)
{
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((c0 >> shift) & 0xFF);
        const int b = static_cast<int>((c1 >> shift) & 0xFF);
        out |= static_cast<DWORD>(((256 - f) * a + f * b) / 256) << shift;
    }
    return out;
}

// COLORREF 0x00BBGGRR to pixel 0x00RRGGBB.
DWORD ToRgb(COLORREF c)
{
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

}  // namespace

DWORD CLevelIndicator2::RampColor(const std::vector<LEVEL_COLOR_STOP>& stops, double a)
{
    if (stops.empty()) {
        return 0;
    }
    if (stops.size() == 1) {
        return ToRgb(stops[0].color);
    }
    size_t k = 1;
    while (k < stops.size() && !(stops[k].position > a)) {
        ++k;
    }
    if (k == stops.size()) {
        k = stops.size() - 1;
    }
    const LEVEL_COLOR_STOP& s0 = stops[k - 1];
    const LEVEL_COLOR_STOP& s1 = stops[k];
    const double span = s1.position - s0.position;
    int f = span > 0 ? static_cast<int>((a - s0.position) * 256 / span + 0.499999) : 256;
    f = std::clamp(f, 0, 256);
    return ToRgb(Blend(s0.color, s1.color, f));
}

void CLevelIndicator2::Init(HWND window, const CLevelIndicator2_PARM& parm)
{
    m_parm = parm;
    m_window = nullptr;
    m_segments = 0;
    RECT client;
    if (!window || !GetClientRect(window, &client)) {
        return;
    }
    m_width = client.right;
    m_height = client.bottom;
    const int length = m_parm.horizontal ? m_width : m_height;
    const int across = m_parm.horizontal ? m_height : m_width;
    const int b = m_parm.border ? 2 : 0;
    const int step = m_parm.segmentSize + m_parm.gap;
    if (m_parm.segmentSize <= 0 || m_parm.gap < 0 || across - b <= 0) {
        return;
    }
    const int n = (m_parm.gap + length - b) / step;
    if (n <= 0) {
        return;
    }
    m_segments = n;
    m_drawnLength = n * step - m_parm.gap;
    const int excess = length - (b + m_drawnLength);
    if (excess != 0) {
        RECT outer;
        GetWindowRect(window, &outer);
        int cx = outer.right - outer.left;
        int cy = outer.bottom - outer.top;
        (m_parm.horizontal ? cx : cy) -= excess;
        SetWindowPos(window, nullptr, 0, 0, cx, cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        (m_parm.horizontal ? m_width : m_height) -= excess;
    }
    m_window = window;

    // A single segment or pixel has no ramp position of its own: it takes the ramp's start.
    m_litColors.resize(n);
    for (int i = 0; i < n; ++i) {
        m_litColors[i] = RampColor(m_parm.stops, n > 1 ? static_cast<double>(i) / (n - 1) : 0.0);
    }
    const int f = static_cast<int>(m_parm.unlitBrightness * 256 + 0.499999);
    m_unlitColors.resize(m_drawnLength);
    for (int i = 0; i < m_drawnLength; ++i) {
        const double a = m_drawnLength > 1 ? static_cast<double>(i) / (m_drawnLength - 1) : 0.0;
        m_unlitColors[i] = Blend(ToRgb(m_parm.unlit), RampColor(m_parm.stops, a), f);
    }
    m_states.assign(n + 1, {0, -1});
    const int p = (across - b) * m_parm.segmentSize;
    if (p != m_pixelsPerSegment) {
        m_pixelsPerSegment = p;
        BuildDissolveOrder();
    }
    m_heldPeakTick = 0;
    m_lastTop = -1;
    m_bitmap.Resize(m_width, m_height);
}

// Numbers the segment's pixels in golden-ratio steps so that a falling peak loses scattered
// pixels rather than rows.
void CLevelIndicator2::BuildDissolveOrder()
{
    const int p = m_pixelsPerSegment;
    m_dissolve.assign(p, 0);
    const double step = (std::sqrt(5.0) - 1) / 2 * p;
    double s = 0;
    int next = 1;
    for (long guard = 0; next <= p && guard < 1000L * p; ++guard) {
        s += step;
        const int pos = static_cast<int>(static_cast<long long>(s) % p);
        if (m_dissolve[pos] == 0) {
            m_dissolve[pos] = next++;
        }
    }
    for (int& number : m_dissolve) {
        if (number == 0) {
            number = next++;
        }
    }
}

void CLevelIndicator2::SetLevel(double level)
{
    SetLevelAt(GetTickCount(), level);
}

void CLevelIndicator2::SetLevelAt(DWORD now, double level)
{
    if (!m_window || m_segments == 0) {
        return;
    }
    const DWORD total = m_parm.holdMs + m_parm.fallMs;
    int top;
    if (level == kKeepTop) {
        top = m_lastTop;
    } else if (level == kClear || level <= 0) {
        top = -1;
    } else {
        top = std::min(static_cast<int>(level * m_segments), m_segments - 1);
    }
    m_lastTop = top;
    for (int j = 0; j <= top; ++j) {
        m_states[j].lastLit = now;
    }
    if ((m_heldPeakTick != 0 && now - m_heldPeakTick > total) || level == kClear) {
        m_heldPeakTick = 0;
        for (int j = top + 1; j <= m_segments; ++j) {
            m_states[j].lastLit = 0;
        }
    }
    auto hasAge = [&](int j) {
        return m_states[j].lastLit != 0 && now - m_states[j].lastLit <= total;
    };
    bool changed = false;
    for (int j = 0; j < m_segments; ++j) {
        int count;
        if (hasAge(j) && now == m_states[j].lastLit) {
            count = m_pixelsPerSegment;
        } else if (!hasAge(j) || hasAge(j + 1)) {
            count = 0;
        } else {
            const DWORD age = now - m_states[j].lastLit;
            m_heldPeakTick = m_states[j].lastLit;
            if (age <= m_parm.holdMs || m_parm.fallMs == 0) {
                count = m_pixelsPerSegment;
            } else {
                count = static_cast<int>(static_cast<long long>(total - age) *
                                         m_pixelsPerSegment / m_parm.fallMs);
            }
        }
        if (count != m_states[j].drawn) {
            m_states[j].drawn = count;
            changed = true;
        }
    }
    if (changed) {
        Paint();
    }
}

void CLevelIndicator2::Paint()
{
    const int half = m_parm.border ? 1 : 0;
    const int across = (m_parm.horizontal ? m_height : m_width) - 2 * half;
    const int step = m_parm.segmentSize + m_parm.gap;
    // Along the meter from its start: left to right, or bottom to top when vertical.
    auto put = [&](int along, int acrossPos, DWORD rgb) {
        if (m_parm.horizontal) {
            m_bitmap.Set(half + along, half + acrossPos, rgb);
        } else {
            m_bitmap.Set(half + acrossPos, m_height - 1 - half - along, rgb);
        }
    };
    m_bitmap.Fill(ToRgb(m_parm.background));
    for (int along = 0; along < m_drawnLength; ++along) {
        for (int c = 0; c < across; ++c) {
            put(along, c, m_unlitColors[along]);
        }
    }
    for (int j = 0; j < m_segments; ++j) {
        const int count = m_states[j].drawn;
        for (int a = 0; a < m_parm.segmentSize && count > 0; ++a) {
            for (int c = 0; c < across; ++c) {
                if (m_dissolve[a * across + c] <= count) {
                    put(j * step + a, c, m_litColors[j]);
                }
            }
        }
    }
    ERR_INFO err;
    HBITMAP bitmap = m_bitmap.CreateBitmap(&err);
    if (!bitmap) {
        return;
    }
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        SendMessageW(m_window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap) {
        DeleteObject(old);
    }
}
