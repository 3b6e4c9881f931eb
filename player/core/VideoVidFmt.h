// The player's holder of the engine's video format record of one stream (camera or screen).
#pragma once

#include "player/core/EngineFormatHolder.h"

class VideoVidFmt : public EngineFormatHolder<IQVRVideoFormat> {
public:
    // The engine that creates and frees the record (the program's engine by default).
    explicit VideoVidFmt(IQVRVideo* engine = nullptr);
};
