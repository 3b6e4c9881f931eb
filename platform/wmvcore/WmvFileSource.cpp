// File-backed ASF source.
#include "platform/wmvcore/WmvFileSource.h"

#include <nserror.h>

namespace orvane::wmv {

WmvFileSource::~WmvFileSource() = default;

HRESULT WmvFileSource::Open(const WCHAR* path, DWORD access, DWORD share)
{
    if (path == nullptr || *path == 0) {
        return E_INVALIDARG;
    }
    // Reading needs no more than read access, whatever the caller asked for.
    (void)access;
    file_.Attach(CreateFileW(path, GENERIC_READ, share | FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file_.IsValid()) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
            return NS_E_FILE_NOT_FOUND;
        }
        return HRESULT_FROM_WIN32(err);
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    size_ = static_cast<uint64_t>(size.QuadPart);
    return S_OK;
}

asf::AsfError WmvFileSource::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got)
{
    *got = 0;
    if (offset >= size_) {
        return asf::AsfError::kOk;
    }
    std::lock_guard<std::mutex> hold(lock_);
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_, pos, nullptr, FILE_BEGIN)) {
        return asf::AsfError::kReadFailed;
    }
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(std::min<uint64_t>(size, 1u << 30));
    if (!ReadFile(file_, buffer, want, &read, nullptr)) {
        return asf::AsfError::kReadFailed;
    }
    *got = read;
    return asf::AsfError::kOk;
}

bool WmvFileSource::KnownSize(uint64_t* size) const
{
    *size = size_;
    return true;
}

}  // namespace orvane::wmv
