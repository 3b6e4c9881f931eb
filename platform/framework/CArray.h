// CArray: the framework's growable array. Growth follows the framework's rule (the growth
// step, or without one an eighth of the size bounded to 4..1024 elements) and new elements
// are value-initialised (zero for plain types): callers rely on both.
#pragma once

#include "platform/framework/CArchive.h"
#include "platform/framework/CInvalidArgException.h"
#include "platform/framework/CMemoryException.h"
#include "platform/framework/CNotSupportedException.h"
#include "platform/framework/CObject.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

// Element serialization used by CArray::Serialize: raw bytes for plain types; classes with an
// archive form (strings, variants) have their own overloads.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* elements, INT_PTR count)
{
    if constexpr (requires(CArchive& a, TYPE& e) { a << e; a >> e; }) {
        for (INT_PTR i = 0; i < count; ++i) {
            if (ar.IsStoring()) {
                ar << elements[i];
            } else {
                ar >> elements[i];
            }
        }
    } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
        UINT_PTR bytes = static_cast<UINT_PTR>(count) * sizeof(TYPE);
        if (ar.IsStoring()) {
            ar.Write(elements, static_cast<UINT>(bytes));
        } else if (ar.Read(elements, static_cast<UINT>(bytes)) != bytes) {
            AfxThrowArchiveException(CArchiveException::endOfFile);
        }
    } else {
        (void)elements;
        (void)count;
        AfxThrowNotSupportedException();
    }
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() noexcept = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() override { RemoveAll(); }

    // Attributes
    INT_PTR GetSize() const noexcept { return m_nSize; }
    INT_PTR GetCount() const noexcept { return m_nSize; }
    BOOL IsEmpty() const noexcept { return m_nSize == 0; }
    INT_PTR GetUpperBound() const noexcept { return m_nSize - 1; }
    // Sets the size (new elements value-initialised); growBy >= 0 also sets the growth step.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);

    // Operations
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }
    const TYPE& GetAt(INT_PTR index) const { Check(index); return m_pData[index]; }
    TYPE& GetAt(INT_PTR index) { Check(index); return m_pData[index]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { Check(index); m_pData[index] = element; }
    const TYPE& ElementAt(INT_PTR index) const { Check(index); return m_pData[index]; }
    TYPE& ElementAt(INT_PTR index) { Check(index); return m_pData[index]; }
    const TYPE* GetData() const noexcept { return m_pData; }
    TYPE* GetData() noexcept { return m_pData; }
    void SetAtGrow(INT_PTR index, ARG_TYPE element);
    INT_PTR Add(ARG_TYPE element);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1);
    void InsertAt(INT_PTR startIndex, const CArray* newArray);
    void RemoveAt(INT_PTR index, INT_PTR count = 1);

    void Serialize(CArchive& ar) override;

    // Capacity and growth step, for tests of the growth rule.
    INT_PTR GetAllocSize() const noexcept { return m_nMaxSize; }

protected:
    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;

private:
    void Check(INT_PTR index) const
    {
        if (index < 0 || index >= m_nSize) {
            AfxThrowInvalidArgException();
        }
    }
    static TYPE* Allocate(INT_PTR count);
    static void ConstructRange(TYPE* p, INT_PTR count);
    static void DestroyRange(TYPE* p, INT_PTR count) noexcept;
    void Reallocate(INT_PTR newMax);
};

