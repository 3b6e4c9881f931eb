// Progressive HTTP/1.1 download for the network reader.
#include "WmvHttpSource.h"

#include <ws2tcpip.h>
#include <nserror.h>

#include <algorithm>
#include <cstring>

namespace orvane::wmv {

namespace {

constexpr uint64_t kMaxBody = 1ull << 30;   // a presentation larger than this is refused
constexpr size_t kMaxResponseHead = 64 * 1024;
constexpr DWORD kReceiveTimeoutMs = 30000;

std::string Narrow(const std::wstring& s)
{
    std::string out;
    for (wchar_t c : s) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return s;
}

}  // namespace

bool WmvHttpSource::ParseUrl(const std::wstring& url, std::string* host, unsigned* port,
                             std::string* path)
{
    const std::string u = Narrow(url);
    if (Lower(u.substr(0, 7)) != "http://") {
        return false;
    }
    const size_t start = 7;
    size_t slash = u.find('/', start);
    if (slash == std::string::npos) {
        slash = u.size();
    }
    std::string hostPort = u.substr(start, slash - start);
    *path = slash < u.size() ? u.substr(slash) : "/";
    *port = 80;
    const size_t colon = hostPort.rfind(':');
    if (colon != std::string::npos) {
        const std::string digits = hostPort.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        *port = static_cast<unsigned>(std::stoul(digits));
        hostPort.resize(colon);
    }
    *host = hostPort;
    return !host->empty() && *port > 0 && *port < 65536;
}

WmvHttpSource::~WmvHttpSource()
{
    Abort();
    if (thread_.joinable()) {
        thread_.join();
    }
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
    }
    if (wsa_) {
        WSACleanup();
    }
}

void WmvHttpSource::Abort()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        aborted_ = true;
    }
    arrived_.notify_all();
    if (socket_ != INVALID_SOCKET) {
        shutdown(socket_, SD_BOTH);
    }
}

HRESULT WmvHttpSource::Open(const std::wstring& url, const std::wstring& proxyHost,
                            DWORD proxyPort)
{
    std::string host;
    std::string path;
    unsigned port = 0;
    if (!ParseUrl(url, &host, &port, &path)) {
        return NS_E_INVALID_NAME;
    }
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
        return NS_E_CONNECTION_FAILURE;
    }
    wsa_ = true;
    const bool viaProxy = !proxyHost.empty();
    const std::string connectHost = viaProxy ? Narrow(proxyHost) : host;
    const unsigned connectPort = viaProxy ? proxyPort : port;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(connectHost.c_str(), std::to_string(connectPort).c_str(), &hints, &found) !=
        0) {
        return viaProxy ? NS_E_PROXY_NOT_FOUND : NS_E_SERVER_NOT_FOUND;
    }
    socket_ = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    // A server that stops sending must not hold the reader's thread forever.
    const DWORD timeoutMs = kReceiveTimeoutMs;
    if (socket_ != INVALID_SOCKET) {
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
                   sizeof(timeoutMs));
    }
    const bool connected = socket_ != INVALID_SOCKET &&
                           connect(socket_, found->ai_addr, int(found->ai_addrlen)) == 0;
    freeaddrinfo(found);
    if (!connected) {
        return NS_E_CONNECTION_FAILURE;
    }
    // A proxy gets the absolute URL; a server the path.
    const std::string target = viaProxy ? Narrow(url) : path;
    std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + host +
                          (port != 80 ? ":" + std::to_string(port) : std::string()) +
                          "\r\nUser-Agent: NSPlayer/12.0\r\nAccept: */*\r\n"
                          "Connection: close\r\n\r\n";
    for (size_t sent = 0; sent < request.size();) {
        const int n = send(socket_, request.data() + sent, int(request.size() - sent), 0);
        if (n <= 0) {
            return NS_E_CONNECTION_FAILURE;
        }
        sent += size_t(n);
    }
    // Response head.
    std::vector<char> head;
    size_t headEnd = std::string::npos;
    char chunk[4096];
    while (headEnd == std::string::npos) {
        const int n = recv(socket_, chunk, sizeof(chunk), 0);
        if (n <= 0) {
            return NS_E_NET_READ;
        }
        head.insert(head.end(), chunk, chunk + n);
        const std::string_view view(head.data(), head.size());
        headEnd = view.find("\r\n\r\n");
        if (headEnd == std::string::npos && head.size() > kMaxResponseHead) {
            return NS_E_INVALID_DATA;
        }
    }
    const std::string headText(head.data(), headEnd);
    std::vector<char> rest(head.begin() + headEnd + 4, head.end());
    int status = 0;
    if (std::sscanf(headText.c_str(), "HTTP/%*d.%*d %d", &status) != 1) {
        return NS_E_INVALID_DATA;
    }
    if (status == 404 || status == 410) {
        return NS_E_FILE_NOT_FOUND;
    }
    if (status == 401 || status == 403 || status == 407) {
        return E_ACCESSDENIED;
    }
    if (status != 200) {
        return NS_E_NETWORK_RESOURCE_FAILURE;
    }
    const std::string lowered = Lower(headText);
    if (lowered.find("transfer-encoding: chunked") != std::string::npos) {
        return NS_E_INVALID_DATA;  // we ask with Connection: close; servers answer plainly
    }
    const size_t cl = lowered.find("\r\ncontent-length:");
    if (cl != std::string::npos) {
        const unsigned long long n = std::strtoull(lowered.c_str() + cl + 17, nullptr, 10);
        if (n > kMaxBody) {
            return E_OUTOFMEMORY;
        }
        contentLength_ = n;
        body_.reserve(static_cast<size_t>(n));
    }
    thread_ = std::thread(&WmvHttpSource::Receive, this, std::move(rest));
    return S_OK;
}

