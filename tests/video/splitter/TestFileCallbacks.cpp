// The tests' file callbacks.
#include "tests/video/splitter/TestFileCallbacks.h"

#include <cstring>

READER_CB_PARAMS::~READER_CB_PARAMS()
{
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

bool READER_CB_PARAMS::OpenFile(const std::wstring& path)
{
    file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    return file != INVALID_HANDLE_VALUE;
}

DWORD TestRead(void* buffer, DWORD bytes, READER_CB_PARAMS* context, HRESULT* result)
{
    std::lock_guard<std::mutex> hold(context->lock);
    ++context->reads;
    if (FAILED(context->readFailure)) {
        *result = context->readFailure;
        return 0;
    }
    if (context->file != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        if (!ReadFile(context->file, buffer, bytes, &got, nullptr)) {
            *result = HRESULT_FROM_WIN32(GetLastError());
            return 0;
        }
        *result = S_OK;
        return got;
    }
    const LONGLONG size = static_cast<LONGLONG>(context->memory.size());
    LONGLONG left = size - context->memoryPosition;
    if (left < 0) {
        left = 0;
    }
    const DWORD got = left < bytes ? static_cast<DWORD>(left) : bytes;
    if (got > 0) {
        std::memcpy(buffer, context->memory.data() + context->memoryPosition, got);
    }
    context->memoryPosition += got;
    *result = S_OK;
    return got;
}

LONGLONG TestSeek(LONGLONG offset, DWORD method, READER_CB_PARAMS* context, HRESULT* result)
{
    std::lock_guard<std::mutex> hold(context->lock);
    context->seeks.emplace_back(offset, method);
    if (FAILED(context->seekFailure)) {
        *result = context->seekFailure;
        return -1;
    }
    if (context->file != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER move;
        move.QuadPart = offset;
        LARGE_INTEGER now;
        if (!SetFilePointerEx(context->file, move, &now, method)) {
            *result = HRESULT_FROM_WIN32(GetLastError());
            return -1;
        }
        *result = S_OK;
        return now.QuadPart;
    }
    const LONGLONG size = static_cast<LONGLONG>(context->memory.size());
    context->memoryPosition = method == FILE_END ? size + offset : offset;
    *result = S_OK;
    return context->memoryPosition;
}
