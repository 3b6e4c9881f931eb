// Audio format holder: the engine's audio records.
#include "VideoAudFmt.h"

#include "VideoLibrary.h"

VideoAudFmt::VideoAudFmt(IQVRVideo* engine)
    : EngineFormatHolder(engine ? engine : VideoEngine(), &IQVRVideo::CreateAudioFormat,
                         &IQVRVideo::ReleaseAudioFormat)
{
}
