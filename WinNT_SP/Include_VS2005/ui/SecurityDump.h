// The security part of the diagnostic dump: administrator membership, the process token's user
// and groups, and the owner, group and access list of a named object.
#pragma once

#include <windows.h>

#include <string>

#include "WinNT_SP/Include_VS2005/ErrInfo.h"
#include "WinNT_SP/Include_VS2005/ui/SecurityFuncs.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

bool IsLocalAdmin(const SecurityFuncs& funcs, ERR_INFO* error);
void LogTokenInfo(const SecurityFuncs& funcs, CReleaseModeDebug* sink = nullptr);
// objectType: SE_FILE_OBJECT (1) or SE_REGISTRY_KEY (4) name the rights words.
void LogSecurityDescriptor(const SecurityFuncs& funcs, CReleaseModeDebug* sink,
                           const wchar_t* path, int objectType);
void LogWmvcorePath(CReleaseModeDebug* sink = nullptr);
// The words of an access mask, " None" when there are none.
std::wstring AccessRightsText(DWORD mask, int objectType);
