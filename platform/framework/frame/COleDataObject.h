// COleDataObject: a thin holder of a dropped (or pasted) IDataObject: which formats it
// offers and the data in one of them.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

#include <ole2.h>

// Effects of a drag-and-drop operation (DROPEFFECT_COPY, _MOVE, _LINK, _SCROLL).
using DROPEFFECT = DWORD;

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef) const;

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium,
                 LPFORMATETC lpFormatEtc = nullptr) const;
    // A copy of the data as global memory (the caller frees it), or null.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
