#include "toolkit/common/CUTKPropExchangeArchive.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CUTKPropExchangeArchive, CUTKPropExchange)

namespace {

// Variant types the framework's archive form holds; it refuses any other type only after
// writing its type word, which would leave a stray word in the stream.
bool HasArchiveForm(VARTYPE type)
{
    switch (type) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_BOOL:
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
    case VT_I8:
    case VT_UI8:
    case VT_CY:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_BSTR: return true;
    default: return false;
    }
}

}  // namespace

CUTKPropExchangeArchive::CUTKPropExchangeArchive(CArchive& archive) : m_ar(archive)
{
    m_bLoading = archive.IsLoading();
}

ULONGLONG CUTKPropExchangeArchive::BytesLeft() const
{
    const ULONGLONG buffered = static_cast<ULONGLONG>(m_ar.m_lpBufMax - m_ar.m_lpBufCur);
    CFile* file = m_ar.GetFile();
    if (file == nullptr) {
        return buffered;
    }
    const ULONGLONG length = file->GetLength();
    const ULONGLONG position = file->GetPosition();
    return buffered + (length > position ? length - position : 0);
}

BOOL CUTKPropExchangeArchive::ExchangeValue(LPCWSTR, VARTYPE type, void* value, const void*)
{
    (void)OpenStorage();
    const bool load = m_bLoading != FALSE;
    switch (type) {
    case VT_UI1:
        load ? m_ar >> *static_cast<BYTE*>(value) : m_ar << *static_cast<BYTE*>(value);
        return TRUE;
    case VT_I2:
        load ? m_ar >> *static_cast<WORD*>(value) : m_ar << *static_cast<WORD*>(value);
        return TRUE;
    case VT_I4:
    case VT_BOOL:
        load ? m_ar >> *static_cast<DWORD*>(value) : m_ar << *static_cast<DWORD*>(value);
        return TRUE;
    case VT_R4:
        load ? m_ar >> *static_cast<float*>(value) : m_ar << *static_cast<float*>(value);
        return TRUE;
    case VT_R8:
        load ? m_ar >> *static_cast<double*>(value) : m_ar << *static_cast<double*>(value);
        return TRUE;
    case VT_CY: {
        CY* cy = static_cast<CY*>(value);
        if (load) {
            DWORD lo = 0;
            LONG hi = 0;
            m_ar >> lo >> hi;
            cy->Lo = lo;
            cy->Hi = hi;
        } else {
            m_ar << static_cast<DWORD>(cy->Lo) << static_cast<LONG>(cy->Hi);
        }
        return TRUE;
    }
    case VT_DATE: {
        COleDateTime* date = static_cast<COleDateTime*>(value);
        if (load) {
            LONG status = 0;
            double day = 0;
            m_ar >> status >> day;
            date->m_dt = day;
            // A status the date type does not know is taken as an invalid date.
            date->m_status = status == COleDateTime::valid  ? COleDateTime::valid
                             : status == COleDateTime::null ? COleDateTime::null
                                                            : COleDateTime::invalid;
        } else {
            m_ar << static_cast<LONG>(date->m_status) << static_cast<double>(date->m_dt);
        }
        return TRUE;
    }
    case VT_VARIANT: {
        VARIANT* variant = static_cast<VARIANT*>(value);
        if (load) {
            COleVariant read;
            m_ar >> read;
            ::VariantClear(variant);
            *variant = read.Detach();
            return TRUE;
        }
        if (!HasArchiveForm(variant->vt)) {
            return FALSE;
        }
        m_ar << *static_cast<const COleVariant*>(static_cast<const tagVARIANT*>(variant));
        return TRUE;
    }
    case VT_UTK_STRING:
        load ? m_ar >> *static_cast<CString*>(value) : m_ar << *static_cast<CString*>(value);
        return TRUE;
    case VT_UTK_RECT:
    case VT_UTK_SIZE: {
        LONG* fields = static_cast<LONG*>(value);
        const int count = type == VT_UTK_RECT ? 4 : 2;
        if (load) {
            LONG read[4] = {};
            for (int i = 0; i < count; ++i) {
                m_ar >> read[i];
            }
            std::memcpy(fields, read, sizeof(LONG) * count);
        } else {
            for (int i = 0; i < count; ++i) {
                m_ar << fields[i];
            }
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CUTKPropExchangeArchive::ExchangeBlob(LPCWSTR, BYTE*& data, DWORD& size)
{
    if (!m_bLoading) {
        const DWORD length = data ? size : 0;
        m_ar.WriteCount(length);
        if (length) {
            m_ar.Write(data, length);
        }
        return TRUE;
    }
    const DWORD length = static_cast<DWORD>(m_ar.ReadCount());
    if (length > BytesLeft()) {
        AfxThrowArchiveException(CArchiveException::endOfFile, m_ar.m_strFileName);
    }
    if (data == nullptr) {
        if (length == 0) {
            size = 0;
            return TRUE;
        }
        BYTE* buffer = static_cast<BYTE*>(std::malloc(length));
        if (buffer == nullptr) {
            AfxThrowMemoryException();
        }
        if (m_ar.Read(buffer, length) != length) {
            std::free(buffer);
            return FALSE;
        }
        data = buffer;
        size = length;
        return TRUE;
    }
    if (length > size) {
        return FALSE;
    }
    size = length;
    return m_ar.Read(data, length) == length;
}

BOOL CUTKPropExchangeArchive::ExchangeRuntimeClass(LPCWSTR, CRuntimeClass*& runtimeClass,
                                                   CRuntimeClass* defaultClass)
{
    if (!m_bLoading) {
        m_ar.WriteClass(runtimeClass);
        // The load reads what follows at the schema stored with the class, so it is written
        // at that schema too, whatever the enclosing section's was.
        if (runtimeClass != nullptr)
            m_nSchema = static_cast<WORD>(runtimeClass->m_wSchema);
        return TRUE;
    }
    UINT schema = 0;
    CRuntimeClass* read = m_ar.ReadClass(defaultClass, &schema);
    if (read == nullptr) {
        return FALSE;
    }
    m_nSchema = static_cast<int>(schema);
    runtimeClass = read;
    return TRUE;
}

BOOL CUTKPropExchangeArchive::ExchangeObjectInstance(CObject*& object,
                                                     CRuntimeClass* expectedClass)
{
    if (!CUTKPropExchange::ExchangeObjectInstance(object, expectedClass)) {
        return FALSE;
    }
    m_ar.MapObject(object);
    return TRUE;
}

CArchive* CUTKPropExchangeArchive::GetArchive(LPCWSTR)
{
    return &m_ar;
}

void CUTKPropExchangeArchive::ReleaseArchive(LPCWSTR, CArchive*)
{
}

CUTKPropExchange* CUTKPropExchangeArchive::CreateSection(LPCWSTR)
{
    auto* section = new CUTKPropExchangeArchive(m_ar);
    section->InheritFrom(this);
    return section;
}

void CUTKPropExchangeArchive::WriteCount(DWORD count)
{
    m_ar.WriteCount(count);
}

DWORD CUTKPropExchangeArchive::ReadCount()
{
    return static_cast<DWORD>(m_ar.ReadCount());
}

BOOL CUTKPropExchangeArchive::WriteBlob(LPCWSTR, BYTE* data, DWORD size)
{
    if (data && size) {
        m_ar.Write(data, size);
    }
    return TRUE;
}

DWORD CUTKPropExchangeArchive::ReadBlob(LPCWSTR, BYTE* buffer, DWORD size)
{
    return buffer ? m_ar.Read(buffer, size) : 0;
}

BOOL CUTKPropExchangeArchive::CanOmitValues()
{
    return FALSE;
}

BOOL CUTKPropExchangeArchive::StoresBinary()
{
    return TRUE;
}

void CUTKPropExchangeArchive::ExchangeSchema()
{
    if (!m_bLoading) {
        m_ar << kSchemaMarker << static_cast<LONG>(m_nSchema);
        return;
    }
    const UINT buffered = static_cast<UINT>(m_ar.m_lpBufMax - m_ar.m_lpBufCur);
    if (buffered < sizeof(DWORD)) {
        m_ar.FillBuffer(static_cast<UINT>(sizeof(DWORD)) - buffered);
    }
    DWORD word = 0;
    std::memcpy(&word, m_ar.m_lpBufCur, sizeof word);
    if (word != kSchemaMarker) {
        m_nSchema = kSchemaWithoutMarker;
        return;
    }
    m_ar.m_lpBufCur += sizeof word;
    LONG schema = 0;
    m_ar >> schema;
    m_nSchema = static_cast<int>(schema);
}
