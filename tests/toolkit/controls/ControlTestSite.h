// A real site window for the control tests, answering the toolkit's site messages the way the
// player does: it records every control notification and WM_COMMAND, may handle or refuse
// the execute notification, and may rewrite or replace menu items offered for import.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace orvane::test {

class ControlTestSite {
public:
    struct Notification {
        UINT message;
        WPARAM wParam;
        int code;       // 0x2862: the record's code
        int controlId;  // 0x2862: the record's control id; 0x285E/F: the record's id
        CUTKControl* control;
    };

    ControlTestSite()
    {
        static const wchar_t* const kClass = L"OrvaneControlTestSite";
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ControlTestSite::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc);
        m_hwnd = ::CreateWindowExW(0, kClass, L"site", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_wnd.Attach(m_hwnd);
    }
    ~ControlTestSite()
    {
        m_wnd.Detach();
        ::DestroyWindow(m_hwnd);
    }
    ControlTestSite(const ControlTestSite&) = delete;
    ControlTestSite& operator=(const ControlTestSite&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Hwnd() const { return m_hwnd; }

    std::vector<Notification> received;
    std::vector<WPARAM> commands;
    LRESULT executeAnswer = 0;
    // Called on 0x2862 before answering (a handler may remove the control).
    std::function<void(CUTKControl*)> onExecute;
    // Called on 0x285E; answers its result.
    std::function<LRESULT(CreateControlNotify*)> onCreateControl;
    std::function<LRESULT(CreateBarNotify*)> onCreateBar;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ControlTestSite*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
        switch (message) {
        case kUtkControlNotifyMessage: {
            auto* record = reinterpret_cast<NMUTKCONTROL*>(lParam);
            self->received.push_back({message, wParam, static_cast<int>(record->hdr.code),
                                      static_cast<int>(record->hdr.idFrom), record->pControl});
            if (self->onExecute) {
                self->onExecute(record->pControl);
            }
            return self->executeAnswer;
        }
        case WM_COMMAND:
            self->commands.push_back(wParam);
            return 0;
        case kUtkCreateControlMessage:
        case kUtkControlCreatedMessage: {
            auto* record = reinterpret_cast<CreateControlNotify*>(lParam);
            self->received.push_back({message, wParam, 0, record->nID, record->pControl});
            if (message == kUtkCreateControlMessage && self->onCreateControl) {
                return self->onCreateControl(record);
            }
            return 0;
        }
        case kUtkCreateBarMessage:
            if (self->onCreateBar) {
                return self->onCreateBar(reinterpret_cast<CreateBarNotify*>(lParam));
            }
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }

    HWND m_hwnd = nullptr;
    CWnd m_wnd;
};

}  // namespace orvane::test
