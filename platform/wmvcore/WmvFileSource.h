// ASF source over a file opened by name (positional reads on one handle).
#pragma once

#include <windows.h>

#include "platform/base/CHandle.h"

#include <mutex>

#include "platform/wmvcore/asf/AsfSource.h"

namespace orvane::wmv {

class WmvFileSource final : public asf::AsfSource {
public:
    ~WmvFileSource() override;
    // HRESULT of the open: NS_E_FILE_NOT_FOUND, E_ACCESSDENIED, ...
    HRESULT Open(const WCHAR* path, DWORD access, DWORD share);

    asf::AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    bool KnownSize(uint64_t* size) const override;

private:
    CHandle file_;
    uint64_t size_ = 0;
    std::mutex lock_;
};

}  // namespace orvane::wmv
