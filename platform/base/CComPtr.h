// CComPtr and CComQIPtr: owning COM interface pointers (one reference held, released on
// destruction), the one COM owner type of every layer.
//
// Dereferencing an empty pointer goes through ComPtrEmpty(): the framework installs a handler
// that raises COleException(E_POINTER), the error the compiler's COM support gives in that case
// (platform/framework/CComPtr.h); layers without the framework (dshow, the media runtime DLL)
// have no handler and fail fast, as the null dereference it replaces would have.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <cstdlib>
#include <memory>
#include <type_traits>
#include <utility>

namespace orvane {

using ComPtrEmptyHandler = void (*)();

// One per module (exe or DLL): an inline variable has a single instance in each linked image.
inline ComPtrEmptyHandler g_comPtrEmptyHandler = nullptr;

inline void SetComPtrEmptyHandler(ComPtrEmptyHandler handler) noexcept
{
    g_comPtrEmptyHandler = handler;
}

[[noreturn]] inline void ComPtrEmpty()
{
    if (g_comPtrEmptyHandler) {
        g_comPtrEmptyHandler();
    }
    std::abort();
}

} // namespace orvane

template <class T>
class CComPtr {
public:
    CComPtr() noexcept = default;
    CComPtr(T* p) noexcept : p(p) { if (p) p->AddRef(); }
    CComPtr(const CComPtr& other) noexcept : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    ~CComPtr() { Release(); }
    CComPtr& operator=(T* other) noexcept
    {
        if (other) {
            other->AddRef();
        }
        Release();
        p = other;
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) noexcept { return *this = other.p; }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Release();
            p = std::exchange(other.p, nullptr);
        }
        return *this;
    }

    operator T*() const noexcept { return p; }
    T* operator->() const
    {
        if (!p) {
            orvane::ComPtrEmpty();
        }
        return p;
    }
    T& operator*() const { return *operator->(); }
    // Address for an out-parameter: the pointer must be empty (it is released first).
    T** operator&() noexcept
    {
        Release();
        return &p;
    }
    bool operator!() const noexcept { return p == nullptr; }

    void Release() noexcept
    {
        if (T* old = std::exchange(p, nullptr)) {
            old->Release();
        }
    }
    void Attach(T* other) noexcept
    {
        Release();
        p = other;
    }
    T* Detach() noexcept { return std::exchange(p, nullptr); }
    HRESULT CopyTo(T** out) const noexcept
    {
        if (!out) {
            return E_POINTER;
        }
        *out = p;
        if (p) {
            p->AddRef();
        }
        return S_OK;
    }
    HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer = nullptr,
                             DWORD context = CLSCTX_ALL) noexcept
    {
        Release();
        return ::CoCreateInstance(clsid, outer, context, __uuidof(T), reinterpret_cast<void**>(&p));
    }
    template <class Q>
    HRESULT QueryInterface(Q** out) const noexcept
    {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        return p ? p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(out)) : E_POINTER;
    }
    bool IsEqualObject(IUnknown* other) const noexcept
    {
        if (!p && !other) {
            return true;
        }
        if (!p || !other) {
            return false;
        }
        CComPtr<IUnknown> a;
        CComPtr<IUnknown> b;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
        other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
        return a.p == b.p;
    }

    T* p = nullptr;
};

template <class T>
class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() noexcept = default;
    CComQIPtr(T* other) noexcept : CComPtr<T>(other) {}
    CComQIPtr(const CComQIPtr& other) noexcept : CComPtr<T>(other.p) {}
    // Queries another interface for T; empty when the object does not support it.
    template <class Q>
        requires(!std::is_convertible_v<Q*, T*>)
    CComQIPtr(Q* other) noexcept
    {
        Query(other);
    }
    CComQIPtr& operator=(T* other) noexcept
    {
        CComPtr<T>::operator=(other);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& other) noexcept
    {
        CComPtr<T>::operator=(other.p);
        return *this;
    }
    template <class Q>
        requires(!std::is_convertible_v<Q*, T*>)
    CComQIPtr& operator=(Q* other) noexcept
    {
        CComPtr<T> old;
        old.Attach(std::exchange(this->p, nullptr));
        Query(other);
        return *this;
    }

private:
    template <class Q>
    void Query(Q* other) noexcept
    {
        if (other) {
            other->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&this->p));
        }
    }
};
