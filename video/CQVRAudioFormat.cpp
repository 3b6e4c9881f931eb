// Audio format record: the shared record algorithms plus the WAVEFORMATEX getters.
#include "video/CQVRAudioFormat.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/DXVideoFunc.h"

const wchar_t* CQVRAudioFormat::GetText()
{
    TRACE_FUNCTION();
    return m_core.GetText();
}

void CQVRAudioFormat::SetFromMediaProps(IUnknown* streamObject)
{
    TRACE_FUNCTION();
    m_core.SetFromMediaProps(streamObject);
}

void CQVRAudioFormat::SetText(const wchar_t* text)
{
    TRACE_FUNCTION();
    m_core.SetText(text);
}

void CQVRAudioFormat::GetDescription(wchar_t* block)
{
    TRACE_FUNCTION();
    m_core.GetDescription(block);
}

const WAVEFORMATEX* CQVRAudioFormat::ValidWaveFormat()
{
    TRACE_FUNCTION();
    m_core.EnsureValidLogged();
    // A type set from a stream object is not checked: read only a real WAVEFORMATEX.
    return DXVideoFunc::WaveFormatOf(m_core.MediaType());
}

DWORD CQVRAudioFormat::GetSamplesPerSec()
{
    TRACE_FUNCTION();
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nSamplesPerSec : 0;
}

DWORD CQVRAudioFormat::GetAvgBytesPerSec()
{
    TRACE_FUNCTION();
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nAvgBytesPerSec : 0;
}

DWORD CQVRAudioFormat::GetChannels()
{
    TRACE_FUNCTION();
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nChannels : 0;
}
