// The framework's module and thread state records.
#include "AfxState.h"

#include "CToolTipCtrl.h"

namespace {

AFX_MODULE_STATE g_moduleState;
thread_local AFX_MODULE_STATE* t_enteredModule = nullptr;

// Frees what the thread's tooltip state owns when the thread ends.
struct ModuleThreadStateHolder {
    AFX_MODULE_THREAD_STATE state;
    ~ModuleThreadStateHolder()
    {
        if (state.m_pToolTip != nullptr) {
            if (state.m_pToolTip->m_hWnd != nullptr && ::IsWindow(state.m_pToolTip->m_hWnd)) {
                state.m_pToolTip->DestroyWindow();
            } else {
                state.m_pToolTip->Detach();
            }
            delete state.m_pToolTip;
        }
        delete state.m_pLastInfo;
    }
};

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
    static thread_local ModuleThreadStateHolder holder;
    return &holder.state;
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE state;
    return &state;
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
