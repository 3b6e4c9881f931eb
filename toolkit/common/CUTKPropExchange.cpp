#include "toolkit/common/CUTKPropExchange.h"

#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/common/UTKValueText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

IMPLEMENT_DYNAMIC(CUTKPropExchange, CCmdTarget)

namespace {

constexpr int kCurrentSchema = 36;
constexpr int kDefaultSchema = 32;

std::u16string_view View(const CString& text)
{
    return {reinterpret_cast<const char16_t*>(text.GetString()),
            static_cast<size_t>(text.GetLength())};
}

CString FromU16(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

// Class names are 8-bit; a stored name is narrowed in the program's code page.
CStringA NarrowClassName(const CString& name)
{
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, name.GetString(), name.GetLength(),
                                            nullptr, 0, nullptr, nullptr);
    CStringA narrow;
    if (bytes > 0) {
        char* p = narrow.GetBufferSetLength(bytes);
        ::WideCharToMultiByte(CP_ACP, 0, name.GetString(), name.GetLength(), p, bytes, nullptr,
                              nullptr);
        narrow.ReleaseBuffer(bytes);
    }
    return narrow;
}

CString DateToText(const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::null) {
        return CString();
    }
    UTKValueText::DateFields f;
    const int year = date.GetYear();
    const int month = date.GetMonth();
    const int day = date.GetDay();
    const int hour = date.GetHour();
    const int minute = date.GetMinute();
    const int second = date.GetSecond();
    if (date.GetStatus() != COleDateTime::valid || year < 0 || month < 0 || day < 0 ||
        hour < 0 || minute < 0 || second < 0) {
        return L"Invalid DateTime";
    }
    f.year = static_cast<unsigned short>(year);
    f.month = static_cast<unsigned short>(month);
    f.day = static_cast<unsigned short>(day);
    f.hour = static_cast<unsigned short>(hour);
    f.minute = static_cast<unsigned short>(minute);
    f.second = static_cast<unsigned short>(second);
    const double whole = std::trunc(date.m_dt);
    const bool timeOnly = whole == 0.0;
    const bool withTime = date.m_dt != whole;
    return FromU16(UTKValueText::FormatDate(f, withTime, timeOnly));
}

bool TextToDate(const CString& text, COleDateTime& date)
{
    UTKValueText::DateFields f;
    switch (UTKValueText::ParseDate(View(text), f)) {
    case UTKValueText::DateKind::Calendar: {
        COleDateTime parsed;
        if (parsed.SetDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second) != 0 ||
            parsed.GetStatus() != COleDateTime::valid) {
            return false;
        }
        date = parsed;
        return true;
    }
    case UTKValueText::DateKind::TimeOfDay:
        date.m_dt = (f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0;
        date.m_status = COleDateTime::valid;
        return true;
    default:
        return false;
    }
}

CString FormatDouble(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%g", value);
    return buffer;
}

}  // namespace

CUTKPropExchange::CUTKPropExchange() : m_nSchema(kCurrentSchema)
{
}

CUTKPropExchange::~CUTKPropExchange() = default;

UINT CUTKPropExchange::GetSizeOfVarType(VARTYPE type) noexcept
{
    switch (type) {
    case VT_I2: return 2;
    case VT_I4: return 4;
    case VT_R4: return 4;
    case VT_R8: return 8;
    case VT_CY: return 8;
    case VT_DATE: return 12;
    case VT_BSTR: return sizeof(BSTR);
    case VT_BOOL: return 4;
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_UI1: return 1;
    case VT_UTK_RECT: return 16;
    case VT_UTK_SIZE: return 8;
    default: return 0;
    }
}

void CUTKPropExchange::InheritFrom(CUTKPropExchange* parent)
{
    m_bChildSection = TRUE;
    if (parent == nullptr) {
        return;
    }
    m_nSchema = parent->m_nSchema;
    m_dwData = parent->m_dwData;
    m_bEmptySection = parent->m_bEmptySection;
    m_bUseDefaultOnLoad = parent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = parent->m_bUseDefaultOnSave;
}

