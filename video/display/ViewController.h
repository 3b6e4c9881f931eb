// The display half of the engine: one windowless video renderer per video stream, drawing
// into the window the engine names through a video board, kept at that window's client size,
// repainted, told about display-mode changes, and the screen saver held off while any
// renderer exists. The engine object owns one controller for its whole life.
#pragma once

#include "video/display/CVideoBoard.h"
#include "video/reader/ReaderDisplay.h"

#include <windows.h>
#include <dshow.h>

#include <string>

#include "platform/base/CComPtr.h"

class CFullScrWindow;
struct IMFVideoDisplayControl;

class ViewController : public ReaderDisplay {
public:
    ViewController();
    virtual ~ViewController();
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // The engine object's current playback settings text, read at each renderer insertion
    // and monitor choice; the engine object sets it whenever it changes.
    void SetPlaySettingsText(const wchar_t* text);
    std::wstring PlaySettingsText() const;
    // The engine's hidden window: a renderer drawing there gets an empty rectangle.
    void SetHiddenWindow(HWND window) { m_hiddenWindow = window; }
    // Whether the attached source is a presentation reader (missing decoders are then named
    // to the user) rather than the network receiver.
    void SetReaderSource(BOOL reader) { m_readerSource = reader; }

    // The presentation reader whose video streams get renderers; the controller never owns it.
    std::wstring AttachReader(IVideoReader* reader) override;
    void DetachReader(CMediaReader* reader) override;
    void DetachReader();
    std::wstring PrepareRenderers() override;
    std::wstring RenderStillFrame() override;
    BOOL AreRenderersConnected(IVideoReader* reader) override;
    std::wstring ConnectRenderers();
    void RefreshEvrFrame();
    BOOL IsReaderPlaying();
    BOOL IsReaderPaused();
    IVideoReader* AttachedReader() const { return m_reader; }
    // To the attached reader while it plays.
    void SetVolume(long volume, BOOL mute);
    void OnMainWindowMoved();

    std::wstring InsertVideoRender(IPin* output, IGraphBuilder* graph, int index);
    void RemoveVideoRender(int index);
    void RemoveAllRenderers();

    HWND GetBoardWindow(int index) const;
    void DetachBoard(int index);
    std::wstring InsertVideoWindow(HWND window, int index);

    std::wstring UpdateVideoPosition(HWND window);
    void RepaintVideo(HWND window, HDC dc);
    void RepaintAll();
    BOOL OnPreTranslateMessage(const MSG* message);
    void OnDisplayModeChanged();
    void OnBoardTimer(UINT_PTR id);

    virtual BOOL IsFullScreen();
    BOOL CanFullScreen();
    virtual std::wstring SetFullScreen(HWND requester, BOOL on);
    BOOL IsCursorOverPanel();
    BOOL IsPanelShown();
    CFullScrWindow* FullScreenWindow(int index) const;

    void AllowScreenSaver(BOOL allow);
    BOOL IsScreenSaverHeld() const { return m_screenSaverHeld; }

    IBaseFilter* RendererFilter(int index) const;
    BOOL HasEvrControl() const;
    BOOL HasDisplayControl(int index) const;

    // Windowless renderer creation; every result is an error text, empty on success. A
    // failure leaves nothing behind: no reference in the outputs, no filter in the graph.
    static std::wstring CreateEvr(IGraphBuilder* graph, HWND window, IBaseFilter** renderer,
                                  IMFVideoDisplayControl** control);
    // Mode 1 VMR-9, 2 VMR-7.
    static std::wstring CreateVmr(IGraphBuilder* graph, int mode, HWND window,
                                  IBaseFilter** renderer, IUnknown** control);
    static std::wstring CreateAutoRenderer(IGraphBuilder* graph, HWND window,
                                           IBaseFilter** renderer, IUnknown** vmrControl,
                                           IMFVideoDisplayControl** evrControl);

private:
    void ReleaseControls(int index);
    std::wstring EnterFullScreen(int index);
    std::wstring ReinsertRenderer(int index);
    void LeaveFullScreen();
    void ReleaseRenderer(int index, BOOL removeFromGraph);

    mutable CRITICAL_SECTION m_lock;
    std::wstring m_settingsText;
    HWND m_hiddenWindow = nullptr;
    BOOL m_readerSource = FALSE;
    IVideoReader* m_reader = nullptr;
    BOOL m_renderersConnected = FALSE;
    CFullScrWindow* m_fullScreen[2] = {};
    CVideoBoard m_placeholderBoard[2];
    CVideoBoard m_rendererBoard[2];
    CComPtr<IBaseFilter> m_rendererFilter[2];
    CComPtr<IGraphBuilder> m_rendererGraph[2];
    // IVMRWindowlessControl9 or IVMRWindowlessControl: both have the same operations in the
    // same order, so one slot serves both.
    CComPtr<IUnknown> m_vmrControl[2];
    CComPtr<IMFVideoDisplayControl> m_evrControl[2];
    BOOL m_screenSaverHeld = FALSE;
};