void WmvHttpSource::Receive(std::vector<char> initial)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        body_.insert(body_.end(), initial.begin(), initial.end());  // within the reserve
    }
    arrived_.notify_all();
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        // Wait in short rounds: a blocked recv does not always return when another thread
        // shuts the socket down, and Abort must end this thread promptly.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval round = {0, 100000};
        const int ready = select(0, &readable, nullptr, nullptr, &round);
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (aborted_) {
                done_ = true;
                break;
            }
        }
        if (ready == 0) {
            continue;
        }
        const int n = ready < 0 ? -1 : recv(socket_, chunk.data(), int(chunk.size()), 0);
        std::lock_guard<std::mutex> hold(lock_);
        if (n <= 0 || aborted_) {
            failed_ = n < 0 || (contentLength_ != UINT64_MAX && body_.size() < contentLength_);
            done_ = true;
            break;
        }
        if (body_.size() + size_t(n) > kMaxBody) {
            failed_ = true;
            done_ = true;
            break;
        }
        try {
            body_.insert(body_.end(), chunk.data(), chunk.data() + n);
        } catch (const std::bad_alloc&) {
            failed_ = true;
            done_ = true;
            break;
        }
        if (contentLength_ != UINT64_MAX && body_.size() >= contentLength_) {
            body_.resize(static_cast<size_t>(contentLength_));
            done_ = true;
            break;
        }
        arrived_.notify_all();
    }
    arrived_.notify_all();
}

asf::AsfError WmvHttpSource::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got)
{
    *got = 0;
    std::unique_lock<std::mutex> hold(lock_);
    // Whatever has arrived at the offset is returned at once: the parser reads progressively.
    arrived_.wait(hold, [&] { return aborted_ || done_ || body_.size() > offset; });
    if (aborted_) {
        return asf::AsfError::kAborted;
    }
    if (offset >= body_.size()) {
        return failed_ ? asf::AsfError::kReadFailed : asf::AsfError::kOk;
    }
    const size_t n = static_cast<size_t>(std::min<uint64_t>(size, body_.size() - offset));
    std::memcpy(buffer, body_.data() + offset, n);
    *got = n;
    return asf::AsfError::kOk;
}

void WmvHttpSource::Progress(uint64_t* bytes, unsigned* percent) const
{
    std::lock_guard<std::mutex> hold(lock_);
    *bytes = body_.size();
    if (done_) {
        *percent = 100;
    } else if (contentLength_ != UINT64_MAX && contentLength_ > 0) {
        *percent = static_cast<unsigned>(body_.size() * 100 / contentLength_);
    } else {
        *percent = 0;
    }
}

bool WmvHttpSource::KnownSize(uint64_t* size) const
{
    std::lock_guard<std::mutex> hold(lock_);
    if (contentLength_ != UINT64_MAX) {
        *size = contentLength_;
        return true;
    }
    if (done_) {
        *size = body_.size();
        return true;
    }
    return false;
}

}  // namespace orvane::wmv
