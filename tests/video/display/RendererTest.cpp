// Windowless renderers in graphs fed by the test RGB source: the automatic and each fixed
// choice, frames visible in two windows, positions following window sizes, the screen-saver
// hold and the error texts of bad requests.
#include "video/display/DisplayText.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/PlaySettings.h"
#include "video/display/CFullScrPanel.h"
#include "video/display/CFullScrWindow.h"
#include "tests/video/display/TestDisplayApp.h"
#include "tests/video/TestInstance.h"
#include "tests/video/display/TestRgbSource.h"
#include "video/display/ViewController.h"

#include <d3d9.h>
#include <evr.h>
#include <vmr9.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const GUID kVideoRenderService = {0x1092a86c, 0xab1a, 0x459a, {0xa3, 0x36, 0x83, 0x1f, 0xbc,
                                                               0x4d, 0x11, 0xff}};
const IID kIidGetService = {0xfa993888, 0x4383, 0x415a, {0xa9, 0x30, 0xdd, 0x47, 0x2a, 0x8c,
                                                         0xf6, 0xf7}};
const IID kIidDisplayControl = {0xa490b1e4, 0xab84, 0x4d31, {0xa1, 0xb2, 0x18, 0x1e, 0x03,
                                                             0xb1, 0x07, 0x7a}};

std::wstring SettingsText(BOOL autoRender, int videoRender)
{
    PlaySettings settings;
    PlaySettingsValues values;
    values.AutoRender = autoRender;
    values.VideoRender = videoRender;
    settings.SetValues(values);
    std::wstring text;
    settings.GetText(text);
    return text;
}

