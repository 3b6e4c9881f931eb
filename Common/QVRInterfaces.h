// The interfaces that cross between the player and the engine library. Both are built from
// this one header by the same compiler, so the order of the virtual operations below is the
// contract: never reorder, insert or remove one. The last operation of an interface that the
// other side may destroy is an ordinary virtual "Destroy" (a virtual destructor would take two
// slots under g++).
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <mmsystem.h>
#include <mmreg.h>

struct IBaseFilter;
struct IWMReader;
struct INSSBuffer;
class CReleaseModeDebug;

// The player's context record of its file callbacks; opaque to the engine.
struct READER_CB_PARAMS;

// The player's file callbacks over an open presentation (0xFFFFFFFF / -1 on failure).
typedef DWORD (*QVR_READ_CALLBACK)(void* buffer, DWORD bytesToRead, READER_CB_PARAMS* context,
                                   HRESULT* result);
typedef LONGLONG (*QVR_SEEK_CALLBACK)(LONGLONG offset, DWORD moveMethod,
                                      READER_CB_PARAMS* context, HRESULT* result);

// Flag bits of QVRInstance::MessageBox.
constexpr UINT MBX_SHOW_LOG = 0x40000000;
constexpr UINT MBX_NO_LOG = 0x20000000;

// The player's command states: 19 flags of 32 bits (76 bytes).
struct COMMAND_STATES {
    DWORD flags[19];
};
static_assert(sizeof(COMMAND_STATES) == 76);

// The player's callback object handed to CreateVideoInterface.
class QVRInstance {
public:
    virtual void Log(int level, const wchar_t* format, ...) = 0;                          // 0
    virtual int MessageBox(HWND owner, const wchar_t* text, UINT flags, UINT style,
                           UINT helpContext) = 0;                                          // 1
    virtual void GetCommandStates(void* out) = 0;                                          // 2
    virtual BOOL RunCommand(UINT command, INT_PTR param, int unused) = 0;                  // 3
    virtual HICON GetIcon(UINT id) = 0;                                                    // 4
    virtual void OnSliderScroll(UINT code, UINT position, HWND slider) = 0;                // 5
    virtual const wchar_t* GetStatusText() = 0;                                            // 6
    virtual int TrackSpeedMenu(HWND button, HWND owner) = 0;                               // 7
    virtual double GetPosition() = 0;                                                      // 8
    virtual double GetDuration() = 0;                                                      // 9
    virtual BOOL MinimizeRestore(BOOL minimize) = 0;                                       // 10
    virtual LRESULT ShowHelp(int topic) = 0;                                               // 11
    virtual void OnAsyncError(HRESULT code, const wchar_t* text) = 0;                      // 12
    virtual void OnAudioData(int source, const WAVEFORMATEX* format, const BYTE* data,
                             long bytes) = 0;                                              // 13
    virtual void OnPosition(double seconds) = 0;                                           // 14
    virtual BOOL OnPlayEnd(double seconds) = 0;                                            // 15
    virtual const wchar_t* GetVideoSettings() = 0;                                         // 16
    virtual void SetVideoSettings(const wchar_t* text) = 0;                                // 17
    virtual int GetListCount(int list) = 0;                                                // 18
    virtual const wchar_t* GetListItemName(int list, int index) = 0;                       // 19
    virtual const wchar_t* GetListItemValue(int list, int index) = 0;                      // 20
    virtual void SetListItem(int list, const wchar_t* name, const wchar_t* value) = 0;     // 21
    virtual void Destroy() = 0;                                                            // 22

protected:
    ~QVRInstance() = default;
};

// A format record of the audio stream.
class IQVRAudioFormat {
public:
    virtual const wchar_t* GetText() = 0;                         // 0
    virtual void SetFromMediaProps(IUnknown* streamObject) = 0;   // 1
    virtual void SetText(const wchar_t* text) = 0;                // 2
    virtual void GetDescription(wchar_t* block) = 0;              // 3: 4 x 256 characters
    virtual DWORD GetSamplesPerSec() = 0;                         // 4
    virtual DWORD GetAvgBytesPerSec() = 0;                        // 5
    virtual DWORD GetChannels() = 0;                              // 6

protected:
    ~IQVRAudioFormat() = default;
};

// A format record of one video stream (camera or screen).
class IQVRVideoFormat {
public:
    virtual const wchar_t* GetText() = 0;                         // 0
    virtual void SetFromMediaProps(IUnknown* streamObject) = 0;   // 1
    virtual void SetText(const wchar_t* text) = 0;                // 2
    virtual void GetDescription(wchar_t* block) = 0;              // 3: 4 x 256 characters
    virtual double GetFrameRate() = 0;                            // 4
    virtual void GetFrameSize(int* width, int* height) = 0;       // 5

protected:
    ~IQVRVideoFormat() = default;
};

// Bytes of the block that GetDescription fills: four texts of 256 wide characters.
constexpr int QVR_FORMAT_DESCRIPTION_CHARS = 256;
constexpr int QVR_FORMAT_DESCRIPTION_BYTES = 4 * QVR_FORMAT_DESCRIPTION_CHARS * sizeof(wchar_t);

// Size of the reader's information block and the offsets of its three durations (doubles).
constexpr int QVR_READER_INFO_BYTES = 4632;
constexpr int QVR_READER_INFO_AUDIO_DURATION = 4608;
constexpr int QVR_READER_INFO_CAMERA_DURATION = 4616;
constexpr int QVR_READER_INFO_SCREEN_DURATION = 4624;