BOOL CUTKPropExchange::IsEqualDefault(VARTYPE type, const void* value,
                                      const void* defaultValue) const
{
    if (defaultValue == nullptr) {
        return FALSE;
    }
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_UTK_RECT:
    case VT_UTK_SIZE:
        return std::memcmp(value, defaultValue, GetSizeOfVarType(type)) == 0;
    case VT_DATE: {
        const auto& a = *static_cast<const COleDateTime*>(value);
        const auto& b = *static_cast<const COleDateTime*>(defaultValue);
        if (a.GetStatus() != b.GetStatus()) {
            return FALSE;
        }
        return (a.GetStatus() == COleDateTime::valid && a.m_dt == b.m_dt) ||
               a.GetStatus() == COleDateTime::null;
    }
    case VT_BSTR: {
        const BSTR text = *static_cast<const BSTR*>(value);
        return std::wcscmp(text ? text : L"", static_cast<LPCWSTR>(defaultValue)) == 0;
    }
    case VT_UTK_STRING:
        return std::wcscmp(static_cast<const CString*>(value)->GetString(),
                           static_cast<LPCWSTR>(defaultValue)) == 0;
    case VT_VARIANT:
        return COleVariant(*static_cast<const VARIANT*>(value)) ==
               *static_cast<const VARIANT*>(defaultValue);
    default:
        return FALSE;
    }
}

BOOL CUTKPropExchange::IsSamePropValue(VARTYPE type, const void* value,
                                       const void* defaultValue) const
{
    return m_bUseDefaultOnSave && IsEqualDefault(type, value, defaultValue);
}

BOOL CUTKPropExchange::CopyPropValue(VARTYPE type, void* value, const void* defaultValue)
{
    if (!m_bUseDefaultOnLoad || defaultValue == nullptr) {
        return FALSE;
    }
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_UTK_RECT:
    case VT_UTK_SIZE:
        std::memcpy(value, defaultValue, GetSizeOfVarType(type));
        return TRUE;
    case VT_DATE:
        *static_cast<COleDateTime*>(value) = *static_cast<const COleDateTime*>(defaultValue);
        return TRUE;
    case VT_BSTR: {
        // The caller owns whatever the variable held; it receives a new string.
        const BSTR copy = ::SysAllocString(static_cast<LPCWSTR>(defaultValue));
        if (copy == nullptr) {
            return FALSE;
        }
        *static_cast<BSTR*>(value) = copy;
        return TRUE;
    }
    case VT_UTK_STRING:
        *static_cast<CString*>(value) = static_cast<LPCWSTR>(defaultValue);
        return TRUE;
    case VT_VARIANT:
        // The system's copy takes a non-const source it does not change.
        return SUCCEEDED(::VariantCopy(static_cast<VARIANT*>(value),
                                       const_cast<VARIANT*>(static_cast<const VARIANT*>(
                                           defaultValue))));
    default:
        return FALSE;
    }
}

BOOL CUTKPropExchange::HasTextForm(VARTYPE type) noexcept
{
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UI1:
    case VT_UTK_STRING:
    case VT_UTK_RECT:
    case VT_UTK_SIZE: return TRUE;
    default: return FALSE;
    }
}

BOOL CUTKPropExchange::ValueToText(VARTYPE type, const void* value, CString& text)
{
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        // Zero-filled to 32 bits: a 16-bit -1 is written as 65535.
        uint32_t widened = 0;
        std::memcpy(&widened, value, GetSizeOfVarType(type));
        text = FromU16(UTKValueText::FormatLong(static_cast<int32_t>(widened)));
        return TRUE;
    }
    case VT_R4:
        text = FormatDouble(static_cast<double>(*static_cast<const float*>(value)));
        return TRUE;
    case VT_R8:
        text = FormatDouble(*static_cast<const double*>(value));
        return TRUE;
    case VT_DATE:
        text = DateToText(*static_cast<const COleDateTime*>(value));
        return TRUE;
    case VT_VARIANT: {
        const VARIANT* variant = static_cast<const VARIANT*>(value);
        if (variant->vt == VT_DATE) {
            text = DateToText(COleDateTime(variant->date));
            return TRUE;
        }
        VARIANT converted;
        ::VariantInit(&converted);
        if (FAILED(::VariantChangeTypeEx(&converted, const_cast<VARIANT*>(variant), 0, 0,
                                        VT_BSTR))) {
            return FALSE;
        }
        text = CString(converted.bstrVal, static_cast<int>(::SysStringLen(converted.bstrVal)));
        ::VariantClear(&converted);
        return TRUE;
    }
    case VT_UTK_STRING:
        text = FromU16(UTKValueText::Escape(View(*static_cast<const CString*>(value))));
        return TRUE;
    case VT_UTK_RECT:
        text = FromU16(UTKValueText::FormatInts(static_cast<const int32_t*>(value), 4));
        return TRUE;
    case VT_UTK_SIZE:
        text = FromU16(UTKValueText::FormatInts(static_cast<const int32_t*>(value), 2));
        return TRUE;
    default:
        return FALSE;
    }
}

