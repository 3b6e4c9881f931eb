// Tooltip size, content layout, placement and cursor height.
#include "toolkit/common/TooltipLayout.h"

#include <algorithm>
#include <cstring>

SIZE TooltipLayout::CalcSize(int maxTipWidth, const RECT& margin, const SIZE* title, SIZE image,
                             const std::function<SIZE(int limit)>& measureText)
{
    const int hm = margin.left + margin.right + 2 * kInnerSpace;
    const int vm = margin.top + margin.bottom + 2 * kInnerSpace;
    int titleWidth = 0;
    int titleHeight = 0;
    if (title != nullptr) {
        titleHeight = title->cy + 20;
        titleWidth = title->cx + 4;
    }
    int imageRoom = 0;
    if (image.cx > 0 && image.cy > 0) {
        if (image.cy > kSmallImageHeight) {
            imageRoom = image.cx + 5;
        } else if (title != nullptr) {
            titleWidth += image.cx + 1;
        } else {
            imageRoom = image.cx + 3;
        }
    }
    int limit = maxTipWidth - hm;
    if (title != nullptr) {
        limit = std::max(limit, titleWidth) - 25;
    }
    const SIZE text = measureText(std::max(limit, 1));
    int w = text.cx + imageRoom;
    int h = std::max<int>(text.cy, image.cy);
    if (title != nullptr) {
        w = std::max(titleWidth, w + 25);
        h += titleHeight;
    }
    return SIZE{w + hm, h + vm};
}

TooltipLayout::Content TooltipLayout::LayoutContent(const RECT& client, const RECT& margin,
                                                    bool hasTitle, int titleTextHeight, SIZE image)
{
    Content c{};
    RECT rc = {client.left + margin.left + kInnerSpace, client.top + margin.top + kInnerSpace,
               client.right - margin.right - kInnerSpace,
               client.bottom - margin.bottom - kInnerSpace};
    RECT title = {rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom};
    const bool hasImage = image.cx > 0 && image.cy > 0;
    if (hasImage && image.cy <= kSmallImageHeight) {
        c.smallImage = POINT{rc.left, rc.top};
        if (hasTitle) {
            title.left += image.cx + 1;
        } else {
            rc.left += image.cx + 3;
        }
    }
    if (hasTitle) {
        title.bottom = title.top + titleTextHeight;
        rc.top += titleTextHeight + 12;
        rc.left += 10;
        rc.right -= 15;
    }
    if (hasImage && image.cy > kSmallImageHeight) {
        c.largeImage = POINT{rc.left, rc.top};
        rc.left += image.cx + 5;
    }
    c.title = title;
    c.text = rc;
    return c;
}

RECT TooltipLayout::Place(SIZE size, POINT cursor, int cursorHeight, bool rightToLeft,
                          const POINT* excludeBottomLeft, const RECT& workArea)
{
    RECT r;
    if (excludeBottomLeft == nullptr) {
        r = {cursor.x, cursor.y + cursorHeight, cursor.x + size.cx,
             cursor.y + cursorHeight + size.cy};
        if (rightToLeft) {
            ::OffsetRect(&r, -size.cx, 0);
        }
    } else {
        r = {excludeBottomLeft->x, excludeBottomLeft->y, excludeBottomLeft->x + size.cx,
             excludeBottomLeft->y + size.cy};
    }
    if (r.right > workArea.right - 4) {
        ::OffsetRect(&r, workArea.right - 4 - r.right, 0);
    }
    if (r.left < workArea.left) {
        ::OffsetRect(&r, workArea.left - r.left, 0);
    }
    if (r.bottom > workArea.bottom - 4) {
        ::OffsetRect(&r, 0, (cursor.y - 3) - r.bottom);
    }
    return r;
}

int TooltipLayout::CursorHeightBelowHotSpot(const WORD* words, int wordCount, int width, int height,
                                            bool hasColor, int hotSpotY)
{
    if (words == nullptr || width <= 0 || height <= 0) {
        return kDefaultCursorHeight;
    }
    const int total = width * height / 16;
    int andCount = total;
    int xorIndex = -1;  // no XOR test
    if (!hasColor) {
        andCount = total / 2;
        xorIndex = total - 1;
    }
    andCount = std::min({andCount, 127, wordCount});
    if (xorIndex >= 128 || xorIndex >= wordCount) {
        xorIndex = -1;
    }
    int i = andCount - 1;
    for (; i >= 0; --i) {
        if (words[i] != 0xFFFF) {
            break;
        }
        if (xorIndex >= 0) {
            if (words[xorIndex] != 0) {
                break;
            }
            // Once the walk reaches the first XOR word it is no longer tested.
            xorIndex = xorIndex > 0 ? xorIndex - 1 : -1;
        }
    }
    return (i + 1) * 16 / width - hotSpotY;
}

int TooltipLayout::CurrentCursorHeight()
{
    ICONINFO info{};
    HCURSOR cursor = ::GetCursor();
    if (cursor == nullptr || !::GetIconInfo(cursor, &info)) {
        return kDefaultCursorHeight;
    }
    BITMAP mask{};
    WORD words[128];
    std::memset(words, 0xFF, sizeof(words));
    int result = kDefaultCursorHeight;
    if (info.hbmMask != nullptr && ::GetObjectW(info.hbmMask, sizeof(mask), &mask) != 0) {
        const LONG read = ::GetBitmapBits(info.hbmMask, sizeof(words), words);
        if (read > 0) {
            result =
                CursorHeightBelowHotSpot(words, 128, mask.bmWidth, mask.bmHeight,
                                         info.hbmColor != nullptr, static_cast<int>(info.yHotspot));
        }
    }
    // GetIconInfo hands out copies of both bitmaps.
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    return result;
}
