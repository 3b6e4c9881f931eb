// The presentation opened for playing: its key in the shared-file registry, the engine reader
// of the current media block, the stream formats, metadata texts, media blocks and bookmarks.
// Maps positions onto blocks, (re)opens the block's reader, plays on into the next block and
// steps single video frames across blocks.
#pragma once

#include "player/core/Bookmarks.h"
#include "player/core/MediaBlockList.h"
#include "player/core/PlayerState.h"
#include "Common/QVRInterfaces.h"

#include <cstdint>
#include <string>

class VideoReader;
class VideoAudFmt;
class VideoVidFmt;
class WMTag;

class QVRFile : public IOpenPresentation {
public:
    // The engine that serves the readers and format records (the program's engine by default).
    explicit QVRFile(IQVRVideo* engine = nullptr);
    ~QVRFile() override;
    QVRFile(const QVRFile&) = delete;
    QVRFile& operator=(const QVRFile&) = delete;

    std::wstring Open(const wchar_t* path);
    void Close();
    std::wstring Seek(double position);
    std::wstring PlayNextBlock();
    std::wstring StepFrame(BOOL backward, double* newPosition, double position);
    std::wstring ShowVideo();

    double GetDuration() override;
    double GetMainFileDuration();
    std::wstring GetFilePath() override;
    BOOL HasVideo() override;
    BOOL IsModified() const { return FALSE; }
    std::wstring GetTitle();
    // Index 0..11: per stream (audio, camera, screen) texts 1, 2, 3 ("-" when empty), "1; 2".
    std::wstring GetFormatText(int index) const;

    int Key() const { return m_key; }
    VideoReader* Reader() const { return m_reader; }
    const MediaBlockList& Blocks() const { return m_blocks; }
    const Bookmarks* GetBookmarks() const { return m_bookmarks; }
    const WMTag* Tags() const { return m_tags; }
    int CurrentBlock() const { return m_currentBlock; }
    int NextBlock() const { return m_nextBlock; }
    double BlockOffset() const { return m_blockOffset; }
    double RangeStart() const { return m_rangeStart; }
    double RangePosition() const { return m_rangePosition; }
    void SetReaderMode(int mode) { m_readerMode = mode; }
    // Test access: a timeline of more blocks than the open builds.
    MediaBlockList& EditBlocks() { return m_blocks; }

private:
    std::wstring LoadFileInfo(int key, int64_t fileSize, VideoReader* reader);
    void SetFormats(VideoReader* reader);
    // Opens a reader for block index when the current one reads another source; *replaced
    // receives the reader it set aside (the caller deletes it).
    std::wstring EnsureBlockReader(int index, VideoReader** replaced);
    std::wstring OpenBlockReader(int mode, BOOL show, double sourceStart, double span);
    double PlayableBefore(int index) const;

    IQVRVideo* m_engine;
    VideoReader* m_reader = nullptr;
    int m_key = 0;
    MediaBlockList m_blocks;
    int m_currentBlock = -1;
    int m_nextBlock = -1;
    double m_blockOffset = 0;
    VideoAudFmt* m_audioFormat = nullptr;
    VideoVidFmt* m_cameraFormat = nullptr;
    VideoVidFmt* m_screenFormat = nullptr;
    Bookmarks* m_bookmarks = nullptr;
    WMTag* m_tags = nullptr;
    double m_rangeStart = 0;
    double m_rangePosition = 0;
    int m_readerMode = -1;
    std::wstring m_formatTexts[9];
};

// The program's open presentation (null when none), through the playback state.
QVRFile* OpenPresentation();
BOOL IsOpenFileModified();
std::wstring GetOpenFilePath();
std::wstring GetOpenFileTitle();
BOOL OpenFileHasVideo();
std::wstring GetOpenFileFormatText(int index);
std::wstring GetFileBaseName(const std::wstring& path);
// OpenQVRFile of the player: opens path into file; error text, empty on success.
std::wstring OpenQVRFile(QVRFile* file, const wchar_t* path);
