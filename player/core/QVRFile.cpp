// The open presentation. A failed open gives its key back exactly once and forgets it, so a
// later close cannot give back an id that the registry has since handed to another reader.
#include "player/core/QVRFile.h"

#include "player/core/DxAudioDevs.h"
#include "player/core/PlayerShell.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SingleOpenFile.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "player/core/VideoAudFmt.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoReader.h"
#include "player/core/VideoVidFmt.h"
#include "player/core/WMTag.h"
#include "platform/base/TimeUnits.h"

#include <algorithm>

namespace {

std::wstring ResTextOr(unsigned id, const wchar_t* fallback)
{
    std::wstring text = LoadResText(id);
    return text.empty() ? fallback : text;
}

}  // namespace

QVRFile::QVRFile(IQVRVideo* engine) : m_engine(engine ? engine : VideoEngine()) {}

QVRFile::~QVRFile() { Close(); }

void QVRFile::Close()
{
    delete m_reader;
    m_reader = nullptr;
    if (m_key) {
        GetSOF().CloseSFile(m_key);
        m_key = 0;
    }
    m_blocks.Clear();
    delete m_bookmarks;
    m_bookmarks = nullptr;
    delete m_tags;
    m_tags = nullptr;
    delete m_audioFormat;
    m_audioFormat = nullptr;
    delete m_cameraFormat;
    m_cameraFormat = nullptr;
    delete m_screenFormat;
    m_screenFormat = nullptr;
    m_currentBlock = -1;
    m_blockOffset = 0;
}

std::wstring QVRFile::Open(const wchar_t* path)
{
    TraceLine(0, L"File open: %s", path);
    Close();
    int key = 0;
    int64_t size = 0;
    std::wstring error = GetSOF().OpenSFile(&key, path, 0, -1, &size);
    if (!error.empty()) {
        return error;
    }
    VideoReader* reader = nullptr;
    try {
        reader = new VideoReader(m_engine);
        error = reader->Open(m_readerMode, path, 0, -1, 3);
        if (error.empty()) {
            error = LoadFileInfo(key, size, reader);
        }
    } catch (CException* e) {
        error = GetExceptionText(e);
        e->Delete();
    }
    if (!error.empty()) {
        TraceLine(0, L"OpenQVRFile exc %s", error.c_str());
        if (reader != m_reader) {
            delete reader;
        }
        if (m_key != key) {
            GetSOF().CloseSFile(key);
        }
        Close();
        return error;
    }
    TraceLine(0, L"File chars: A=(%6.5f, %s;%s); V1=(%6.5f, %s;%s); V2=(%6.5f, %s;%s)",
              m_reader->StreamDuration(0), m_formatTexts[0].c_str(), m_formatTexts[1].c_str(),
              m_reader->StreamDuration(1), m_formatTexts[3].c_str(), m_formatTexts[4].c_str(),
              m_reader->StreamDuration(2), m_formatTexts[6].c_str(), m_formatTexts[7].c_str());
    return std::wstring();
}

std::wstring QVRFile::LoadFileInfo(int key, int64_t fileSize, VideoReader* reader)
{
    try {
        m_key = key;
        SetFormats(reader);
        m_blocks.Build(this, key, fileSize, reader->Duration());
        delete m_bookmarks;
        m_bookmarks = new Bookmarks;
        std::wstring error;
        ReadBMFromFile(m_bookmarks, &error, GetSOF().GetSFileName(key).c_str());
        if (!error.empty()) {
            TraceLine(0, L"Read BM err %s", error.c_str());
        } else {
            TraceLine(0, L"Read %i BM", m_bookmarks->Count());
        }
    } catch (CException* e) {
        const std::wstring text = GetExceptionText(e);
        e->Delete();
        TraceLine(0, L"OpenQVRFile exc %s", text.c_str());
        return text;
    }
    return std::wstring();
}

void QVRFile::SetFormats(VideoReader* reader)
{
    m_reader = reader;
    if (!reader->AudioFormatText().empty()) {
        if (!m_audioFormat) {
            m_audioFormat = new VideoAudFmt(m_engine);
        }
        m_audioFormat->SetText(reader->AudioFormatText().c_str());
    } else {
        delete m_audioFormat;
        m_audioFormat = nullptr;
    }
    VideoVidFmt** video[2] = {&m_cameraFormat, &m_screenFormat};
    const std::wstring* texts[2] = {&reader->CameraFormatText(), &reader->ScreenFormatText()};
    for (int i = 0; i < 2; ++i) {
        if (!texts[i]->empty()) {
            if (!*video[i]) {
                *video[i] = new VideoVidFmt(m_engine);
            }
            (*video[i])->SetText(texts[i]->c_str());
        } else {
            delete *video[i];
            *video[i] = nullptr;
        }
    }
    for (int k = 1; k <= 3; ++k) {
        if (m_audioFormat) {
            m_formatTexts[k - 1] = m_audioFormat->Description(k);
        }
        if (m_cameraFormat) {
            m_formatTexts[2 + k] = m_cameraFormat->Description(k);
        }
        if (m_screenFormat) {
            m_formatTexts[5 + k] = m_screenFormat->Description(k);
        }
    }
    if (!m_tags) {
        m_tags = new WMTag;
    }
    m_tags->CopyTags(&reader->Tags());
}

