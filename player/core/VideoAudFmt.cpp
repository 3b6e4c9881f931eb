// Audio format holder: the engine's audio records.
#include "player/core/VideoAudFmt.h"

#include "player/core/VideoLibrary.h"

VideoAudFmt::VideoAudFmt(IQVRVideo* engine)
    : EngineFormatHolder(engine ? engine : VideoEngine(), &IQVRVideo::CreateAudioFormat,
                         &IQVRVideo::ReleaseAudioFormat)
{
}