template <class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::Allocate(INT_PTR count)
{
    if (count <= 0) {
        return nullptr;
    }
    if (static_cast<UINT_PTR>(count) > static_cast<UINT_PTR>(INT_MAX) / sizeof(TYPE)) {
        AfxThrowInvalidArgException();
    }
    void* p = std::malloc(static_cast<size_t>(count) * sizeof(TYPE));
    if (!p) {
        AfxThrowMemoryException();
    }
    return static_cast<TYPE*>(p);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::ConstructRange(TYPE* p, INT_PTR count)
{
    std::memset(static_cast<void*>(p), 0, static_cast<size_t>(count) * sizeof(TYPE));
    for (INT_PTR i = 0; i < count; ++i) {
        ::new (static_cast<void*>(p + i)) TYPE();
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::DestroyRange(TYPE* p, INT_PTR count) noexcept
{
    for (INT_PTR i = 0; i < count; ++i) {
        p[i].~TYPE();
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR newMax)
{
    TYPE* data = Allocate(newMax);
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        ::new (static_cast<void*>(data + i)) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    std::free(m_pData);
    m_pData = data;
    m_nMaxSize = newMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR newSize, INT_PTR growBy)
{
    if (newSize < 0) {
        AfxThrowInvalidArgException();
    }
    if (growBy >= 0) {
        m_nGrowBy = growBy;
    }
    if (newSize == 0) {
        DestroyRange(m_pData, m_nSize);
        std::free(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    } else if (!m_pData) {
        INT_PTR allocSize = newSize > m_nGrowBy ? newSize : m_nGrowBy;
        m_pData = Allocate(allocSize);
        m_nMaxSize = allocSize;
        ConstructRange(m_pData, newSize);
        m_nSize = newSize;
    } else if (newSize <= m_nMaxSize) {
        if (newSize > m_nSize) {
            ConstructRange(m_pData + m_nSize, newSize - m_nSize);
        } else {
            DestroyRange(m_pData + newSize, m_nSize - newSize);
        }
        m_nSize = newSize;
    } else {
        INT_PTR step = m_nGrowBy;
        if (step == 0) {
            step = m_nSize / 8;
            step = step < 4 ? 4 : (step > 1024 ? 1024 : step);
        }
        INT_PTR newMax = m_nMaxSize + step;
        if (newMax < newSize) {
            newMax = newSize;
        }
        Reallocate(newMax);
        ConstructRange(m_pData + m_nSize, newSize - m_nSize);
        m_nSize = newSize;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize) {
        if (m_nSize == 0) {
            std::free(m_pData);
            m_pData = nullptr;
            m_nMaxSize = 0;
        } else {
            Reallocate(m_nSize);
        }
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR index, ARG_TYPE element)
{
    if (index < 0) {
        AfxThrowInvalidArgException();
    }
    // Copy first: element may refer into this array, which growing moves.
    TYPE value(element);
    if (index >= m_nSize) {
        SetSize(index + 1, -1);
    }
    m_pData[index] = std::move(value);
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE element)
{
    INT_PTR index = m_nSize;
    SetAtGrow(index, element);
    return index;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src) {
        AfxThrowInvalidArgException();
    }
    INT_PTR oldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i) {
        m_pData[oldSize + i] = src.m_pData[i];
    }
    return oldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this != &src) {
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < src.m_nSize; ++i) {
            m_pData[i] = src.m_pData[i];
        }
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count)
{
    if (index < 0 || count <= 0) {
        AfxThrowInvalidArgException();
    }
    TYPE value(element);
    if (index >= m_nSize) {
        SetSize(index + count, -1);
    } else {
        INT_PTR oldSize = m_nSize;
        SetSize(m_nSize + count, -1);
        for (INT_PTR i = oldSize - 1; i >= index; --i) {
            m_pData[i + count] = std::move(m_pData[i]);
        }
    }
    for (INT_PTR i = 0; i < count; ++i) {
        m_pData[index + i] = value;
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR startIndex, const CArray* newArray)
{
    if (!newArray || startIndex < 0 || newArray == this) {
        AfxThrowInvalidArgException();
    }
    INT_PTR count = newArray->GetSize();
    if (count > 0) {
        InsertAt(startIndex, newArray->GetAt(0), count);
        for (INT_PTR i = 1; i < count; ++i) {
            m_pData[startIndex + i] = newArray->GetAt(i);
        }
    }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR index, INT_PTR count)
{
    if (index < 0 || count < 0 || index + count > m_nSize) {
        AfxThrowInvalidArgException();
    }
    for (INT_PTR i = index; i + count < m_nSize; ++i) {
        m_pData[i] = std::move(m_pData[i + count]);
    }
    DestroyRange(m_pData + m_nSize - count, count);
    m_nSize -= count;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nSize));
    } else {
        SetSize(static_cast<INT_PTR>(ar.ReadCount()), -1);
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}
