// What the presentation reader asks of the engine's display: renderers for its video streams
// when the video is shown, connected before playing and stopping, and the frame at a new
// position shown while it stands still. The engine object installs its view controller here.
#pragma once

#include <windows.h>

#include <string>

class CMediaReader;
class IVideoReader;

class ReaderDisplay {
public:
    virtual std::wstring AttachReader(IVideoReader* reader) = 0;
    // Detaches only when this reader is the attached one.
    virtual void DetachReader(CMediaReader* reader) = 0;
    virtual std::wstring PrepareRenderers() = 0;
    virtual std::wstring RenderStillFrame() = 0;
    virtual BOOL AreRenderersConnected(IVideoReader* reader) = 0;

    // The process's display; NULL while no engine object exists.
    static ReaderDisplay* Current();
    static void Install(ReaderDisplay* display);

protected:
    ~ReaderDisplay() = default;
};
