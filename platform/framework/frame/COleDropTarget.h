// COleDropTarget: makes a window a drag-and-drop target. Register hands the system an
// IDropTarget that calls the virtual handlers with the window, the dropped data, the key
// state and the point in the window's client coordinates.
#pragma once

#include "platform/framework/frame/COleDataObject.h"

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)

public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);

    // The interface given to the system (not AddRef'ed).
    IDropTarget* GetDropTarget();
    HWND GetRegisteredWindow() const { return m_hWnd; }

private:
    class DropTargetPart;
    DropTargetPart* m_pPart;
    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject;
    DROPEFFECT m_lastEffect = DROPEFFECT_NONE;

    friend class DropTargetPart;
};
