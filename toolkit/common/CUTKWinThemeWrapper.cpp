// Late-bound visual styles and composition. g++ has no structured exception handling, so the
// catch-all around each call covers C++ exceptions only; calls are guarded by their checks.
#include "toolkit/common/CUTKWinThemeWrapper.h"

namespace {

const char* const kSlotNames[CUTKWinThemeWrapper::EntryTable::slotCount] = {
    "OpenThemeData",    "CloseThemeData",       "DrawThemeBackground", "DrawThemeTextEx",
    "GetThemeColor",    "GetThemeInt",          "GetThemeSysBool",     "IsAppThemed",
    "IsThemeActive",    "GetCurrentThemeName", "BeginBufferedPaint",  "EndBufferedPaint",
};

using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using DrawThemeTextExFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT,
                                           const DTTOPTS*);
using GetThemeColorFn = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
using GetThemeIntFn = HRESULT(WINAPI*)(HTHEME, int, int, int, int*);
using GetThemeSysBoolFn = BOOL(WINAPI*)(HTHEME, int);
using IsAppThemedFn = BOOL(WINAPI*)();
using IsThemeActiveFn = BOOL(WINAPI*)();
using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
using BeginBufferedPaintFn = HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT,
                                                   BP_PAINTPARAMS*, HDC*);
using EndBufferedPaintFn = HRESULT(WINAPI*)(HPAINTBUFFER, BOOL);
using DwmDefWindowProcFn = BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
using DwmExtendFrameFn = HRESULT(WINAPI*)(HWND, const MARGINS*);

template <class T>
T As(FARPROC proc) noexcept
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

// The composition entry points, one set per process, never freed.
struct CompositionTable {
    HMODULE module = ::LoadLibraryW(L"dwmapi.dll");
    FARPROC defWindowProc = nullptr;
    FARPROC extendFrame = nullptr;

    FARPROC Get(FARPROC& cached, const char* name) noexcept
    {
        if (!cached && module) {
            cached = ::GetProcAddress(module, name);
        }
        return cached;
    }
};

CompositionTable& Composition()
{
    static CompositionTable* table = new CompositionTable;
    return *table;
}

}  // namespace

// ---- Entry table ----------------------------------------------------------------------------

CUTKWinThemeWrapper::EntryTable::EntryTable(LPCWSTR moduleName) noexcept
    : m_hModule(moduleName ? ::LoadLibraryW(moduleName) : nullptr)
{
}

void CUTKWinThemeWrapper::EntryTable::Reset(HMODULE module) noexcept
{
    m_hModule = module;
    for (FARPROC& proc : m_procs) {
        proc = nullptr;
    }
}

FARPROC CUTKWinThemeWrapper::EntryTable::Get(Slot slot) noexcept
{
    if (m_hModule && !m_procs[slot]) {
        m_procs[slot] = ::GetProcAddress(m_hModule, kSlotNames[slot]);
    }
    return m_procs[slot];
}

// ---- Wrapper --------------------------------------------------------------------------------

CUTKWinThemeWrapper::CUTKWinThemeWrapper(BOOL refreshFlag) noexcept : m_bRefreshFlag(refreshFlag)
{
}

CUTKWinThemeWrapper::~CUTKWinThemeWrapper()
{
    CloseThemeData();
}

CUTKWinThemeWrapper::EntryTable& CUTKWinThemeWrapper::SetOwnTable(HMODULE module)
{
    CloseThemeData();
    m_pOwnTable = std::make_unique<EntryTable>(nullptr);
    m_pOwnTable->Reset(module);
    return *m_pOwnTable;
}

CUTKWinThemeWrapper::EntryTable* CUTKWinThemeWrapper::GetTable() noexcept
{
    if (m_pOwnTable) {
        return m_pOwnTable.get();
    }
    // Two shared tables, by refresh flag; built on first use and kept for the process.
    static EntryTable* plain = new EntryTable(L"UXTHEME.DLL");
    static EntryTable* refreshing = new EntryTable(L"UXTHEME.DLL");
    return m_bRefreshFlag ? refreshing : plain;
}

void CUTKWinThemeWrapper::RefreshModule() noexcept
{
    if (!m_bRefreshFlag) {
        return;
    }
    EntryTable* table = GetTable();
    HMODULE loaded = ::GetModuleHandleA("UXTHEME.DLL");
    if (loaded != table->GetModule()) {
        table->Reset(loaded);
    }
}

template <class Fn>
Fn CUTKWinThemeWrapper::Entry(EntryTable::Slot slot) noexcept
{
    return As<Fn>(GetTable()->Get(slot));
}

HTHEME CUTKWinThemeWrapper::OpenThemeData(HWND window, LPCWSTR classList)
{
    CloseThemeData();
    RefreshModule();
    try {
        if (auto open = Entry<OpenThemeDataFn>(EntryTable::slotOpenThemeData)) {
            m_hTheme = open(window, classList);
        }
    } catch (...) {
        m_hTheme = nullptr;
    }
    return m_hTheme;
}

void CUTKWinThemeWrapper::CloseThemeData()
{
    HTHEME theme = m_hTheme;
    m_hTheme = nullptr;
    if (!theme) {
        return;
    }
    try {
        if (auto close = Entry<CloseThemeDataFn>(EntryTable::slotCloseThemeData)) {
            close(theme);
        }
    } catch (...) {
    }
}

