// The toolkit's persistence interface: one exchange routine per persistent object writes its
// named, typed values into a storage or reads them back, depending on the loading flag. A
// storage is a tree of sections (archive, registry, INI file, XML document); this base holds
// what they share: the default rule, the text forms, blobs, classes, objects and schemas.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKPropExchangeEnumerator;

// Value type codes of the exchange: VARIANT type codes, and two of the toolkit's own.
enum : VARTYPE {
    VT_UTK_STRING = 30,  // the framework's CString
    VT_UTK_RECT = 100,   // four 32-bit integers: left, top, right, bottom
    VT_UTK_SIZE = 101,   // two 32-bit integers: x, y (or cx, cy)
};

class CUTKPropExchange : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKPropExchange)

public:
    CUTKPropExchange();
    ~CUTKPropExchange() override;

    // value points to the caller's variable; defaultValue to the default (a plain wide string
    // for BSTR and CString) or is null. Storing: TRUE when written or left out by the default
    // rule. Loading: TRUE when read or defaulted; FALSE leaves the variable unchanged.
    [[nodiscard]] virtual BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                                             const void* defaultValue) = 0;
    // Loading with data null allocates with malloc (the caller frees); with a buffer the stored
    // length must fit in size. size receives the length read.
    [[nodiscard]] virtual BOOL ExchangeBlob(LPCWSTR name, BYTE*& data, DWORD& size);
    [[nodiscard]] virtual BOOL ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass*& runtimeClass,
                                                    CRuntimeClass* defaultClass);
    // Storing writes the object's class under "Class"; loading creates an object of the stored
    // class, which must be expectedClass or derived from it.
    [[nodiscard]] virtual BOOL ExchangeObjectInstance(CObject*& object,
                                                      CRuntimeClass* expectedClass);
    // An archive over a memory file for one serialized value, or null; give it back to
    // ReleaseArchive.
    virtual CArchive* GetArchive(LPCWSTR name);
    virtual void ReleaseArchive(LPCWSTR name, CArchive* archive);
    // A new child section of the same storage kind; the caller releases it (InternalRelease).
    virtual CUTKPropExchange* CreateSection(LPCWSTR name) = 0;
    virtual void EmptySection();
    virtual void WriteCount(DWORD count);
    virtual DWORD ReadCount();
    [[nodiscard]] virtual BOOL WriteBlob(LPCWSTR name, BYTE* data, DWORD size);
    virtual DWORD ReadBlob(LPCWSTR name, BYTE* buffer, DWORD size);
    virtual BOOL CanOmitValues();
    virtual BOOL StoresBinary();
    [[nodiscard]] virtual BOOL OpenStorage();
    // Numbered child sections named itemName0, itemName1, ...; the caller deletes it.
    virtual CUTKPropExchangeEnumerator* GetEnumerator(LPCWSTR itemName);
    // "Schema", default 32.
    virtual void ExchangeSchema();

    // The name the toolkit's other layers use for CreateSection.
    CUTKPropExchange* GetSection(LPCWSTR name) { return CreateSection(name); }
    void InheritFrom(CUTKPropExchange* parent);
    // "Schema", default 36: a current schema is not written by the named storages.
    void ExchangeLatestSchema();

    BOOL IsLoading() const noexcept { return m_bLoading; }
    BOOL IsStoring() const noexcept { return !m_bLoading; }
    BOOL IsRootSection() const noexcept { return !m_bChildSection; }
    BOOL IsAllowDefaultValues() const noexcept { return m_bUseDefaultOnSave; }
    void UseDefaultOnLoad(BOOL use) noexcept { m_bUseDefaultOnLoad = use; }
    void UseDefaultOnSave(BOOL use) noexcept { m_bUseDefaultOnSave = use; }

    // Size of a value as the exchange counts it (0 for codes without one).
    static UINT GetSizeOfVarType(VARTYPE type) noexcept;

    DWORD_PTR m_dwData = 0;          // caller's word, copied into child sections
    void* m_pOwner = nullptr;        // caller's pointer for one section only
    BOOL m_bLoading = FALSE;
    int m_nSchema;
    BOOL m_bChildSection = FALSE;
    BOOL m_bEmptySection = FALSE;
    BOOL m_bInitialized = FALSE;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnSave = TRUE;

protected:
    // The default rule's equality test.
    BOOL IsEqualDefault(VARTYPE type, const void* value, const void* defaultValue) const;
    // Storing: the value may be left out (a default is given and equals it).
    BOOL IsSamePropValue(VARTYPE type, const void* value, const void* defaultValue) const;
    // Loading: the default rule for a value that is absent or cannot be parsed.
    BOOL CopyPropValue(VARTYPE type, void* value, const void* defaultValue);

    // Text forms (INI file and XML): codes 2-5, 7, 11, 12, 17, 30, 100 and 101. ValueToText:
    // FALSE for a type without one.
    static BOOL HasTextForm(VARTYPE type) noexcept;
    static BOOL ValueToText(VARTYPE type, const void* value, CString& text);
    enum class TextResult { Ok, UseDefault, Fail };
    static TextResult TextToValue(VARTYPE type, const CString& text, void* value);
    // Convenience: loading a text through the default rule.
    BOOL LoadFromText(VARTYPE type, const CString& text, void* value, const void* defaultValue);
};

// Free functions: FALSE (or null) when the exchange is null.
BOOL ExchangeByteProp(CUTKPropExchange* px, LPCWSTR name, BYTE& value, BYTE defaultValue);
BOOL ExchangeShortProp(CUTKPropExchange* px, LPCWSTR name, short& value, short defaultValue);
BOOL ExchangeIntProp(CUTKPropExchange* px, LPCWSTR name, int& value);
BOOL ExchangeIntPropDefault(CUTKPropExchange* px, LPCWSTR name, int& value, int defaultValue);
BOOL ExchangeBoolProp(CUTKPropExchange* px, LPCWSTR name, BOOL& value, BOOL defaultValue);
BOOL ExchangeStringProp(CUTKPropExchange* px, LPCWSTR name, CString& value);
BOOL ExchangeStringPropDefault(CUTKPropExchange* px, LPCWSTR name, CString& value,
                               LPCWSTR defaultText);
BOOL ExchangeSizeProp(CUTKPropExchange* px, LPCWSTR name, CSize& value, CSize defaultValue);
BOOL ExchangeRectProp(CUTKPropExchange* px, LPCWSTR name, CRect& value, CRect defaultValue);
BOOL ExchangeClassProp(CUTKPropExchange* px, LPCWSTR name, CRuntimeClass*& runtimeClass,
                       CRuntimeClass* defaultClass);
BOOL ExchangeBlobProp(CUTKPropExchange* px, LPCWSTR name, BYTE*& data, DWORD& size);
// The object's framework serialization through GetArchive (name); an archive or OLE exception
// gives FALSE.
BOOL ExchangeSerializedObject(CUTKPropExchange* px, LPCWSTR name, CObject* object);
