// CArchive: buffered reading and writing, the string and count forms, and the class and
// object reference tags with their maps.
#include "platform/framework/CArchive.h"

#include "platform/framework/CFile.h"
#include "platform/framework/CMemoryException.h"
#include "platform/framework/CNotSupportedException.h"

#include <algorithm>

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void* buffer)
    : m_pFile(file), m_nMode(mode), m_bUserBuf(buffer != nullptr)
{
    // A caller's buffer cannot be enlarged, so it must already have the minimum size.
    if (!file || (buffer && bufferSize < 128)) {
        AfxThrowInvalidArgException();
    }
    m_strFileName = file->GetFilePath();
    m_nBufSize = static_cast<UINT>(bufferSize < 128 ? 128 : bufferSize);
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(buffer) : new BYTE[m_nBufSize];
    if (IsLoading()) {
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + m_nBufSize;
    }
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
            // A destructor cannot report; the caller who needs the result calls Close().
        }
    }
    Abort();
    if (!m_bUserBuf) {
        delete[] m_lpBufStart;
    }
}

UINT CArchive::GetObjectSchema() noexcept
{
    UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::CheckStoring()
{
    if (!m_pFile || IsLoading()) {
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    }
}

void CArchive::CheckLoading()
{
    if (!m_pFile || IsStoring()) {
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    }
}

UINT CArchive::Read(void* buffer, UINT count)
{
    CheckLoading();
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        UINT buffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (buffered > 0) {
            UINT n = std::min(buffered, count - done);
            std::memcpy(out + done, m_lpBufCur, n);
            m_lpBufCur += n;
            done += n;
            continue;
        }
        if (count - done >= m_nBufSize) {
            UINT n = m_pFile->Read(out + done, count - done);
            if (n == 0) {
                break;
            }
            done += n;
            continue;
        }
        UINT n = m_pFile->Read(m_lpBufStart, m_nBufSize);
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + n;
        if (n == 0) {
            break;
        }
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count)
{
    CheckStoring();
    const BYTE* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (room == 0) {
            Flush();
            room = m_nBufSize;
        }
        UINT n = std::min(room, count);
        std::memcpy(m_lpBufCur, in, n);
        m_lpBufCur += n;
        in += n;
        count -= n;
    }
}

void CArchive::Flush()
{
    if (!m_pFile) {
        return;
    }
    if (IsStoring()) {
        UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;
        m_pFile->Write(m_lpBufStart, n);
    } else if (m_lpBufCur != m_lpBufMax) {
        LONGLONG unread = m_lpBufMax - m_lpBufCur;
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        m_pFile->Seek(-unread, CFile::current);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() noexcept
{
    m_pFile = nullptr;
    delete m_pStoreMap;
    m_pStoreMap = nullptr;
    delete m_pLoadArray;
    m_pLoadArray = nullptr;
}

void CArchive::FillBuffer(UINT additionalBytes)
{
    CheckLoading();
    UINT buffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    UINT wanted = buffered + additionalBytes;
    if (wanted > m_nBufSize) {
        AfxThrowArchiveException(CArchiveException::bufferFull, m_strFileName);
    }
    std::memmove(m_lpBufStart, m_lpBufCur, buffered);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + buffered;
    while (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < wanted) {
        UINT n = m_pFile->Read(m_lpBufMax, m_nBufSize - buffered);
        if (n == 0) {
            AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
        }
        m_lpBufMax += n;
        buffered += n;
    }
}

void CArchive::WriteCount(DWORD_PTR count)
{
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
    } else {
        *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(count);
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD count = 0;
    *this >> count;
    if (count != 0xFFFF) {
        return count;
    }
    DWORD big = 0;
    *this >> big;
    return big;
}

void CArchive::WriteStringLength(ULONGLONG length, bool wide)
{
    if (wide) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    }
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
        return;
    }
    *this << static_cast<BYTE>(0xFF);
    if (length < 0xFFFE) {
        *this << static_cast<WORD>(length);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (length < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(length);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(length);
}

ULONGLONG CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF) {
        return b;
    }
    WORD w = 0;
    *this >> w;
    if (w == 0xFFFE) {
        wide = true;
        *this >> b;
        if (b < 0xFF) {
            return b;
        }
        *this >> w;
    }
    if (w < 0xFFFF) {
        return w;
    }
    DWORD d = 0;
    *this >> d;
    if (d < 0xFFFFFFFF) {
        return d;
    }
    ULONGLONG q = 0;
    *this >> q;
    return q;
}

