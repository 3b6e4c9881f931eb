// Base of every object that receives commands and messages: message-map lookup, command
// routing (OnCmdMsg), a COM-style reference count that deletes the object at zero, and a
// minimal automation face (IDispatch) for objects that expose COM interfaces.
#pragma once

#include "platform/framework/window/MessageMap.h"

#include <oaidl.h>

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, an update-UI request or a notification through this object's map.
    // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra = CCmdUI*), a control notification
    // code, or MAKELONG(code, WM_NOTIFY) with pExtra = AFX_NOTIFY*. With pHandlerInfo the
    // handler is only looked up and reported, not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Reference counting (the count starts at 1; OnFinalRelease runs when it reaches 0).
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD InternalQueryInterface(const void* iid, LPVOID* ppvObj);
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    DWORD ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
    virtual void OnFinalRelease();

    // Automation: once enabled the object answers IDispatch (no type information).
    void EnableAutomation();
    BOOL IsAutomationEnabled() const { return m_bAutomation; }
    LPDISPATCH GetIDispatch(BOOL bAddRef);
    static CCmdTarget* FromIDispatch(LPDISPATCH lpDispatch);
    // Extra interfaces (IAccessible and the like) are answered here by derived classes; the
    // returned pointer is AddRef'ed by the caller of the hook.
    virtual LPUNKNOWN GetInterfaceHook(const void* iid);

    // Wait cursor helpers.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Searches the maps of this class and its bases for a routed entry.
    static const AFX_MSGMAP_ENTRY* FindCmdEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                UINT nID);

    volatile LONG m_dwRef = 1;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    class DispatchPart;
    DispatchPart* m_pDispatch = nullptr;
    BOOL m_bAutomation = FALSE;

    friend class CWnd;
};
