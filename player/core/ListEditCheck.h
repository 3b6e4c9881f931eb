// The outcome of checking the lines of a list editor: the stored list text, or the message to
// show and where to put the caret (or a selection) in the edit control.
#pragma once

#include <windows.h>

#include <string>

struct ListEditCheck {
    bool ok = true;
    std::wstring result;  // the list text (also set when only the final check failed)
    int line = -1;        // 0-based line to point at; -1: the edit as a whole
    int selStart = 0;     // selection inside the line (equal ends: a caret)
    int selEnd = 0;
    UINT messageId = 0;
    std::wstring message;
};

// A line as the editors read it (an 18-character buffer): at least 18 characters are too long.
constexpr int kEditorLineChars = 18;
