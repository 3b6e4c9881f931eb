// The speed popup menu under a toolbar or panel button: the list's speeds (greyed when they
// cannot be chosen now) and, from the shell's buttons, the entry that edits the list. The
// frame's speed actions are reached through a small interface the shell registers.
#pragma once

#include <windows.h>

class ISpeedMenuActions {
public:
    virtual void OnSpeedEdit() = 0;
    virtual void ApplySpeed() = 0;
    virtual void ClampSpeed() = 0;
    virtual void OnPlay() = 0;

protected:
    ~ISpeedMenuActions() = default;
};

void SetSpeedMenuActions(ISpeedMenuActions* actions);  // null: choices change the speed only

// Returns 0 (the chosen entry is carried out here).
int ShowSpeedPopupMenu(HWND button, HWND owner, BOOL withEditEntry);
// The menu's entries: ids 1..count for the speeds, count+1 for the edit entry.
HMENU BuildSpeedMenu(BOOL withEditEntry);
// Carries out a menu result (0: dismissed).
void ApplySpeedMenuChoice(int result);
