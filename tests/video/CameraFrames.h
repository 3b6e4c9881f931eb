// ffmpeg's pictures of the sample's 320x240 camera video from 9 s to 12 s, 15 a second
// (make-media.sh), and how closely a window on the screen shows one of them. Tests that put
// that stream one to one into a window compare what is shown with the picture of a position.
#pragma once

#include "tests/support/TestEnv.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct CameraFrames {
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    // The file's video starts 46 ms in: the first picture from 9 s on is the one at 9.046 s.
    static constexpr double kFirst = 9.046;
    std::vector<unsigned char> bgr;

    CameraFrames()
    {
        const std::wstring path = orvane::test::MediaPath(L"camera-9s-12s.bgr");
        std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
        bgr.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int Count() const { return static_cast<int>(bgr.size() / (kWidth * kHeight * 3)); }

    // The picture at or after a position in seconds (the file keeps frame times in whole
    // milliseconds, a third of one off the grid).
    static int IndexAt(double seconds)
    {
        return static_cast<int>(std::ceil((seconds - kFirst) * 15 - 0.01));
    }

    // Share of a fine grid of points where the window and picture `index` differ clearly
    // (the still parts of the pattern match any picture; the counter and the moving parts
    // tell the pictures apart).
    double Difference(HWND window, int index) const
    {
        HDC screen = GetDC(nullptr);
        int differing = 0;
        int count = 0;
        for (int y = 2; y < kHeight; y += 4) {
            for (int x = 2; x < kWidth; x += 4) {
                POINT point{x, y};
                ClientToScreen(window, &point);
                const COLORREF shown = GetPixel(screen, point.x, point.y);
                const unsigned char* px =
                    &bgr[((static_cast<size_t>(index) * kHeight + y) * kWidth + x) * 3];
                const int d = std::max({std::abs(GetBValue(shown) - px[0]),
                                        std::abs(GetGValue(shown) - px[1]),
                                        std::abs(GetRValue(shown) - px[2])});
                differing += d > 48 ? 1 : 0;
                ++count;
            }
        }
        ReleaseDC(nullptr, screen);
        return static_cast<double>(differing) / count;
    }

    // The picture the window shows most closely, and how closely.
    int BestMatch(HWND window, double* difference) const
    {
        int best = -1;
        *difference = 1e9;
        for (int i = 0; i < Count(); ++i) {
            const double d = Difference(window, i);
            if (d < *difference) {
                *difference = d;
                best = i;
            }
        }
        return best;
    }
};
