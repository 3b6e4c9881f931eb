// Driving the player's modal dialogs in tests: each step runs on an idle kick of the dialog's
// modal loop, and the helpers read what the controls show.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace nettest {

class DialogTestApp : public CWinApp {
public:
    DialogTestApp() : CWinApp(L"PlayerNetDialogTests") {}
};

inline DialogTestApp g_app;

inline void InitApp()
{
    static const bool done = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        return true;
    }();
    (void)done;
}

// A step runs on an idle kick of the modal loop; it returns false to be run again later (a
// wait for something the dialog does by itself).
using Step = std::function<bool(HWND)>;

template <class Base>
class Driven : public Base {
public:
    using Base::Base;
    std::vector<Step> steps;
    size_t next = 0;
    // A dialog that never gets where a step waits is cancelled, so that a failure cannot hang
    // the test program.
    DWORD limitMs = 60000;
    bool timedOut = false;

protected:
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_start == 0) {
            m_start = GetTickCount();
        }
        if (next < steps.size()) {
            if (GetTickCount() - m_start > limitMs) {
                timedOut = true;
                next = steps.size();
                PostMessageW(this->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            } else if (steps[next](this->m_hWnd)) {
                ++next;
            } else {
                Sleep(20);
            }
        }
        return next < steps.size() ? TRUE : FALSE;
    }
    DECLARE_MESSAGE_MAP()

private:
    DWORD m_start = 0;
};

BEGIN_TEMPLATE_MESSAGE_MAP(Driven, Base, Base)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// With ORVANE_SHOT_PAUSE_MS set (scripts/net-screenshots.sh), a step that holds the dialog on
// screen that long, while it keeps painting, so that a screenshot can be taken; otherwise a step
// that passes at once.
inline Step ShotPause(const char* name)
{
    auto since = std::make_shared<DWORD>(0);
    return [since, name](HWND) {
        const char* pause = std::getenv("ORVANE_SHOT_PAUSE_MS");
        if (pause == nullptr) {
            return true;
        }
        if (*since == 0) {
            *since = GetTickCount();
            std::printf("shot: %s\n", name);
            std::fflush(stdout);
        }
        return GetTickCount() - *since >= static_cast<DWORD>(std::atoi(pause));
    };
}

inline void Press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

inline std::wstring Text(HWND dialog, int id)
{
    wchar_t text[2000] = {};
    GetDlgItemTextW(dialog, id, text, 2000);
    return text;
}

inline bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// The colour and weight of the rich edit's character at an offset.
struct CharLook {
    COLORREF color = 0;
    bool bold = false;
};

inline CharLook LookAt(HWND dialog, int id, LONG offset)
{
    HWND edit = GetDlgItem(dialog, id);
    CHARRANGE keep = {};
    SendMessageW(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    CHARRANGE one = {offset, offset + 1};
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    return CharLook{format.crTextColor, (format.dwEffects & CFE_BOLD) != 0};
}

inline std::string PeerDir()
{
    const char* dir = std::getenv("ORVANE_NET_PEERS");
    return dir != nullptr ? dir : "";
}

inline std::wstring PeerUrl(const std::string& name, const std::wstring& path)
{
    std::ifstream in(PeerDir() + "/ports");
    std::string peer;
    unsigned port = 0;
    while (in >> peer >> port) {
        if (peer == name) {
            return L"vexohttp://127.0.0.1:" + std::to_wstring(port) + path;
        }
    }
    ADD_FAILURE() << "no port for " << name;
    return L"http://127.0.0.1:9/";
}

}  // namespace nettest
