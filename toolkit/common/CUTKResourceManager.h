// CUTKResourceManager: the one place the toolkit loads its resources (strings, menus,
// toolbars, bitmaps, cursors, dialog templates, HTML pages, icons) from, first from the
// toolkit resource module when one is set and then from the framework's resource module. It
// also keeps the resource language (35 known languages, English (United States) otherwise)
// and shows message boxes right-to-left for Hebrew and Arabic.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"
#include "platform/framework/frame/FrameworkFrame.h"

// One entry of the language table.
struct UTK_LANGUAGE_INFO {
    WORD wLanguage;
    UINT nCodePage;
    LPCWSTR lpszEncoding;
    LPCWSTR lpszCaption;
    LPCWSTR lpszLang;
    LPCWSTR lpszSubLang;
    BYTE nFontCharSet;
};

class CUTKResourceManager : public CNoTrackObject {
public:
    CUTKResourceManager();
    ~CUTKResourceManager() override;

    // Overridables
    virtual CString LoadString(UINT id, BOOL* notFound = nullptr);
    virtual BOOL LoadString(CString* string, UINT id);
    virtual BOOL LoadMenu(CMenu* menu, UINT id);
    virtual BOOL LoadToolBar(CToolBar* toolBar, UINT id);
    virtual BOOL LoadBitmap(CBitmap* bitmap, UINT id);
    virtual HCURSOR LoadCursor(UINT id);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT id);
    virtual HGLOBAL LoadDialogResource(LPCWSTR name);
    // The RT_HTML resource as text in the ANSI code page; TRUE when it gave any character.
    virtual BOOL LoadHTML(CString* text, UINT id);
    virtual HICON LoadIcon(UINT id, int width, int height);
    virtual HICON LoadIcon(LPCWSTR name, int width, int height);
    virtual HICON CreateIconFromResource(HMODULE module, LPCWSTR name, int width, int height);
    // Frees a resource library the manager owns; FALSE when it owned none.
    virtual BOOL Close();
    virtual WORD GetResourcesLangID();
    // Selects the language of the resources (those of the toolkit module, else the program's).
    virtual void UpdateResourcesLangID();

    // Operations
    // The entry of language, English (United States) for one not in the table.
    const UTK_LANGUAGE_INFO* SetResourcesLangID(WORD language);
    const UTK_LANGUAGE_INFO* GetLanguageInfo() const noexcept { return m_pLanguageInfo; }
    BYTE GetFontCharset() const noexcept;
    // The message-box type with MB_RTLREADING added for right-to-left languages.
    UINT GetMessageBoxType(UINT type) const noexcept;
    int ShowMessageBox(LPCWSTR text, UINT type);
    // Length of the menu item's text (0, text empty, for none).
    int GetMenuString(CMenu* menu, UINT item, CString& text, UINT flags);

    // The string id of module's string table; 0 (text empty) when missing, empty or damaged.
    static int LoadStringFromBlock(HMODULE module, UINT id, CString& text);
    // The first language of module's resources that is not neutral, preferring any language
    // over English (United States); 0 when it has none.
    static WORD FindResourcesLanguage(HMODULE module);
    static const UTK_LANGUAGE_INFO* FindLanguage(WORD language) noexcept;
    static int GetLanguageCount() noexcept;

    // The toolkit resource module: searched before the framework's resource module.
    static HMODULE GetToolkitResourceModule() noexcept;
    static void SetToolkitResourceModule(HMODULE module) noexcept;

private:
    HMODULE m_hResourceLibrary = nullptr;
    const UTK_LANGUAGE_INFO* m_pLanguageInfo = nullptr;
    BOOL m_bLanguageSet = FALSE;
    BYTE m_nDefaultCharset = DEFAULT_CHARSET;
};

// The process-wide manager, made on first use.
CUTKResourceManager* GetResourceManager();
