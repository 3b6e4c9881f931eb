// A tiny HTTP/1.1 server on 127.0.0.1 for the network reader tests: serves one file in small
// timed chunks (so the reader really reads progressively), answers 404 for other paths, and
// records the requests it received. Optional behaviours: chunked or close-delimited bodies,
// byte ranges, Basic authentication, and a server that never answers.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::test {

class LoopbackHttpServer {
public:
    // Serves body under path; listens on an ephemeral loopback port.
    LoopbackHttpServer(std::string path, std::vector<char> body);
    ~LoopbackHttpServer();

    unsigned short Port() const { return port_; }
    // Stops sending after this many body bytes until ReleaseHold (for progressive reading).
    void HoldAfter(size_t bytes) { holdAfter_ = bytes; }
    void ReleaseHold();
    // Answers requests for this path with a redirect to the served path.
    void RedirectFrom(std::string path) { redirectFrom_ = std::move(path); }
    std::vector<std::string> RequestLines() const;
    // Whole request heads, in order.
    std::vector<std::string> RequestHeads() const;

    // "Transfer-Encoding: chunked" bodies of odd-sized chunks.
    void SendChunked() { chunked_ = true; }
    // No length: the body ends when the connection does.
    void SendWithoutLength() { noLength_ = true; }
    // "Accept-Ranges: bytes" and 206 answers to "Range: bytes=N-".
    void GrantRanges() { ranges_ = true; }
    // Answers 401 unless the request carries Basic credentials for "user:password".
    void RequireBasic(std::string userPassword) { basic_ = std::move(userPassword); }
    // Reads requests and never answers them.
    void NeverAnswer() { silent_ = true; }
    // Pause between 64 KB pieces of the body.
    void PauseMs(DWORD ms) { pauseMs_ = ms; }
    // Drops the connection after this many body bytes (a server dying mid-stream).
    void CutAfter(size_t bytes) { cutAfter_ = bytes; }
    // Proxy authentication instead: 407 unless Proxy-Authorization carries the credentials.
    void RequireProxyBasic(std::string userPassword) { proxyBasic_ = std::move(userPassword); }

private:
    void Serve();
    void Answer(SOCKET client);

    std::string path_;
    std::string redirectFrom_;
    bool chunked_ = false;
    bool noLength_ = false;
    bool ranges_ = false;
    bool silent_ = false;
    std::string basic_;
    std::string proxyBasic_;
    std::atomic<size_t> cutAfter_{SIZE_MAX};
    std::vector<std::thread> clients_;
    std::vector<SOCKET> open_;  // connections being answered (under lock_)
    std::atomic<DWORD> pauseMs_{5};
    std::vector<char> body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<size_t> holdAfter_{SIZE_MAX};
    HANDLE released_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
    std::vector<std::string> heads_;
};

}  // namespace orvane::test
