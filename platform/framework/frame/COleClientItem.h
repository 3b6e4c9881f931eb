// COleClientItem: an embedded or linked OLE object held by a COleDocument. This stand-in keeps
// the object's IOleObject and its activation state; the verbs and the user type name that the
// edit menu shows are asked of that object.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class COleDocument;

class COleClientItem : public CCmdTarget {
    DECLARE_DYNAMIC(COleClientItem)

public:
    enum ItemState {
        emptyState = 0,
        loadedState = 1,
        openState = 2,
        activeState = 3,    // in-place active
        activeUIState = 4,
    };

    // Joins the document (when given), which then lists the item.
    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    ~COleClientItem() override;

    UINT GetItemState() const { return m_nItemState; }
    COleDocument* GetDocument() const { return m_pDocument; }
    // Takes a reference to the object (null drops it); the item becomes loaded or empty.
    void SetObject(LPOLEOBJECT lpObject);
    LPOLEOBJECT GetObject() const { return m_lpObject; }

    // The object's short user type name; empty without an object.
    CString GetUserTypeName() const;

    UINT m_nItemState = emptyState;

protected:
    LPOLEOBJECT m_lpObject = nullptr;  // one reference
    COleDocument* m_pDocument = nullptr;

    friend class COleDocument;
};
