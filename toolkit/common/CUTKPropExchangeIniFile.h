// The property exchange in an INI file: a section is an INI section whose child sections are
// named parent\child; values are keys holding the text forms (strings escaped, blobs as
// letter pairs). Without AssignFile the exchange works in a temporary file of its own.
#pragma once

#include "toolkit/common/CUTKPropExchange.h"

class CUTKPropExchangeIniFile : public CUTKPropExchange {
    DECLARE_DYNAMIC(CUTKPropExchangeIniFile)

public:
    CUTKPropExchangeIniFile(BOOL loading, LPCWSTR parentSection, LPCWSTR sectionName);
    ~CUTKPropExchangeIniFile() override;

    // Works in path from now on; values equal to their defaults delete existing keys.
    void AssignFile(LPCWSTR path);

    BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                       const void* defaultValue) override;
    CUTKPropExchange* CreateSection(LPCWSTR name) override;
    // Deletes the section and every section below it (name\...), not its namesakes
    // ("LayoutOld" survives emptying "Layout").
    void EmptySection() override;
    BOOL StoresBinary() override;
    BOOL CanOmitValues() override;
    BOOL OpenStorage() override;

    const CString& GetSectionName() const noexcept { return m_strSectionName; }
    const CString& GetFilePath() const noexcept { return m_strFileName; }

    // Longest INI text read; longer values are not ours.
    static constexpr DWORD kMaxValueChars = 16u * 1024 * 1024;
    // Most section names read when emptying (in characters of the name list).
    static constexpr DWORD kMaxSectionNameChars = 16u * 1024 * 1024;

private:
    // The key's text; FALSE for a missing key or an empty text.
    BOOL ReadText(LPCWSTR name, CString& text) const;

    CString m_strSectionName;
    CString m_strFileName;
    BOOL m_bTempFile = TRUE;
};
