// The program-wide playback state that the application object carries and the core, the shell
// and the engine's callbacks read: position, play flags, speed, the open presentation and the
// network reader, and the two error texts handed from worker threads to the user interface.
#pragma once

#include "WinNT_SP/Include_VS2005/SpeedListRules.h"
#include "platform/base/TimeUnits.h"

#include <windows.h>

#include <string>

// What the core reads of the open URL (the network reader).
class INetReaderState {
public:
    virtual ~INetReaderState() = default;
    // The owner's end of the reader. A reader that other threads may still hold overrides it to
    // drop only the owner's reference.
    virtual void Discard() { delete this; }
    virtual double GetDuration() = 0;
    virtual BOOL HasDuration() = 0;
    virtual double GetStartPosition() = 0;  // position given to its last start
    virtual std::wstring GetURL() = 0;
    virtual BOOL IsBuffering() = 0;
    virtual int GetBufferingPercent() = 0;  // -1 when unknown
};

// What the core reads of the open presentation file.
class IOpenPresentation {
public:
    virtual ~IOpenPresentation() = default;
    virtual double GetDuration() = 0;
    virtual std::wstring GetFilePath() = 0;
    virtual BOOL HasVideo() = 0;
};

class PlayerState {
public:
    PlayerState();
    ~PlayerState();
    PlayerState(const PlayerState&) = delete;
    PlayerState& operator=(const PlayerState&) = delete;

    // Playing, paused and speed are used on the user-interface thread only.
    BOOL playing = FALSE;
    BOOL paused = FALSE;
    double speed = 1.0;
    BOOL settingsLoaded = FALSE;

    // The position is written by the engine's threads too; it is read and written under the
    // state's lock.
    double GetPositionValue() const;
    void SetPositionValue(double seconds);

    // Open presentation and network reader: replaced on the user-interface thread under the
    // lock; the engine's threads read only the copies below, never the objects.
    IOpenPresentation* OpenFile() const { return m_openFile; }
    // Installs the new presentation and returns the previous one (the caller deletes it).
    IOpenPresentation* ReplaceOpenFile(IOpenPresentation* file);
    INetReaderState* NetReader() const { return m_netReader; }
    INetReaderState* ReplaceNetReader(INetReaderState* reader);
    // Position within the presentation minus the reader's time at the start of the current
    // read range; kept up to date by the presentation when it sets a read range.
    void SetRangeOffset(double seconds);
    void SetNetStartPosition(double seconds);

    // The engine's report of a play position: adds the current offset, rounds and stores the
    // position. FALSE (and nothing stored) when neither a file nor a URL is open.
    BOOL StoreReportedPosition(double reported, bool fileOnly);
    BOOL HasFileOrURL() const;
    BOOL HasOpenFile() const;

    // Asynchronous engine errors. A newer error joins one that has not been taken yet instead
    // of replacing it. Returns true when nothing was pending before (the frame needs a post).
    bool AddAsyncError(HRESULT code, const wchar_t* text);
    // Takes the pending error; false when there is none.
    bool TakeAsyncError(HRESULT* code, std::wstring* text);

    // Texts of exceptions caught on the network reader's thread.
    void AppendThreadError(const wchar_t* text);
    std::wstring TakeThreadErrors();

    void Lock() const { EnterCriticalSection(&m_lock); }
    void Unlock() const { LeaveCriticalSection(&m_lock); }

private:
    mutable CRITICAL_SECTION m_lock;
    mutable CRITICAL_SECTION m_threadErrorLock;
    double m_position = -1.0;
    IOpenPresentation* m_openFile = nullptr;
    INetReaderState* m_netReader = nullptr;
    bool m_hasFile = false;
    bool m_hasNet = false;
    double m_rangeOffset = 0.0;
    double m_netStart = 0.0;
    bool m_asyncPending = false;
    HRESULT m_asyncCode = S_OK;
    std::wstring m_asyncText;
    std::wstring m_threadErrors;
};

PlayerState& ThePlayerState();

// Puts seconds on the 5-microsecond grid.
double RoundToTimeGrid(double seconds);
// Puts a value on the 0.001 grid of speeds.
double RoundToSpeedGrid(double value);
// The grid steps themselves come with the grids (TimeGridSteps in TimeUnits.h, SpeedGridSteps
// in SpeedListRules.h): values on a grid are compared as these integers, since two doubles of
// one step can differ in their last bits (x87 temporaries).
