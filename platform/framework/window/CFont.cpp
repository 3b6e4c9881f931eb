// Fonts, including point-size creation relative to a device's resolution.
#include "platform/framework/window/CFont.h"

#include "platform/framework/window/CDC.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    lstrcpynW(lf.lfFaceName, lpszFaceName != nullptr ? lpszFaceName : L"", LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
    LOGFONT lf = *lpLogFont;
    // lfHeight holds tenths of a point: convert to logical units of the device.
    POINT pt{0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg{0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -std::abs(pt.y - ptOrg.y);
    if (pDC == nullptr) {
        ::ReleaseDC(nullptr, hDC);
    }
    return CreateFontIndirect(&lf);
}
