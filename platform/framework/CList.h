// CList: the framework's doubly linked list, walked with POSITION values (a POSITION is the
// node). Nodes come from blocks of blockSize nodes that are kept until RemoveAll, as in the
// framework, so a POSITION stays valid until its own element is removed.
#pragma once

#include "platform/framework/CArchive.h"
#include "platform/framework/CArray.h"
#include "platform/framework/CInvalidArgException.h"
#include "platform/framework/CObject.h"

#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR blockSize = 10) noexcept
        : m_nBlockSize(blockSize > 0 ? blockSize : 10)
    {
    }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const noexcept { return m_nCount; }
    INT_PTR GetSize() const noexcept { return m_nCount; }
    BOOL IsEmpty() const noexcept { return m_nCount == 0; }
    TYPE& GetHead() { return Node(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Node(m_pNodeHead)->data; }
    TYPE& GetTail() { return Node(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Node(m_pNodeTail)->data; }

    // Operations
    TYPE RemoveHead()
    {
        CNode* node = Node(m_pNodeHead);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = Node(m_pNodeTail);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }
    POSITION AddHead(ARG_TYPE element) { return Link(NewNode(element), nullptr, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE element) { return Link(NewNode(element), m_pNodeTail, nullptr); }
    void AddHead(const CList* list)
    {
        for (POSITION pos = list->GetTailPosition(); pos;) {
            AddHead(list->GetPrev(pos));
        }
    }
    void AddTail(const CList* list)
    {
        for (POSITION pos = list->GetHeadPosition(); pos;) {
            AddTail(list->GetNext(pos));
        }
    }
    void RemoveAll();

    // Iteration
    POSITION GetHeadPosition() const noexcept { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const noexcept { return reinterpret_cast<POSITION>(m_pNodeTail); }
    TYPE& GetNext(POSITION& pos)
    {
        CNode* node = Node(pos);
        pos = reinterpret_cast<POSITION>(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        CNode* node = Node(pos);
        pos = reinterpret_cast<POSITION>(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        CNode* node = Node(pos);
        pos = reinterpret_cast<POSITION>(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        CNode* node = Node(pos);
        pos = reinterpret_cast<POSITION>(node->pPrev);
        return node->data;
    }
    TYPE& GetAt(POSITION pos) { return Node(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return Node(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE element) { Node(pos)->data = element; }
    void RemoveAt(POSITION pos) { Unlink(Node(pos)); }
    POSITION InsertBefore(POSITION pos, ARG_TYPE element)
    {
        if (!pos) {
            return AddHead(element);
        }
        CNode* at = Node(pos);
        return Link(NewNode(element), at->pPrev, at);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE element)
    {
        if (!pos) {
            return AddTail(element);
        }
        CNode* at = Node(pos);
        return Link(NewNode(element), at, at->pNext);
    }
    // Position of the first element equal to value after startAfter (from the head if null).
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
        for (; node; node = node->pNext) {
            if (node->data == value) {
                return reinterpret_cast<POSITION>(node);
            }
        }
        return nullptr;
    }
    // Position of the index-th element (0-based), or null when out of range.
    POSITION FindIndex(INT_PTR index) const noexcept
    {
        if (index < 0 || index >= m_nCount) {
            return nullptr;
        }
        CNode* node = m_pNodeHead;
        while (index-- > 0) {
            node = node->pNext;
        }
        return reinterpret_cast<POSITION>(node);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* node = m_pNodeHead; node; node = node->pNext) {
                SerializeElements<TYPE>(ar, &node->data, 1);
            }
        } else {
            for (DWORD_PTR n = ar.ReadCount(); n > 0; --n) {
                TYPE value{};
                SerializeElements<TYPE>(ar, &value, 1);
                AddTail(value);
            }
        }
    }

protected:
    static CNode* Node(CNode* node)
    {
        if (!node) {
            AfxThrowInvalidArgException();
        }
        return node;
    }
    static CNode* Node(POSITION pos)
    {
        if (!pos) {
            AfxThrowInvalidArgException();
        }
        return reinterpret_cast<CNode*>(pos);
    }
    CNode* NewNode(ARG_TYPE element);
    POSITION Link(CNode* node, CNode* prev, CNode* next) noexcept
    {
        node->pPrev = prev;
        node->pNext = next;
        (prev ? prev->pNext : m_pNodeHead) = node;
        (next ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return reinterpret_cast<POSITION>(node);
    }
    void Unlink(CNode* node) noexcept;

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = nullptr;
    struct CBlock {
        CBlock* pNext;
    };
    CBlock* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(ARG_TYPE element)
{
    if (!m_pNodeFree) {
        // One block: a header followed by blockSize raw nodes, chained into the free list.
        size_t nodeOffset = (sizeof(CBlock) + alignof(CNode) - 1) / alignof(CNode) * alignof(CNode);
        auto* raw = static_cast<BYTE*>(::operator new(nodeOffset + m_nBlockSize * sizeof(CNode)));
        auto* block = reinterpret_cast<CBlock*>(raw);
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        auto* nodes = reinterpret_cast<CNode*>(raw + nodeOffset);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            nodes[i].pNext = m_pNodeFree;
            m_pNodeFree = &nodes[i];
        }
    }
    // data follows the links, so a failing construction leaves the free chain intact.
    CNode* node = m_pNodeFree;
    ::new (static_cast<void*>(&node->data)) TYPE(element);
    m_pNodeFree = node->pNext;
    return node;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Unlink(CNode* node) noexcept
{
    (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
    (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
    node->data.~TYPE();
    node->pNext = m_pNodeFree;
    m_pNodeFree = node;
    if (--m_nCount == 0) {
        RemoveAll();
    }
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* node = m_pNodeHead; node; node = node->pNext) {
        node->data.~TYPE();
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
    m_pNodeFree = nullptr;
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        ::operator delete(m_pBlocks);
        m_pBlocks = next;
    }
}