void CArchive::ReadChars(void* out, ULONGLONG count, size_t charSize)
{
    ULONGLONG bytes = count * charSize;
    if (Read(out, static_cast<UINT>(bytes)) != bytes) {
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
}

CArchive& CArchive::operator<<(const CStringW& text)
{
    WriteStringLength(static_cast<ULONGLONG>(text.GetLength()), true);
    Write(text.GetString(), static_cast<UINT>(text.GetLength()) * sizeof(wchar_t));
    return *this;
}

CArchive& CArchive::operator<<(const CStringA& text)
{
    WriteStringLength(static_cast<ULONGLONG>(text.GetLength()), false);
    Write(text.GetString(), static_cast<UINT>(text.GetLength()));
    return *this;
}

// A stored length is not trusted: the characters are read in bounded pieces, so a damaged
// length ends in endOfFile instead of a huge allocation.
namespace {

constexpr ULONGLONG kStringPiece = 2048;

template <class CharT>
void ReadPieces(CArchive& ar, CStringT<CharT>& out, ULONGLONG length,
                void (*readChars)(CArchive&, void*, ULONGLONG))
{
    out.Empty();
    CharT piece[kStringPiece];
    while (length > 0) {
        ULONGLONG n = std::min(length, kStringPiece);
        readChars(ar, piece, n);
        out.Append(piece, static_cast<int>(n));
        length -= n;
    }
}

}  // namespace

CArchive& CArchive::operator>>(CStringW& text)
{
    bool wide = false;
    ULONGLONG length = ReadStringLength(wide);
    if (wide) {
        ReadPieces<wchar_t>(*this, text, length, [](CArchive& ar, void* p, ULONGLONG n) {
            ar.ReadChars(p, n, sizeof(wchar_t));
        });
    } else {
        CStringA narrow;
        ReadPieces<char>(*this, narrow, length,
                         [](CArchive& ar, void* p, ULONGLONG n) { ar.ReadChars(p, n, 1); });
        text = narrow;
    }
    return *this;
}

CArchive& CArchive::operator>>(CStringA& text)
{
    bool wide = false;
    ULONGLONG length = ReadStringLength(wide);
    if (wide) {
        CStringW unicode;
        ReadPieces<wchar_t>(*this, unicode, length, [](CArchive& ar, void* p, ULONGLONG n) {
            ar.ReadChars(p, n, sizeof(wchar_t));
        });
        text = unicode;
    } else {
        ReadPieces<char>(*this, text, length,
                         [](CArchive& ar, void* p, ULONGLONG n) { ar.ReadChars(p, n, 1); });
    }
    return *this;
}

void CArchive::SetStoreParams(UINT, UINT) noexcept
{
}

void CArchive::SetLoadParams(UINT) noexcept
{
}

void CArchive::InitStoreMap()
{
    if (!m_pStoreMap) {
        m_pStoreMap = new std::unordered_map<const void*, DWORD>;
        m_nMapCount = 1;  // index 0 is the null object
    }
}

void CArchive::InitLoadArray()
{
    if (!m_pLoadArray) {
        m_pLoadArray = new std::vector<LoadEntry>;
        m_pLoadArray->push_back({nullptr, false, 0});
        m_nMapCount = 1;
    }
}

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount) {
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
}

void CArchive::MapObject(const CObject* object)
{
    if (IsStoring()) {
        InitStoreMap();
        CheckCount();
        m_pStoreMap->emplace(object, m_nMapCount++);
    } else {
        InitLoadArray();
        CheckCount();
        m_pLoadArray->push_back({const_cast<CObject*>(object), false, 0});
        ++m_nMapCount;
    }
}

