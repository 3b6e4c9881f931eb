// CMap: the framework's hash map. The table has InitHashTable's size (17 by default) and is
// created on the first insertion; entries come from blocks of blockSize entries kept until
// RemoveAll, so iteration may remove the entry it has just passed. Iteration runs bucket by
// bucket, newest entry first within a bucket.
#pragma once

#include "platform/framework/CArchive.h"
#include "platform/framework/CArray.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CStringT.h"

#include <new>
#include <type_traits>
#include <utility>

// Hash of a key: strings by their characters, pointers by address (low bits dropped, since
// objects are aligned), integers by value.
template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key)
{
    using K = std::remove_cvref_t<ARG_KEY>;
    if constexpr (std::is_same_v<K, const wchar_t*> || std::is_same_v<K, wchar_t*> ||
                  std::is_same_v<K, const char*> || std::is_same_v<K, char*>) {
        UINT hash = 0;
        for (auto p = key; p && *p; ++p) {
            hash = (hash << 5) + hash + static_cast<UINT>(*p);
        }
        return hash;
    } else if constexpr (std::is_same_v<K, CStringW> || std::is_same_v<K, CStringA>) {
        return HashKey(key.GetString());
    } else if constexpr (std::is_pointer_v<K>) {
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
    } else if constexpr (std::is_integral_v<K> || std::is_enum_v<K>) {
        return static_cast<UINT>(static_cast<ULONGLONG>(key));
    } else {
        return static_cast<UINT>(key);
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair {
        friend class CMap;
        CAssoc* pNext;
        UINT nHashValue;

    public:
        explicit CAssoc(ARG_KEY key) : CPair(key), pNext(nullptr), nHashValue(0) {}
    };

public:
    explicit CMap(INT_PTR blockSize = 10) noexcept : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const noexcept { return m_nCount; }
    INT_PTR GetSize() const noexcept { return m_nCount; }
    BOOL IsEmpty() const noexcept { return m_nCount == 0; }
    UINT GetHashTableSize() const noexcept { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        UINT bucket = 0;
        UINT hash = 0;
        CAssoc* assoc = GetAssocAt(key, bucket, hash);
        if (!assoc) {
            return FALSE;
        }
        value = assoc->value;
        return TRUE;
    }
    const CPair* PLookup(ARG_KEY key) const
    {
        UINT bucket = 0;
        UINT hash = 0;
        return GetAssocAt(key, bucket, hash);
    }
    CPair* PLookup(ARG_KEY key)
    {
        UINT bucket = 0;
        UINT hash = 0;
        return GetAssocAt(key, bucket, hash);
    }

    // Operations
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration
    POSITION GetStartPosition() const noexcept
    {
        return m_nCount == 0 ? nullptr : BEFORE_START_POSITION;
    }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        CAssoc* assoc = NextAssoc(pos);
        key = assoc->key;
        value = assoc->value;
    }
    const CPair* PGetFirstAssoc() const { return m_nCount ? FirstFrom(0) : nullptr; }
    CPair* PGetFirstAssoc() { return m_nCount ? FirstFrom(0) : nullptr; }
    const CPair* PGetNextAssoc(const CPair* pair) const { return After(pair); }
    CPair* PGetNextAssoc(const CPair* pair) { return After(pair); }

    // Sets the table size (rounded up to at least 1); with allocNow the table is made at once.
    // Only an empty map can change its table.
    void InitHashTable(UINT hashSize, BOOL allocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& bucket, UINT& hash) const
    {
        hash = HashKey<ARG_KEY>(key);
        bucket = hash % m_nHashTableSize;
        if (!m_pHashTable) {
            return nullptr;
        }
        for (CAssoc* assoc = m_pHashTable[bucket]; assoc; assoc = assoc->pNext) {
            if (assoc->nHashValue == hash && assoc->key == key) {
                return assoc;
            }
        }
        return nullptr;
    }
    CAssoc* FirstFrom(UINT bucket) const noexcept
    {
        for (; m_pHashTable && bucket < m_nHashTableSize; ++bucket) {
            if (m_pHashTable[bucket]) {
                return m_pHashTable[bucket];
            }
        }
        return nullptr;
    }
    CAssoc* After(const CPair* pair) const
    {
        if (!pair) {
            AfxThrowInvalidArgException();
        }
        auto* assoc = static_cast<CAssoc*>(const_cast<CPair*>(pair));
        return assoc->pNext ? assoc->pNext
                            : FirstFrom(assoc->nHashValue % m_nHashTableSize + 1);
    }
    CAssoc* NextAssoc(POSITION& pos) const
    {
        CAssoc* assoc = pos == BEFORE_START_POSITION ? FirstFrom(0)
                                                     : reinterpret_cast<CAssoc*>(pos);
        if (!assoc) {
            AfxThrowInvalidArgException();
        }
        pos = reinterpret_cast<POSITION>(After(assoc));
        return assoc;
    }
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* assoc) noexcept;

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    struct CBlock {
        CBlock* pNext;
    };
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL allocNow)
{
    if (m_nCount != 0) {
        AfxThrowInvalidArgException();
    }
    if (hashSize == 0) {
        hashSize = 1;
    }
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    if (allocNow) {
        m_pHashTable = new CAssoc*[hashSize]();
    }
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT bucket = 0;
    UINT hash = 0;
    CAssoc* assoc = GetAssocAt(key, bucket, hash);
    if (!assoc) {
        if (!m_pHashTable) {
            InitHashTable(m_nHashTableSize);
        }
        assoc = NewAssoc(key);
        assoc->nHashValue = hash;
        assoc->pNext = m_pHashTable[bucket];
        m_pHashTable[bucket] = assoc;
    }
    return assoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (!m_pHashTable) {
        return FALSE;
    }
    UINT hash = HashKey<ARG_KEY>(key);
    CAssoc** link = &m_pHashTable[hash % m_nHashTableSize];
    for (CAssoc* assoc = *link; assoc; link = &assoc->pNext, assoc = *link) {
        if (assoc->nHashValue == hash && assoc->key == key) {
            *link = assoc->pNext;
            FreeAssoc(assoc);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable) {
        for (UINT i = 0; i < m_nHashTableSize; ++i) {
            for (CAssoc* assoc = m_pHashTable[i]; assoc; assoc = assoc->pNext) {
                assoc->~CAssoc();
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (!m_pFreeList) {
        size_t offset = (sizeof(CBlock) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
        auto* raw = static_cast<BYTE*>(::operator new(offset + m_nBlockSize * sizeof(CAssoc)));
        auto* block = reinterpret_cast<CBlock*>(raw);
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        auto* slots = raw + offset;
        // Free slots are chained through their first bytes until constructed.
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            auto* slot = reinterpret_cast<CAssoc*>(slots + i * sizeof(CAssoc));
            *reinterpret_cast<CAssoc**>(static_cast<void*>(slot)) = m_pFreeList;
            m_pFreeList = slot;
        }
    }
    CAssoc* slot = m_pFreeList;
    m_pFreeList = *reinterpret_cast<CAssoc**>(static_cast<void*>(slot));
    try {
        CAssoc* assoc = ::new (static_cast<void*>(slot)) CAssoc(key);
        ++m_nCount;
        return assoc;
    } catch (...) {
        *reinterpret_cast<CAssoc**>(static_cast<void*>(slot)) = m_pFreeList;
        m_pFreeList = slot;
        throw;
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* assoc) noexcept
{
    assoc->~CAssoc();
    *reinterpret_cast<CAssoc**>(static_cast<void*>(assoc)) = m_pFreeList;
    m_pFreeList = assoc;
    if (--m_nCount == 0) {
        RemoveAll();
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CAssoc* assoc = m_nCount ? FirstFrom(0) : nullptr; assoc; assoc = After(assoc)) {
            SerializeElements<KEY>(ar, const_cast<KEY*>(&assoc->key), 1);
            SerializeElements<VALUE>(ar, &assoc->value, 1);
        }
    } else {
        for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
            KEY key{};
            VALUE value{};
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &value, 1);
            SetAt(key, value);
        }
    }
}
