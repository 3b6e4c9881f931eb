// How a splitter container shares its extent among its children, where a splitter bar may be
// dragged and what a dragged bar does to its two neighbours. Plain integers, no window types,
// so the rules are tested without a window.
#pragma once

#include <vector>

namespace DockingSplitLayout {

// One child along the container's axis.
struct Child {
    int size = 0;            // docking size along the axis
    int minSize = 0;         // minimum track size along the axis
    int maxSize = 32000;     // maximum track size along the axis
    bool flexible = false;   // holds the client area: takes what the others leave
    // Result of ComputeLengths: n >= 0 a length to scale, -n fixed at n pixels.
    int length = 0;
};

// What is left to share after ComputeLengths.
struct Distribution {
    int available = 0;  // pixels for the children that are not fixed
    int total = 0;      // sum of their lengths
};

// Lengths of the children in extent pixels with splitter pixels between each two. A flexible
// child's length (at most one child is flexible) becomes 0, then what the others leave; its new
// size is in flexibleSize when the caller wants to keep it (-1 when it did not grow).
Distribution ComputeLengths(std::vector<Child>& children, int extent, int splitter,
                            int* flexibleSize = nullptr);

struct Span {
    int start = 0;
    int end = 0;
};

// The span of every child from start to end, splitter pixels apart; the last child ends at
// end, taking any rounding remainder.
std::vector<Span> Place(const std::vector<Child>& children, Distribution distribution,
                        int start, int end, int splitter);

// Where the leading edge of the bar between two neighbours may go. unionStart and unionEnd
// bound the two neighbours together; minFree is the least room each keeps.
struct Range {
    int low = 0;
    int high = 0;
    bool valid() const { return low < high; }
};
Range DragRange(int unionStart, int unionEnd, int firstMin, int firstMax, int secondMin,
                int secondMax, int minFree, int splitter);

// New docking sizes of two neighbours whose sizes add to total, after the bar was dropped at
// position (plus indent). false when the neighbours have no extent (nothing to divide).
bool BarSizes(int total, int splitter, int position, int indent, int unionStart,
              int unionExtent, bool rightToLeft, int& first, int& second);

}  // namespace DockingSplitLayout
