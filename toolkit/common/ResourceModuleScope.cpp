#include "toolkit/common/ResourceModuleScope.h"

#include "toolkit/common/CUTKResourceManager.h"

ResourceModuleScope::ResourceModuleScope() noexcept
{
    if (HMODULE module = CUTKResourceManager::GetToolkitResourceModule()) {
        m_hPrevious = AfxGetResourceHandle();
        AfxSetResourceHandle(module);
        m_bSwapped = true;
    }
}

ResourceModuleScope::~ResourceModuleScope()
{
    if (m_bSwapped) {
        AfxSetResourceHandle(m_hPrevious);
    }
}
