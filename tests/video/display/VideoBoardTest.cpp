// Video boards on windows of the test's own: black fill, routing to the controller, the
// owner's procedure still seeing its messages (WM_DESTROY included), one board per window.
#include "video/display/CVideoBoard.h"
#include "tests/video/TestInstance.h"
#include "video/display/ViewController.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT>& OwnerMessages()
{
    static std::vector<UINT> messages;
    return messages;
}

constexpr UINT kProbe = WM_USER + 5;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY || message == kProbe) {
        OwnerMessages().push_back(message);
        return message == kProbe ? 42 : 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeOwnerWindow()
{
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"BoardOwnerWindow";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowW(L"BoardOwnerWindow", L"owner", WS_POPUP, 0, 0, 160, 120, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Records full-screen requests instead of making windows.
class RecordingController : public ViewController {
public:
    struct Request {
        HWND requester;
        BOOL on;
    };
    std::wstring SetFullScreen(HWND requester, BOOL on) override
    {
        requests.push_back({requester, on});
        return L"";
    }
    std::vector<Request> requests;
};

COLORREF ErasedPixel(HWND window, BOOL fill, LRESULT* result)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 200);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 200, 200};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CVideoBoard* board = CVideoBoard::FromWindow(window);
    board->SetFill(fill);
    *result = SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    const COLORREF pixel = GetPixel(memory, 10, 10);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace

TEST(VideoBoard, EraseFillsBlackOnlyWhileFillIsOn)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    ASSERT_NE(window, nullptr);
    CVideoBoard board;
    ASSERT_TRUE(board.Attach(window));
    LRESULT result = 0;
    EXPECT_EQ(ErasedPixel(window, TRUE, &result), RGB(0, 0, 0));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ErasedPixel(window, FALSE, &result), RGB(255, 255, 255));
    EXPECT_EQ(result, 1);
    DestroyWindow(window);
}

TEST(VideoBoard, OtherMessagesReachTheOwnerAndDetachRestoresIt)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    const LONG_PTR ownData = 1234;
    SetWindowLongPtrW(window, GWLP_USERDATA, ownData);
    CVideoBoard board;
    ASSERT_TRUE(board.Attach(window));
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);
    board.Detach();
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), ownData);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), OwnerProc);
    EXPECT_EQ(CVideoBoard::FromWindow(window), nullptr);
    DestroyWindow(window);
}

TEST(VideoBoard, DestroyDetachesAndStillReachesTheOwner)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    CVideoBoard board;
    ASSERT_TRUE(board.Attach(window));
    OwnerMessages().clear();
    DestroyWindow(window);
    EXPECT_EQ(board.Window(), nullptr);
    EXPECT_EQ(OwnerMessages(), std::vector<UINT>{WM_DESTROY});
    board.Detach();  // the window is gone: nothing to restore
    EXPECT_EQ(board.Window(), nullptr);
}

TEST(VideoBoard, ASecondBoardOnTheSameWindowIsRefused)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    CVideoBoard first;
    CVideoBoard second;
    ASSERT_TRUE(first.Attach(window));
    EXPECT_FALSE(second.Attach(window));
    EXPECT_EQ(second.Window(), nullptr);
    EXPECT_EQ(CVideoBoard::FromWindow(window), &first);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);  // no loop through the board procedure
    EXPECT_TRUE(callback.instance.Logged(L"has a board already"));
    DestroyWindow(window);
}

TEST(VideoBoard, DoubleClickAsksForFullScreenAndTheLeaveMessageEndsIt)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    RecordingController controller;
    ASSERT_EQ(controller.InsertVideoWindow(window, 0), L"");
    EXPECT_EQ(controller.GetBoardWindow(0), window);
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(window, CVideoBoard::kLeaveFullScreen, 0, 0);
    ASSERT_EQ(controller.requests.size(), 2u);
    EXPECT_EQ(controller.requests[0].requester, window);
    EXPECT_TRUE(controller.requests[0].on);
    EXPECT_EQ(controller.requests[1].requester, nullptr);
    EXPECT_FALSE(controller.requests[1].on);
    DestroyWindow(window);
    EXPECT_EQ(controller.GetBoardWindow(0), nullptr);
}

TEST(VideoBoard, BothStreamsOnOneWindowKeepOneBoard)
{
    ScopedCallback callback;
    HWND window = MakeOwnerWindow();
    ViewController controller;
    EXPECT_EQ(controller.InsertVideoWindow(window, 0), L"");
    EXPECT_NE(controller.InsertVideoWindow(window, 1), L"");
    EXPECT_EQ(controller.GetBoardWindow(1), nullptr);
    EXPECT_EQ(SendMessageW(window, kProbe, 0, 0), 42);
    EXPECT_NE(controller.InsertVideoWindow(window, 2).find(L"InsertVideoWindow"),
              std::wstring::npos);
    DestroyWindow(window);
}