HWND MakeVideoWindow(int x, int y)
{
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestVideoWindow";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"TestVideoWindow", L"video",
                                  WS_POPUP | WS_VISIBLE, x, y, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// The colour seen on the screen at a window's client point.
COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The destination rectangle the renderer was last given.
bool RendererTarget(IBaseFilter* renderer, RECT* target)
{
    RECT source{};
    IVMRWindowlessControl9* vmr9 = nullptr;
    if (SUCCEEDED(renderer->QueryInterface(IID_IVMRWindowlessControl9,
                                           reinterpret_cast<void**>(&vmr9)))) {
        const HRESULT hr = vmr9->GetVideoPosition(&source, target);
        vmr9->Release();
        return SUCCEEDED(hr);
    }
    IVMRWindowlessControl* vmr7 = nullptr;
    if (SUCCEEDED(renderer->QueryInterface(IID_IVMRWindowlessControl,
                                           reinterpret_cast<void**>(&vmr7)))) {
        const HRESULT hr = vmr7->GetVideoPosition(&source, target);
        vmr7->Release();
        return SUCCEEDED(hr);
    }
    IMFGetService* service = nullptr;
    if (FAILED(renderer->QueryInterface(kIidGetService, reinterpret_cast<void**>(&service)))) {
        return false;
    }
    IMFVideoDisplayControl* display = nullptr;
    HRESULT hr = service->GetService(kVideoRenderService, kIidDisplayControl,
                                     reinterpret_cast<void**>(&display));
    service->Release();
    if (FAILED(hr)) {
        return false;
    }
    MFVideoNormalizedRect normalized{};
    hr = display->GetVideoPosition(&normalized, target);
    display->Release();
    return SUCCEEDED(hr);
}

class CommandRecorder : public TestInstance {
public:
    BOOL RunCommand(UINT command, INT_PTR, int) override
    {
        commands.push_back(command);
        return TRUE;
    }
    void OnSliderScroll(UINT code, UINT, HWND) override { scrolls.push_back(code); }
    int TrackSpeedMenu(HWND button, HWND) override
    {
        speedMenus.push_back(GetDlgCtrlID(button));
        return 0;
    }
    std::vector<UINT> commands;
    std::vector<UINT> scrolls;
    std::vector<int> speedMenus;
};

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitDisplayTestApp();
        m_window[0] = MakeVideoWindow(20, 20);
        m_window[1] = MakeVideoWindow(360, 20);
        ASSERT_TRUE(m_window[0] && m_window[1]);
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr,
                                                  CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  reinterpret_cast<void**>(&m_graph)));
        m_source[0] = TestRgbSource::Create(160, 120, RGB(200, 30, 30));
        m_source[1] = TestRgbSource::Create(160, 120, RGB(30, 60, 200));
        ASSERT_TRUE(m_source[0] && m_source[1]);
        ASSERT_HRESULT_SUCCEEDED(m_graph->AddFilter(m_source[0], L"Camera"));
        ASSERT_HRESULT_SUCCEEDED(m_graph->AddFilter(m_source[1], L"Screen"));
    }

    void TearDown() override
    {
        if (m_graph) {
            IMediaControl* control = nullptr;
            if (SUCCEEDED(m_graph->QueryInterface(IID_IMediaControl,
                                                  reinterpret_cast<void**>(&control)))) {
                control->Stop();
                control->Release();
            }
        }
        m_controller.reset();
        for (TestRgbSource*& source : m_source) {
            if (source) {
                source->Release();
            }
        }
        if (m_graph) {
            m_graph->Release();
        }
        for (HWND window : m_window) {
            DestroyWindow(window);
        }
    }

    IPin* Output(int index) { return m_source[index]->Pin(); }

    HRESULT Run()
    {
        IMediaControl* control = nullptr;
        HRESULT hr = m_graph->QueryInterface(IID_IMediaControl,
                                             reinterpret_cast<void**>(&control));
        if (SUCCEEDED(hr)) {
            hr = control->Run();
            control->Release();
        }
        return hr;
    }

    int FiltersNamed(const wchar_t* name)
    {
        IEnumFilters* filters = nullptr;
        int count = 0;
        m_graph->EnumFilters(&filters);
        IBaseFilter* filter = nullptr;
        while (filters->Next(1, &filter, nullptr) == S_OK) {
            FILTER_INFO info{};
            filter->QueryFilterInfo(&info);
            count += std::wstring(info.achName).rfind(name, 0) == 0 ? 1 : 0;
            if (info.pGraph) {
                info.pGraph->Release();
            }
            filter->Release();
        }
        filters->Release();
        return count;
    }

    ScopedCallback m_callback;
    HWND m_window[2] = {};
    IGraphBuilder* m_graph = nullptr;
    TestRgbSource* m_source[2] = {};
    std::unique_ptr<ViewController> m_controller = std::make_unique<ViewController>();
};

}  // namespace

// The test platform's EVR faults when its connected input is disconnected (on removal and on
// graph teardown alike), so graphs that connect a renderer use the VMR-9; the EVR is created,
// configured and added unconnected.
TEST_F(RendererTest, BothStreamsShowInTheirWindows)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(controller.InsertVideoWindow(m_window[i], i), L"");
        ASSERT_EQ(controller.InsertVideoRender(Output(i), m_graph, i), L"")
            << m_callback.instance.All().c_str();
        EXPECT_NE(controller.RendererFilter(i), nullptr);
        EXPECT_TRUE(controller.HasDisplayControl(i));
    }
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 2);
    EXPECT_TRUE(controller.IsScreenSaverHeld());
    EXPECT_TRUE(controller.CanFullScreen());
    ASSERT_HRESULT_SUCCEEDED(Run());
    Pump(1500);
    EXPECT_GT(m_source[0]->Pin()->Delivered(), 3);
    EXPECT_GT(m_source[1]->Pin()->Delivered(), 3);
    // The pictures are letter-boxed into 320x240: the centre shows the stream's colour.
    const COLORREF camera = ScreenPixel(m_window[0], 100, 120);
    const COLORREF screen = ScreenPixel(m_window[1], 100, 120);
    EXPECT_NE(camera, RGB(0, 0, 0));
    EXPECT_NE(screen, RGB(0, 0, 0));
    EXPECT_NE(camera, screen);
    EXPECT_GT(GetRValue(camera), GetBValue(camera));
    EXPECT_GT(GetBValue(screen), GetRValue(screen));
    if (const char* hold = std::getenv("ORVANE_DISPLAY_HOLD_MS")) {
        Pump(static_cast<DWORD>(std::atoi(hold)));
    }

    controller.RemoveAllRenderers();
    EXPECT_FALSE(controller.IsScreenSaverHeld());
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0);
    EXPECT_FALSE(controller.CanFullScreen());
}

