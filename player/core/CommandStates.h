// The command-state record and the questions every place that offers playback commands asks:
// what may be done now, the play and speed state with their icons, tooltips and status text.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>

// Everything the record is computed from.
struct CommandStateInputs {
    double duration = 0;  // the main frame's duration value
    double position = 0;
    bool file = false;
    bool url = false;
    double urlDuration = 0;
    bool urlHasDuration = false;
    bool video = false;
    bool playing = false;
    bool paused = false;
    double speed = 1.0;
    bool quickSpeedSwitch = false;
    double speedPlayLast = 0;
    int selectedBookmarks = 0;
};

void ComputeCommandStates(const CommandStateInputs& in, COMMAND_STATES* out);
CommandStateInputs GatherCommandStateInputs();
// Recomputes the program's record (called by the frame's position refresh).
void UpdateCommandStates();
COMMAND_STATES& TheCommandStates();

int GetPlayState();   // 3 paused, 2 playing, 0 otherwise
int GetSpeedState();  // 0, 1 (not normal speed) or 2 (normal speed)
int GetPlayPauseIconIndex();
int GetPlayStateIconIndex();
int GetSpeedIconIndex();
double GetAppDuration();
double GetAppPosition();
std::wstring GetStatusText();
std::wstring GetCommandTooltip(unsigned id);
// The main frame's shortcut text of the command (empty without a main frame).
std::wstring GetCommandShortcut(unsigned id);
