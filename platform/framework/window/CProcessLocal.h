// CProcessLocal<T>: one T for the process (per binary), made on first use, freed at exit.
#pragma once

#include "platform/framework/window/CNoTrackObject.h"

#include <memory>
#include <mutex>

template <class TYPE>
class CProcessLocal {
public:
    TYPE* GetData()
    {
        std::call_once(m_once, [this] { m_object.reset(new TYPE); });
        return m_object.get();
    }
    TYPE* GetDataNA() { return m_object.get(); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    std::once_flag m_once;
    std::unique_ptr<TYPE> m_object;
};

#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;
