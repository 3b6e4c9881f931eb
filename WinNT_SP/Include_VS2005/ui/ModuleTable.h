// The address ranges of the process's modules for one crash report, and the lookup that tells
// whether a stack word points into the program, into another module, or elsewhere.
#pragma once

#include <windows.h>

enum AddressKind : int {
    ADDR_NOT_POINTER = 0,  // null, at most 0xFFFF, or not readable
    ADDR_UNOWNED = 1,      // readable, in no module
    ADDR_PROGRAM = 2,      // in the program's own module (entry 0)
    ADDR_OTHER_MODULE = 3,
};

struct AddressInfo {
    int kind;
    uintptr_t moduleStart;
    DWORD offset;
    wchar_t path[MAX_PATH];
    const wchar_t* fileName;  // points into path
};

// True when every byte of [address, address + length) lies in committed, readable pages.
bool IsReadableMemory(const void* address, size_t length);

class ModuleTable {
public:
    static constexpr int kMaxModules = 256;

    // Lists the modules (Psapi bound at run time); without Psapi only the program's module,
    // sized by its file.
    void Build();
    AddressInfo Lookup(uintptr_t address);
    int Count() const { return m_count; }

private:
    struct Entry {
        uintptr_t start;
        uintptr_t end;
    };
    Entry m_entries[kMaxModules] = {};
    int m_count = 0;
    bool m_built = false;
};