double QVRFile::PlayableBefore(int index) const
{
    double total = 0;
    for (int i = 0; i < index && i < m_blocks.Count(); ++i) {
        if (m_blocks.Block(i).IsPlayable()) {
            total += m_blocks.Block(i).duration;
        }
    }
    return total;
}

std::wstring QVRFile::EnsureBlockReader(int index, VideoReader** replaced)
{
    const MediaBlock& b = m_blocks.Block(index);
    *replaced = nullptr;
    if (m_reader && !m_reader->IsOtherSource(m_readerMode, b.source, b.offset, b.length)) {
        return std::wstring();
    }
    auto* reader = new VideoReader(m_engine);
    const std::wstring error = reader->Open(m_readerMode, GetSOF().GetSFileName(b.source).c_str(),
                                            b.offset, b.length, 0);
    if (!error.empty()) {
        delete reader;
        return error;
    }
    *replaced = m_reader;
    m_reader = reader;
    return std::wstring();
}

std::wstring QVRFile::OpenBlockReader(int mode, BOOL show, double sourceStart, double span)
{
    m_readerMode = mode;
    VideoReader* setAside = nullptr;
    std::wstring error = EnsureBlockReader(m_currentBlock, &setAside);
    if (!error.empty()) {
        return error;
    }
    const MediaBlock& b = m_blocks.Block(m_currentBlock);
    const double start = sourceStart == -1 ? b.start : sourceStart;
    const int64_t readerStart = std::max<int64_t>(0, SecondsToRefTime(start - b.timeBase));
    const int64_t readerSpan = SecondsToRefTime(span);
    m_rangeStart = RefTimeToSeconds(readerStart);
    m_rangePosition = (sourceStart == -1 ? 0 : m_blockOffset) + PlayableBefore(m_currentBlock);
    if (OpenPresentation() == this) {
        ThePlayerState().SetRangeOffset(m_rangePosition - m_rangeStart);
    }
    error = m_reader->SetReadRange(readerStart, readerSpan);
    if (error.empty() && show) {
        error = ShowVideo();
    }
    delete setAside;
    return error;
}

std::wstring QVRFile::Seek(double position)
{
    if (m_blocks.Count() == 0) {
        return std::wstring();
    }
    ThePlayerState().SetPositionValue(position);
    double remaining = 0;
    const double source =
        m_blocks.FindBlock(position, &m_currentBlock, &m_blockOffset, &remaining);
    const double span = m_blocks.GetPlaySpan(m_blockOffset, m_currentBlock, &m_nextBlock);
    return OpenBlockReader(m_readerMode, m_blocks.Block(m_currentBlock).IsPlayable(), source,
                           span);
}

std::wstring QVRFile::PlayNextBlock()
{
    if (m_nextBlock < 0 || m_nextBlock >= m_blocks.Count()) {
        if (MainFrame()) {
            MainFrame()->OnStop();
        }
        return std::wstring();
    }
    m_currentBlock = m_nextBlock;
    const double span = m_blocks.GetPlaySpan(0, m_currentBlock, &m_nextBlock);
    m_blockOffset = 0;
    std::wstring error = OpenBlockReader(m_readerMode, TRUE, -1, span);
    if (!error.empty()) {
        return error;
    }
    Sett& s = AppSettings();
    const TypedValue& mute = s.Item(SETT_PlayMute);
    const TypedValue& volume = s.Item(SETT_PlayVol);
    return m_reader->Play(GetPlayDeviceMoniker(s.Item(SETT_PlayDev).GetStringValue()), TRUE,
                          mute.IsPresent() && mute.GetInt(0) == 1, ThePlayerState().speed,
                          volume.IsPresent() ? volume.GetDouble(0.0) : 0.0);
}

