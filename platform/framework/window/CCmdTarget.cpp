// Command targets: map lookup for routed commands, reference counting and the IDispatch part.
#include "platform/framework/window/CCmdTarget.h"

#include "platform/framework/window/CCmdUI.h"
#include "platform/framework/window/CWinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The inner IDispatch of an automation-enabled target. Its identity and lifetime are the
// target's: AddRef/Release/QueryInterface go to the target's external functions.
class CCmdTarget::DispatchPart : public IDispatch {
public:
    explicit DispatchPart(CCmdTarget* owner) : m_owner(owner) {}
    virtual ~DispatchPart() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        return static_cast<HRESULT>(m_owner->ExternalQueryInterface(&riid, ppv));
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner->ExternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner->ExternalRelease(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr) {
            return E_POINTER;
        }
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != nullptr) {
            *ppTInfo = nullptr;
        }
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

    CCmdTarget* m_owner;
};

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget()
{
    delete m_pDispatch;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCmdEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                 UINT nID)
{
    for (; pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->nSig != AfxSig_end; ++e) {
            // Notification codes are compared as 16-bit values: WM_NOTIFY codes are negative
            // and travel in the low word of the routing code.
            if (e->nSig == AfxSig_cmd && e->nMessage == nMsg &&
                (nCode == static_cast<UINT>(CN_UPDATE_COMMAND_UI)
                     ? e->nCode == nCode
                     : LOWORD(e->nCode) == LOWORD(nCode) &&
                           e->nCode != static_cast<UINT>(CN_UPDATE_COMMAND_UI)) &&
                nID >= e->nID && nID <= e->nLastID) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
        if (nMsg == 0) {
            nMsg = WM_COMMAND;
        }
    }
    const AFX_MSGMAP_ENTRY* entry = FindCmdEntry(GetMessageMap(), nMsg, code, nID);
    if (entry == nullptr) {
        return FALSE;
    }
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    AFX_MSGCALL call;
    call.message = nMsg;
    call.nID = nID;
    call.nCode = nCode;
    call.pExtra = pExtra;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        // A handler that is reached counts as "routed here"; CCmdUI checks this flag.
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        entry->pfn(this, call);
        return !pCmdUI->m_bContinueRouting;
    }
    return entry->pfn(this, call);
}

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(InterlockedIncrement(&m_dwRef));
}

DWORD CCmdTarget::InternalRelease()
{
    const LONG ref = InterlockedDecrement(&m_dwRef);
    if (ref == 0) {
        OnFinalRelease();
    }
    return static_cast<DWORD>(ref);
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

LPUNKNOWN CCmdTarget::GetInterfaceHook(const void*)
{
    return nullptr;
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (ppvObj == nullptr) {
        return static_cast<DWORD>(E_POINTER);
    }
    *ppvObj = nullptr;
    const IID& riid = *static_cast<const IID*>(iid);
    if (LPUNKNOWN hooked = GetInterfaceHook(iid)) {
        hooked->AddRef();
        *ppvObj = hooked;
        return S_OK;
    }
    if (m_bAutomation && (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))) {
        *ppvObj = GetIDispatch(TRUE);
        return S_OK;
    }
    return static_cast<DWORD>(E_NOINTERFACE);
}

DWORD CCmdTarget::ExternalAddRef()
{
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    return InternalRelease();
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    return InternalQueryInterface(iid, ppvObj);
}

void CCmdTarget::EnableAutomation()
{
    if (m_pDispatch == nullptr) {
        m_pDispatch = new DispatchPart(this);
    }
    m_bAutomation = TRUE;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (!m_bAutomation || m_pDispatch == nullptr) {
        return nullptr;
    }
    if (bAddRef) {
        ExternalAddRef();
    }
    return m_pDispatch;
}

CCmdTarget* CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    // Only dispatch parts made here can be mapped back; anything else is foreign.
    if (lpDispatch == nullptr) {
        return nullptr;
    }
    auto* part = dynamic_cast<DispatchPart*>(lpDispatch);
    return part != nullptr ? part->m_owner : nullptr;
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(1);
    }
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(-1);
    }
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* app = AfxGetApp()) {
        app->DoWaitCursor(0);
    }
}
