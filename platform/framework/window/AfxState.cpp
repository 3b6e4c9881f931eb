// The framework's module and thread state records.
#include "platform/framework/window/AfxState.h"

#include "platform/framework/window/AfxThreadData.h"

namespace {

AFX_MODULE_STATE g_moduleState;
// A plain pointer (no destructor), so thread_local is safe here.
thread_local AFX_MODULE_STATE* t_enteredModule = nullptr;

}  // namespace

AFX_MODULE_STATE* AfxGetModuleState()
{
    return t_enteredModule != nullptr ? t_enteredModule : &g_moduleState;
}

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    return &g_moduleState;
}

AFX_MODULE_THREAD_STATE* AfxGetModuleThreadState()
{
    return &AfxGetThreadData()->moduleThreadState;
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    return &AfxGetThreadData()->threadState;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
    : m_pPrevious(t_enteredModule)
{
    t_enteredModule = pModuleState;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    t_enteredModule = m_pPrevious;
}
