// TooltipLayout: the window-free arithmetic of the toolkit's tooltip windows: the tip's size
// from its measured parts, where its title, image and text go, where the tip is placed on the
// screen, and how far the cursor reaches below its hot spot (read from its mask bits).
#pragma once

#include <windows.h>
#include <functional>

class TooltipLayout {
public:
    // Extra space around the content on each side, besides the context's margin.
    static constexpr int kInnerSpace = 3;
    // An image taller than this goes below the title instead of beside it.
    static constexpr int kSmallImageHeight = 16;
    // What the cursor reaches below its hot spot when its bits cannot be read.
    static constexpr int kDefaultCursorHeight = 21;

    // The tip's size. measureText gives the text's extent word-wrapped within a width limit;
    // title is the title's single-line extent in the title font (null: no title); image is
    // the image's size ((0, 0): none). maxTipWidth is already resolved (no -1).
    static SIZE CalcSize(int maxTipWidth, const RECT& margin, const SIZE* title, SIZE image,
                         const std::function<SIZE(int limit)>& measureText);

    struct Content {
        POINT smallImage;  // top-left of an image 16 pixels high or less
        POINT largeImage;  // top-left of a taller image
        RECT title;        // the title's single line
        RECT text;         // the word-wrapped text
    };
    // Where the parts go in client (left-to-right; the caller mirrors for right-to-left).
    // titleTextHeight is the title's line height in the title font.
    static Content LayoutContent(const RECT& client, const RECT& margin, bool hasTitle,
                                 int titleTextHeight, SIZE image);

    // The tip's screen rectangle. Without an exclude rectangle the tip starts at the cursor,
    // cursorHeight below it (moved left by its width for a right-to-left tool); with one
    // (excludeBottomLeft = the tool's left and the exclude rectangle's bottom, on the screen)
    // it starts there. Then it is kept on the work area: 4 pixels off the right and bottom
    // edges, a tip that would pass the bottom going above the cursor.
    static RECT Place(SIZE size, POINT cursor, int cursorHeight, bool rightToLeft,
                      const POINT* excludeBottomLeft, const RECT& workArea);

    // Rows of the cursor below its hot spot. words: the mask bitmap's bits as 16-bit words
    // (at most 128), width and height: the mask bitmap's size, hasColor: the cursor has a
    // colour bitmap (else the mask holds the AND mask above the XOR mask).
    static int CursorHeightBelowHotSpot(const WORD* words, int wordCount, int width, int height,
                                        bool hasColor, int hotSpotY);
    // The same for the current cursor; kDefaultCursorHeight when it cannot be read.
    static int CurrentCursorHeight();
};
