// The letters of keyboard tips, without windows: each tip shows the mnemonic of its caption,
// and tips that would start alike get a second letter from their caption (or a digit), so that
// every tip can be typed apart from the others.
#pragma once

#include <windows.h>

#include "platform/framework/CStringT.h"

#include <vector>

struct UTKKeyboardTipText {
    CString caption;   // the owner's caption; upper-cased here
    CString preset;    // used when no text was given
    CString text;      // in: the owner's own tip text (may be empty); out: what the tip shows
    BOOL bExplicit = FALSE;  // out: the text came from the owner
    int owner = 0;     // the caller's index, kept through the removals
};

namespace KeyboardTipTexts {
// Gives every tip its text and removes tips that have neither text nor caption.
void Assign(std::vector<UTKKeyboardTipText>& tips);
} // namespace KeyboardTipTexts
