// ASF source over an http:// URL, read progressively: one HTTP/1.1 GET whose body a thread of
// its own appends to memory while the parser reads; a read past the received bytes waits.
// A manual proxy, when configured, receives the request with the absolute URL.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "asf/AsfSource.h"

namespace orvane::wmv {

class WmvHttpSource final : public asf::AsfSource {
public:
    ~WmvHttpSource() override;

    // Connects and reads the response headers; the body then arrives in the background.
    // proxyHost empty = direct. Results: NS_E_... codes of the runtime.
    HRESULT Open(const std::wstring& url, const std::wstring& proxyHost, DWORD proxyPort);
    // Ends the download; waiting reads return kAborted.
    void Abort();

    asf::AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    bool KnownSize(uint64_t* size) const override;
    bool CanSeekCheaply() const override { return false; }
    // Bytes received so far and the percentage of the announced length (0 when unknown).
    void Progress(uint64_t* bytes, unsigned* percent) const;

    // Splits "http://host[:port]/path"; false for anything else.
    static bool ParseUrl(const std::wstring& url, std::string* host, unsigned* port,
                         std::string* path);

private:
    void Receive(std::vector<char> initial);

    SOCKET socket_ = INVALID_SOCKET;
    bool wsa_ = false;
    std::thread thread_;
    mutable std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<uint8_t> body_;
    uint64_t contentLength_ = UINT64_MAX;
    bool done_ = false;
    bool failed_ = false;
    bool aborted_ = false;
};

}  // namespace orvane::wmv
