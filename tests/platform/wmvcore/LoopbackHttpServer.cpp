// Loopback HTTP server for the network reader tests.
#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

namespace orvane::test {

LoopbackHttpServer::LoopbackHttpServer(std::string path, std::vector<char> body)
    : path_(std::move(path)), body_(std::move(body))
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    int length = sizeof(addr);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &length);
    port_ = ntohs(addr.sin_port);
    listen(listener_, 4);
    thread_ = std::thread(&LoopbackHttpServer::Serve, this);
}

void LoopbackHttpServer::ReleaseHold() { SetEvent(released_); }

LoopbackHttpServer::~LoopbackHttpServer()
{
    stop_ = true;
    SetEvent(released_);
    closesocket(listener_);
    thread_.join();
    CloseHandle(released_);
    WSACleanup();
}

std::vector<std::string> LoopbackHttpServer::RequestLines() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

void LoopbackHttpServer::Serve()
{
    while (!stop_) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        Answer(client);
        closesocket(client);
    }
}

void LoopbackHttpServer::Answer(SOCKET client)
{
    std::string head;
    char c;
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 8192) {
        if (recv(client, &c, 1, 0) != 1) {
            return;
        }
        head.push_back(c);
    }
    const std::string line = head.substr(0, head.find("\r\n"));
    {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(line);
    }
    // "GET <target> HTTP/1.1": a proxy request names the whole URL; both end with our path.
    const size_t first = line.find(' ');
    const size_t second = line.find(' ', first + 1);
    const std::string target = line.substr(first + 1, second - first - 1);
    const bool found = target.size() >= path_.size() &&
                       target.compare(target.size() - path_.size(), path_.size(), path_) == 0;
    if (!found) {
        const char* answer = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        send(client, answer, int(strlen(answer)), 0);
        return;
    }
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Type: video/x-ms-wmv\r\n"
                               "Content-Length: " + std::to_string(body_.size()) +
                               "\r\nConnection: close\r\n\r\n";
    send(client, header.data(), int(header.size()), 0);
    // Small chunks with pauses: the header arrives before the data does.
    constexpr size_t kChunk = 64 * 1024;
    for (size_t sent = 0; sent < body_.size() && !stop_; sent += kChunk) {
        if (sent >= holdAfter_) {
            WaitForSingleObject(released_, 30000);
            holdAfter_ = SIZE_MAX;
        }
        const int n = int(std::min(kChunk, body_.size() - sent));
        if (send(client, body_.data() + sent, n, 0) != n) {
            return;
        }
        Sleep(5);
    }
}

}  // namespace orvane::test
