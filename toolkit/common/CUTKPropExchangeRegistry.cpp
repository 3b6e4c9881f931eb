#include "toolkit/common/CUTKPropExchangeRegistry.h"

#include "toolkit/common/UTKValueText.h"

#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CUTKPropExchangeRegistry, CUTKPropExchange)

namespace {

std::u16string_view View(const CString& text)
{
    return {reinterpret_cast<const char16_t*>(text.GetString()),
            static_cast<size_t>(text.GetLength())};
}

CString FromU16(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

// Registry strings are at most this long here; a bigger value is not one of ours.
constexpr DWORD kMaxStringBytes = 16u * 1024 * 1024;

}  // namespace

CUTKPropExchangeRegistry::CUTKPropExchangeRegistry(BOOL loading, HKEY parentKey,
                                                   LPCWSTR sectionName)
    : m_hParentKey(parentKey), m_strSectionName(sectionName ? sectionName : L"")
{
    m_bLoading = loading;
    if (m_hParentKey == nullptr) {
        CWinApp* app = AfxGetApp();
        m_hParentKey = app ? app->GetAppRegistryKey() : nullptr;
        m_bCloseParentKey = m_hParentKey != nullptr;
    }
}

CUTKPropExchangeRegistry::CUTKPropExchangeRegistry(ChildTag, BOOL loading, HKEY parentKey,
                                                   LPCWSTR sectionName)
    : m_hParentKey(parentKey), m_strSectionName(sectionName ? sectionName : L"")
{
    m_bLoading = loading;
}

CUTKPropExchangeRegistry::~CUTKPropExchangeRegistry()
{
    CloseSectionKey();
    if (m_bCloseParentKey && m_hParentKey != nullptr) {
        ::RegCloseKey(m_hParentKey);
    }
}

void CUTKPropExchangeRegistry::CloseSectionKey() noexcept
{
    if (m_hSectionKey != nullptr) {
        ::RegCloseKey(m_hSectionKey);
        m_hSectionKey = nullptr;
    }
}

BOOL CUTKPropExchangeRegistry::OpenStorage()
{
    if (m_hParentKey == nullptr) {
        return FALSE;
    }
    if (!m_bInitialized) {
        m_bInitialized = TRUE;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(m_hParentKey, m_strSectionName, 0, nullptr, 0,
                              m_bLoading ? KEY_READ : KEY_WRITE, nullptr, &key,
                              nullptr) == ERROR_SUCCESS) {
            m_hSectionKey = key;
        }
    }
    return m_hSectionKey != nullptr;
}

BOOL CUTKPropExchangeRegistry::QueryValue(LPCWSTR name, DWORD& type, DWORD& size) const
{
    type = REG_NONE;
    size = 0;
    return ::RegQueryValueExW(m_hSectionKey, name, nullptr, &type, nullptr, &size) ==
           ERROR_SUCCESS;
}

BOOL CUTKPropExchangeRegistry::ReadString(LPCWSTR name, CString& text) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryValue(name, type, size) || type != REG_SZ || size > kMaxStringBytes) {
        return FALSE;
    }
    // Room for a terminator the stored value may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (::RegQueryValueExW(m_hSectionKey, name, nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &read) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return FALSE;
    }
    buffer.back() = L'\0';
    text = buffer.data();
    return TRUE;
}

