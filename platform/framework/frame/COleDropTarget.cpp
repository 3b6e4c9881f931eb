// Drop targets: the IDropTarget the system calls, forwarding to the virtual handlers.
#include "platform/framework/frame/COleDropTarget.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

// The COM face of the drop target; its lifetime is the owner's (the system's references
// end with RevokeDragDrop, which the owner calls before it goes).
class COleDropTarget::DropTargetPart : public IDropTarget {
public:
    explicit DropTargetPart(COleDropTarget* owner) : m_owner(owner) {}
    virtual ~DropTargetPart() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *ppv = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner->InternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner->InternalRelease(); }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr) {
            return E_INVALIDARG;
        }
        CWnd* pWnd = CWnd::FromHandle(m_owner->m_hWnd);
        if (pDataObj != nullptr) {
            pDataObj->AddRef();
        }
        m_owner->m_dataObject.Attach(pDataObj, TRUE);
        const DROPEFFECT effect =
            m_owner->OnDragEnter(pWnd, &m_owner->m_dataObject, grfKeyState, ClientPoint(pt));
        m_owner->m_lastEffect = effect & *pdwEffect;
        *pdwEffect = m_owner->m_lastEffect;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr) {
            return E_INVALIDARG;
        }
        CWnd* pWnd = CWnd::FromHandle(m_owner->m_hWnd);
        const DROPEFFECT effect =
            m_owner->OnDragOver(pWnd, &m_owner->m_dataObject, grfKeyState, ClientPoint(pt));
        m_owner->m_lastEffect = effect & *pdwEffect;
        *pdwEffect = m_owner->m_lastEffect;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        m_owner->OnDragLeave(CWnd::FromHandle(m_owner->m_hWnd));
        m_owner->m_dataObject.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                   DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr) {
            return E_INVALIDARG;
        }
        CWnd* pWnd = CWnd::FromHandle(m_owner->m_hWnd);
        if (pDataObj != nullptr) {
            pDataObj->AddRef();
            m_owner->m_dataObject.Attach(pDataObj, TRUE);
        }
        // The last answer of DragOver is the effect of the drop, refreshed for these keys.
        const DROPEFFECT effect =
            m_owner->OnDragOver(pWnd, &m_owner->m_dataObject, grfKeyState, ClientPoint(pt)) &
            *pdwEffect;
        BOOL dropped = FALSE;
        if (effect != DROPEFFECT_NONE) {
            dropped = m_owner->OnDrop(pWnd, &m_owner->m_dataObject, effect, ClientPoint(pt));
        } else {
            m_owner->OnDragLeave(pWnd);
        }
        *pdwEffect = dropped ? effect : DROPEFFECT_NONE;
        m_owner->m_dataObject.Release();
        return S_OK;
    }

private:
    CPoint ClientPoint(POINTL pt) const
    {
        POINT point{pt.x, pt.y};
        ::ScreenToClient(m_owner->m_hWnd, &point);
        return CPoint(point.x, point.y);
    }

    COleDropTarget* m_owner;
};

COleDropTarget::COleDropTarget() : m_pPart(new DropTargetPart(this)) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    delete m_pPart;
}

IDropTarget* COleDropTarget::GetDropTarget()
{
    return m_pPart;
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, m_pPart))) {
        return FALSE;
    }
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != nullptr) {
        ::RevokeDragDrop(m_hWnd);
        m_hWnd = nullptr;
    }
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                       CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}
