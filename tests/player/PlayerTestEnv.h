// Helpers of the player tests: runs of the program in a folder of its own (with an engine test
// double, the real engine or none beside it), its trace file, and the test folders.
#pragma once

#include "platform/base/CHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace playertest {

enum class Engine { None, Fake, FakeOneExport, Real };

// A folder under the test folder with a copy of the program, the chosen engine as
// QVPVideo.dll and an empty settings folder.
struct PlayerRun {
    std::wstring dir;
    std::wstring settings;
    std::wstring exe;
};

PlayerRun PrepareRun(const wchar_t* name, Engine engine);
// Starts the program; env holds "NAME=value" entries added to the test's environment (message
// boxes answer OK without a window unless env holds "ORVANE_MSGBOX_ANSWER=", which shows real
// ones). The process handle, or none when it did not start.
CHandle StartPlayer(const PlayerRun& run, const std::wstring& args,
                    const std::vector<std::wstring>& env = {});
// Waits for the process; its exit code, or -1 when it did not end in time (it is then ended).
int WaitPlayer(const CHandle& process, DWORD ms);
// The main window of the program of that process, waiting up to ms for it to be visible.
HWND WaitMainWindow(DWORD processId, DWORD ms);
// Text of the run's newest trace file (empty when there is none).
std::wstring ReadTrace(const PlayerRun& run);
// Waits until the trace holds the text.
bool WaitTrace(const PlayerRun& run, const wchar_t* text, DWORD ms);
// Positions of the texts in the trace, in order; fails the test when one is missing or out of
// order.
void ExpectInOrder(const std::wstring& trace, const std::vector<std::wstring>& texts);
bool FileExistsAt(const std::wstring& path);
std::wstring TestDir();
std::wstring BinDir();

}  // namespace playertest