// One presentation reader of the engine.
class IQVRVideoReader {
public:
    virtual const wchar_t* Open(BOOL noClock, const wchar_t* name, QVR_READ_CALLBACK read,
                                QVR_SEEK_CALLBACK seek, void* mainContext, void* scanContext,
                                void* attributes) = 0;                                     // 0
    virtual const wchar_t* GetInfo(void* out) = 0;                                         // 1
    virtual IQVRAudioFormat* GetAudioFormat() = 0;                                         // 2
    virtual IQVRVideoFormat* GetVideoFormat(int index) = 0;                                // 3
    virtual IWMReader* GetWMReader() = 0;                                                  // 4
    virtual const wchar_t* SetReadRange(LONGLONG start, LONGLONG length) = 0;              // 5
    virtual const wchar_t* ShowVideo(BOOL show) = 0;                                       // 6
    virtual const wchar_t* FindFrame(LONGLONG rangeStart, LONGLONG rangeEnd, LONGLONG from,
                                     BOOL bothStreams, BOOL backward,
                                     LONGLONG* frameTime) = 0;                             // 7
    virtual const wchar_t* GetFrameTime(LONGLONG time, BOOL* keyFrame,
                                        LONGLONG* frameTime) = 0;                          // 8
    virtual const wchar_t* Play(double speed, BOOL preserveTone, IBaseFilter* audioRenderer,
                                long volume, BOOL mute) = 0;                               // 9
    virtual const wchar_t* Stop(BOOL unused, double* position) = 0;                        // 10
    virtual const wchar_t* Pause() = 0;                                                    // 11
    virtual const wchar_t* Resume() = 0;                                                   // 12

protected:
    ~IQVRVideoReader() = default;
};

// Renders the compressed samples that a network reader pushes.
class IQVRNetReceiver {
public:
    virtual const wchar_t* BuildGraph(IWMReader* reader, WORD audioStream, WORD videoStream1,
                                      WORD videoStream2) = 0;                              // 0
    virtual void Start(LONGLONG startTime, IBaseFilter* audioRenderer) = 0;                // 1
    virtual void Stop() = 0;                                                               // 2
    virtual void Pause() = 0;                                                              // 3
    virtual void Resume() = 0;                                                             // 4
    virtual HRESULT PushSample(WORD streamNumber, LONGLONG time, LONGLONG duration,
                               DWORD flags, INSSBuffer* sample) = 0;                       // 5
    virtual DWORD GraphEventLoop() = 0;                                                    // 6

protected:
    ~IQVRNetReceiver() = default;
};

// The player's host of an engine settings page.
class QVRSettDlgHost {
public:
    virtual BOOL OnSettDlgChanged() = 0;  // 0

protected:
    ~QVRSettDlgHost() = default;
};

// An engine settings page hosted in the player's options dialog.
class IQVRSettDlg {
public:
    virtual BOOL IsDefault() = 0;               // 0
    virtual BOOL IsChanged() = 0;               // 1
    virtual void ResetToDefaults() = 0;         // 2
    virtual void CommitSaved() = 0;             // 3
    virtual void ShowPanel() = 0;               // 4
    virtual BOOL Validate() = 0;                // 5
    virtual const wchar_t* GetText() = 0;       // 6

protected:
    ~IQVRSettDlg() = default;
};

// The engine object that CreateVideoInterface hands out.
class IQVRVideo {
public:
    virtual IQVRVideoReader* CreateReader() = 0;                                           // 0
    virtual void ReleaseReader(IQVRVideoReader* reader) = 0;                               // 1
    virtual IQVRNetReceiver* CreateNetReceiver() = 0;                                      // 2
    virtual void ReleaseNetReceiver(IQVRNetReceiver* receiver) = 0;                        // 3
    virtual IQVRAudioFormat* CreateAudioFormat() = 0;                                      // 4
    virtual void ReleaseAudioFormat(IQVRAudioFormat* record) = 0;                          // 5
    virtual IQVRVideoFormat* CreateVideoFormat() = 0;                                      // 6
    virtual void ReleaseVideoFormat(IQVRVideoFormat* record) = 0;                          // 7
    virtual int SetSettingsText(int kind, const wchar_t* text) = 0;                        // 8
    virtual void SetVideoWindows(HWND camera, HWND screen) = 0;                            // 9
    virtual IQVRSettDlg* CreateSettingsDlg(int kind, const wchar_t* text, HWND parent,
                                           QVRSettDlgHost* host) = 0;                      // 10
    virtual BOOL PreTranslateMessage(HWND window, MSG* message) = 0;                       // 11
    virtual void OnMainWindowMoved() = 0;                                                  // 12
    virtual void DumpGraphs(CReleaseModeDebug* sink) = 0;                                  // 13
    virtual void SetVolume(long volume, BOOL mute) = 0;                                    // 14
    virtual BOOL CanFullScreen() = 0;                                                      // 15
    virtual BOOL IsFullScreen() = 0;                                                       // 16
    virtual const wchar_t* SetFullScreen(BOOL on) = 0;                                     // 17
    virtual void Destroy() = 0;                                                            // 18

protected:
    ~IQVRVideo() = default;
};

// The library's two exports, bound by name.
typedef IQVRVideo* (__cdecl* QVR_CREATE_VIDEO_INTERFACE)(QVRInstance* callback);
typedef void (__cdecl* QVR_RELEASE_VIDEO_INTERFACE)();
