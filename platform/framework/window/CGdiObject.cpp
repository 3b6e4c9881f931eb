// GDI object ownership and the per-thread handle map of GDI wrappers.
#include "platform/framework/window/CGdiObject.h"

#include "platform/framework/window/AfxThreadData.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

CHandleMap<CGdiObject, HGDIOBJ>& GdiMap()
{
    return AfxGetThreadData()->gdiMap;
}

}  // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const CGdiObject* self = this;
    asm("" : "+r"(self));
    return self == nullptr ? nullptr : self->m_hObject;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiMap().FromHandle(hObject);
}

void CGdiObject::DeleteTempMap()
{
    GdiMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr) {
        return FALSE;
    }
    // Owners are not entered in the handle map: GDI objects move between threads, and a
    // per-thread map would keep stale entries for them.
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    // Stock objects are never deleted; DeleteObject on them is harmless.
    return Attach(::GetStockObject(nIndex));
}
