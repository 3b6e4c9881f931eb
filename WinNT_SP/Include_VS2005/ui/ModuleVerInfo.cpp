// Reads a module's version resource into one buffer: a text area for the cleaned copies of the
// twelve standard texts, followed by the raw block that GetFileVersionInfoW fills.
#include "WinNT_SP/Include_VS2005/ui/ModuleVerInfo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

const wchar_t* const kKeyNames[CModuleVerInfo::kKeyCount] = {
    L"Comments",        L"InternalName",     L"ProductName",     L"CompanyName",
    L"LegalCopyright",  L"ProductVersion",   L"FileDescription", L"LegalTrademarks",
    L"PrivateBuild",    L"FileVersion",      L"OriginalFilename", L"SpecialBuild",
};

const wchar_t kEmpty[] = L"";
constexpr WORD kUsEnglish = 1033;
constexpr size_t kMaxValueChars = 100;

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

}  // namespace

CModuleVerInfo::CModuleVerInfo() : m_buffer(nullptr)
{
    Clear();
}

CModuleVerInfo::~CModuleVerInfo()
{
    std::free(m_buffer);
}

const wchar_t* CModuleVerInfo::KeyName(int key)
{
    return key >= 0 && key < kKeyCount ? kKeyNames[key] : kEmpty;
}

void CModuleVerInfo::Clear()
{
    std::free(m_buffer);
    m_buffer = nullptr;
    m_moduleName[0] = 0;
    m_block = nullptr;
    m_blockSize = 0;
    ZeroMemory(&m_fixed, sizeof(m_fixed));
    m_translationCount = 0;
    m_translations = nullptr;
    for (const wchar_t*& text : m_texts) {
        text = kEmpty;
    }
    ClearErrInfo(&m_error);
    m_languageCount = 0;
}

void CModuleVerInfo::AddLanguage(WORD language, WORD codePage)
{
    for (int i = 0; i < m_languageCount; ++i) {
        if (m_languages[i].language == language && m_languages[i].codePage == codePage) {
            return;
        }
    }
    if (m_languageCount < kMaxLanguages) {
        m_languages[m_languageCount++] = {language, codePage};
    }
}

// String tables are keyed by eight hexadecimal digits; looking for every such run in the raw
// block also finds tables that the translation list leaves out.
void CModuleVerInfo::ScanBlockForLanguages()
{
    const wchar_t* chars = reinterpret_cast<const wchar_t*>(m_block);
    const size_t count = m_blockSize / sizeof(wchar_t);
    if (count <= 8) {
        return;
    }
    for (size_t i = 0; i < count - 8; ++i) {
        unsigned value = 0;
        bool hex = true;
        for (size_t k = 0; k < 8 && hex; ++k) {
            const int d = HexDigit(chars[i + k]);
            hex = d >= 0;
            value = value << 4 | static_cast<unsigned>(d < 0 ? 0 : d);
        }
        if (hex) {
            AddLanguage(static_cast<WORD>(value >> 16), static_cast<WORD>(value & 0xFFFF));
        }
    }
}

const wchar_t* CModuleVerInfo::FindValue(int key) const
{
    const wchar_t* other = nullptr;
    for (int i = 0; i < m_languageCount; ++i) {
        const bool english = m_languages[i].language == kUsEnglish;
        if (!english && other) {
            continue;
        }
        wchar_t path[128];
        std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", m_languages[i].language,
                      m_languages[i].codePage, kKeyNames[key]);
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(m_block, path, &value, &length) || !value || length == 0 ||
            !*static_cast<const wchar_t*>(value)) {
            continue;
        }
        if (english) {
            return static_cast<const wchar_t*>(value);
        }
        other = static_cast<const wchar_t*>(value);
    }
    return other;
}

void CModuleVerInfo::Load(const wchar_t* moduleName)
{
    Clear();
    if (!moduleName) {
        moduleName = kEmpty;
    }
    std::wcsncpy(m_moduleName, moduleName, MAX_PATH - 1);
    m_moduleName[MAX_PATH - 1] = 0;

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(m_moduleName, &handle);
    if (size == 0) {
        SetErrInfo(&m_error, GetLastError(), L"GetFileVersionInfoSize", m_moduleName,
                   ORV_SRCFILE, __LINE__, 1, nullptr);
        return;
    }
    const size_t textBytes = (2 * static_cast<size_t>(size) + 31) & ~static_cast<size_t>(7);
    m_buffer = static_cast<BYTE*>(std::malloc(textBytes + size));
    if (!m_buffer) {
        wchar_t object[16];
        std::swprintf(object, 16, L"%u", static_cast<unsigned>(textBytes + size));
        SetErrInfo(&m_error, ERROR_OUTOFMEMORY, L"malloc", object, ORV_SRCFILE, __LINE__, 0,
                   nullptr);
        return;
    }
    BYTE* raw = m_buffer + textBytes;
    if (!GetFileVersionInfoW(m_moduleName, 0, size, raw)) {
        SetErrInfo(&m_error, GetLastError(), L"GetFileVersionInfo", m_moduleName, ORV_SRCFILE,
                   __LINE__, 0, nullptr);
        std::free(m_buffer);
        m_buffer = nullptr;
        return;
    }
    m_block = raw;
    m_blockSize = size;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(m_block, L"\\", &value, &length) && value) {
        std::memcpy(&m_fixed, value, length < sizeof(m_fixed) ? length : sizeof(m_fixed));
    }
    if (VerQueryValueW(m_block, L"\\VarFileInfo\\Translation", &value, &length) && value) {
        m_translationCount = length / 4;
        m_translations = static_cast<const Language*>(value);
        for (UINT i = 0; i < m_translationCount && i < kMaxLanguages; ++i) {
            AddLanguage(m_translations[i].language, m_translations[i].codePage);
        }
    }
    ScanBlockForLanguages();

    wchar_t* area = reinterpret_cast<wchar_t*>(m_buffer);
    size_t room = textBytes / sizeof(wchar_t);
    for (int key = 0; key < kKeyCount && room > 1; ++key) {
        const wchar_t* found = FindValue(key);
        if (!found) {
            continue;
        }
        size_t n = wcsnlen(found, kMaxValueChars);
        if (n > room - 1) {
            n = room - 1;
        }
        for (size_t i = 0; i < n; ++i) {
            const wchar_t c = found[i];
            area[i] = (c < 32 || c == 127) ? L'.' : c;
        }
        area[n] = 0;
        m_texts[key] = area;
        area += n + 1;
        room -= n + 1;
    }
}