CUTKPropExchange::TextResult CUTKPropExchange::TextToValue(VARTYPE type, const CString& text,
                                                           void* value)
{
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        const int32_t parsed = UTKValueText::ParseLong(View(text));
        std::memcpy(value, &parsed, GetSizeOfVarType(type));
        return TextResult::Ok;
    }
    case VT_R4:
        *static_cast<float*>(value) = static_cast<float>(std::wcstod(text.GetString(), nullptr));
        return TextResult::Ok;
    case VT_R8:
        *static_cast<double*>(value) = std::wcstod(text.GetString(), nullptr);
        return TextResult::Ok;
    case VT_DATE: {
        COleDateTime date;
        if (!TextToDate(text, date)) {
            return TextResult::Fail;
        }
        *static_cast<COleDateTime*>(value) = date;
        return TextResult::Ok;
    }
    case VT_VARIANT: {
        COleVariant result;
        COleDateTime date;
        if (TextToDate(text, date)) {
            result = date;
        } else {
            result = text;
        }
        VARIANT* variant = static_cast<VARIANT*>(value);
        ::VariantClear(variant);
        *variant = result.Detach();
        return TextResult::Ok;
    }
    case VT_UTK_STRING:
        if (text.Find(L'\\') < 0) {
            *static_cast<CString*>(value) = text;
        } else {
            *static_cast<CString*>(value) = FromU16(UTKValueText::Unescape(View(text)));
        }
        return TextResult::Ok;
    case VT_UTK_RECT:
    case VT_UTK_SIZE: {
        const int count = type == VT_UTK_RECT ? 4 : 2;
        int32_t values[4] = {};
        if (UTKValueText::ScanInts(View(text), values, count) != count) {
            return TextResult::UseDefault;
        }
        std::memcpy(value, values, sizeof(int32_t) * count);
        return TextResult::Ok;
    }
    default:
        return TextResult::Fail;
    }
}

BOOL CUTKPropExchange::LoadFromText(VARTYPE type, const CString& text, void* value,
                                    const void* defaultValue)
{
    switch (TextToValue(type, text, value)) {
    case TextResult::Ok: return TRUE;
    case TextResult::UseDefault: return CopyPropValue(type, value, defaultValue);
    default: return FALSE;
    }
}

BOOL CUTKPropExchange::ExchangeBlob(LPCWSTR name, BYTE*& data, DWORD& size)
{
    if (!m_bLoading) {
        CString text = FromU16(UTKValueText::EncodeBlob(data, data ? size : 0));
        return ExchangeValue(name, VT_UTK_STRING, &text, L"");
    }
    CString text;
    if (!ExchangeValue(name, VT_UTK_STRING, &text, nullptr)) {
        return FALSE;
    }
    std::vector<uint8_t> bytes;
    if (!UTKValueText::DecodeBlob(View(text), bytes)) {
        return FALSE;
    }
    const DWORD length = static_cast<DWORD>(bytes.size());
    if (data == nullptr) {
        if (length != 0) {
            data = static_cast<BYTE*>(std::malloc(length));
            if (data == nullptr) {
                return FALSE;
            }
            std::memcpy(data, bytes.data(), length);
        }
    } else {
        if (length > size) {
            return FALSE;
        }
        std::memcpy(data, bytes.data(), length);
    }
    size = length;
    return TRUE;
}

