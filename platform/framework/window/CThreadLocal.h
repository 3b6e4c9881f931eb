// CThreadLocal<T>: one T (a CNoTrackObject) per thread, made on first use and freed when the
// thread ends. Declare it as a global: THREAD_LOCAL(CMyState, g_myState).
#pragma once

#include "platform/framework/window/CNoTrackObject.h"

template <class TYPE>
class CThreadLocal {
public:
    TYPE* GetData()
    {
        return static_cast<TYPE*>(AfxGetThreadLocalObject(this, &CreateObject));
    }
    TYPE* GetDataNA() { return GetData(); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    static CNoTrackObject* CreateObject() { return new TYPE; }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