TEST_F(RendererTest, EachFixedChoiceWorksOrFailsWithItsText)
{
    ViewController& controller = *m_controller;
    ASSERT_EQ(controller.InsertVideoWindow(m_window[0], 0), L"");
    for (int kind = kRendererVmr9; kind < kRendererCount; ++kind) {
        controller.SetPlaySettingsText(SettingsText(FALSE, kind).c_str());
        const std::wstring result = controller.InsertVideoRender(Output(0), m_graph, 0);
        if (result.empty()) {
            EXPECT_NE(controller.RendererFilter(0), nullptr) << RendererName(kind);
            EXPECT_EQ(FiltersNamed(L"Video Renderer"), 1) << RendererName(kind);
            EXPECT_TRUE(m_callback.instance.Logged(std::wstring(RendererName(kind)) + L": OK"));
        } else {
            EXPECT_EQ(result, FormatText(DisplayString(214), RendererName(kind)));
            EXPECT_EQ(controller.RendererFilter(0), nullptr);
            EXPECT_FALSE(controller.HasDisplayControl(0));
            // A failed choice leaves nothing of its own behind in the graph.
            EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0) << RendererName(kind);
        }
        controller.RemoveVideoRender(0);
        EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0);
    }
}

TEST_F(RendererTest, AutomaticChoiceTakesTheFirstRendererThatWorks)
{
    IBaseFilter* renderer = nullptr;
    IUnknown* vmr = nullptr;
    IMFVideoDisplayControl* evr = nullptr;
    ASSERT_EQ(ViewController::CreateAutoRenderer(m_graph, m_window[0], &renderer, &vmr, &evr),
              L"");
    ASSERT_NE(renderer, nullptr);
    // Exactly one display control: the EVR when the system has one, except under Wine, whose
    // EVR crashes when taken down, where the VMR-9 comes first.
    EXPECT_TRUE((vmr == nullptr) != (evr == nullptr));
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = GetProcAddress(ntdll, "wine_get_version") != nullptr;
    EXPECT_EQ(vmr != nullptr, wine);
    EXPECT_TRUE(m_callback.instance.Logged(wine ? L"VMR9: OK" : L"EVR: OK"));
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 1);
    m_graph->RemoveFilter(renderer);
    if (evr) {
        evr->Release();
    }
    if (vmr) {
        vmr->Release();
    }
    renderer->Release();
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0);
}

TEST_F(RendererTest, EachRendererCanBeCreatedWindowless)
{
    for (int kind = 0; kind < kRendererCount; ++kind) {
        IBaseFilter* renderer = nullptr;
        IUnknown* vmr = nullptr;
        IMFVideoDisplayControl* evr = nullptr;
        const std::wstring result =
            kind == kRendererEvr
                ? ViewController::CreateEvr(m_graph, m_window[0], &renderer, &evr)
                : ViewController::CreateVmr(m_graph, kind, m_window[0], &renderer, &vmr);
        if (!result.empty()) {
            // A renderer the system lacks: nothing is handed out and nothing stays behind.
            EXPECT_EQ(renderer, nullptr);
            EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0);
            continue;
        }
        ASSERT_NE(renderer, nullptr) << RendererName(kind);
        EXPECT_TRUE((vmr == nullptr) != (evr == nullptr)) << RendererName(kind);
        EXPECT_TRUE(m_callback.instance.Logged(std::wstring(RendererName(kind)) + L": OK"));
        EXPECT_EQ(FiltersNamed(L"Video Renderer"), 1);
        m_graph->RemoveFilter(renderer);
        renderer->Release();
        if (vmr) {
            vmr->Release();
        }
        if (evr) {
            evr->Release();
        }
    }
}