BOOL CUTKPropExchange::ExchangeRuntimeClass(LPCWSTR name, CRuntimeClass*& runtimeClass,
                                            CRuntimeClass* defaultClass)
{
    if (!m_bLoading) {
        CString className(runtimeClass ? runtimeClass->m_lpszClassName : "");
        CString defaultName(defaultClass ? defaultClass->m_lpszClassName : "");
        return ExchangeValue(name, VT_UTK_STRING, &className,
                             defaultClass ? defaultName.GetString() : nullptr);
    }
    CString className;
    if (!ExchangeValue(name, VT_UTK_STRING, &className, nullptr)) {
        runtimeClass = defaultClass;
        return TRUE;
    }
    CRuntimeClass* found = CRuntimeClass::FromName(NarrowClassName(className).GetString());
    if (found == nullptr) {
        return FALSE;
    }
    runtimeClass = found;
    return TRUE;
}

BOOL CUTKPropExchange::ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass)
{
    if (!m_bLoading) {
        CRuntimeClass* runtimeClass = object ? object->GetRuntimeClass() : nullptr;
        (void)ExchangeRuntimeClass(L"Class", runtimeClass, expectedClass);
        return TRUE;
    }
    CRuntimeClass* runtimeClass = nullptr;
    if (!ExchangeRuntimeClass(L"Class", runtimeClass, expectedClass) || runtimeClass == nullptr) {
        return FALSE;
    }
    // Checked before anything is created: a refused class leaves nothing behind.
    if (expectedClass != nullptr && !runtimeClass->IsDerivedFrom(expectedClass)) {
        return FALSE;
    }
    CObject* created = runtimeClass->CreateObject();
    object = created;
    return created != nullptr;
}

CArchive* CUTKPropExchange::GetArchive(LPCWSTR name)
{
    if (m_bLoading) {
        BYTE* data = nullptr;
        DWORD size = 0;
        if (!ExchangeBlob(name, data, size) || size == 0) {
            std::free(data);
            return nullptr;
        }
        CMemFile* file = new CMemFile(data, size);
        return new CArchive(file, CArchive::load, 4096);
    }
    CMemFile* file = new CMemFile(1024);
    return new CArchive(file, CArchive::store, 4096);
}

void CUTKPropExchange::ReleaseArchive(LPCWSTR name, CArchive* archive)
{
    if (archive == nullptr) {
        return;
    }
    CFile* file = archive->GetFile();
    if (file == nullptr || !file->IsKindOf(RUNTIME_CLASS(CMemFile))) {
        return;
    }
    CMemFile* memFile = static_cast<CMemFile*>(file);
    BYTE* buffer = nullptr;
    if (m_bLoading) {
        buffer = memFile->Detach();
    } else {
        try {
            archive->Flush();
            DWORD size = static_cast<DWORD>(memFile->GetPosition());
            buffer = memFile->Detach();
            (void)ExchangeBlob(name, buffer, size);
        } catch (CException* e) {
            e->Delete();
            buffer = memFile->Detach();
        }
    }
    archive->Abort();
    memFile->Close();
    delete memFile;
    std::free(buffer);
    delete archive;
}

void CUTKPropExchange::EmptySection()
{
    m_bEmptySection = TRUE;
}

void CUTKPropExchange::WriteCount(DWORD count)
{
    const DWORD none = 0;
    (void)ExchangeValue(L"Count", VT_I4, &count, &none);
}

DWORD CUTKPropExchange::ReadCount()
{
    DWORD count = 0;
    const DWORD none = 0;
    (void)ExchangeValue(L"Count", VT_I4, &count, &none);
    return count;
}

BOOL CUTKPropExchange::WriteBlob(LPCWSTR name, BYTE* data, DWORD size)
{
    BYTE* p = data;
    DWORD n = size;
    return ExchangeBlob(name, p, n);
}

DWORD CUTKPropExchange::ReadBlob(LPCWSTR name, BYTE* buffer, DWORD size)
{
    if (buffer == nullptr) {
        return 0;
    }
    BYTE* p = buffer;
    DWORD n = size;
    return ExchangeBlob(name, p, n) ? n : 0;
}

BOOL CUTKPropExchange::CanOmitValues()
{
    return TRUE;
}

