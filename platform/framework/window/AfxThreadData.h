// Everything the framework keeps per thread, in one record owned through a Win32 TLS slot and
// freed by the module's TLS callback when the thread ends. (thread_local objects with
// destructors are not used: under mingw their storage can be released before their
// destructors run, which corrupts the heap at thread exit.)
#pragma once

#include "platform/framework/window/AfxState.h"
#include "platform/framework/window/CHandleMap.h"

#include <utility>
#include <vector>

class CGdiObject;
class CImageList;
class CNoTrackObject;

struct AFX_THREAD_DATA {
    AFX_THREAD_DATA();
    ~AFX_THREAD_DATA();
    AFX_THREAD_DATA(const AFX_THREAD_DATA&) = delete;
    AFX_THREAD_DATA& operator=(const AFX_THREAD_DATA&) = delete;

    AFX_THREAD_STATE threadState;
    AFX_MODULE_THREAD_STATE moduleThreadState;
    CHandleMap<CWnd, HWND> wndMap;
    CHandleMap<CDC, HDC> dcMap;
    CHandleMap<CGdiObject, HGDIOBJ> gdiMap;
    CHandleMap<CMenu, HMENU> menuMap;
    CHandleMap<CImageList, HIMAGELIST> imageListMap;
    std::vector<std::pair<const void*, CNoTrackObject*>> localObjects;
};

// The calling thread's record (made on first use).
AFX_THREAD_DATA* AfxGetThreadData();
