// Audio format record: the shared record algorithms plus the WAVEFORMATEX getters.
#include "CQVRAudioFormat.h"

#include "DXVideoFunc.h"

const wchar_t* CQVRAudioFormat::GetText()
{
    return m_core.GetText();
}

void CQVRAudioFormat::SetFromMediaProps(IUnknown* streamObject)
{
    m_core.SetFromMediaProps(streamObject);
}

void CQVRAudioFormat::SetText(const wchar_t* text)
{
    m_core.SetText(text);
}

void CQVRAudioFormat::GetDescription(wchar_t* block)
{
    m_core.GetDescription(block);
}

const WAVEFORMATEX* CQVRAudioFormat::ValidWaveFormat()
{
    m_core.EnsureValidLogged();
    // A type set from a stream object is not checked: read only a real WAVEFORMATEX.
    return DXVideoFunc::WaveFormatOf(m_core.MediaType());
}

DWORD CQVRAudioFormat::GetSamplesPerSec()
{
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nSamplesPerSec : 0;
}

DWORD CQVRAudioFormat::GetAvgBytesPerSec()
{
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nAvgBytesPerSec : 0;
}

DWORD CQVRAudioFormat::GetChannels()
{
    const WAVEFORMATEX* wave = ValidWaveFormat();
    return wave ? wave->nChannels : 0;
}
