#include "toolkit/common/NonClientMetrics.h"

#include "toolkit/common/OSVersionInfo.h"

#include <cstddef>

NonClientMetrics::NonClientMetrics() noexcept : NONCLIENTMETRICSW{}
{
    // Systems before Vista know the record without its last field and refuse the longer one.
    cbSize = GetOSVersionInfo()->IsVistaOrGreater()
                 ? sizeof(NONCLIENTMETRICSW)
                 : static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth));
    m_bValid = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, cbSize,
                                       static_cast<NONCLIENTMETRICSW*>(this), 0);
    if (!m_bValid) {
        NONCLIENTMETRICSW& record = *this;
        record = NONCLIENTMETRICSW{};
    }
}
