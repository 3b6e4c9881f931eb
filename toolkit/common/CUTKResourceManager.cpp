// Resource lookup through the toolkit resource module and the framework's resource module.
#include "toolkit/common/CUTKResourceManager.h"

#include "toolkit/common/ResourceModuleScope.h"

#include <vector>

namespace {

// Searched linearly by language id; English (United States) uses the ANSI code page.
const UTK_LANGUAGE_INFO kLanguages[] = {
    {0x0419, 1251, L"windows-1251", L"Russian", L"LANG_RUSSIAN", L"SUBLANG_DEFAULT", 204},
    {0x0411, 932, L"shift-jis", L"Japanese", L"LANG_JAPANESE", L"SUBLANG_DEFAULT", 128},
    {0x0401, 1256, L"windows-1256", L"Arabic (Saudi Arabia)", L"LANG_ARABIC",
     L"SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x0405, 1250, L"windows-1250", L"Czech", L"LANG_CZECH", L"SUBLANG_DEFAULT", 238},
    {0x0406, 1252, L"windows-1252", L"Danish", L"LANG_DANISH", L"SUBLANG_DEFAULT", 0},
    {0x0407, 1252, L"windows-1252", L"German (Germany)", L"LANG_GERMAN", L"SUBLANG_GERMAN", 0},
    {0x0408, 1253, L"windows-1253", L"Greek", L"LANG_GREEK", L"SUBLANG_DEFAULT", 161},
    {0x0409, 0, L"windows-1252", L"English (United States)", L"LANG_ENGLISH",
     L"SUBLANG_ENGLISH_US", 0},
    {0x0C0A, 1252, L"windows-1252", L"Spanish (Spain - Modern Sort)", L"LANG_SPANISH",
     L"SUBLANG_SPANISH_MODERN", 0},
    {0x0425, 1257, L"windows-1257", L"Estonian", L"LANG_ESTONIAN", L"SUBLANG_DEFAULT", 186},
    {0x040B, 1252, L"windows-1252", L"Finnish", L"LANG_FINNISH", L"SUBLANG_DEFAULT", 0},
    {0x040C, 1252, L"windows-1252", L"French (France)", L"LANG_FRENCH", L"SUBLANG_FRENCH", 0},
    {0x040D, 1255, L"windows-1255", L"Hebrew", L"LANG_HEBREW", L"SUBLANG_DEFAULT", 177},
    {0x041A, 1250, L"windows-1250", L"Croatian", L"LANG_CROATIAN", L"SUBLANG_DEFAULT", 238},
    {0x040E, 1250, L"windows-1250", L"Hungarian", L"LANG_HUNGARIAN", L"SUBLANG_DEFAULT", 238},
    {0x0410, 1252, L"windows-1252", L"Italian (Italy)", L"LANG_ITALIAN", L"SUBLANG_ITALIAN", 0},
    {0x0412, 949, L"ks_c_5601", L"Korean", L"LANG_KOREAN", L"SUBLANG_DEFAULT", 129},
    {0x0427, 1257, L"windows-1257", L"Lithuanian", L"LANG_LITHUANIAN", L"SUBLANG_LITHUANIAN",
     186},
    {0x0426, 1257, L"windows-1257", L"Latvian", L"LANG_LATVIAN", L"SUBLANG_DEFAULT", 186},
    {0x0413, 1252, L"windows-1252", L"Dutch", L"LANG_DUTCH", L"SUBLANG_DUTCH", 0},
    {0x0414, 1252, L"windows-1252", L"Norwegian (Bokmal)", L"LANG_NORWEGIAN",
     L"SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x0415, 1250, L"windows-1250", L"Polish", L"LANG_POLISH", L"SUBLANG_DEFAULT", 238},
    {0x0816, 1252, L"windows-1252", L"Portuguese (Portugal)", L"LANG_PORTUGUESE",
     L"SUBLANG_PORTUGUESE", 0},
    {0x0416, 1252, L"windows-1252", L"Portuguese (Brazil)", L"LANG_PORTUGUESE",
     L"SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x0418, 1250, L"windows-1250", L"Romanian", L"LANG_ROMANIAN", L"SUBLANG_DEFAULT", 238},
    {0x081A, 1250, L"windows-1250", L"Serbian", L"LANG_SERBIAN", L"SUBLANG_SERBIAN_LATIN", 238},
    {0x041B, 1250, L"windows-1250", L"Slovak", L"LANG_SLOVAK", L"SUBLANG_DEFAULT", 238},
    {0x0424, 1250, L"windows-1250", L"Slovenian", L"LANG_SLOVENIAN", L"SUBLANG_DEFAULT", 238},
    {0x041D, 1252, L"windows-1252", L"Swedish", L"LANG_SWEDISH", L"SUBLANG_DEFAULT", 0},
    {0x041E, 874, L"windows-874", L"Thai", L"LANG_THAI", L"SUBLANG_DEFAULT", 222},
    {0x041F, 1254, L"windows-1254", L"Turkish", L"LANG_TURKISH", L"SUBLANG_DEFAULT", 162},
    {0x0422, 1251, L"windows-1251", L"Ukrainian ", L"LANG_UKRAINIAN", L"SUBLANG_DEFAULT", 204},
    {0x0402, 1251, L"windows-1251", L"Bulgarian", L"LANG_BULGARIAN", L"SUBLANG_DEFAULT", 204},
    {0x0804, 936, L"gb2312", L"Chinese (PRC)", L"LANG_CHINESE", L"SUBLANG_CHINESE_SIMPLIFIED",
     134},
    {0x0404, 950, L"big5", L"Chinese (Taiwan)", L"LANG_CHINESE", L"SUBLANG_CHINESE_TRADITIONAL",
     136},
};

constexpr WORD kEnglishUS = 0x0409;

HMODULE g_toolkitResourceModule = nullptr;

bool HasResource(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    return module && ::FindResourceW(module, name, type) != nullptr;
}

// State of one language search over a module's resources.
struct LanguageSearch {
    WORD found = 0;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    if (language == 0) {
        return TRUE;
    }
    search->found = language;
    return language == kEnglishUS;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    ::EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    return search->found == 0 || search->found == kEnglishUS;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    ::EnumResourceNamesW(module, type, OnName, param);
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    return search->found == 0 || search->found == kEnglishUS;
}

}  // namespace

CUTKResourceManager::CUTKResourceManager()
{
    m_pLanguageInfo = FindLanguage(kEnglishUS);
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        m_nDefaultCharset = font.lfCharSet;
    }
}

CUTKResourceManager::~CUTKResourceManager()
{
    (void)Close();
}

HMODULE CUTKResourceManager::GetToolkitResourceModule() noexcept
{
    return g_toolkitResourceModule;
}

void CUTKResourceManager::SetToolkitResourceModule(HMODULE module) noexcept
{
    g_toolkitResourceModule = module;
}

const UTK_LANGUAGE_INFO* CUTKResourceManager::FindLanguage(WORD language) noexcept
{
    for (const UTK_LANGUAGE_INFO& info : kLanguages) {
        if (info.wLanguage == language) {
            return &info;
        }
    }
    return nullptr;
}

int CUTKResourceManager::GetLanguageCount() noexcept
{
    return static_cast<int>(std::size(kLanguages));
}

// ---- Strings --------------------------------------------------------------------------------

CString CUTKResourceManager::LoadString(UINT id, BOOL* notFound)
{
    CString text;
    const BOOL found = LoadString(&text, id);
    if (notFound) {
        *notFound = !found;
    }
    return text;
}

BOOL CUTKResourceManager::LoadString(CString* string, UINT id)
{
    if (!string) {
        return FALSE;
    }
    HMODULE toolkit = g_toolkitResourceModule;
    if (toolkit && HasResource(toolkit, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING)) {
        return LoadStringFromBlock(toolkit, id, *string) > 0;
    }
    return string->LoadString(AfxGetResourceHandle(), id);
}

int CUTKResourceManager::LoadStringFromBlock(HMODULE module, UINT id, CString& text)
{
    text.Empty();
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING);
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    const auto* p = handle ? static_cast<const WCHAR*>(::LockResource(handle)) : nullptr;
    if (!p) {
        return 0;
    }
    // Every count and every string must lie inside the block: a damaged block reads as absent.
    const WCHAR* end = p + ::SizeofResource(module, info) / sizeof(WCHAR);
    for (UINT i = 0; i < (id & 15); ++i) {
        if (p >= end || *p >= end - p) {
            return 0;
        }
        p += 1 + *p;
    }
    if (p >= end || *p == 0 || *p >= end - p) {
        return 0;
    }
    const int length = *p;
    text = CString(p + 1, length);
    return length;
}

// ---- Menus, toolbars, bitmaps, cursors, dialogs ---------------------------------------------

BOOL CUTKResourceManager::LoadMenu(CMenu* menu, UINT id)
{
    if (!menu) {
        return FALSE;
    }
    HMODULE toolkit = g_toolkitResourceModule;
    if (HasResource(toolkit, MAKEINTRESOURCEW(id), RT_MENU)) {
        if (menu->Attach(::LoadMenuW(toolkit, MAKEINTRESOURCEW(id)))) {
            return TRUE;
        }
    }
    return menu->Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
}

BOOL CUTKResourceManager::LoadToolBar(CToolBar* toolBar, UINT id)
{
    if (!toolBar) {
        return FALSE;
    }
    ResourceModuleScope scope;
    return toolBar->LoadToolBar(id);
}

BOOL CUTKResourceManager::LoadBitmap(CBitmap* bitmap, UINT id)
{
    if (!bitmap) {
        return FALSE;
    }
    HMODULE toolkit = g_toolkitResourceModule;
    if (HasResource(toolkit, MAKEINTRESOURCEW(id), RT_BITMAP)) {
        if (bitmap->Attach(::LoadBitmapW(toolkit, MAKEINTRESOURCEW(id)))) {
            return TRUE;
        }
    }
    return bitmap->Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id)));
}

