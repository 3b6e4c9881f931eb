// The document's view in the interim frame: the camera and screen video windows side by side,
// handed to the engine; the layout commands of the view.
#pragma once

#include "FrameworkFrame.h"
#include "PlayerShell.h"

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

protected:
    DECLARE_MESSAGE_MAP()

private:
    // A video window: black, named until the engine draws into it.
    class VideoPane : public CWnd {
    public:
        void OnPaint();

    protected:
        DECLARE_MESSAGE_MAP()
    };

    VideoPane m_camera;
    VideoPane m_screen;
};