BOOL CUTKPropExchange::StoresBinary()
{
    return FALSE;
}

BOOL CUTKPropExchange::OpenStorage()
{
    m_bInitialized = TRUE;
    return TRUE;
}

CUTKPropExchangeEnumerator* CUTKPropExchange::GetEnumerator(LPCWSTR itemName)
{
    return new CUTKPropExchangeEnumerator(this, itemName);
}

void CUTKPropExchange::ExchangeSchema()
{
    const int schema = kDefaultSchema;
    (void)ExchangeValue(L"Schema", VT_I4, &m_nSchema, &schema);
}

void CUTKPropExchange::ExchangeLatestSchema()
{
    const int schema = kCurrentSchema;
    (void)ExchangeValue(L"Schema", VT_I4, &m_nSchema, &schema);
}

BOOL ExchangeByteProp(CUTKPropExchange* px, LPCWSTR name, BYTE& value, BYTE defaultValue)
{
    return px ? px->ExchangeValue(name, VT_UI1, &value, &defaultValue) : FALSE;
}

BOOL ExchangeShortProp(CUTKPropExchange* px, LPCWSTR name, short& value, short defaultValue)
{
    return px ? px->ExchangeValue(name, VT_I2, &value, &defaultValue) : FALSE;
}

BOOL ExchangeIntProp(CUTKPropExchange* px, LPCWSTR name, int& value)
{
    return px ? px->ExchangeValue(name, VT_I4, &value, nullptr) : FALSE;
}

BOOL ExchangeIntPropDefault(CUTKPropExchange* px, LPCWSTR name, int& value, int defaultValue)
{
    return px ? px->ExchangeValue(name, VT_I4, &value, &defaultValue) : FALSE;
}

BOOL ExchangeBoolProp(CUTKPropExchange* px, LPCWSTR name, BOOL& value, BOOL defaultValue)
{
    return px ? px->ExchangeValue(name, VT_BOOL, &value, &defaultValue) : FALSE;
}

BOOL ExchangeStringProp(CUTKPropExchange* px, LPCWSTR name, CString& value)
{
    return px ? px->ExchangeValue(name, VT_UTK_STRING, &value, nullptr) : FALSE;
}

BOOL ExchangeStringPropDefault(CUTKPropExchange* px, LPCWSTR name, CString& value,
                               LPCWSTR defaultText)
{
    return px ? px->ExchangeValue(name, VT_UTK_STRING, &value, defaultText) : FALSE;
}

BOOL ExchangeSizeProp(CUTKPropExchange* px, LPCWSTR name, CSize& value, CSize defaultValue)
{
    return px ? px->ExchangeValue(name, VT_UTK_SIZE, &value, &defaultValue) : FALSE;
}

BOOL ExchangeRectProp(CUTKPropExchange* px, LPCWSTR name, CRect& value, CRect defaultValue)
{
    return px ? px->ExchangeValue(name, VT_UTK_RECT, &value, &defaultValue) : FALSE;
}

BOOL ExchangeClassProp(CUTKPropExchange* px, LPCWSTR name, CRuntimeClass*& runtimeClass,
                       CRuntimeClass* defaultClass)
{
    return px ? px->ExchangeRuntimeClass(name, runtimeClass, defaultClass) : FALSE;
}

BOOL ExchangeBlobProp(CUTKPropExchange* px, LPCWSTR name, BYTE*& data, DWORD& size)
{
    return px ? px->ExchangeBlob(name, data, size) : FALSE;
}

BOOL ExchangeSerializedObject(CUTKPropExchange* px, LPCWSTR name, CObject* object)
{
    if (px == nullptr || object == nullptr) {
        return FALSE;
    }
    CArchive* archive = px->GetArchive(name);
    if (archive == nullptr) {
        return FALSE;
    }
    BOOL ok = FALSE;
    try {
        object->Serialize(*archive);
        ok = TRUE;
    } catch (CArchiveException* e) {
        e->Delete();
    } catch (COleException* e) {
        e->Delete();
    } catch (...) {
        px->ReleaseArchive(name, archive);
        throw;
    }
    px->ReleaseArchive(name, archive);
    return ok;
}
