// The document's view in the interim frame: the camera and screen video windows side by side,
// handed to the engine; the layout commands of the view. The video windows are borderless
// windows owned by the frame and kept over the view: Wine draws Direct3D video only into
// top-level windows.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"
#include "player/core/PlayerShell.h"

class QVRView : public CView, public IPlayerView {
    DECLARE_DYNCREATE(QVRView)

public:
    QVRView() = default;
    ~QVRView() override;

    void ApplyVideoViewMode() override;
    void OnVideoOnlyCamera() override {}
    void OnVideoOnlyScreen() override {}
    void OnVideoCameraUp() override {}
    void OnVideoCameraLeft() override {}

    void OnDraw(CDC* dc) override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* dc);
    // Puts the video windows over the view again: after the frame moved, was shown, hidden or
    // minimised.
    void PlacePanes();

protected:
    DECLARE_MESSAGE_MAP()

private:
    // A video window: black, named until the engine draws into it.
    class VideoPane : public CWnd {
    public:
        void OnPaint();
        // Clicks leave the frame active, so its menus and keys keep working.
        int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);

    protected:
        DECLARE_MESSAGE_MAP()
    };

    void CutHoles(HWND frame, const RECT* panes);

    VideoPane m_camera;
    VideoPane m_screen;
    RECT m_holes[2] = {};
    SIZE m_holedFrame = {};
    bool m_regionSet = false;
};
