// Binding of the dump's security functions.
#include "WinNT_SP/Include_VS2005/ui/SecurityFuncs.h"

SecurityFuncs::SecurityFuncs()
{
    ClearErrInfo(&m_mainError);
    ClearErrInfo(&m_checkError);
    m_getNamedSecurityInfo.Load(&m_mainError);
    m_checkTokenMembership.Load(&m_checkError);
}

// The records unlink themselves in reverse order, which keeps the list lock paired.
SecurityFuncs::~SecurityFuncs() = default;

const ERR_INFO* SecurityFuncs::BindError() const
{
    if (m_mainError.kind != ERRK_EMPTY) {
        return &m_mainError;
    }
    if (m_checkError.kind != ERRK_EMPTY) {
        return &m_checkError;
    }
    return nullptr;
}