HCURSOR CUTKResourceManager::LoadCursor(UINT id)
{
    HMODULE toolkit = g_toolkitResourceModule;
    if (HasResource(toolkit, MAKEINTRESOURCEW(id), RT_GROUP_CURSOR)) {
        return ::LoadCursorW(toolkit, MAKEINTRESOURCEW(id));
    }
    return ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id));
}

LPCDLGTEMPLATE CUTKResourceManager::LoadDialogTemplate(UINT id)
{
    HGLOBAL resource = LoadDialogResource(MAKEINTRESOURCEW(id));
    return resource ? static_cast<LPCDLGTEMPLATE>(::LockResource(resource)) : nullptr;
}

HGLOBAL CUTKResourceManager::LoadDialogResource(LPCWSTR name)
{
    for (HMODULE module : {g_toolkitResourceModule, static_cast<HMODULE>(AfxGetResourceHandle())}) {
        if (HRSRC info = module ? ::FindResourceW(module, name, RT_DIALOG) : nullptr) {
            return ::LoadResource(module, info);
        }
    }
    return nullptr;
}

BOOL CUTKResourceManager::LoadHTML(CString* text, UINT id)
{
    if (!text) {
        return FALSE;
    }
    text->Empty();
    // An empty toolkit module searches the program itself.
    HMODULE module = g_toolkitResourceModule;
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_HTML);
    if (!info) {
        module = AfxGetResourceHandle();
        info = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_HTML);
    }
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    const auto* bytes = handle ? static_cast<const char*>(::LockResource(handle)) : nullptr;
    if (!bytes) {
        return FALSE;
    }
    const int size = static_cast<int>(::SizeofResource(module, info));
    std::vector<wchar_t> buffer(2 * static_cast<size_t>(size) + 2, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes, size, buffer.data(), 2 * size + 1);
    *text = buffer.data();
    return text->IsEmpty() ? FALSE : TRUE;
}

