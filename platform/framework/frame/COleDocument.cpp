// The OLE document stand-in: its list of client items and the primary selection.
#include "platform/framework/frame/COleDocument.h"

#include <algorithm>

#include "platform/framework/frame/COleClientItem.h"
#include "platform/framework/frame/CView.h"

IMPLEMENT_DYNCREATE(COleDocument, CDocument)

COleDocument::COleDocument() = default;

COleDocument::~COleDocument()
{
    for (COleClientItem* item : m_items)
        item->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetPrimarySelectedItem(CView* pView)
{
    if (pView == nullptr)
        return nullptr;
    COleClientItem* selected = nullptr;
    for (COleClientItem* item : m_items) {
        if (!pView->IsSelected(item))
            continue;
        if (selected != nullptr)
            return nullptr;  // more than one
        selected = item;
    }
    return selected;
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (pItem == nullptr || std::find(m_items.begin(), m_items.end(), pItem) != m_items.end())
        return;
    if (pItem->m_pDocument != nullptr && pItem->m_pDocument != this)
        pItem->m_pDocument->RemoveItem(pItem);
    m_items.push_back(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    auto it = std::find(m_items.begin(), m_items.end(), pItem);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    pItem->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetItemAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}
