// Shared pieces of the tooltip tests: a framework host window with scripted tools, a toolkit
// tooltip window that records the tooltip messages it receives, and a context that makes it.
#pragma once

#include <string>
#include <vector>

#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/common/CUTKToolTipContextToolTip.h"

namespace orvane::test {

struct TipTool {
    UINT_PTR id;
    RECT rect;
    const wchar_t* text;
    const wchar_t* title = nullptr;
    const wchar_t* description = nullptr;
    RECT exclude = {0, 0, 0, 0};
    UINT flags = 0;
    CUTKImageManager* images = nullptr;
};

// A top-level framework window whose mouse and key messages go to a tooltip context (when one
// is set) and whose hit test answers its tools; `forced` makes every hit test answer that tool
// (-1: by the point; -2: none).
class TipHost : public CWnd {
public:
    BOOL CreateHost(int x, int y, int width, int height)
    {
        LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        const BOOL ok = CreateEx(0, cls, L"Tips", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, width,
                                 height, nullptr, nullptr);
        PumpMessages();
        return ok;
    }
    ~TipHost() override
    {
        if (m_hWnd != nullptr) {
            DestroyWindow();
        }
    }
    // The tool the hit test answers for a client point.
    INT_PTR HitTest(CPoint point, TOOLINFO* record) const
    {
        const TipTool* tool = nullptr;
        if (forced >= 0) {
            tool = &tools[static_cast<size_t>(forced)];
        } else if (forced == -1) {
            for (const TipTool& t : tools) {
                if (::PtInRect(&t.rect, point)) {
                    tool = &t;
                    break;
                }
            }
        }
        if (tool == nullptr) {
            return -1;
        }
        CUTKToolTipContext::FillToolInfoEx(record, m_hWnd, tool->rect,
                                           static_cast<INT_PTR>(tool->id), tool->text, tool->title,
                                           tool->description, tool->images);
        if (record->cbSize == TTTOOLINFOW_V2_SIZE && record->lParam != 0) {
            reinterpret_cast<UTK_TOOLTIP_EXTRAINFO*>(record->lParam)->rcExclude = tool->exclude;
        }
        record->uFlags |= tool->flags;
        return static_cast<INT_PTR>(tool->id);
    }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* record) const override
    {
        return HitTest(point, record);
    }
    POINT ScreenPoint(UINT_PTR id, int dx = 0, int dy = 0) const
    {
        for (const TipTool& t : tools) {
            if (t.id == id) {
                POINT p = {(t.rect.left + t.rect.right) / 2 + dx,
                           (t.rect.top + t.rect.bottom) / 2 + dy};
                ::ClientToScreen(m_hWnd, &p);
                return p;
            }
        }
        return POINT{0, 0};
    }

    std::vector<TipTool> tools;
    int forced = -1;
    CUTKToolTipContext* context = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const bool mouse = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                           message == WM_MOUSELEAVE || message == WM_NCMOUSEMOVE ||
                           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
        if (context != nullptr && mouse) {
            context->FilterToolTipMessage(this, message, wParam, lParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct TipRecord {
    UINT message;
    WPARAM wParam;
    UINT_PTR id;
    std::wstring text;
    UINT flags = 0;  // of a tool record
};

// A toolkit tooltip window that logs the tooltip protocol it is sent.
class RecordingTip : public CUTKToolTipContextToolTip {
public:
    RecordingTip(CUTKToolTipContext* context, std::vector<TipRecord>* log)
        : CUTKToolTipContextToolTip(context), m_log(log)
    {
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TTM_ADDTOOLW:
        case TTM_DELTOOLW:
        case TTM_UPDATETIPTEXTW: {
            const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
            std::wstring text;
            if (info->lpszText != nullptr && !IS_INTRESOURCE(info->lpszText) &&
                info->lpszText != LPSTR_TEXTCALLBACKW) {
                text = info->lpszText;
            }
            m_log->push_back({message, wParam, info->uId, text, info->uFlags});
            break;
        }
        case TTM_SETTITLEW:
            m_log->push_back(
                {message, wParam, 0, lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L""});
            break;
        case TTM_RELAYEVENT:
            m_log->push_back(
                {message, reinterpret_cast<const MSG*>(lParam)->message, 0, std::wstring()});
            break;
        case TTM_ACTIVATE:
        case UTK_TTM_SETIMAGE:
            // The image pointer goes in the id slot.
            m_log->push_back({message, wParam, static_cast<UINT_PTR>(lParam), std::wstring()});
            break;
        case TTM_SETDELAYTIME:
            m_log->push_back({message, wParam, 0, std::wstring()});
            break;
        default:
            break;
        }
        return CUTKToolTipContextToolTip::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<TipRecord>* m_log;
};

// The toolkit window with a clock the test sets.
class ClockTip : public CUTKToolTipContextToolTip {
public:
    explicit ClockTip(CUTKToolTipContext* context) : CUTKToolTipContextToolTip(context) {}
    DWORD now = 1000000;

protected:
    DWORD GetTickCountNow() const override { return now; }
};

// A context that makes recording or clocked windows (kind 0 keeps the common controls).
class TestContext : public CUTKToolTipContext {
public:
    enum class Make { kindDefault, recording, clock };
    Make make = Make::kindDefault;
    std::vector<TipRecord> log;

    CWnd* CreateToolTip(CWnd* owner) override
    {
        switch (make) {
        case Make::recording:
            return new RecordingTip(this, &log);
        case Make::clock:
            return new ClockTip(this);
        default:
            return CUTKToolTipContext::CreateToolTip(owner);
        }
    }
    INT_PTR OnToolHitTest(CWnd* host, CPoint point, TOOLINFO* record) override
    {
        return static_cast<TipHost*>(host)->HitTest(point, record);
    }
    CUTKToolTipContextToolTip* OwnTip() const
    {
        return dynamic_cast<CUTKToolTipContextToolTip*>(GetToolTipWindow());
    }
};

}  // namespace orvane::test
