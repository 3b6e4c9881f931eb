// Image lists and the per-thread map of image-list wrappers.
#include "platform/framework/window/CImageList.h"

#include "platform/framework/window/CDC.h"
#include "platform/framework/window/AfxThreadData.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

CHandleMap<CImageList, HIMAGELIST>& ImageListMap()
{
    return AfxGetThreadData()->imageListMap;
}

}  // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    const CImageList* self = this;
    asm("" : "+r"(self));
    return self == nullptr ? nullptr : self->m_hImageList;
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap().FromHandle(hImageList);
}

void CImageList::DeleteTempMap()
{
    ImageListMap().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr || m_hImageList != nullptr) {
        return FALSE;
    }
    m_hImageList = hImageList;
    ImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h != nullptr && ImageListMap().LookupPermanent(h) == this) {
        ImageListMap().RemoveHandle(h);
    }
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID), cx,
                                       nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList != nullptr && Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr) {
        return FALSE;
    }
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                               crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage,
                             static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg,
                        UINT nStyle)
{
    return ImageList_DrawEx(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, sz.cx, sz.cy,
                            clrBk, clrFg, nStyle);
}
