// CArchive: the framework's binary serialization stream over a CFile, byte-compatible with
// the framework's format: little-endian scalars, counts (WORD, or 0xFFFF + DWORD), strings
// (0xFF 0xFFFE marks UTF-16; the length is a BYTE, WORD, DWORD or QWORD), and class and
// object references with a per-archive map so an object written twice is read back once.
#pragma once

#include "platform/framework/CArchiveException.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CStringT.h"

#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <vector>

class CFile;
class CDocument;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // bufferSize below 128 is raised to 128; a caller's buffer (at least 128 bytes, else
    // CInvalidArgException) is used when given.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    // Closes (flushing) unless bNoFlushOnDelete; errors in that flush are dropped.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Attributes
    BOOL IsLoading() const noexcept { return (m_nMode & load) != 0; }
    BOOL IsStoring() const noexcept { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const noexcept { return FALSE; }
    BOOL IsBufferEmpty() const noexcept { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const noexcept { return m_pFile; }
    // Schema of the object being read (set around its Serialize), or (UINT)-1.
    UINT GetObjectSchema() noexcept;
    void SetObjectSchema(UINT schema) noexcept { m_nObjectSchema = schema; }

    // Raw bytes: Read returns the number read (short at the end of data, no exception).
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Storing: writes the buffer to the file. Loading: gives unread buffered bytes back to
    // the file (seeks it back) so its position matches what was consumed.
    void Flush();
    void Close();
    // Detaches from the file without flushing and without throwing.
    void Abort() noexcept;
    // Makes at least additionalBytes more bytes available between m_lpBufCur and
    // m_lpBufMax; throws CArchiveException::endOfFile when the data ends first.
    void FillBuffer(UINT additionalBytes);

    // Counts: WORD below 0xFFFF, else 0xFFFF then DWORD.
    void WriteCount(DWORD_PTR count);
    DWORD_PTR ReadCount();

    // Class and object references
    void WriteClass(const CRuntimeClass* classRef);
    // Reads a class reference. classRequested: the class read must derive from it (else
    // badClass). schema: receives the stored schema (else it must match the class's, unless
    // the class is VERSIONABLE_SCHEMA). objectTag: receives the index when the tag refers to
    // an object instead (the result is then nullptr); without it such a tag is badIndex.
    CRuntimeClass* ReadClass(const CRuntimeClass* classRequested = nullptr,
                             UINT* schema = nullptr, DWORD* objectTag = nullptr);
    void SerializeClass(const CRuntimeClass* classRef);
    void WriteObject(const CObject* object);
    CObject* ReadObject(const CRuntimeClass* classRequested);
    // Enters an object in the map under the next index without writing anything.
    void MapObject(const CObject* object);
    void SetStoreParams(UINT hashSize = 2053, UINT blockSize = 128) noexcept;
    void SetLoadParams(UINT growBy = 1024) noexcept;

    // Scalars
    CArchive& operator<<(BYTE value) { return Put(value); }
    CArchive& operator<<(WORD value) { return Put(value); }
    CArchive& operator<<(LONG value) { return Put(value); }
    CArchive& operator<<(DWORD value) { return Put(value); }
    CArchive& operator<<(float value) { return Put(value); }
    CArchive& operator<<(double value) { return Put(value); }
    CArchive& operator<<(LONGLONG value) { return Put(value); }
    CArchive& operator<<(ULONGLONG value) { return Put(value); }
    CArchive& operator<<(int value) { return Put(static_cast<LONG>(value)); }
    CArchive& operator<<(unsigned value) { return Put(static_cast<DWORD>(value)); }
    CArchive& operator<<(short value) { return Put(static_cast<WORD>(value)); }
    CArchive& operator<<(char value) { return Put(static_cast<BYTE>(value)); }
    CArchive& operator<<(signed char value) { return Put(static_cast<BYTE>(value)); }
    CArchive& operator<<(wchar_t value) { return Put(static_cast<WORD>(value)); }
    CArchive& operator<<(bool value) { return Put(static_cast<BYTE>(value ? 1 : 0)); }
    CArchive& operator>>(BYTE& value) { return Get(value); }
    CArchive& operator>>(WORD& value) { return Get(value); }
    CArchive& operator>>(LONG& value) { return Get(value); }
    CArchive& operator>>(DWORD& value) { return Get(value); }
    CArchive& operator>>(float& value) { return Get(value); }
    CArchive& operator>>(double& value) { return Get(value); }
    CArchive& operator>>(LONGLONG& value) { return Get(value); }
    CArchive& operator>>(ULONGLONG& value) { return Get(value); }
    CArchive& operator>>(int& value) { return GetAs<LONG>(value); }
    CArchive& operator>>(unsigned& value) { return GetAs<DWORD>(value); }
    CArchive& operator>>(short& value) { return GetAs<WORD>(value); }
    CArchive& operator>>(char& value) { return GetAs<BYTE>(value); }
    CArchive& operator>>(signed char& value) { return GetAs<BYTE>(value); }
    CArchive& operator>>(wchar_t& value) { return GetAs<WORD>(value); }
    CArchive& operator>>(bool& value)
    {
        BYTE b = 0;
        Get(b);
        value = b != 0;
        return *this;
    }
    // Pointers other than objects have no archive form (and must not become bool).
    template <class T>
        requires(!std::is_base_of_v<CObject, T>)
    CArchive& operator<<(T*) = delete;

    // Strings
    CArchive& operator<<(const CStringW& text);
    CArchive& operator<<(const CStringA& text);
    CArchive& operator<<(const wchar_t* text) { return *this << CStringW(text); }
    CArchive& operator<<(const char* text) { return *this << CStringA(text); }
    CArchive& operator>>(CStringW& text);
    CArchive& operator>>(CStringA& text);

    // Objects
    friend CArchive& operator<<(CArchive& ar, const CObject* object)
    {
        ar.WriteObject(object);
        return ar;
    }
    friend CArchive& operator>>(CArchive& ar, CObject*& object)
    {
        object = ar.ReadObject(nullptr);
        return ar;
    }

    // Public as in the framework: readers peek at buffered bytes (after FillBuffer).
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    enum : WORD { wNullTag = 0, wNewClassTag = 0xFFFF, wClassTag = 0x8000, wBigObjectTag = 0x7FFF };
    enum : DWORD { dwBigClassTag = 0x80000000, nMaxMapCount = 0x3FFFFFFE };

    struct LoadEntry {
        void* pointer;  // CObject* or CRuntimeClass*
        bool isClass;
        UINT schema;
    };

    template <class T>
    CArchive& Put(T value)
    {
        CheckStoring();
        if (m_lpBufCur + sizeof(T) > m_lpBufMax) {
            Flush();
        }
        std::memcpy(m_lpBufCur, &value, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }
    template <class T>
    CArchive& Get(T& value)
    {
        CheckLoading();
        if (m_lpBufCur + sizeof(T) > m_lpBufMax) {
            FillBuffer(static_cast<UINT>(sizeof(T) - (m_lpBufMax - m_lpBufCur)));
        }
        std::memcpy(&value, m_lpBufCur, sizeof(T));
        m_lpBufCur += sizeof(T);
        return *this;
    }
    template <class Stored, class T>
    CArchive& GetAs(T& value)
    {
        Stored stored{};
        Get(stored);
        value = static_cast<T>(stored);
        return *this;
    }
    void CheckStoring();
    void CheckLoading();
    void CheckCount();
    void InitStoreMap();
    void InitLoadArray();
    // Length of a stored string in characters, and whether its characters are UTF-16.
    ULONGLONG ReadStringLength(bool& wide);
    void WriteStringLength(ULONGLONG length, bool wide);
    void ReadChars(void* out, ULONGLONG count, size_t charSize);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nBufSize;
    bool m_bUserBuf;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    DWORD m_nMapCount = 0;
    std::unordered_map<const void*, DWORD>* m_pStoreMap = nullptr;
    std::vector<LoadEntry>* m_pLoadArray = nullptr;
};

