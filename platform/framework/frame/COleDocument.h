// COleDocument: a document that holds OLE client items. Its views say which items are
// selected; the primary selected item is the only one selected in a view.
#pragma once

#include <vector>

#include "platform/framework/frame/CDocument.h"

class COleClientItem;
class CView;

class COleDocument : public CDocument {
    DECLARE_DYNCREATE(COleDocument)

public:
    COleDocument();
    ~COleDocument() override;

    // The item selected in the view when exactly one is, else null.
    virtual COleClientItem* GetPrimarySelectedItem(CView* pView);

    void AddItem(COleClientItem* pItem);
    void RemoveItem(COleClientItem* pItem);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    COleClientItem* GetItemAt(int index) const;

private:
    std::vector<COleClientItem*> m_items;  // not owned: items leave on destruction
};
