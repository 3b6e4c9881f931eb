#include "toolkit/common/CUTKPropExchangeIniFile.h"

#include <vector>

IMPLEMENT_DYNAMIC(CUTKPropExchangeIniFile, CUTKPropExchange)

CUTKPropExchangeIniFile::CUTKPropExchangeIniFile(BOOL loading, LPCWSTR parentSection,
                                                 LPCWSTR sectionName)
{
    m_bLoading = loading;
    if (parentSection != nullptr) {
        m_strSectionName = parentSection;
        m_strSectionName += L'\\';
    }
    m_strSectionName += sectionName ? sectionName : L"";
    // A temporary file starts empty: nothing to delete.
    m_bEmptySection = TRUE;
}

CUTKPropExchangeIniFile::~CUTKPropExchangeIniFile()
{
    if (!m_bChildSection && m_bTempFile && !m_strFileName.IsEmpty()) {
        ::DeleteFileW(m_strFileName);
    }
}

void CUTKPropExchangeIniFile::AssignFile(LPCWSTR path)
{
    m_strFileName = path ? path : L"";
    m_bTempFile = FALSE;
    m_bEmptySection = FALSE;
}

BOOL CUTKPropExchangeIniFile::OpenStorage()
{
    if (!m_bInitialized) {
        if (m_strFileName.IsEmpty()) {
            wchar_t folder[MAX_PATH + 1] = {};
            wchar_t path[MAX_PATH + 1] = {};
            const DWORD n = ::GetTempPathW(MAX_PATH, folder);
            if (n == 0 || n > MAX_PATH || ::GetTempFileNameW(folder, L"utk", 0, path) == 0) {
                return FALSE;
            }
            m_strFileName = path;
            m_bTempFile = TRUE;
        }
        m_bInitialized = TRUE;
    }
    return !m_strFileName.IsEmpty();
}

BOOL CUTKPropExchangeIniFile::ReadText(LPCWSTR name, CString& text) const
{
    DWORD capacity = 256;
    std::vector<wchar_t> buffer;
    for (;;) {
        buffer.assign(capacity, L'\0');
        const DWORD n = ::GetPrivateProfileStringW(m_strSectionName, name, L"", buffer.data(),
                                                   capacity, m_strFileName);
        if (n == 0) {
            return FALSE;
        }
        // A full buffer may hide a longer value: read again with more room.
        if (n < capacity - 1 || capacity >= kMaxValueChars) {
            text = CString(buffer.data(), static_cast<int>(n));
            return TRUE;
        }
        capacity = capacity < 16000 ? 16000 : capacity * 2;
    }
}

BOOL CUTKPropExchangeIniFile::ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                                            const void* defaultValue)
{
    if (!m_bLoading) {
        if (!OpenStorage()) {
            return FALSE;
        }
        if (IsSamePropValue(type, value, defaultValue)) {
            if (!m_bEmptySection) {
                ::WritePrivateProfileStringW(m_strSectionName, name, nullptr, m_strFileName);
            }
            return TRUE;
        }
        CString text;
        if (!ValueToText(type, value, text)) {
            return FALSE;
        }
        return ::WritePrivateProfileStringW(m_strSectionName, name, text, m_strFileName);
    }
    if (!HasTextForm(type)) {
        return FALSE;
    }
    CString text;
    if (!OpenStorage() || !ReadText(name, text)) {
        return CopyPropValue(type, value, defaultValue);
    }
    return LoadFromText(type, text, value, defaultValue);
}

CUTKPropExchange* CUTKPropExchangeIniFile::CreateSection(LPCWSTR name)
{
    (void)OpenStorage();
    auto* section = new CUTKPropExchangeIniFile(m_bLoading, m_strSectionName, name);
    section->InheritFrom(this);
    section->m_strFileName = m_strFileName;
    section->m_bTempFile = m_bTempFile;
    return section;
}

void CUTKPropExchangeIniFile::EmptySection()
{
    if (m_bEmptySection || m_strSectionName.IsEmpty()) {
        return;
    }
    m_bEmptySection = TRUE;
    if (m_strFileName.IsEmpty()) {
        return;
    }
    DWORD capacity = 8000;
    std::vector<wchar_t> names;
    DWORD n = 0;
    for (;;) {
        names.assign(capacity, L'\0');
        n = ::GetPrivateProfileSectionNamesW(names.data(), capacity, m_strFileName);
        if (n != capacity - 2 || capacity >= kMaxSectionNameChars) {
            break;
        }
        capacity *= 2;
    }
    if (n == 0) {
        return;
    }
    const int length = m_strSectionName.GetLength();
    std::vector<CString> doomed;
    for (const wchar_t* p = names.data(); p < names.data() + n && *p; p += wcslen(p) + 1) {
        const CString section(p);
        if (section.GetLength() >= length &&
            wcsncmp(section.GetString(), m_strSectionName.GetString(), length) == 0 &&
            (section.GetLength() == length || section[length] == L'\\')) {
            doomed.push_back(section);
        }
    }
    for (const CString& section : doomed) {
        ::WritePrivateProfileStringW(section, nullptr, nullptr, m_strFileName);
    }
}

BOOL CUTKPropExchangeIniFile::StoresBinary()
{
    return FALSE;
}

BOOL CUTKPropExchangeIniFile::CanOmitValues()
{
    return TRUE;
}
