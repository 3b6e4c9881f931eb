// The command bars' actions, looked up and created by command id.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControlActions.h"

CUTKControlAction* CUTKCommandBars::FindAction(int nID) const
{
    return m_pActions != nullptr ? m_pActions->FindAction(nID) : nullptr;
}

CUTKControlAction* CUTKCommandBars::CreateAction(int nID)
{
    return m_pActions != nullptr ? m_pActions->Add(nID) : nullptr;
}
