// What the bar-state tests share: an application whose profile is a fresh INI file or a fresh
// registry key (both removed afterwards), a frame with a manager, its four dock bars and
// toolbars of plain buttons, and reading files and fixtures byte for byte.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace orvane::test {

inline std::string ReadBytes(const std::wstring& path)
{
    std::string text;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// A fixture of this folder's "state" directory (ORVANE_SOURCE is the source tree).
inline std::string ReadFixture(const char* name)
{
    const char* root = std::getenv("ORVANE_SOURCE");
    std::string path = std::string(root != nullptr ? root : ".") +
                       "/tests/toolkit/commandbars/state/" + name;
    std::wstring wide(path.begin(), path.end());
    for (wchar_t& c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    return ReadBytes(wide);
}

inline std::wstring TempPath(const std::wstring& name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name + L"-" + std::to_wstring(::GetCurrentProcessId());
}

// The application object with its profile: an INI file, or HKCU\Software\<company>\Profile.
class ProfileApp {
public:
    enum Kind { kIni, kRegistry };

    explicit ProfileApp(Kind kind, const wchar_t* tag = L"barstate")
        : m_app(L"BarStateTest"),
          m_company(std::wstring(L"OrvaneTests-") + tag + L"-" + std::to_wstring(::GetCurrentProcessId()))
    {
        if (kind == kRegistry) {
            m_app.m_pszRegistryKey = _wcsdup(m_company.c_str());
            m_app.m_pszProfileName = _wcsdup(L"Profile");
        } else {
            m_ini = TempPath(std::wstring(tag) + L".ini");
            ::DeleteFileW(m_ini.c_str());
            m_app.m_pszProfileName = _wcsdup(m_ini.c_str());
        }
    }
    ~ProfileApp()
    {
        if (!m_ini.empty())
            ::DeleteFileW(m_ini.c_str());
        const std::wstring path = L"Software\\" + m_company;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }
    ProfileApp(const ProfileApp&) = delete;
    ProfileApp& operator=(const ProfileApp&) = delete;

    // HKCU path of a section of the registry profile.
    std::wstring SectionPath(const std::wstring& section) const
    {
        return L"Software\\" + m_company + L"\\Profile\\" + section;
    }
    std::string IniBytes() const { return ReadBytes(m_ini); }

    CWinApp m_app;
    std::wstring m_company;
    std::wstring m_ini;
};

// A frame with a manager that docks: toolbars are added by id with a few plain buttons, whose
// built-in set is snapshot as the program's own.
class StateHost {
public:
    explicit StateHost(BOOL customize = FALSE, CRect rc = CRect(40, 40, 840, 640))
    {
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"bar state host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc);
        m_bars = new CUTKCommandBars;
        m_bars->SetSite(m_frame);
        m_bars->EnableDocking();
        m_bars->EnableCustomization(customize);
    }
    ~StateHost()
    {
        m_bars->InternalRelease();
        m_frame->DestroyWindow();
    }
    StateHost(const StateHost&) = delete;
    StateHost& operator=(const StateHost&) = delete;

    // Docked (0-3) or floating (4) through the manager.
    CUTKToolBar* AddBar(UINT id, const wchar_t* title, int position, int buttons = 3)
    {
        CUTKToolBar* bar = m_bars->Add(title, position);
        if (bar == nullptr)
            return nullptr;
        Fill(bar, id, title, buttons);
        Layout();
        return bar;
    }
    // Held by the manager but without a window (for what needs no layout).
    CUTKToolBar* AddLooseBar(UINT id, const wchar_t* title, int buttons = 3)
    {
        auto* bar = static_cast<CUTKToolBar*>(RUNTIME_CLASS(CUTKToolBar)->CreateObject());
        bar->SetCommandBars(m_bars);
        bar->SetTitle(title);
        Fill(bar, id, title, buttons);
        m_bars->Add(static_cast<CUTKCommandBar*>(bar));
        bar->InternalRelease();
        return bar;
    }
    static void Fill(CUTKToolBar* bar, UINT id, const wchar_t* title, int buttons)
    {
        bar->SetBarID(id);
        for (int i = 0; i < buttons; ++i) {
            CUTKControl* control = bar->GetControls()->Add(utkControlButton, static_cast<int>(id * 10 + i));
            control->SetCaption((std::wstring(title) + L" " + std::to_wstring(i)).c_str());
        }
        bar->GetControls()->CreateOriginalControls();
    }
    void Layout()
    {
        m_frame->RecalcLayout();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    CFrameWnd* m_frame = nullptr;  // deletes itself when destroyed
    CUTKCommandBars* m_bars = nullptr;
};

// The captions of a bar's controls, joined by '|'.
inline std::wstring Captions(CUTKCommandBar* bar)
{
    std::wstring out;
    CUTKControls* controls = bar->GetControls();
    for (int i = 0; controls != nullptr && i < controls->GetCount(); ++i) {
        if (i > 0)
            out += L"|";
        out += static_cast<LPCWSTR>(controls->GetAt(i)->GetCaption());
    }
    return out;
}

}  // namespace orvane::test
