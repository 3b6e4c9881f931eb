// The framework's view of the one COM owner type (platform/base/CComPtr.h): here dereferencing
// an empty pointer raises COleException(E_POINTER), the error the compiler's COM support gives.
#pragma once

#include "platform/framework/COleException.h"
#include "platform/base/CComPtr.h"

namespace framework_detail {

[[noreturn]] inline void ThrowComPtrEmpty()
{
    AfxThrowOleException(E_POINTER);
}

// Installed before main in every module that builds on the framework.
inline const bool g_comPtrThrows =
    (orvane::SetComPtrEmptyHandler(&ThrowComPtrEmpty), true);

} // namespace framework_detail