// ---- Icons ----------------------------------------------------------------------------------

HICON CUTKResourceManager::LoadIcon(UINT id, int width, int height)
{
    return LoadIcon(MAKEINTRESOURCEW(id), width, height);
}

HICON CUTKResourceManager::LoadIcon(LPCWSTR name, int width, int height)
{
    HMODULE toolkit = g_toolkitResourceModule;
    if (HasResource(toolkit, name, RT_GROUP_ICON)) {
        if (HANDLE icon =
                ::LoadImageW(toolkit, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR)) {
            return static_cast<HICON>(icon);
        }
    }
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), name, IMAGE_ICON, width,
                                           height, LR_DEFAULTCOLOR));
}

HICON CUTKResourceManager::CreateIconFromResource(HMODULE module, LPCWSTR name, int width,
                                                  int height)
{
    HRSRC group = ::FindResourceW(module, name, RT_GROUP_ICON);
    HGLOBAL groupData = group ? ::LoadResource(module, group) : nullptr;
    auto* directory = groupData ? static_cast<PBYTE>(::LockResource(groupData)) : nullptr;
    if (!directory) {
        return nullptr;
    }
    const int iconId =
        ::LookupIconIdFromDirectoryEx(directory, TRUE, width, height, LR_DEFAULTCOLOR);
    HRSRC image = iconId ? ::FindResourceW(module, MAKEINTRESOURCEW(iconId), RT_ICON) : nullptr;
    HGLOBAL imageData = image ? ::LoadResource(module, image) : nullptr;
    auto* bits = imageData ? static_cast<PBYTE>(::LockResource(imageData)) : nullptr;
    if (!bits) {
        return nullptr;
    }
    return ::CreateIconFromResourceEx(bits, ::SizeofResource(module, image), TRUE, 0x30000,
                                      width, height, LR_DEFAULTCOLOR);
}