TEST_F(RendererTest, ResizingTheWindowRepositionsTheVideo)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    ASSERT_EQ(controller.InsertVideoWindow(m_window[0], 0), L"");
    ASSERT_EQ(controller.InsertVideoRender(Output(0), m_graph, 0), L"");
    RECT target{};
    ASSERT_TRUE(RendererTarget(controller.RendererFilter(0), &target));
    const RECT before{0, 0, 320, 240};
    EXPECT_TRUE(EqualRect(&target, &before));
    SetWindowPos(m_window[0], nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(RendererTarget(controller.RendererFilter(0), &target));
    const RECT after{0, 0, 400, 300};
    EXPECT_TRUE(EqualRect(&target, &after));
}

TEST_F(RendererTest, TheHiddenWindowGivesAnEmptyRectangle)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    controller.SetHiddenWindow(m_window[1]);
    ASSERT_EQ(controller.InsertVideoWindow(m_window[1], 1), L"");
    ASSERT_EQ(controller.InsertVideoRender(Output(1), m_graph, 1), L"");
    RECT target{1, 1, 1, 1};
    ASSERT_TRUE(RendererTarget(controller.RendererFilter(1), &target));
    EXPECT_TRUE(IsRectEmpty(&target));
}

TEST_F(RendererTest, BadRequestsGiveTheirCallFailureTexts)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    struct Case {
        int index;
        const wchar_t* code;
    };
    const Case cases[] = {{2, L"0x80070057"}, {-1, L"0x80070057"}, {0, L"0x80004003"}};
    for (const Case& c : cases) {
        const std::wstring result = controller.InsertVideoRender(Output(0), m_graph, c.index);
        EXPECT_NE(result.find(L"InsertVideoRender"), std::wstring::npos) << result.c_str();
        EXPECT_NE(result.find(c.code), std::wstring::npos) << result.c_str();
    }
    EXPECT_FALSE(controller.IsScreenSaverHeld());
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 0);
}

TEST_F(RendererTest, InsertingAgainReplacesTheStreamsRenderer)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    ASSERT_EQ(controller.InsertVideoWindow(m_window[0], 0), L"");
    ASSERT_EQ(controller.InsertVideoRender(Output(0), m_graph, 0), L"");
    // The pin is now connected to the first renderer: a second insertion removes that one
    // first, so the pin connects again.
    ASSERT_EQ(controller.InsertVideoRender(Output(0), m_graph, 0), L"");
    EXPECT_EQ(FiltersNamed(L"Video Renderer"), 1);
}

