// Video format holder: the engine's video records.
#include "VideoVidFmt.h"

#include "VideoLibrary.h"

VideoVidFmt::VideoVidFmt(IQVRVideo* engine)
    : EngineFormatHolder(engine ? engine : VideoEngine(), &IQVRVideo::CreateVideoFormat,
                         &IQVRVideo::ReleaseVideoFormat)
{
}
