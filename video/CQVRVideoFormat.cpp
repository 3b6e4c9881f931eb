// Video format record: the shared record algorithms plus frame rate and frame size.
#include "video/CQVRVideoFormat.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/DXVideoFunc.h"

namespace {

constexpr double kDefaultFrameRate = 25.0;

}  // namespace

const wchar_t* CQVRVideoFormat::GetText()
{
    TRACE_FUNCTION();
    return m_core.GetText();
}

void CQVRVideoFormat::SetFromMediaProps(IUnknown* streamObject)
{
    TRACE_FUNCTION();
    m_core.SetFromMediaProps(streamObject);
}

void CQVRVideoFormat::SetText(const wchar_t* text)
{
    TRACE_FUNCTION();
    m_core.SetText(text);
}

void CQVRVideoFormat::GetDescription(wchar_t* block)
{
    TRACE_FUNCTION();
    m_core.GetDescription(block);
}

double CQVRVideoFormat::GetFrameRate()
{
    TRACE_FUNCTION();
    m_core.EnsureValidLogged();
    const double rate = DXVideoFunc::FrameRateOf(m_core.MediaType());
    return rate > 0 ? rate : kDefaultFrameRate;
}

void CQVRVideoFormat::GetFrameSize(int* width, int* height)
{
    TRACE_FUNCTION();
    m_core.EnsureValidLogged();
    if (width) {
        *width = DXVideoFunc::WidthOf(m_core.MediaType());
    }
    if (height) {
        *height = DXVideoFunc::HeightOf(m_core.MediaType());
    }
}
