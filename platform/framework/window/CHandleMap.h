// Per-thread map from a system handle to its wrapper object. Permanent entries belong to
// objects that own or attached the handle; temporary wrappers are made on demand by FromHandle
// and freed by DeleteTemp (the idle pass), without touching the handle itself.
#pragma once

#include <unordered_map>
#include <utility>

template <class T, class H>
class CHandleMap {
public:
    // Sets the handle of a temporary wrapper (H{} detaches it before deletion).
    using SetHandleFn = void (*)(T* object, H handle);

    explicit CHandleMap(SetHandleFn setHandle) : m_setHandle(setHandle) {}
    ~CHandleMap() { DeleteTemp(); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    T* FromHandle(H h)
    {
        if (h == H{}) {
            return nullptr;
        }
        if (T* p = LookupPermanent(h)) {
            return p;
        }
        if (T* p = LookupTemporary(h)) {
            return p;
        }
        T* p = new T;
        m_setHandle(p, h);
        m_temporary[h] = p;
        return p;
    }

    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : nullptr;
    }

    T* LookupTemporary(H h) const
    {
        auto it = m_temporary.find(h);
        return it != m_temporary.end() ? it->second : nullptr;
    }

    void SetPermanent(H h, T* p) { m_permanent[h] = p; }

    // Removes a handle from both maps (a temporary wrapper for it is freed).
    void RemoveHandle(H h)
    {
        m_permanent.erase(h);
        auto it = m_temporary.find(h);
        if (it != m_temporary.end()) {
            T* p = it->second;
            m_temporary.erase(it);
            m_setHandle(p, H{});
            delete p;
        }
    }

    void DeleteTemp()
    {
        auto temporary = std::move(m_temporary);
        m_temporary.clear();
        for (auto& entry : temporary) {
            m_setHandle(entry.second, H{});
            delete entry.second;
        }
    }

    size_t TemporaryCount() const { return m_temporary.size(); }
    size_t PermanentCount() const { return m_permanent.size(); }

private:
    SetHandleFn m_setHandle;
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};
