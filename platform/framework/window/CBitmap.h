// CBitmap: a bitmap owned by the framework object (deleted with it unless detached).
#pragma once

#include "platform/framework/window/CGdiObject.h"

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)

public:
    CBitmap() = default;

    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP h)
    {
        return static_cast<CBitmap*>(CGdiObject::FromHandle(h));
    }
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
    BOOL LoadOEMBitmap(UINT nIDBitmap)
    {
        return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nIDBitmap)));
    }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
    {
        return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap)
    {
        return Attach(::CreateBitmapIndirect(lpBitmap));
    }
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits)
    {
        return static_cast<DWORD>(
            ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
    }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
    {
        return static_cast<DWORD>(
            ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
    }
    CSize GetBitmapDimension() const;
};