void CArchive::WriteClass(const CRuntimeClass* classRef)
{
    CheckStoring();
    // Only serializable classes (IMPLEMENT_SERIAL) have an archive form.
    if (!classRef || classRef->m_wSchema == 0xFFFF) {
        AfxThrowNotSupportedException();
    }
    InitStoreMap();
    auto found = m_pStoreMap->find(classRef);
    if (found != m_pStoreMap->end()) {
        DWORD index = found->second;
        if (index < wBigObjectTag) {
            *this << static_cast<WORD>(wClassTag | index);
        } else {
            *this << static_cast<WORD>(wBigObjectTag) << static_cast<DWORD>(dwBigClassTag | index);
        }
        return;
    }
    *this << static_cast<WORD>(wNewClassTag);
    classRef->Store(*this);
    CheckCount();
    m_pStoreMap->emplace(classRef, m_nMapCount++);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* classRequested, UINT* schema,
                                   DWORD* objectTag)
{
    CheckLoading();
    InitLoadArray();
    WORD tag = 0;
    *this >> tag;
    DWORD obTag = 0;
    if (tag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (static_cast<DWORD>(tag & wClassTag) << 16) | (tag & ~wClassTag & 0xFFFF);
    }
    if (!(obTag & dwBigClassTag)) {
        if (!objectTag) {
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        }
        *objectTag = obTag;
        return nullptr;
    }
    CRuntimeClass* classRef = nullptr;
    UINT storedSchema = 0;
    if (tag == wNewClassTag) {
        classRef = CRuntimeClass::Load(*this, &storedSchema);
        if (!classRef) {
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        }
        CheckCount();
        m_pLoadArray->push_back({classRef, true, storedSchema});
        ++m_nMapCount;
    } else {
        DWORD index = obTag & ~dwBigClassTag;
        if (index == 0 || index >= m_pLoadArray->size() || !(*m_pLoadArray)[index].isClass) {
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        }
        classRef = static_cast<CRuntimeClass*>((*m_pLoadArray)[index].pointer);
        storedSchema = (*m_pLoadArray)[index].schema;
    }
    if (classRequested && !classRef->IsDerivedFrom(classRequested)) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    if (schema) {
        *schema = storedSchema;
    } else {
        UINT own = classRef->m_wSchema & ~VERSIONABLE_SCHEMA;
        if (own != storedSchema && !(classRef->m_wSchema & VERSIONABLE_SCHEMA)) {
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        }
        m_nObjectSchema = storedSchema;
    }
    return classRef;
}

void CArchive::SerializeClass(const CRuntimeClass* classRef)
{
    if (IsStoring()) {
        WriteClass(classRef);
    } else {
        ReadClass(classRef);
    }
}

void CArchive::WriteObject(const CObject* object)
{
    CheckStoring();
    InitStoreMap();
    if (!object) {
        *this << static_cast<WORD>(wNullTag);
        return;
    }
    auto found = m_pStoreMap->find(object);
    if (found != m_pStoreMap->end()) {
        DWORD index = found->second;
        if (index < wBigObjectTag) {
            *this << static_cast<WORD>(index);
        } else {
            *this << static_cast<WORD>(wBigObjectTag) << index;
        }
        return;
    }
    WriteClass(object->GetRuntimeClass());
    CheckCount();
    m_pStoreMap->emplace(object, m_nMapCount++);
    const_cast<CObject*>(object)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* classRequested)
{
    UINT schema = 0;
    DWORD obTag = 0;
    CRuntimeClass* classRef = ReadClass(classRequested, &schema, &obTag);
    if (!classRef) {
        if (obTag >= m_pLoadArray->size() || (*m_pLoadArray)[obTag].isClass) {
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        }
        CObject* object = static_cast<CObject*>((*m_pLoadArray)[obTag].pointer);
        if (object && classRequested && !object->IsKindOf(classRequested)) {
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        }
        return object;
    }
    // The schema check of ReadClass is done here, where the stored schema is known.
    UINT own = classRef->m_wSchema & ~VERSIONABLE_SCHEMA;
    if (own != schema && !(classRef->m_wSchema & VERSIONABLE_SCHEMA)) {
        AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
    }
    CObject* object = classRef->CreateObject();
    if (!object) {
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    CheckCount();
    size_t slot = m_pLoadArray->size();
    m_pLoadArray->push_back({object, false, 0});
    ++m_nMapCount;
    UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The half-read object is not handed out: free it and forget its map entry.
        if (m_pLoadArray && slot < m_pLoadArray->size()) {
            (*m_pLoadArray)[slot].pointer = nullptr;
        }
        delete object;
        m_nObjectSchema = savedSchema;
        throw;
    }
    m_nObjectSchema = savedSchema;
    return object;
}