BOOL CUTKResourceManager::Close()
{
    if (!m_hResourceLibrary) {
        return FALSE;
    }
    const BOOL result = ::FreeLibrary(m_hResourceLibrary);
    m_hResourceLibrary = nullptr;
    return result;
}

// ---- Language -------------------------------------------------------------------------------

WORD CUTKResourceManager::GetResourcesLangID()
{
    return m_pLanguageInfo->wLanguage;
}

WORD CUTKResourceManager::FindResourcesLanguage(HMODULE module)
{
    LanguageSearch search;
    ::EnumResourceTypesW(module, OnType, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

void CUTKResourceManager::UpdateResourcesLangID()
{
    HMODULE module = g_toolkitResourceModule;
    if (!module) {
        module = ::GetModuleHandleW(nullptr);
    }
    SetResourcesLangID(FindResourcesLanguage(module));
}

const UTK_LANGUAGE_INFO* CUTKResourceManager::SetResourcesLangID(WORD language)
{
    const UTK_LANGUAGE_INFO* info = FindLanguage(language);
    m_pLanguageInfo = info ? info : FindLanguage(kEnglishUS);
    return m_pLanguageInfo;
}

BYTE CUTKResourceManager::GetFontCharset() const noexcept
{
    return m_bLanguageSet ? m_pLanguageInfo->nFontCharSet : m_nDefaultCharset;
}

UINT CUTKResourceManager::GetMessageBoxType(UINT type) const noexcept
{
    const UINT codePage = m_pLanguageInfo->nCodePage;
    return (codePage == 1255 || codePage == 1256) ? (type | MB_RTLREADING) : type;
}

int CUTKResourceManager::ShowMessageBox(LPCWSTR text, UINT type)
{
    return AfxMessageBox(text, GetMessageBoxType(type));
}

int CUTKResourceManager::GetMenuString(CMenu* menu, UINT item, CString& text, UINT flags)
{
    text.Empty();
    if (!menu || !menu->m_hMenu) {
        return 0;
    }
    const int length = ::GetMenuStringW(menu->m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) {
        return 0;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int read = ::GetMenuStringW(menu->m_hMenu, item, buffer.data(), length + 1, flags);
    if (read <= 0) {
        return 0;
    }
    text = CString(buffer.data(), read);
    return read;
}

CUTKResourceManager* GetResourceManager()
{
    static CProcessLocal<CUTKResourceManager> manager;
    return manager.GetData();
}
