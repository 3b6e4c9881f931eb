// The speed popup menu under a toolbar or panel button: the list's speeds (greyed when they
// cannot be chosen now) and, from the shell's buttons, the entry that edits the list. The
// frame's speed actions are the main frame's (without one, choices change the speed only).
#pragma once

#include <windows.h>

// Returns 0 (the chosen entry is carried out here).
int ShowSpeedPopupMenu(HWND button, HWND owner, BOOL withEditEntry);
// The menu's entries: ids 1..count for the speeds, count+1 for the edit entry.
HMENU BuildSpeedMenu(BOOL withEditEntry);
// Carries out a menu result (0: dismissed).
void ApplySpeedMenuChoice(int result);
