// The engine library's application object: one static instance per process.
#pragma once

#include "video/CAoAfxDll.h"

class QVRVideo : public CAoAfxDll {
public:
    QVRVideo() = default;
    ~QVRVideo() override;
};