HRESULT CUTKWinThemeWrapper::DrawThemeBackground(HDC dc, int partId, int stateId,
                                                 const RECT* rect, const RECT* clipRect)
{
    try {
        if (auto draw = Entry<DrawThemeBackgroundFn>(EntryTable::slotDrawThemeBackground)) {
            return draw(m_hTheme, dc, partId, stateId, rect, clipRect);
        }
    } catch (...) {
    }
    return E_FAIL;
}

HRESULT CUTKWinThemeWrapper::DrawThemeTextEx(HDC dc, int partId, int stateId, LPCWSTR text,
                                             int charCount, DWORD flags, LPRECT rect,
                                             const DTTOPTS* options)
{
    try {
        if (auto draw = Entry<DrawThemeTextExFn>(EntryTable::slotDrawThemeTextEx)) {
            return draw(m_hTheme, dc, partId, stateId, text, charCount, flags, rect, options);
        }
    } catch (...) {
    }
    return E_FAIL;
}

HRESULT CUTKWinThemeWrapper::GetThemeColor(int partId, int stateId, int propId,
                                           COLORREF* color)
{
    try {
        if (auto get = Entry<GetThemeColorFn>(EntryTable::slotGetThemeColor)) {
            return get(m_hTheme, partId, stateId, propId, color);
        }
    } catch (...) {
    }
    return E_FAIL;
}

HRESULT CUTKWinThemeWrapper::GetThemeInt(int partId, int stateId, int propId, int* value)
{
    try {
        if (auto get = Entry<GetThemeIntFn>(EntryTable::slotGetThemeInt)) {
            return get(m_hTheme, partId, stateId, propId, value);
        }
    } catch (...) {
    }
    return E_FAIL;
}

BOOL CUTKWinThemeWrapper::GetThemeSysBool(int boolId)
{
    try {
        if (auto get = Entry<GetThemeSysBoolFn>(EntryTable::slotGetThemeSysBool)) {
            return get(m_hTheme, boolId);
        }
    } catch (...) {
    }
    return FALSE;
}

BOOL CUTKWinThemeWrapper::IsAppThemed()
{
    if (!m_hTheme) {
        return FALSE;
    }
    try {
        if (auto themed = Entry<IsAppThemedFn>(EntryTable::slotIsAppThemed)) {
            return themed();
        }
    } catch (...) {
    }
    return FALSE;
}

BOOL CUTKWinThemeWrapper::IsThemeActive()
{
    if (!m_hTheme) {
        RefreshModule();
    }
    try {
        if (auto active = Entry<IsThemeActiveFn>(EntryTable::slotIsThemeActive)) {
            return active();
        }
    } catch (...) {
    }
    return FALSE;
}

HRESULT CUTKWinThemeWrapper::GetCurrentThemeName(LPWSTR fileName, int fileNameSize,
                                                 LPWSTR colorName, int colorNameSize,
                                                 LPWSTR sizeName, int sizeNameSize)
{
    RefreshModule();
    try {
        if (auto get = Entry<GetCurrentThemeNameFn>(EntryTable::slotGetCurrentThemeName)) {
            return get(fileName, fileNameSize, colorName, colorNameSize, sizeName, sizeNameSize);
        }
    } catch (...) {
    }
    return E_FAIL;
}

HPAINTBUFFER CUTKWinThemeWrapper::BeginBufferedPaint(HDC target, const RECT* targetRect,
                                                     BP_BUFFERFORMAT format,
                                                     BP_PAINTPARAMS* paintParams, HDC* paintDC)
{
    try {
        if (auto begin = Entry<BeginBufferedPaintFn>(EntryTable::slotBeginBufferedPaint)) {
            return begin(target, targetRect, format, paintParams, paintDC);
        }
    } catch (...) {
    }
    return nullptr;
}

void CUTKWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget)
{
    try {
        if (auto end = Entry<EndBufferedPaintFn>(EntryTable::slotEndBufferedPaint)) {
            end(buffer, updateTarget);
        }
    } catch (...) {
    }
}

// ---- Composition ----------------------------------------------------------------------------

HRESULT CUTKWinThemeWrapper::DwmDefWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, LRESULT* result)
{
    CompositionTable& table = Composition();
    if (auto proc = As<DwmDefWindowProcFn>(table.Get(table.defWindowProc, "DwmDefWindowProc"))) {
        return proc(window, message, wParam, lParam, result) ? S_OK : S_FALSE;
    }
    return E_FAIL;
}

MARGINS CUTKWinThemeWrapper::MakeMargins(int left, int top, int right, int bottom) noexcept
{
    return MARGINS{left, right, top, bottom};
}

HRESULT CUTKWinThemeWrapper::DwmExtendFrameIntoClientArea(HWND window, int left, int top,
                                                          int right, int bottom)
{
    CompositionTable& table = Composition();
    auto extend =
        As<DwmExtendFrameFn>(table.Get(table.extendFrame, "DwmExtendFrameIntoClientArea"));
    if (!extend) {
        return E_FAIL;
    }
    const MARGINS margins = MakeMargins(left, top, right, bottom);
    return extend(window, &margins);
}
