// Benchmark of the shortcut manager (prints figures, asserts nothing): the cost of a key that is
// no shortcut going through TranslateAccelerator (every key of the frame does) beside Win32
// TranslateAccelerator on the same table, and the shortcut texts of a whole menu refresh from
// the manager's own table and from the frame's accelerators. Medians of 21 rounds.
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "platform/framework/frame/CFrameWnd.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Microseconds per call of body, median of 21 rounds of calls calls.
double Measure(int calls, const std::function<void()>& body)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> rounds;
    for (int r = 0; r < 21; ++r) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i) {
            body();
        }
        ::QueryPerformanceCounter(&end);
        rounds.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                         static_cast<double>(frequency.QuadPart) / calls);
    }
    return Median(rounds);
}

} // namespace

int main()
{
    constexpr int kShortcuts = 200;
    std::vector<UTK_SHORTCUTMANAGER_ACCEL> table;
    std::vector<ACCEL> system;
    for (int i = 0; i < kShortcuts; ++i) {
        UTK_SHORTCUTMANAGER_ACCEL a{};
        a.cmd = 32768 + i;
        a.key[0].fVirt = static_cast<BYTE>(FVIRTKEY | (i % 2 ? FCONTROL : FALT) |
                                           (i % 3 ? 0 : FSHIFT));
        a.key[0].key = static_cast<WORD>(i % 2 ? 'A' + i % 26 : VK_F1 + i % 12);
        table.push_back(a);
        system.push_back(ACCEL{a.key[0].fVirt, a.key[0].key, static_cast<WORD>(a.cmd)});
    }

    auto* frame = new CFrameWnd;
    frame->Create(nullptr, L"Shortcut bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200));
    HACCEL accel = ::CreateAcceleratorTableW(system.data(), kShortcuts);
    auto* bars = new CUTKCommandBars;
    bars->SetSite(frame);
    auto* manager = new CUTKShortcutManager(bars);
    manager->SetAccels(table.data(), kShortcuts);

    MSG key{};
    key.hwnd = frame->GetSafeHwnd();
    key.message = WM_KEYDOWN;
    key.wParam = 'Q'; // no shortcut without modifiers
    const double ours = Measure(20000, [&] { manager->TranslateAccelerator(&key); });
    const double win32 = Measure(20000, [&] { ::TranslateAcceleratorW(key.hwnd, accel, &key); });
    std::printf("shortcut: a key that is no shortcut, %d shortcuts: %.3f us (Win32 "
                "TranslateAccelerator %.3f us, ratio %.2f)\n",
                kShortcuts, ours, win32, ours / win32);

    key.wParam = 'B'; // the key of Ctrl+B, pressed without Ctrl: the key state is read
    const double oursKey = Measure(2000, [&] { manager->TranslateAccelerator(&key); });
    const double win32Key =
        Measure(2000, [&] { ::TranslateAcceleratorW(key.hwnd, accel, &key); });
    std::printf("shortcut: a shortcut's key with other modifiers: %.3f us (Win32 "
                "TranslateAccelerator %.3f us, ratio %.2f)\n",
                oursKey, win32Key, oursKey / win32Key);

    CString text;
    const double own = Measure(5, [&] {
        for (int i = 0; i < kShortcuts; ++i) {
            text.Empty();
            manager->GetShortcut(32768 + i, text);
        }
    });
    CUTKShortcutManager* empty = new CUTKShortcutManager(bars);
    frame->m_hAccelTable = accel;
    const double fromFrame = Measure(5, [&] {
        for (int i = 0; i < kShortcuts; ++i) {
            text.Empty();
            empty->GetShortcut(32768 + i, text);
        }
    });
    frame->m_hAccelTable = nullptr;
    std::printf("shortcut: texts of %d commands from the own table %.1f us, from the frame's "
                "accelerators %.1f us (ratio %.2f)\n",
                kShortcuts, own, fromFrame, fromFrame / own);

    empty->InternalRelease();
    manager->InternalRelease();
    bars->InternalRelease();
    ::DestroyAcceleratorTable(accel);
    frame->DestroyWindow();
    return 0;
}
