// Video format holder: the engine's video records.
#include "player/core/VideoVidFmt.h"

#include "player/core/VideoLibrary.h"

VideoVidFmt::VideoVidFmt(IQVRVideo* engine)
    : EngineFormatHolder(engine ? engine : VideoEngine(), &IQVRVideo::CreateVideoFormat,
                         &IQVRVideo::ReleaseVideoFormat)
{
}