TEST_F(RendererTest, FullScreenCoversTheMonitorAndEscapeLeavesIt)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(controller.InsertVideoWindow(m_window[i], i), L"");
        ASSERT_EQ(controller.InsertVideoRender(Output(i), m_graph, i), L"");
    }
    ASSERT_HRESULT_SUCCEEDED(Run());
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));  // a visible cursor is the one that hides
    // Xvfb draws the pointer into the screen's pixels: keep it off the ones read below.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, 0);
    // Both streams want the single test monitor: the one asked from its window gets it.
    ASSERT_EQ(controller.SetFullScreen(m_window[1], TRUE), L"");
    EXPECT_TRUE(controller.IsFullScreen());
    ASSERT_EQ(controller.FullScreenWindow(0), nullptr);
    CFullScrWindow* full = controller.FullScreenWindow(1);
    ASSERT_NE(full, nullptr);
    HWND fullWindow = full->GetSafeHwnd();
    EXPECT_EQ(controller.GetBoardWindow(1), fullWindow);
    RECT covered{};
    GetWindowRect(fullWindow, &covered);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(EqualRect(&covered, &screen));
    RECT target{};
    ASSERT_TRUE(RendererTarget(controller.RendererFilter(1), &target));
    EXPECT_TRUE(EqualRect(&target, &screen));
    // The first frame in the new window may take a moment to be presented.
    COLORREF centre = CLR_INVALID;
    for (int i = 0; i < 30; ++i) {
        Pump(100);
        centre = ScreenPixel(fullWindow, screen.right / 2, screen.bottom / 2);
        if (i >= 7 && GetBValue(centre) > GetRValue(centre)) {
            break;
        }
    }
    EXPECT_GT(GetBValue(centre), GetRValue(centre)) << std::hex << centre;
    if (const char* hold = std::getenv("ORVANE_DISPLAY_HOLD_MS")) {
        Pump(static_cast<DWORD>(std::atoi(hold)));
    }

    // The cursor timer hides the cursor once; a click brings it back; leaving restores it.
    const int before = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    controller.OnBoardTimer(full->CursorTimerId());
    controller.OnBoardTimer(full->CursorTimerId());
    EXPECT_TRUE(full->IsCursorHidden());
    EXPECT_EQ(ShowCursor(TRUE) - 1, -1);
    ShowCursor(FALSE);
    SendMessageW(fullWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(full->IsCursorHidden());
    EXPECT_EQ(ShowCursor(TRUE) - 1, before);
    ShowCursor(FALSE);

    // Moves of the mouse show the panel along the bottom of the monitor.
    CFullScrPanel* panel = full->Panel();
    ASSERT_NE(panel, nullptr);
    SetCursorPos(screen.right / 2, 10);
    Pump(100);
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(120, 100));
    EXPECT_TRUE(panel->IsShown());
    EXPECT_TRUE(controller.IsPanelShown());
    RECT strip{};
    GetWindowRect(panel->GetSafeHwnd(), &strip);
    EXPECT_EQ(strip.left, screen.left);
    EXPECT_EQ(strip.right, screen.right);
    EXPECT_EQ(strip.bottom, screen.bottom);
    Pump(300);
    if (const char* hold = std::getenv("ORVANE_DISPLAY_HOLD_MS")) {
        Pump(static_cast<DWORD>(std::atoi(hold)));
    }
    // Its delay over, with the cursor away from it, the panel hides again.
    controller.OnBoardTimer(full->PanelTimerId());
    EXPECT_FALSE(panel->IsShown());
    EXPECT_TRUE(controller.IsFullScreen());
    // A single move (as when a window appears) or a repeat of the same point shows nothing.
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(200, 200));
    EXPECT_FALSE(panel->IsShown());
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(210, 200));
    EXPECT_TRUE(panel->IsShown());
    // The panel's buttons are the player's commands.
    CommandRecorder recorder;
    SetEngineCallback(&recorder);
    SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1096, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel->GetSafeHwnd(), 1096)));
    SendMessageW(panel->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel->GetSafeHwnd(), 1097)));
    // Right clicks on the speed buttons open the speed menu; elsewhere they do not. The
    // buttons report a released right button to the panel themselves.
    for (int id : {1102, 1096, 1116}) {
        HWND button = GetDlgItem(panel->GetSafeHwnd(), id);
        SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    // A drag under way when full screen ends is finished for the player.
    HWND slider = GetDlgItem(panel->GetSafeHwnd(), 1099);
    SendMessageW(panel->GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10),
                 reinterpret_cast<LPARAM>(slider));
    controller.SetFullScreen(nullptr, FALSE);
    EXPECT_FALSE(controller.IsFullScreen());
    SetEngineCallback(&m_callback.instance);
    EXPECT_EQ(recorder.commands, (std::vector<UINT>{1, 0}));
    EXPECT_EQ(recorder.speedMenus, (std::vector<int>{1102, 1096}));
    EXPECT_EQ(recorder.scrolls, (std::vector<UINT>{SB_THUMBTRACK, SB_ENDSCROLL}));
    EXPECT_EQ(controller.GetBoardWindow(1), m_window[1]);

    // Full screen again, to leave it by the keyboard.
    ASSERT_EQ(controller.SetFullScreen(m_window[1], TRUE), L"");
    full = controller.FullScreenWindow(1);
    ASSERT_NE(full, nullptr);
    fullWindow = full->GetSafeHwnd();

    SendMessageW(fullWindow, WM_KEYDOWN, 'A', 0);
    Pump(100);
    EXPECT_TRUE(controller.IsFullScreen());
    SendMessageW(fullWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump(200);
    EXPECT_FALSE(controller.IsFullScreen());
    EXPECT_EQ(controller.FullScreenWindow(1), nullptr);
    EXPECT_FALSE(IsWindow(fullWindow));
    EXPECT_EQ(controller.GetBoardWindow(1), m_window[1]);
    ASSERT_TRUE(RendererTarget(controller.RendererFilter(1), &target));
    const RECT normal{0, 0, 320, 240};
    EXPECT_TRUE(EqualRect(&target, &normal));
    EXPECT_TRUE(m_callback.instance.Logged(L"VK pressed(FULL_WND_OFF): 0x1B"));
}

