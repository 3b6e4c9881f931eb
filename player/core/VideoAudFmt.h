// The player's holder of the engine's audio format record of a presentation.
#pragma once

#include "player/core/EngineFormatHolder.h"

class VideoAudFmt : public EngineFormatHolder<IQVRAudioFormat> {
public:
    // The engine that creates and frees the record (the program's engine by default).
    explicit VideoAudFmt(IQVRVideo* engine = nullptr);
};