BOOL CUTKPropExchangeRegistry::ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                                             const void* defaultValue)
{
    if (!m_bLoading) {
        if (!OpenStorage()) {
            return FALSE;
        }
        if (IsSamePropValue(type, value, defaultValue)) {
            if (!m_bEmptySection) {
                ::RegDeleteValueW(m_hSectionKey, name);
            }
            return TRUE;
        }
        switch (type) {
        case VT_I2:
        case VT_I4:
        case VT_BOOL:
        case VT_UI1: {
            DWORD widened = 0;
            std::memcpy(&widened, value, GetSizeOfVarType(type));
            return ::RegSetValueExW(m_hSectionKey, name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&widened),
                                    sizeof widened) == ERROR_SUCCESS;
        }
        case VT_R4:
        case VT_R8:
            return ::RegSetValueExW(m_hSectionKey, name, 0, REG_BINARY,
                                    static_cast<const BYTE*>(value),
                                    GetSizeOfVarType(type)) == ERROR_SUCCESS;
        case VT_UTK_STRING:
        case VT_UTK_RECT:
        case VT_UTK_SIZE: {
            CString text;
            if (type == VT_UTK_STRING) {
                text = *static_cast<const CString*>(value);
            } else {
                text = FromU16(UTKValueText::FormatInts(static_cast<const int32_t*>(value),
                                                        type == VT_UTK_RECT ? 4 : 2));
            }
            return ::RegSetValueExW(m_hSectionKey, name, 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(text.GetString()),
                                    (text.GetLength() + 1) * sizeof(wchar_t)) == ERROR_SUCCESS;
        }
        default:
            return FALSE;
        }
    }

    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        if (!OpenStorage()) {
            return CopyPropValue(type, value, defaultValue);
        }
        DWORD stored = 0;
        DWORD size = sizeof stored;
        DWORD kind = 0;
        if (::RegQueryValueExW(m_hSectionKey, name, nullptr, &kind,
                               reinterpret_cast<BYTE*>(&stored), &size) != ERROR_SUCCESS ||
            kind != REG_DWORD || size != sizeof stored) {
            return CopyPropValue(type, value, defaultValue);
        }
        std::memcpy(value, &stored, GetSizeOfVarType(type));
        return TRUE;
    }
    case VT_R4:
    case VT_R8: {
        if (!OpenStorage()) {
            return CopyPropValue(type, value, defaultValue);
        }
        BYTE stored[8] = {};
        DWORD size = sizeof stored;
        DWORD kind = 0;
        if (::RegQueryValueExW(m_hSectionKey, name, nullptr, &kind, stored, &size) !=
                ERROR_SUCCESS ||
            kind != REG_BINARY || size != GetSizeOfVarType(type)) {
            return CopyPropValue(type, value, defaultValue);
        }
        std::memcpy(value, stored, size);
        return TRUE;
    }
    case VT_UTK_STRING:
    case VT_UTK_RECT:
    case VT_UTK_SIZE: {
        CString text;
        if (!OpenStorage() || !ReadString(name, text)) {
            return CopyPropValue(type, value, defaultValue);
        }
        if (type == VT_UTK_STRING) {
            *static_cast<CString*>(value) = text;
            return TRUE;
        }
        const int count = type == VT_UTK_RECT ? 4 : 2;
        int32_t fields[4] = {};
        if (UTKValueText::ScanInts(View(text), fields, count) != count) {
            return CopyPropValue(type, value, defaultValue);
        }
        std::memcpy(value, fields, sizeof(int32_t) * count);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CUTKPropExchangeRegistry::ExchangeBlob(LPCWSTR name, BYTE*& data, DWORD& size)
{
    if (!OpenStorage()) {
        return FALSE;
    }
    if (!m_bLoading) {
        return ::RegSetValueExW(m_hSectionKey, name, 0, REG_BINARY, data,
                                data ? size : 0) == ERROR_SUCCESS;
    }
    DWORD kind = 0;
    DWORD stored = 0;
    if (!QueryValue(name, kind, stored) || kind != REG_BINARY) {
        return FALSE;
    }
    if (data == nullptr) {
        if (stored == 0) {
            size = 0;
            return TRUE;
        }
        BYTE* buffer = static_cast<BYTE*>(std::malloc(stored));
        if (buffer == nullptr) {
            return FALSE;
        }
        DWORD read = stored;
        if (::RegQueryValueExW(m_hSectionKey, name, nullptr, &kind, buffer, &read) !=
                ERROR_SUCCESS ||
            kind != REG_BINARY) {
            std::free(buffer);
            return FALSE;
        }
        data = buffer;
        size = read;
        return TRUE;
    }
    if (stored > size) {
        return FALSE;
    }
    DWORD read = size;
    if (::RegQueryValueExW(m_hSectionKey, name, nullptr, &kind, data, &read) != ERROR_SUCCESS ||
        kind != REG_BINARY) {
        return FALSE;
    }
    size = read;
    return TRUE;
}

CUTKPropExchange* CUTKPropExchangeRegistry::CreateSection(LPCWSTR name)
{
    (void)OpenStorage();
    auto* section = new CUTKPropExchangeRegistry(ChildTag{}, m_bLoading, m_hSectionKey, name);
    section->InheritFrom(this);
    return section;
}

void CUTKPropExchangeRegistry::EmptySection()
{
    m_bEmptySection = TRUE;
    CloseSectionKey();
    if (m_hParentKey != nullptr && !m_strSectionName.IsEmpty()) {
        ::RegDeleteTreeW(m_hParentKey, m_strSectionName);
    }
    m_bInitialized = FALSE;
}

BOOL CUTKPropExchangeRegistry::StoresBinary()
{
    return TRUE;
}

BOOL CUTKPropExchangeRegistry::CanOmitValues()
{
    return TRUE;
}
