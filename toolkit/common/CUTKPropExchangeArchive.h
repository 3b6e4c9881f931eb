// The property exchange over a binary framework archive: values carry no names and follow
// each other in call order, so loading makes the same calls in the same order as storing.
// Defaults do not apply; every value is written.
#pragma once

#include "toolkit/common/CUTKPropExchange.h"

class CUTKPropExchangeArchive : public CUTKPropExchange {
    DECLARE_DYNAMIC(CUTKPropExchangeArchive)

public:
    // The archive stays the caller's; every section of the tree uses it.
    explicit CUTKPropExchangeArchive(CArchive& archive);

    // Reading past the end raises the archive's end-of-file exception. A type without an
    // archive form (BSTR, codes of no size, variants of interfaces and arrays) writes and
    // reads nothing and answers FALSE.
    BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                       const void* defaultValue) override;
    // A stored length beyond the data left raises end-of-file before anything is allocated.
    BOOL ExchangeBlob(LPCWSTR name, BYTE*& data, DWORD& size) override;
    BOOL ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass*& runtimeClass,
                              CRuntimeClass* defaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass) override;
    CArchive* GetArchive(LPCWSTR name) override;
    void ReleaseArchive(LPCWSTR name, CArchive* archive) override;
    CUTKPropExchange* CreateSection(LPCWSTR name) override;
    void WriteCount(DWORD count) override;
    DWORD ReadCount() override;
    BOOL WriteBlob(LPCWSTR name, BYTE* data, DWORD size) override;
    DWORD ReadBlob(LPCWSTR name, BYTE* buffer, DWORD size) override;
    BOOL CanOmitValues() override;
    BOOL StoresBinary() override;
    // The marker 0x0FF0ADBF and the schema; a stream without the marker is schema 17.
    void ExchangeSchema() override;

    static constexpr DWORD kSchemaMarker = 0x0FF0ADBF;
    static constexpr int kSchemaWithoutMarker = 17;

private:
    // Bytes that can still be read: buffered plus what the file holds after its position.
    ULONGLONG BytesLeft() const;

    CArchive& m_ar;
};
