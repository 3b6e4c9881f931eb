// The process-wide display that readers reach; set by the engine object.
#include "video/reader/ReaderDisplay.h"

namespace {
ReaderDisplay* g_display = nullptr;
}

ReaderDisplay* ReaderDisplay::Current()
{
    return g_display;
}

void ReaderDisplay::Install(ReaderDisplay* display)
{
    g_display = display;
}
