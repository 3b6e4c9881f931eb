// The property exchange under a registry key: a section is a subkey, integers are REG_DWORD,
// floats REG_BINARY, strings, rectangles and points REG_SZ, blobs REG_BINARY.
#pragma once

#include "toolkit/common/CUTKPropExchange.h"

class CUTKPropExchangeRegistry : public CUTKPropExchange {
    DECLARE_DYNAMIC(CUTKPropExchangeRegistry)

public:
    // A null parentKey: the application's registry key, opened here and closed by the
    // destructor. The section key is opened on first use.
    CUTKPropExchangeRegistry(BOOL loading, HKEY parentKey, LPCWSTR sectionName);
    ~CUTKPropExchangeRegistry() override;

    // Loading: a value stored with another registry type counts as missing.
    BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                       const void* defaultValue) override;
    BOOL ExchangeBlob(LPCWSTR name, BYTE*& data, DWORD& size) override;
    CUTKPropExchange* CreateSection(LPCWSTR name) override;
    // Deletes the section's key with all its subkeys; a section without a name deletes
    // nothing (it would be the parent key itself).
    void EmptySection() override;
    BOOL StoresBinary() override;
    BOOL CanOmitValues() override;
    BOOL OpenStorage() override;

private:
    struct ChildTag {};
    CUTKPropExchangeRegistry(ChildTag, BOOL loading, HKEY parentKey, LPCWSTR sectionName);
    void CloseSectionKey() noexcept;
    // The value's registry type and size, or FALSE when it is missing.
    BOOL QueryValue(LPCWSTR name, DWORD& type, DWORD& size) const;
    BOOL ReadString(LPCWSTR name, CString& text) const;

    HKEY m_hSectionKey = nullptr;
    HKEY m_hParentKey = nullptr;
    CString m_strSectionName;
    BOOL m_bCloseParentKey = FALSE;
};
