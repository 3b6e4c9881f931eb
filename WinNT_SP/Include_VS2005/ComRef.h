// A minimal owning COM interface pointer for the support library's own DOM code.
#pragma once

#include <unknwn.h>

template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
        return *this;
    }

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what is held first.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        if (m_p) {
            m_p->Release();
            m_p = nullptr;
        }
    }
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    // Takes a new reference on p.
    static ComRef Share(T* p)
    {
        ComRef r;
        r.m_p = p;
        if (p) {
            p->AddRef();
        }
        return r;
    }

private:
    T* m_p = nullptr;
};

// A BSTR owned for one call.
class BstrText {
public:
    explicit BstrText(const wchar_t* s) : m_b(SysAllocString(s ? s : L"")) {}
    BstrText(const wchar_t* s, size_t n) : m_b(SysAllocStringLen(s, UINT(n))) {}
    ~BstrText() { SysFreeString(m_b); }
    BstrText(const BstrText&) = delete;
    BstrText& operator=(const BstrText&) = delete;
    BSTR Get() const { return m_b; }

private:
    BSTR m_b;
};
