// The player's read and seek callbacks as the tests use them: over a file opened by name or
// over bytes in memory, with injectable failures and a record of every call.
#pragma once

#include "Common/QVRInterfaces.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct READER_CB_PARAMS {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::vector<BYTE> memory;  // used when no file is open
    LONGLONG memoryPosition = 0;
    HRESULT readFailure = S_OK;  // returned by every read when set
    HRESULT seekFailure = S_OK;  // returned by every seek when set
    std::mutex lock;
    std::vector<std::pair<LONGLONG, DWORD>> seeks;
    int reads = 0;

    READER_CB_PARAMS() = default;
    READER_CB_PARAMS(const READER_CB_PARAMS&) = delete;
    READER_CB_PARAMS& operator=(const READER_CB_PARAMS&) = delete;
    ~READER_CB_PARAMS();
    // Opens a file for reading; false when it cannot be opened.
    bool OpenFile(const std::wstring& path);
};

DWORD TestRead(void* buffer, DWORD bytes, READER_CB_PARAMS* context, HRESULT* result);
LONGLONG TestSeek(LONGLONG offset, DWORD method, READER_CB_PARAMS* context, HRESULT* result);
