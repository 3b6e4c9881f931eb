// Loopback HTTP server for the network reader tests.
#include "tests/platform/wmvcore/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    {
        // A reader that never read on leaves a send blocked: end it.
        std::lock_guard<std::mutex> hold(lock_);
        for (SOCKET s : open_) {
            shutdown(s, SD_BOTH);
        }
    }
    for (std::thread& client : clients_) {
        client.join();
    }
    CloseHandle(released_);
    WSACleanup();
}

std::vector<std::string> LoopbackHttpServer::RequestLines() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

std::vector<std::string> LoopbackHttpServer::RequestHeads() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return heads_;
}

namespace {

std::string Base64(const std::string& text)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < text.size(); i += 3) {
        uint32_t v = uint8_t(text[i]) << 16;
        if (i + 1 < text.size()) {
            v |= uint8_t(text[i + 1]) << 8;
        }
        if (i + 2 < text.size()) {
            v |= uint8_t(text[i + 2]);
        }
        out.push_back(kDigits[v >> 18]);
        out.push_back(kDigits[(v >> 12) & 63]);
        out.push_back(i + 1 < text.size() ? kDigits[(v >> 6) & 63] : '=');
        out.push_back(i + 2 < text.size() ? kDigits[v & 63] : '=');
    }
    return out;
}

bool SendAll(SOCKET client, const char* data, size_t size)
{
    while (size > 0) {
        const int n = send(client, data, int(size), 0);
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

void LoopbackHttpServer::Serve()
{
    while (!stop_) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        // A connection each: a reader that seeks opens a new one while an old one waits.
        {
            std::lock_guard<std::mutex> hold(lock_);
            open_.push_back(client);
        }
        clients_.emplace_back([this, client] {
            Answer(client);
            std::lock_guard<std::mutex> hold(lock_);
            open_.erase(std::find(open_.begin(), open_.end(), client));
            closesocket(client);
        });
    }
}

void LoopbackHttpServer::Answer(SOCKET client)
{
    // Requests carry no body: whatever arrives up to the blank line is the head.
    std::string head;
    char chunk[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 128 * 1024) {
        const int n = recv(client, chunk, sizeof(chunk), 0);
        if (n <= 0) {
            return;
        }
        head.append(chunk, static_cast<size_t>(n));
    }
    const size_t end = head.find("\r\n\r\n");
    if (end == std::string::npos) {
        return;  // no head within the limit: not answered
    }
    head.resize(end + 4);
    const std::string line = head.substr(0, head.find("\r\n"));
    {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(line);
        heads_.push_back(head);
    }
    if (silent_) {
        while (!stop_ && WaitForSingleObject(released_, 50) == WAIT_TIMEOUT) {
        }
        return;
    }
    if (!proxyBasic_.empty() &&
        head.find("\r\nProxy-Authorization: Basic " + Base64(proxyBasic_) + "\r\n") ==
            std::string::npos) {
        const char* answer = "HTTP/1.1 407 Proxy Authentication Required\r\n"
                             "Proxy-Authenticate: Basic realm=\"gate\"\r\n"
                             "Content-Length: 0\r\n\r\n";
        send(client, answer, int(strlen(answer)), 0);
        return;
    }
    if (!basic_.empty() &&
        head.find("\r\nAuthorization: Basic " + Base64(basic_) + "\r\n") == std::string::npos) {
        const char* answer = "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic "
                             "realm=\"talks\"\r\nContent-Length: 0\r\n\r\n";
        send(client, answer, int(strlen(answer)), 0);
        return;
    }
    // "GET <target> HTTP/1.1": a proxy request names the whole URL; both end with our path.
    const size_t first = line.find(' ');
    const size_t second = line.find(' ', first + 1);
    const std::string target = line.substr(first + 1, second - first - 1);
    const bool found = target.size() >= path_.size() &&
                       target.compare(target.size() - path_.size(), path_.size(), path_) == 0;
    if (!redirectFrom_.empty() && target == redirectFrom_) {
        const std::string answer = "HTTP/1.1 302 Found\r\nLocation: " + path_ +
                                   "\r\nContent-Length: 0\r\n\r\n";
        send(client, answer.data(), int(answer.size()), 0);
        return;
    }
    if (!found) {
        const char* answer = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        send(client, answer, int(strlen(answer)), 0);
        return;
    }
    size_t from = 0;
    const size_t range = head.find("\r\nRange: bytes=");
    if (ranges_ && range != std::string::npos) {
        from = std::min<size_t>(std::strtoull(head.c_str() + range + 15, nullptr, 10),
                                body_.size());
    }
    std::string header = from > 0 ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n";
    header += "Content-Type: video/x-ms-wmv\r\n";
    if (ranges_) {
        header += "Accept-Ranges: bytes\r\n";
    }
    if (from > 0) {
        header += "Content-Range: bytes " + std::to_string(from) + "-" +
                  std::to_string(body_.size() - 1) + "/" + std::to_string(body_.size()) + "\r\n";
    }
    if (chunked_) {
        header += "Transfer-Encoding: chunked\r\n";
    } else if (!noLength_) {
        header += "Content-Length: " + std::to_string(body_.size() - from) + "\r\n";
    }
    header += "Connection: close\r\n\r\n";
    if (!SendAll(client, header.data(), header.size())) {
        return;
    }
    // Small pieces with pauses: the header arrives before the data does. Chunks are of odd
    // sizes, so that their framing falls anywhere in the reader's receive buffers.
    constexpr size_t kPiece = 64 * 1024;
    for (size_t sent = from; sent < body_.size() && !stop_; sent += kPiece) {
        if (from == 0 && sent >= holdAfter_) {
            while (!stop_ && WaitForSingleObject(released_, 50) == WAIT_TIMEOUT) {
            }
            holdAfter_ = SIZE_MAX;
        }
        if (sent >= cutAfter_) {
            return;
        }
        const size_t n = std::min(kPiece, body_.size() - sent);
        if (chunked_) {
            for (size_t done = 0; done < n;) {
                const size_t part = std::min<size_t>(n - done, 7919);
                char size[32];
                snprintf(size, sizeof(size), "%zx;piece=1\r\n", part);
                if (!SendAll(client, size, strlen(size)) ||
                    !SendAll(client, body_.data() + sent + done, part) ||
                    !SendAll(client, "\r\n", 2)) {
                    return;
                }
                done += part;
            }
        } else if (!SendAll(client, body_.data() + sent, n)) {
            return;
        }
        Sleep(pauseMs_);
    }
    if (chunked_) {
        SendAll(client, "0\r\nX-Trailer: 1\r\n\r\n", 19);
    }
}

}  // namespace orvane::test
