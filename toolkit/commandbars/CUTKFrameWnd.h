// CUTKFrameWnd: the frame window that carries a command bars manager. The two mix-ins do the
// work over any framework frame: CUTKCommandBarsSiteBase holds the manager and routes the
// frame's pre-translation, window messages, frame loading and print preview through it;
// CUTKFrameWndBase is the layer a frame class derives from.
#pragma once

#include <windows.h>

#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/commandbars/CUTKCommandBars.h"

// The frame side of the manager, kept out of the templates so that each frame class shares
// one copy.
namespace UTKFrameSite {
// Makes a manager of the class (null when the class cannot make one), binds it to the frame
// and creates its dock bars.
CUTKCommandBars* CreateCommandBars(CWnd* pFrame, CRuntimeClass* pCommandBarsClass);
void ReleaseCommandBars(CUTKCommandBars*& pCommandBars);
// TRUE when the window with the focus is a command-bar edit box.
BOOL IsBarEditFocused();
// TRUE when key messages of this kind skip the frame's pre-translation while a command-bar
// edit box has the focus (everything but Tab, Return and Escape).
BOOL IsKeyForBarEdit(const MSG* pMsg);
// Frees the frame's accelerator table when the shortcut manager translates keys itself.
void DropFrameAccelerators(CUTKCommandBars* pCommandBars, HACCEL& hAccelTable);
// The options, the bar layout and the shortcuts, in the profile's sections.
void SaveCommandBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName);
void LoadCommandBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName, BOOL bSilent);
} // namespace UTKFrameSite

template <class TBase>
class CUTKCommandBarsSiteBase : public TBase {
public:
    CUTKCommandBarsSiteBase() = default;
    ~CUTKCommandBarsSiteBase() override { UTKFrameSite::ReleaseCommandBars(m_pCommandBars); }
    CUTKCommandBarsSiteBase(const CUTKCommandBarsSiteBase&) = delete;
    CUTKCommandBarsSiteBase& operator=(const CUTKCommandBarsSiteBase&) = delete;

    CUTKCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // ---- toolkit operations appended after the frame's ----
    // Replaces any manager with a new one of the class, bound to this frame with its dock
    // bars. FALSE when none could be made.
    virtual BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CUTKCommandBars))
    {
        UTKFrameSite::ReleaseCommandBars(m_pCommandBars);
        m_pCommandBars = UTKFrameSite::CreateCommandBars(this, pCommandBarsClass);
        return m_pCommandBars != nullptr;
    }
    virtual void SaveCommandBars(LPCTSTR lpszProfileName)
    {
        UTKFrameSite::SaveCommandBars(m_pCommandBars, lpszProfileName);
    }
    virtual void LoadCommandBars(LPCTSTR lpszProfileName, BOOL bSilent = FALSE)
    {
        UTKFrameSite::LoadCommandBars(m_pCommandBars, lpszProfileName, bSilent);
    }

    // ---- replacements of the frame's ----
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // A command-bar edit box gets its keys untranslated (no accelerator steals them).
        if (UTKFrameSite::IsKeyForBarEdit(pMsg) && UTKFrameSite::IsBarEditFocused()) {
            return FALSE;
        }
        if (TBase::PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        return m_pCommandBars != nullptr && m_pCommandBars->PreTranslateFrameMessage(pMsg);
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars != nullptr &&
            m_pCommandBars->OnFrameWndMsg(message, wParam, lParam, pResult)) {
            return TRUE;
        }
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override
    {
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) {
            return FALSE;
        }
        UTKFrameSite::DropFrameAccelerators(m_pCommandBars, this->m_hAccelTable);
        return TRUE;
    }
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        if (m_pCommandBars != nullptr) {
            m_pCommandBars->OnSetPreviewMode(bPreview);
        }
        TBase::OnSetPreviewMode(bPreview, pState);
    }

protected:
    CUTKCommandBars* m_pCommandBars = nullptr;  // owned: one reference
};

template <class TBase>
class CUTKFrameWndBase : public CUTKCommandBarsSiteBase<TBase> {
public:
    CUTKFrameWndBase() = default;
};

class CUTKFrameWnd : public CUTKFrameWndBase<CFrameWnd> {
    DECLARE_DYNCREATE(CUTKFrameWnd)

public:
    CUTKFrameWnd();
    ~CUTKFrameWnd() override;
};