// The panel is a dialog living in the player's message loop: the thread's key hook gives it
// its keyboard, and Esc there leaves full screen. The hooks go with the window.
TEST_F(RendererTest, FullScreenKeyHookServesThePanel)
{
    ViewController& controller = *m_controller;
    controller.SetPlaySettingsText(SettingsText(FALSE, kRendererVmr9).c_str());
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(controller.InsertVideoWindow(m_window[i], i), L"");
        ASSERT_EQ(controller.InsertVideoRender(Output(i), m_graph, i), L"");
    }
    ASSERT_HRESULT_SUCCEEDED(Run());
    ASSERT_EQ(controller.SetFullScreen(m_window[1], TRUE), L"");
    CFullScrWindow* full = controller.FullScreenWindow(1);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(CFullScrWindow::HookOwner(), full);
    HWND fullWindow = full->GetSafeHwnd();
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    SendMessageW(fullWindow, WM_MOUSEMOVE, 0, MAKELPARAM(120, 100));
    ASSERT_TRUE(full->Panel()->IsShown());
    // A key for a control of the panel: a button alone would ignore Esc.
    HWND button = GetDlgItem(full->Panel()->GetSafeHwnd(), 1096);
    PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    for (int i = 0; i < 40 && controller.IsFullScreen(); ++i) {
        Pump(50);
    }
    EXPECT_FALSE(controller.IsFullScreen());
    EXPECT_FALSE(IsWindow(fullWindow));
    EXPECT_EQ(CFullScrWindow::HookOwner(), nullptr);
    EXPECT_EQ(controller.GetBoardWindow(1), m_window[1]);
}

TEST_F(RendererTest, FullScreenWithoutRenderersIsRefusedSilently)
{
    ViewController& controller = *m_controller;
    ASSERT_EQ(controller.InsertVideoWindow(m_window[0], 0), L"");
    EXPECT_EQ(controller.SetFullScreen(m_window[0], TRUE), L"");
    EXPECT_FALSE(controller.IsFullScreen());
    EXPECT_EQ(controller.FullScreenWindow(0), nullptr);
}

TEST(FullScreenPanel, TimeTextShowsTenthsFromTheFirstSignificantDigit)
{
    struct Case {
        double position;
        double duration;
        const wchar_t* text;
    };
    const Case cases[] = {
        {30.0, 120.0, L"30.0 / 2:00.0"},
        {0.0, 0.0, L"0.0 / 0.0"},
        {65.2, 3725.4, L"1:05.2 / 1:02:05.4"},
        {0.04, 9.96, L"0.0 / 10.0"},
        {-3.0, 5.0, L"0.0 / 5.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CFullScrPanel::TimeText(c.position, c.duration), c.text) << c.position;
    }
}

TEST(FullScreenPanel, SliderTargetStaysOnTheTrack)
{
    struct Case {
        double position;
        double duration;
        int target;
    };
    const Case cases[] = {
        {30.0, 120.0, 150}, {0.0, 120.0, 0},   {120.0, 120.0, 600}, {500.0, 120.0, 600},
        {-5.0, 120.0, 0},   {12.3, 0.0, 123},  {100.0, 0.0, 600},   {-1.0, 0.0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CFullScrPanel::SliderTarget(c.position, c.duration), c.target)
            << c.position << " of " << c.duration;
    }
}
