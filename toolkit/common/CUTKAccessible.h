// CUTKAccessible: the mix-in through which toolkit objects answer Active Accessibility. Its
// IAccessible part forwards every method to a virtual operation of the mix-in (defaults:
// E_NOTIMPL, S_FALSE for focus and selection); reference counting and interface queries go
// to the command target that GetAccessibleOwner names. NotifyWinEvent, AccessibleObjectFromWindow
// and LresultFromObject are bound at run time, so the toolkit runs without oleacc.dll.
#pragma once

#include <windows.h>
#include <oleacc.h>

class CCmdTarget;

class CUTKAccessible {
public:
    CUTKAccessible() noexcept;
    virtual ~CUTKAccessible();
    CUTKAccessible(const CUTKAccessible&) = delete;
    CUTKAccessible& operator=(const CUTKAccessible&) = delete;

    // The IAccessible part. Hand it out only from an owner whose interface map answers it.
    class XAccessible : public IAccessible {
    public:
        explicit XAccessible(CUTKAccessible* outer) noexcept : m_pOuter(outer) {}

        // IUnknown: the owner's; without an owner nothing is answered and nothing counted.
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        // IDispatch: no type information.
        STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
        STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                            UINT*) override;
        // IAccessible: forwarded.
        STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
        STDMETHODIMP get_accChildCount(long* pcountChildren) override;
        STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHODIMP get_accName(VARIANT varChild, BSTR* pszName) override;
        STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pszValue) override;
        STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                      long* pidTopic) override;
        STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pszShortcut) override;
        STDMETHODIMP get_accFocus(VARIANT* pvarChild) override;
        STDMETHODIMP get_accSelection(VARIANT* pvarChildren) override;
        STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHODIMP accSelect(long flagsSelect, VARIANT varChild) override;
        STDMETHODIMP accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                 VARIANT varChild) override;
        STDMETHODIMP accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHODIMP accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
        STDMETHODIMP put_accName(VARIANT varChild, BSTR szName) override;
        STDMETHODIMP put_accValue(VARIANT varChild, BSTR szValue) override;

    private:
        CUTKAccessible* m_pOuter;
    };

    // Attributes
    IAccessible* GetAccessible() noexcept { return &m_xAccessible; }

    // Overridables: the IAccessible methods of the same names.
    virtual HRESULT get_accParent(IDispatch** ppdispParent);
    virtual HRESULT get_accChildCount(long* pcountChildren);
    virtual HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT get_accName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT get_accValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT get_accState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT get_accHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszShortcut);
    virtual HRESULT get_accFocus(VARIANT* pvarChild);
    virtual HRESULT get_accSelection(VARIANT* pvarChildren);
    virtual HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT accSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                VARIANT varChild);
    virtual HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT accDoDefaultAction(VARIANT varChild);
    virtual HRESULT put_accName(VARIANT varChild, BSTR szName);
    virtual HRESULT put_accValue(VARIANT varChild, BSTR szValue);
    // The command target that owns the reference count and the interface map; null by default.
    virtual CCmdTarget* GetAccessibleOwner();

    // Operations
    void AccessibleNotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId);
    [[nodiscard]] HRESULT AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid,
                                                     void** ppvObject);
    // Answers WM_GETOBJECT; E_FAIL when oleacc.dll is unavailable.
    LRESULT LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object);

    // The child id an IAccessible call addresses: 0 for the object itself, -1 when the
    // VARIANT names none. By-reference VARIANTs are followed one level.
    static long GetChildIndex(const VARIANT* variant) noexcept;

protected:
    // The accessibility library's name; a derived class may point it elsewhere (tests).
    LPCWSTR m_pszAccessibilityLibrary = L"oleacc.dll";

private:
    using NotifyWinEventFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using AccessibleObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

    static HMODULE Missing() noexcept { return reinterpret_cast<HMODULE>(-1); }
    // Loads the library on first use and looks name up once; null when unavailable.
    FARPROC FindOleaccEntry(FARPROC& cached, LPCSTR name);
    static long ChildIndexAt(const VARIANT* variant, bool followReference) noexcept;

    XAccessible m_xAccessible;
    FARPROC m_procNotifyWinEvent = nullptr;
    FARPROC m_procLresultFromObject = nullptr;
    FARPROC m_procAccessibleObjectFromWindow = nullptr;
    HMODULE m_hUser32 = nullptr;
    HMODULE m_hOleacc = nullptr;
};