std::wstring QVRFile::StepFrame(BOOL backward, double* newPosition, double x)
{
    if (m_blocks.Count() == 0) {
        *newPosition = x;
        return std::wstring();
    }
    VideoReader* const original = m_reader;
    VideoReader* openedHere = nullptr;
    // The reader in use when the step began goes once the presentation has another one.
    auto finish = [&]() {
        if (m_reader != original) {
            delete original;
        }
    };
    int block = 0;
    double offset = 0;
    double remaining = 0;
    double t = m_blocks.FindBlock(x, &block, &offset, &remaining);
    bool moved = false;
    double result = 0;
    for (;;) {
        int next = -1;
        const double span = m_blocks.GetPlaySpan(offset, block, &next);
        VideoReader* replaced = nullptr;
        std::wstring error = EnsureBlockReader(block, &replaced);
        if (!error.empty()) {
            finish();
            return error;
        }
        if (replaced && replaced == openedHere) {
            delete replaced;
        }
        if (m_reader != original) {
            openedHere = m_reader;
        }
        const MediaBlock& b = m_blocks.Block(block);
        const int64_t e = SecondsToRefTime(t - b.timeBase);
        const int64_t rangeStart = e - SecondsToRefTime(offset);
        const int64_t rangeEnd = SecondsToRefTime(b.start - b.timeBase + offset + span);
        int64_t frame = -1;
        bool search = true;
        if (moved) {
            BOOL found = FALSE;
            error = m_reader->GetFrameTime(e, &found, &frame);
            if (!error.empty()) {
                finish();
                return error;
            }
            search = frame == e && backward;
        }
        if (search) {
            error = m_reader->FindFrame(rangeStart, rangeEnd, e, backward, &frame);
            if (!error.empty()) {
                finish();
                return error;
            }
        }
        if (frame != -1) {
            result = x + RefTimeToSeconds(frame - e);
            break;
        }
        if (backward) {
            if (block == 0) {
                result = 0;
                break;
            }
            int prev = block - 1;
            while (prev >= 0 && !m_blocks.Block(prev).IsPlayable()) {
                --prev;
            }
            if (prev < 0) {
                *newPosition = 0;
                finish();
                return std::wstring();
            }
            block = prev;
            const MediaBlock& p = m_blocks.Block(prev);
            t = p.start + p.duration;
            x -= offset;
            offset = p.duration;
        } else {
            if (next < 0 || next >= m_blocks.Count()) {
                result = GetDuration();
                break;
            }
            block = next;
            x += span;
            t = m_blocks.Block(next).start;
            offset = 0;
        }
        moved = true;
    }
    result = RoundToTimeGrid(result);
    if (m_reader) {
        result = std::max(result, 0.0);
        double limit = MainFrame() ? MainFrame()->GetDuration() : GetDuration();
        ThePlayerState().SetPositionValue(std::min(std::max(result, 0.0), limit));
        if (MainFrame()) {
            MainFrame()->UpdatePosition();
        }
    }
    *newPosition = result;
    finish();
    return std::wstring();
}

std::wstring QVRFile::ShowVideo() { return m_reader ? m_reader->ShowVideo() : std::wstring(); }

double QVRFile::GetDuration() { return m_blocks.GetTotalDuration(false); }
double QVRFile::GetMainFileDuration() { return m_blocks.GetTotalDuration(true); }
std::wstring QVRFile::GetFilePath() { return GetSOF().GetSFileName(m_key); }

BOOL QVRFile::HasVideo()
{
    return (!m_formatTexts[3].empty() || !m_formatTexts[6].empty()) ? TRUE : FALSE;
}

std::wstring QVRFile::GetTitle()
{
    if (m_tags && m_tags->Text(3)[0]) {
        return m_tags->Text(3);
    }
    const std::wstring base = GetFileBaseName(GetFilePath());
    if (!base.empty()) {
        return base;
    }
    static const std::wstring untitled = ResTextOr(61443, L"Untitled");
    return untitled;
}

std::wstring QVRFile::GetFormatText(int index) const
{
    if (index < 0 || index > 11) {
        return std::wstring();
    }
    const int s = index / 4;
    const std::wstring* t = &m_formatTexts[3 * s];
    switch (index % 4) {
    case 0:
        return t[0];
    case 1:
        return t[1];
    case 2:
        return t[2].empty() ? L"-" : t[2];
    default:
        return FormatNewString(L"%s; %s", t[0].c_str(), t[1].c_str());
    }
}

QVRFile* OpenPresentation() { return dynamic_cast<QVRFile*>(ThePlayerState().OpenFile()); }

BOOL IsOpenFileModified()
{
    return OpenPresentation() ? OpenPresentation()->IsModified() : FALSE;
}

std::wstring GetOpenFilePath()
{
    return OpenPresentation() ? OpenPresentation()->GetFilePath() : std::wstring();
}

std::wstring GetOpenFileTitle()
{
    return OpenPresentation() ? OpenPresentation()->GetTitle()
                              : ResTextOr(149, L"No files opened");
}

BOOL OpenFileHasVideo() { return OpenPresentation() ? OpenPresentation()->HasVideo() : FALSE; }

std::wstring GetOpenFileFormatText(int index)
{
    return OpenPresentation() ? OpenPresentation()->GetFormatText(index) : std::wstring();
}

std::wstring GetFileBaseName(const std::wstring& path)
{
    if (path.empty()) {
        return path;
    }
    const size_t slash = path.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

std::wstring OpenQVRFile(QVRFile* file, const wchar_t* path) { return file->Open(path); }
