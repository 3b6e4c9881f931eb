// ResourceModuleScope: while it lives, the framework loads its resources from the toolkit
// resource module (when one is set); the previous resource module comes back afterwards.
#pragma once

#include <windows.h>

class ResourceModuleScope {
public:
    ResourceModuleScope() noexcept;
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

private:
    HINSTANCE m_hPrevious = nullptr;
    bool m_bSwapped = false;
};
