// A tiny HTTP/1.1 server on 127.0.0.1 for the network reader tests: serves one file in small
// timed chunks (so the reader really reads progressively), answers 404 for other paths, and
// records the request lines it received.
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
    std::vector<std::string> RequestLines() const;

private:
    void Serve();
    void Answer(SOCKET client);

    std::string path_;
    std::vector<char> body_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<size_t> holdAfter_{SIZE_MAX};
    HANDLE released_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
};

}  // namespace orvane::test
