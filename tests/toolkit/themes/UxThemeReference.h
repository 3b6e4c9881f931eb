// The visual-style parts the themes are expected to draw, drawn by the tests straight through
// uxtheme.dll (bound at run time, so the classic run still starts) into a reference DC.
#pragma once

#include <windows.h>

namespace orvane::test {

class UxThemeReference {
public:
    explicit UxThemeReference(LPCWSTR classList)
    {
        m_module = ::LoadLibraryW(L"uxtheme.dll");
        if (!m_module) {
            return;
        }
        m_open = Bind<OpenFn>("OpenThemeData");
        m_close = Bind<CloseFn>("CloseThemeData");
        m_draw = Bind<DrawFn>("DrawThemeBackground");
        m_color = Bind<ColorFn>("GetThemeColor");
        m_int = Bind<IntFn>("GetThemeInt");
        m_active = Bind<ActiveFn>("IsThemeActive");
        if (m_open && m_close && m_draw && m_active && m_active()) {
            m_theme = m_open(nullptr, classList);
        }
    }
    ~UxThemeReference()
    {
        if (m_theme && m_close) {
            m_close(m_theme);
        }
        if (m_module) {
            ::FreeLibrary(m_module);
        }
    }
    UxThemeReference(const UxThemeReference&) = delete;
    UxThemeReference& operator=(const UxThemeReference&) = delete;

    bool IsOpen() const { return m_theme != nullptr; }
    bool Draw(HDC dc, int part, int state, const RECT& rect) const
    {
        return m_theme && SUCCEEDED(m_draw(m_theme, dc, part, state, &rect, nullptr));
    }
    bool DrawClipped(HDC dc, int part, int state, const RECT& rect, const RECT& clip) const
    {
        return m_theme && SUCCEEDED(m_draw(m_theme, dc, part, state, &rect, &clip));
    }
    bool Color(int part, int state, int prop, COLORREF* color) const
    {
        return m_theme && m_color && SUCCEEDED(m_color(m_theme, part, state, prop, color));
    }
    bool Int(int part, int state, int prop, int* value) const
    {
        return m_theme && m_int && SUCCEEDED(m_int(m_theme, part, state, prop, value));
    }

private:
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HANDLE);
    using DrawFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using ColorFn = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);
    using IntFn = HRESULT(WINAPI*)(HANDLE, int, int, int, int*);
    using ActiveFn = BOOL(WINAPI*)();

    template <class Fn>
    Fn Bind(const char* name) const
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_module, name)));
    }

    HMODULE m_module = nullptr;
    HANDLE m_theme = nullptr;
    OpenFn m_open = nullptr;
    CloseFn m_close = nullptr;
    DrawFn m_draw = nullptr;
    ColorFn m_color = nullptr;
    IntFn m_int = nullptr;
    ActiveFn m_active = nullptr;
};

}  // namespace orvane::test
