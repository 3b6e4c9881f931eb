// The popup fade's cost: one BlendBits frame and a whole 10-step fade (pacing off) of a 300 by
// 400 popup into a memory DC, beside the system's AlphaBlend doing the same nine frames; and a
// paint manager's metrics refresh. Prints microseconds and the ratio to the system's frames.
#include <windows.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 400;
constexpr int kRounds = 20;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 /
           static_cast<double>(frequency.QuadPart);
}

template <class Fn>
double TimePerRound(Fn fn)
{
    fn();  // warm up
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) {
        fn();
    }
    ::QueryPerformanceCounter(&end);
    return Microseconds(start, end) / kRounds;
}

}  // namespace

int main()
{
    using orvane::test::DrawCanvas;
    auto* pm = new orvane::test::TestPaintManager();
    pm->m_nAnimationTime = 0;
    pm->m_nAnimationSteps = 10;

    DrawCanvas popup(kWidth, kHeight, RGB(240, 240, 240));
    DrawCanvas window(kWidth, kHeight, RGB(40, 90, 160));
    const CRect rc(0, 0, kWidth, kHeight);

    std::vector<BYTE> a(static_cast<size_t>(kWidth) * kHeight * 4, 10);
    std::vector<BYTE> b(a.size(), 200);
    std::vector<BYTE> dest(a.size(), 0);
    const double blend = TimePerRound([&] {
        CUTKPaintManager::BlendBits(dest.data(), a.data(), kWidth, kHeight, b.data(), 127);
    });
    const double fade = TimePerRound(
        [&] { pm->AnimateExpansion(window.dc(), popup.dc(), rc, 4); });
    HMODULE msimg = ::LoadLibraryW(L"msimg32.dll");
    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                       BLENDFUNCTION);
    auto alphaBlend = msimg ? reinterpret_cast<AlphaBlendFn>(
                                  reinterpret_cast<void*>(::GetProcAddress(msimg, "AlphaBlend")))
                            : nullptr;
    double system = 0;
    if (alphaBlend != nullptr) {
        system = TimePerRound([&] {
            for (int s = 1; s < 10; ++s) {
                BLENDFUNCTION f{AC_SRC_OVER, 0, static_cast<BYTE>(255 * s / 10), 0};
                alphaBlend(window.hdc(), 0, 0, kWidth, kHeight, popup.hdc(), 0, 0, kWidth,
                           kHeight, f);
            }
        });
    }
    const double refresh = TimePerRound([&] { pm->RefreshMetrics(); });

    std::printf("popup fade %dx%d: BlendBits frame %.0f us; 10-step fade %.0f us", kWidth,
                kHeight, blend, fade);
    if (system > 0) {
        std::printf("; system AlphaBlend 9 frames %.0f us; ratio %.2f", system, fade / system);
    }
    std::printf("\npaint manager RefreshMetrics %.0f us\n", refresh);
    pm->InternalRelease();
    return 0;
}
