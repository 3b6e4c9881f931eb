// Event wrapper: creation failure is reported through phr so that the owner can fail cleanly.
#include "platform/dshow/CAMEvent.h"

CAMEvent::CAMEvent(BOOL fManualReset, HRESULT* phr)
    : m_hEvent(CreateEventW(nullptr, fManualReset, FALSE, nullptr))
{
    if (!m_hEvent && phr && SUCCEEDED(*phr)) {
        *phr = HRESULT_FROM_WIN32(GetLastError());
    }
}

CAMEvent::~CAMEvent() = default;
