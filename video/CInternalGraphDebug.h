// A log sink that collects graph-dump lines into the engine's stored graph text, which the
// player's diagnostic dump later asks for.
#pragma once

#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <cstdint>

class CInternalGraphDebug : public CReleaseModeDebug {
public:
    explicit CInternalGraphDebug(uint32_t textIndex) : m_textIndex(textIndex) {}
    void Output(unsigned flags, const wchar_t* text) override;

private:
    uint32_t m_textIndex;
};
