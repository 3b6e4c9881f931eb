// The OLE client item stand-in: object reference, state and user type name.
#include "platform/framework/frame/COleClientItem.h"

#include "platform/framework/frame/COleDocument.h"

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
{
    if (pContainerDoc != nullptr)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveItem(this);
    SetObject(nullptr);
}

void COleClientItem::SetObject(LPOLEOBJECT lpObject)
{
    if (lpObject != nullptr)
        lpObject->AddRef();
    if (m_lpObject != nullptr)
        m_lpObject->Release();
    m_lpObject = lpObject;
    m_nItemState = lpObject != nullptr ? loadedState : emptyState;
}

CString COleClientItem::GetUserTypeName() const
{
    CString name;
    if (m_lpObject == nullptr)
        return name;
    LPOLESTR text = nullptr;
    if (SUCCEEDED(m_lpObject->GetUserType(USERCLASSTYPE_SHORT, &text)) && text != nullptr) {
        name = text;
        ::CoTaskMemFree(text);
    }
    return name;
}
