// One open handle per presentation file, shared by every reader of it: each reader holds an
// instance, a byte window of the file with its own position. One lock serialises all calls, so
// the engine's reading threads and the user-interface thread can share a handle.
#pragma once

#include "WinNT_SP/Include_VS2005/CFile64.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SingleOpenFile {
public:
    struct CFILE_STRUCT_T {
        CFile64 file;
        std::wstring text;
        int id = 0;
    };
    struct CFILE_INST_STRUCT_T {
        int64_t start = 0;
        int64_t length = 0;
        int64_t position = 0;  // absolute offset in the file
        int fileId = 0;
        int id = 0;
    };

    SingleOpenFile();
    virtual ~SingleOpenFile();
    SingleOpenFile(const SingleOpenFile&) = delete;
    SingleOpenFile& operator=(const SingleOpenFile&) = delete;

    // A length of -1 means to the end of the file; the window never reaches past the end.
    std::wstring OpenSFile(int* instanceId, const wchar_t* path, int64_t start, int64_t length,
                           int64_t* fileSize = nullptr);
    void CloseSFile(int instanceId);
    // Position relative to the window start, -1 on failure (position unchanged).
    int64_t SeekSFile(int instanceId, int64_t offset, int origin);
    // Bytes read (0 at the end of the window). An unregistered id or a failing read throws the
    // framework's file exception.
    UINT ReadSFile(int instanceId, void* buffer, UINT count);
    std::wstring GetSFileName(int instanceId);
    // Both ids registered and naming one file (paths compared without case).
    BOOL IsSameSFile(int a, int b);

    int InstanceCount();
    int FileCount();

private:
    int FindFileIndex(int fileId) const;
    int FindInstanceIndex(int instanceId) const;
    int FindInstanceFile(int instanceId) const;

    std::vector<std::unique_ptr<CFILE_STRUCT_T>> m_files;
    std::vector<std::unique_ptr<CFILE_INST_STRUCT_T>> m_instances;
    CRITICAL_SECTION m_lock;
};

// The program's registry, created on first use.
SingleOpenFile& GetSOF();
