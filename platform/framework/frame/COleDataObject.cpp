// Data-object holder over IDataObject.
#include "platform/framework/frame/COleDataObject.h"

namespace {

FORMATETC MakeFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != nullptr) {
        return *lpFormatEtc;
    }
    return FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

}  // namespace

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease) {
        // Counted only when attached with auto-release; otherwise the caller keeps it.
        m_lpDataObject->Release();
    }
    m_lpDataObject = nullptr;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) const
{
    if (m_lpDataObject != nullptr && bAddRef) {
        m_lpDataObject->AddRef();
    }
    return m_lpDataObject;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr) {
        return FALSE;
    }
    FORMATETC format = MakeFormat(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium,
                             LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr || lpStgMedium == nullptr) {
        return FALSE;
    }
    FORMATETC format = MakeFormat(cfFormat, lpFormatEtc);
    return SUCCEEDED(m_lpDataObject->GetData(&format, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    STGMEDIUM medium{};
    if (!GetData(cfFormat, &medium, lpFormatEtc)) {
        return nullptr;
    }
    HGLOBAL copy = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
        const SIZE_T size = ::GlobalSize(medium.hGlobal);
        copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
        void* dst = copy != nullptr ? ::GlobalLock(copy) : nullptr;
        void* src = ::GlobalLock(medium.hGlobal);
        if (dst != nullptr && src != nullptr) {
            ::memcpy(dst, src, size);
        }
        if (src != nullptr) {
            ::GlobalUnlock(medium.hGlobal);
        }
        if (dst != nullptr) {
            ::GlobalUnlock(copy);
        }
    }
    ::ReleaseStgMedium(&medium);
    return copy;
}
