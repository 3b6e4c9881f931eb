// The rules of the player's speed list, here in the support library because its settings
// defaults check the stored list by them before the player's list exists: the default list, the
// 0.001 grid speeds are compared on, the player's speed range, and the stored text
// ("SpeedPlayList") with its parser.
#pragma once

#include <string>

constexpr int kMaxStoredSpeeds = 64;
constexpr int kMaxSpeeds = kMaxStoredSpeeds + 1;  // 1.0 is always added

// The speeds the player offers, inclusive, compared on the grid. The layers below keep their
// own, wider limits, since they serve any caller: the time-stretch clamps to what its buffers
// handle (SndSpeedAlg) and the engine's reader refuses only what it cannot play
// (IVideoReader::Play).
constexpr double kMinSpeed = 0.334;
constexpr double kMaxSpeed = 3.0;
constexpr double kSpeedGridStep = 0.001;

constexpr int kDefaultSpeedCount = 7;
constexpr int kDefaultNormalIndex = 3;
constexpr double kDefaultSpeeds[kDefaultSpeedCount] = {0.35, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};

// The value as a whole count of kSpeedGridStep.
long long SpeedGridSteps(double value);
// A value that, rounded to 0.001, lies within [kMinSpeed, kMaxSpeed].
bool IsInSpeedRange(double value);

// The count of a parsed text (1.0 added, ascending), 0 when the text is invalid. values needs
// room for kMaxSpeeds.
int ParseSpeedList(const wchar_t* text, double* values, int* normalIndex);
std::wstring FormatSpeedList(const double* values, int count);
int SortSpeedList(double* values, int count);  // index of 1.0, -1 when absent
int SetDefaultSpeedList(double* values, int* normalIndex);
// At least 3 values, 1.0 neither first nor last.
bool IsUsableSpeedList(const double* values, int count);
// Takes the parsed text when it is usable, otherwise the default list; returns whether the text
// was taken. values needs room for kMaxSpeeds.
bool LoadSpeedListText(const wchar_t* text, double* values, int* count, int* normalIndex);
