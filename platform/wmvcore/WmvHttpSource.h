// ASF source over an http:// URL (mms:// rolls over to HTTP), read progressively: a thread of
// its own receives the body (plain, or chunked) into memory while the parser reads; a read past
// the received bytes waits, reported as buffering while the reader delivers. Every network wait
// is bounded and ends at once on Abort. Where the server grants ranges, a read far past the
// received bytes (a seek) starts a new request at that offset. A live stream keeps only a
// window of unread bytes: beyond it the sender is held back by TCP flow control.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/wmvcore/WmvChunkedDecoder.h"
#include "platform/wmvcore/WmvMedia.h"
#include "platform/wmvcore/asf/AsfSource.h"

namespace orvane::wmv {

struct WmvHttpUrl {
    std::string host;
    unsigned port = 80;
    std::string path = "/";
    bool hasCredentials = false;  // "user:password@" was given (percent-decoded below)
    std::string user;
    std::string password;
};

class WmvHttpSource final : public asf::AsfSource {
public:
    WmvHttpSource() = default;
    WmvHttpSource(const WmvHttpSource&) = delete;
    WmvHttpSource& operator=(const WmvHttpSource&) = delete;
    ~WmvHttpSource() override;

    // Connects and reads the response head; the body then arrives in the background.
    // Results: NS_E_... codes of the runtime.
    [[nodiscard]] HRESULT Open(const std::wstring& url, const WmvNetOptions& options);
    // Ends the download; waiting reads return kAborted.
    void Abort();
    // After the header: the stream is live (read forward only, memory held to a window).
    void SetLive();
    // While delivery runs, a read that must wait keeps waiting until `bytes` past it have
    // arrived (or the body ended); hook(true/false) says when such a wait begins and ends.
    void SetBuffering(uint64_t bytes, uint64_t bytesPerSecond, std::function<void(bool)> hook);
    void StopBuffering();
    // While set, a waiting read gives up (kAborted) as soon as *flag turns true.
    void SetInterrupt(const std::atomic<bool>* flag);
    // Percentage of the buffering target reached (100 when not buffering) and the time, in
    // 100 ns, the missing bytes take at the stream's rate.
    void BufferProgress(unsigned* percent, uint64_t* remaining) const;
    // The network failure behind a kReadFailed (S_OK when none).
    HRESULT Failure() const;

    asf::AsfError ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got) override;
    bool KnownSize(uint64_t* size) const override;
    bool CanSeekCheaply() const override { return false; }
    bool CanJump() const override;
    // Bytes received so far and the percentage of the announced length (0 when unknown).
    void Progress(uint64_t* bytes, unsigned* percent) const;

    // Splits "http://[user:password@]host[:port]/path" (or mms://); NS_E_INVALID_NAME for a
    // malformed URL, NS_E_UNKNOWN_PROTOCOL for another scheme.
    static HRESULT ParseUrl(const std::wstring& url, WmvHttpUrl* out);
    static std::string Base64(const std::string& text);
    // Longest request line sent: servers refuse longer ones, and so do we, before sending.
    static constexpr size_t kMaxRequestLine = 8192;

private:
    struct Response {
        int status = 0;
        std::string head;  // status line and fields, lowered field names kept as sent
        std::vector<char> rest;
    };

    bool Cancelled() const;
    [[nodiscard]] HRESULT Connect(const std::string& host, unsigned port, SOCKET* out);
    [[nodiscard]] HRESULT Exchange(const std::string& request, SOCKET s, Response* response);
    // One GET from `from` on, following redirects and answering challenges.
    [[nodiscard]] HRESULT Fetch(uint64_t from, SOCKET* s, Response* response);
    // Takes the body of a successful response from `from` on and starts receiving it.
    [[nodiscard]] HRESULT Begin(SOCKET s, const Response& response, uint64_t from);
    // Drops the current connection and asks again from offset (lock not held).
    [[nodiscard]] HRESULT Reposition(uint64_t offset);
    void StopReceiver();
    void Receive(SOCKET s, std::vector<char> initial);
    // Appends received body bytes; false when memory limits are hit.
    bool Append(const uint8_t* data, size_t size);

    WmvHttpUrl url_;           // after redirects
    std::string urlText_;      // absolute URL as sent to a proxy
    WmvNetOptions options_;
    std::string serverAuth_;   // "Basic ..." once known
    std::string proxyAuth_;
    std::string proxyRealm_;   // of the proxy's last challenge
    bool wsa_ = false;
    std::thread thread_;
    std::atomic<bool> aborted_{false};
    std::atomic<bool> stopReceiver_{false};

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<uint8_t> body_;        // stream bytes [base_, base_ + body_.size())
    uint64_t base_ = 0;
    uint64_t skip_ = 0;                // bytes of the current body before base_ still to drop
    uint64_t total_ = UINT64_MAX;      // whole size when announced
    uint64_t readPos_ = 0;             // end of the last read (live window)
    bool rangesGranted_ = false;
    bool live_ = false;
    bool done_ = false;
    HRESULT failure_ = S_OK;
    bool chunked_ = false;
    WmvChunkedDecoder chunks_;
    std::vector<uint8_t> decoded_;

    uint64_t bufferBytes_ = 0;         // 0: no buffering waits
    uint64_t bytesPerSecond_ = 0;
    std::function<void(bool)> bufferingHook_;
    const std::atomic<bool>* interrupt_ = nullptr;
    bool buffering_ = false;
    uint64_t bufferFrom_ = 0;
    uint64_t bufferGoal_ = 0;
};

}  // namespace orvane::wmv
