// Progressive HTTP/1.1 download for the network reader.
#include "platform/wmvcore/WmvHttpSource.h"

#include <ws2tcpip.h>
#include <nserror.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>

namespace orvane::wmv {

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint64_t kMaxBody = 1ull << 30;   // a download held longer than this is refused
constexpr size_t kMaxResponseHead = 64 * 1024;
constexpr int kConnectMs = 10000;   // each below the application's own open limit
constexpr int kHeadMs = 10000;
constexpr int kSilenceMs = 10000;
constexpr int kRoundMs = 100;       // waits poll Abort this often
constexpr int kMaxRedirects = 5;
constexpr int kMaxChallenges = 3;
constexpr uint64_t kLiveWindow = 2u << 20;  // unread bytes of a live stream held at most
constexpr uint64_t kLiveKeep = 1u << 20;    // read bytes kept behind (a partial packet re-read)
constexpr uint64_t kJumpSlack = 256u << 10; // a read this far past the data waits instead

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return s;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string Narrow(const std::wstring& s)
{
    std::string out;
    for (wchar_t c : s) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::string PercentDecoded(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out.push_back(static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// The value of a header field ("" when absent); name in lower case with the colon.
std::string Field(const std::string& head, const char* name)
{
    const std::string lowered = Lower(head);
    const size_t at = lowered.find(std::string("\r\n") + name);
    if (at == std::string::npos) {
        return std::string();
    }
    size_t begin = at + 2 + std::strlen(name);
    while (begin < head.size() && (head[begin] == ' ' || head[begin] == '\t')) {
        ++begin;
    }
    const size_t end = head.find("\r\n", begin);
    return head.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string Realm(const std::string& challenge)
{
    const size_t at = Lower(challenge).find("realm=\"");
    if (at == std::string::npos) {
        return std::string();
    }
    const size_t end = challenge.find('"', at + 7);
    return challenge.substr(at + 7, end == std::string::npos ? std::string::npos : end - at - 7);
}

bool WaitSocket(SOCKET s, bool write, int ms)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval round = {ms / 1000, (ms % 1000) * 1000};
    const int n = select(0, write ? nullptr : &set, write ? &set : nullptr, &failed, &round);
    return n > 0;
}

}  // namespace

HRESULT WmvHttpSource::ParseUrl(const std::wstring& url, WmvHttpUrl* out)
{
    const std::string u = Narrow(url);
    const std::string lowered = Lower(u.substr(0, 7));
    size_t start = 0;
    unsigned defaultPort = 80;
    if (lowered == "http://") {
        start = 7;
    } else if (lowered.substr(0, 6) == "mms://") {
        // The protocol rollover cut to its last step: HTTP on the URL's port, else 80.
        start = 6;
    } else {
        return NS_E_UNKNOWN_PROTOCOL;
    }
    WmvHttpUrl parsed;
    size_t slash = u.find_first_of("/?#", start);
    if (slash == std::string::npos) {
        slash = u.size();
    }
    std::string authority = u.substr(start, slash - start);
    parsed.path = slash < u.size() ? u.substr(slash) : "/";
    if (parsed.path[0] != '/') {
        parsed.path.insert(parsed.path.begin(), '/');
    }
    const size_t hash = parsed.path.find('#');
    if (hash != std::string::npos) {
        parsed.path.resize(hash);
    }
    const size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string info = authority.substr(0, at);
        authority = authority.substr(at + 1);
        const size_t colon = info.find(':');
        parsed.hasCredentials = true;
        parsed.user = PercentDecoded(info.substr(0, colon));
        parsed.password = colon == std::string::npos ? std::string()
                                                     : PercentDecoded(info.substr(colon + 1));
    }
    parsed.port = defaultPort;
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos) {
        const std::string digits = authority.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return NS_E_INVALID_NAME;
        }
        parsed.port = static_cast<unsigned>(std::stoul(digits));
        authority.resize(colon);
    }
    parsed.host = authority;
    if (parsed.host.empty() || parsed.port == 0 || parsed.port > 65535 ||
        parsed.host.find_first_of(" \t\r\n/\\") != std::string::npos ||
        parsed.path.find_first_of(" \t\r\n") != std::string::npos) {
        return NS_E_INVALID_NAME;
    }
    *out = std::move(parsed);
    return S_OK;
}

std::string WmvHttpSource::Base64(const std::string& text)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < text.size(); i += 3) {
        const uint32_t v = (uint8_t(text[i]) << 16) | (uint8_t(text[i + 1]) << 8) |
                           uint8_t(text[i + 2]);
        out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], kDigits[(v >> 6) & 63],
                kDigits[v & 63]};
    }
    if (i + 1 == text.size()) {
        const uint32_t v = uint8_t(text[i]) << 16;
        out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == text.size()) {
        const uint32_t v = (uint8_t(text[i]) << 16) | (uint8_t(text[i + 1]) << 8);
        out += {kDigits[v >> 18], kDigits[(v >> 12) & 63], kDigits[(v >> 6) & 63], '='};
    }
    return out;
}

WmvHttpSource::~WmvHttpSource()
{
    Abort();
    if (thread_.joinable()) {
        thread_.join();
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
    changed_.notify_all();
}

bool WmvHttpSource::Cancelled() const
{
    return aborted_ || (options_.cancel && options_.cancel->load());
}

HRESULT WmvHttpSource::Connect(const std::string& host, unsigned port, SOCKET* out)
{
    *out = INVALID_SOCKET;
    const bool viaProxy = !options_.proxy.host.empty();
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return viaProxy ? NS_E_PROXY_NOT_FOUND : NS_E_SERVER_NOT_FOUND;
    }
    SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    if (s == INVALID_SOCKET) {
        freeaddrinfo(found);
        return NS_E_CONNECTION_FAILURE;
    }
    // Non-blocking throughout: every wait below is a select in short rounds.
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    const int rc = connect(s, found->ai_addr, int(found->ai_addrlen));
    freeaddrinfo(found);
    if (rc != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
        closesocket(s);
        return NS_E_CONNECTION_FAILURE;
    }
    if (rc != 0) {
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kConnectMs);
        for (;;) {
            if (Cancelled()) {
                closesocket(s);
                return E_ABORT;
            }
            if (WaitSocket(s, true, kRoundMs)) {
                break;
            }
            if (Clock::now() >= deadline) {
                closesocket(s);
                return NS_E_CONNECT_TIMEOUT;
            }
        }
        int error = 0;
        int length = sizeof(error);
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        if (error != 0) {
            closesocket(s);
            return NS_E_CONNECTION_FAILURE;
        }
    }
    *out = s;
    return S_OK;
}

HRESULT WmvHttpSource::Exchange(const std::string& request, SOCKET s, Response* response)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kHeadMs);
    for (size_t sent = 0; sent < request.size();) {
        if (Cancelled()) {
            return E_ABORT;
        }
        const int n = send(s, request.data() + sent, int(request.size() - sent), 0);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK || Clock::now() >= deadline) {
            return NS_E_CONNECTION_FAILURE;
        }
        WaitSocket(s, true, kRoundMs);
    }
    std::vector<char> received;
    size_t headEnd = std::string::npos;
    char chunk[4096];
    while (headEnd == std::string::npos) {
        if (Cancelled()) {
            return E_ABORT;
        }
        if (!WaitSocket(s, false, kRoundMs)) {
            if (Clock::now() >= deadline) {
                return NS_E_TIMEOUT;
            }
            continue;
        }
        const int n = recv(s, chunk, sizeof(chunk), 0);
        if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) {
            continue;
        }
        if (n <= 0) {
            return NS_E_NET_READ;
        }
        received.insert(received.end(), chunk, chunk + n);
        headEnd = std::string_view(received.data(), received.size()).find("\r\n\r\n");
        if (headEnd == std::string::npos && received.size() > kMaxResponseHead) {
            return NS_E_INVALID_DATA;
        }
    }
    // Two CRLFs kept so that every field, the last too, ends with one.
    response->head.assign(received.data(), headEnd + 2);
    response->rest.assign(received.begin() + headEnd + 4, received.end());
    if (std::sscanf(response->head.c_str(), "HTTP/%*d.%*d %d", &response->status) != 1) {
        return NS_E_INVALID_DATA;
    }
    return S_OK;
}

HRESULT WmvHttpSource::Fetch(uint64_t from, SOCKET* out, Response* response)
{
    *out = INVALID_SOCKET;
    int redirects = 0;
    int serverChallenges = 0;
    int proxyChallenges = 0;
    for (;;) {
        const bool viaProxy = !options_.proxy.host.empty();
        const std::string hostField =
            url_.host + (url_.port != 80 ? ":" + std::to_string(url_.port) : std::string());
        // A proxy gets the absolute URL (never with the user's password); a server the path.
        const std::string target = viaProxy ? "http://" + hostField + url_.path : url_.path;
        const std::string line = "GET " + target + " HTTP/1.1";
        if (line.size() > kMaxRequestLine) {
            return NS_E_INVALID_NAME;
        }
        std::string request = line + "\r\nHost: " + hostField +
                              "\r\nUser-Agent: NSPlayer/12.0\r\nAccept: */*\r\n";
        if (from > 0) {
            request += "Range: bytes=" + std::to_string(from) + "-\r\n";
        }
        if (!serverAuth_.empty()) {
            request += "Authorization: " + serverAuth_ + "\r\n";
        }
        if (viaProxy && !proxyAuth_.empty()) {
            request += "Proxy-Authorization: " + proxyAuth_ + "\r\n";
        }
        request += "Connection: close\r\n\r\n";

        SOCKET s = INVALID_SOCKET;
        HRESULT hr = viaProxy ? Connect(Narrow(options_.proxy.host), options_.proxy.port, &s)
                              : Connect(url_.host, url_.port, &s);
        if (FAILED(hr)) {
            return hr;
        }
        hr = Exchange(request, s, response);
        if (FAILED(hr)) {
            closesocket(s);
            return hr;
        }
        const int status = response->status;
        if (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) {
            closesocket(s);
            const std::string location = Field(response->head, "location:");
            if (location.empty() || ++redirects > kMaxRedirects) {
                return NS_E_NETWORK_RESOURCE_FAILURE;
            }
            if (location[0] == '/') {
                url_.path = location;
            } else {
                WmvHttpUrl next;
                if (FAILED(ParseUrl(Widen(location), &next))) {
                    return NS_E_NETWORK_RESOURCE_FAILURE;
                }
                if (next.host != url_.host || next.port != url_.port) {
                    serverAuth_.clear();  // credentials stay with the server they were for
                }
                if (next.hasCredentials) {
                    serverAuth_ = "Basic " + Base64(next.user + ":" + next.password);
                }
                url_ = next;
            }
            continue;
        }
        if (status == 401 || status == 407) {
            closesocket(s);
            // Some proxies refuse wrong credentials with 401 under their own realm.
            const std::string realm =
                Realm(Field(response->head, status == 407 ? "proxy-authenticate:"
                                                          : "www-authenticate:"));
            const bool proxy = status == 407 || (viaProxy && !proxyAuth_.empty() &&
                                                 !proxyRealm_.empty() && realm == proxyRealm_);
            if (status == 407) {
                proxyRealm_ = realm;
            }
            int& challenges = proxy ? proxyChallenges : serverChallenges;
            const HRESULT denied = proxy ? NS_E_PROXY_ACCESSDENIED : E_ACCESSDENIED;
            if (++challenges > kMaxChallenges || !options_.credentials) {
                return denied;
            }
            const std::string challenge = Field(
                response->head, status == 407 ? "proxy-authenticate:" : "www-authenticate:");
            if (Lower(challenge).rfind("basic", 0) != 0) {
                return denied;  // only Basic is spoken here
            }
            std::wstring user = Widen(proxy ? std::string() : url_.user);
            std::wstring password;
            const std::wstring site =
                Widen(proxy ? Narrow(options_.proxy.host) : url_.host);
            if (!options_.credentials(proxy, Widen(Realm(challenge)), site, &user, &password)) {
                return denied;
            }
            const std::string basic = "Basic " + Base64(Narrow(user) + ":" + Narrow(password));
            (proxy ? proxyAuth_ : serverAuth_) = basic;
            continue;
        }
        *out = s;
        return S_OK;
    }
}

HRESULT WmvHttpSource::Begin(SOCKET s, const Response& response, uint64_t from)
{
    const int status = response.status;
    HRESULT hr = S_OK;
    if (status == 404 || status == 410) {
        hr = NS_E_FILE_NOT_FOUND;
    } else if (status == 403) {
        hr = E_ACCESSDENIED;
    } else if (status != 200 && status != 206) {
        hr = NS_E_NETWORK_RESOURCE_FAILURE;
    }
    const std::string encoding = Lower(Field(response.head, "transfer-encoding:"));
    const bool chunked = encoding.find("chunked") != std::string::npos;
    if (SUCCEEDED(hr) && !chunked && !encoding.empty() && encoding != "identity") {
        hr = NS_E_INVALID_DATA;  // gzip and friends are never asked for
    }
    uint64_t total = UINT64_MAX;
    uint64_t skip = 0;
    bool ranges = rangesGranted_;
    const std::string length = Field(response.head, "content-length:");
    const uint64_t bodyLength =
        length.empty() || chunked ? UINT64_MAX : std::strtoull(length.c_str(), nullptr, 10);
    if (SUCCEEDED(hr) && status == 206) {
        unsigned long long first = 0;
        unsigned long long last = 0;
        unsigned long long whole = 0;
        const std::string range = Lower(Field(response.head, "content-range:"));
        if (std::sscanf(range.c_str(), "bytes %llu-%llu/%llu", &first, &last, &whole) != 3 ||
            first != from) {
            hr = NS_E_INVALID_DATA;
        }
        total = whole;
    } else if (SUCCEEDED(hr)) {
        total = bodyLength;
        skip = from;  // the whole body again: what lies before the offset is dropped
        if (from == 0) {
            ranges = Lower(Field(response.head, "accept-ranges:")).find("bytes") !=
                     std::string::npos;
        } else {
            ranges = false;  // asked for a range, got everything
        }
    }
    if (FAILED(hr)) {
        closesocket(s);
        return hr;
    }
    StopReceiver();
    {
        std::lock_guard<std::mutex> hold(lock_);
        body_.clear();
        if (total != UINT64_MAX && total - std::min(total, from) <= kMaxBody) {
            body_.reserve(static_cast<size_t>(std::min<uint64_t>(total - from, 64u << 20)));
        }
        base_ = from;
        readPos_ = from;
        skip_ = skip;
        total_ = total;
        rangesGranted_ = ranges;
        done_ = false;
        failure_ = S_OK;
        chunked_ = chunked;
        chunks_ = WmvChunkedDecoder();
    }
    try {
        thread_ = std::thread(&WmvHttpSource::Receive, this, s, response.rest);
    } catch (...) {
        closesocket(s);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT WmvHttpSource::Open(const std::wstring& url, const WmvNetOptions& options)
{
    options_ = options;
    HRESULT hr = ParseUrl(url, &url_);
    if (FAILED(hr)) {
        return hr;
    }
    if (url_.hasCredentials) {
        serverAuth_ = "Basic " + Base64(url_.user + ":" + url_.password);
    }
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
        return NS_E_CONNECTION_FAILURE;
    }
    wsa_ = true;
    SOCKET s = INVALID_SOCKET;
    Response response;
    hr = Fetch(0, &s, &response);
    if (FAILED(hr)) {
        return hr;
    }
    return Begin(s, response, 0);
}

void WmvHttpSource::StopReceiver()
{
    if (thread_.joinable()) {
        stopReceiver_ = true;
        changed_.notify_all();
        thread_.join();
        stopReceiver_ = false;
    }
}

HRESULT WmvHttpSource::Reposition(uint64_t offset)
{
    StopReceiver();
    SOCKET s = INVALID_SOCKET;
    Response response;
    bool ranges = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        ranges = rangesGranted_;
    }
    HRESULT hr = Fetch(ranges ? offset : 0, &s, &response);
    if (SUCCEEDED(hr)) {
        hr = Begin(s, response, offset);
    }
    if (FAILED(hr)) {
        std::lock_guard<std::mutex> hold(lock_);
        done_ = true;
        failure_ = hr;
    }
    changed_.notify_all();
    return hr;
}

void WmvHttpSource::SetLive()
{
    std::lock_guard<std::mutex> hold(lock_);
    live_ = true;
}

bool WmvHttpSource::Append(const uint8_t* data, size_t size)
{
    if (skip_ > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(skip_, size));
        skip_ -= n;
        data += n;
        size -= n;
    }
    if (size == 0) {
        return true;
    }
    if (live_ && readPos_ > base_ + 2 * kLiveKeep) {
        // Drop what was read, but keep a packet's worth: a partial packet is read again.
        const size_t drop = static_cast<size_t>(readPos_ - kLiveKeep - base_);
        body_.erase(body_.begin(), body_.begin() + static_cast<std::ptrdiff_t>(drop));
        base_ += drop;
    }
    if (body_.size() + size > kMaxBody) {
        return false;
    }
    try {
        body_.insert(body_.end(), data, data + size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void WmvHttpSource::Receive(SOCKET s, std::vector<char> initial)
{
    std::vector<char> chunk(std::max<size_t>(64 * 1024, initial.size()));
    std::vector<uint8_t> decoded;
    Clock::time_point lastData = Clock::now();
    bool first = true;
    for (;;) {
        int n = 0;
        if (first) {
            first = false;
            n = static_cast<int>(initial.size());
            std::copy(initial.begin(), initial.end(), chunk.begin());
            if (n == 0) {
                continue;
            }
        } else {
            {
                std::unique_lock<std::mutex> hold(lock_);
                if (aborted_ || stopReceiver_) {
                    break;
                }
                // A live stream read slower than it is sent: stop reading, so that TCP flow
                // control holds the sender back.
                if (live_ && base_ + body_.size() >= readPos_ + kLiveWindow) {
                    changed_.wait_for(hold, std::chrono::milliseconds(kRoundMs));
                    lastData = Clock::now();
                    continue;
                }
            }
            if (!WaitSocket(s, false, kRoundMs)) {
                if (Clock::now() - lastData > std::chrono::milliseconds(kSilenceMs)) {
                    std::lock_guard<std::mutex> hold(lock_);
                    failure_ = NS_E_TIMEOUT;
                    done_ = true;
                    break;
                }
                continue;
            }
            n = recv(s, chunk.data(), int(chunk.size()), 0);
            if (n < 0 && WSAGetLastError() == WSAEWOULDBLOCK) {
                continue;
            }
        }
        std::lock_guard<std::mutex> hold(lock_);
        if (aborted_ || stopReceiver_) {
            break;
        }
        const uint64_t end = base_ + body_.size();
        if (n <= 0) {
            // The connection ended: complete unless a length or the chunks said otherwise.
            const bool shortBody = (total_ != UINT64_MAX && end + skip_ < total_) ||
                                   (chunked_ && !chunks_.Finished());
            failure_ = n < 0 || shortBody ? NS_E_NET_READ : S_OK;
            done_ = true;
            break;
        }
        lastData = Clock::now();
        bool ok = true;
        if (chunked_) {
            decoded.clear();
            ok = chunks_.Feed(chunk.data(), size_t(n), &decoded) &&
                 Append(decoded.data(), decoded.size());
        } else {
            ok = Append(reinterpret_cast<const uint8_t*>(chunk.data()), size_t(n));
        }
        if (!ok) {
            failure_ = chunked_ ? NS_E_INVALID_DATA : E_OUTOFMEMORY;
            done_ = true;
            break;
        }
        if (total_ != UINT64_MAX && base_ + body_.size() >= total_) {
            body_.resize(static_cast<size_t>(total_ - base_));
            done_ = true;
            break;
        }
        if (chunked_ && chunks_.Finished()) {
            done_ = true;
            break;
        }
        changed_.notify_all();
    }
    closesocket(s);
    changed_.notify_all();
}

asf::AsfError WmvHttpSource::ReadAt(uint64_t offset, void* buffer, size_t size, size_t* got)
{
    *got = 0;
    std::unique_lock<std::mutex> hold(lock_);
    int moves = 0;
    for (;;) {
        if (aborted_) {
            return asf::AsfError::kAborted;
        }
        const uint64_t end = base_ + body_.size();
        // A command waits: a read that would wait (also for the rest of a buffer) gives up.
        if (interrupt_ != nullptr && interrupt_->load() &&
            (buffering_ || !(offset >= base_ && offset < end))) {
            if (buffering_) {
                buffering_ = false;
                const std::function<void(bool)> hook = bufferingHook_;
                hold.unlock();
                if (hook) {
                    hook(false);
                }
            }
            return asf::AsfError::kAborted;
        }
        if (buffering_) {
            // Delivery waits for a buffer's worth of bytes, not just the next ones.
            if (done_ || end >= bufferGoal_ || offset < base_) {
                buffering_ = false;
                const std::function<void(bool)> hook = bufferingHook_;
                hold.unlock();
                if (hook) {
                    hook(false);
                }
                hold.lock();
                continue;
            }
            changed_.wait_for(hold, std::chrono::milliseconds(kRoundMs), [&] {
                return aborted_ || done_ || base_ + body_.size() >= bufferGoal_ ||
                       (interrupt_ != nullptr && interrupt_->load());
            });
            continue;
        }
        if (offset >= base_ && offset < end) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(size, end - offset));
            std::memcpy(buffer, body_.data() + (offset - base_), n);
            *got = n;
            readPos_ = live_ ? offset + n : std::max(readPos_, offset + n);
            changed_.notify_all();
            return asf::AsfError::kOk;
        }
        if (total_ != UINT64_MAX && offset >= total_) {
            return asf::AsfError::kOk;  // the end
        }
        // Behind the kept bytes, or (with ranges) far past them: ask from there.
        const bool jump = offset < base_ || (rangesGranted_ && offset > end + kJumpSlack);
        if (jump && !live_) {
            if (++moves > 2) {
                return asf::AsfError::kReadFailed;
            }
            hold.unlock();
            const HRESULT hr = Reposition(offset);
            hold.lock();
            if (aborted_) {
                return asf::AsfError::kAborted;
            }
            if (FAILED(hr)) {
                return asf::AsfError::kReadFailed;
            }
            continue;
        }
        if (offset < base_) {
            return asf::AsfError::kReadFailed;  // a live stream's bytes are gone
        }
        if (done_) {
            return failure_ != S_OK ? asf::AsfError::kReadFailed : asf::AsfError::kOk;
        }
        if (bufferBytes_ > 0 && bufferingHook_) {
            buffering_ = true;
            bufferFrom_ = end;
            bufferGoal_ = offset + bufferBytes_;
            if (total_ != UINT64_MAX) {
                bufferGoal_ = std::min(bufferGoal_, total_);
            }
            if (live_) {
                bufferGoal_ = std::min(bufferGoal_, readPos_ + kLiveWindow);
            }
            bufferGoal_ = std::max(bufferGoal_, offset + 1);
            const std::function<void(bool)> hook = bufferingHook_;
            hold.unlock();
            hook(true);
            hold.lock();
            continue;
        }
        changed_.wait_for(hold, std::chrono::milliseconds(kRoundMs), [&] {
            return aborted_ || done_ || base_ + body_.size() > offset || offset < base_ ||
                   (interrupt_ != nullptr && interrupt_->load());
        });
    }
}

void WmvHttpSource::SetBuffering(uint64_t bytes, uint64_t bytesPerSecond,
                                 std::function<void(bool)> hook)
{
    std::lock_guard<std::mutex> hold(lock_);
    bufferBytes_ = bytes;
    bytesPerSecond_ = bytesPerSecond;
    bufferingHook_ = std::move(hook);
}

void WmvHttpSource::StopBuffering()
{
    std::lock_guard<std::mutex> hold(lock_);
    bufferBytes_ = 0;
    bufferingHook_ = nullptr;
    buffering_ = false;
    interrupt_ = nullptr;
}

void WmvHttpSource::SetInterrupt(const std::atomic<bool>* flag)
{
    std::lock_guard<std::mutex> hold(lock_);
    interrupt_ = flag;
}

void WmvHttpSource::BufferProgress(unsigned* percent, uint64_t* remaining) const
{
    std::lock_guard<std::mutex> hold(lock_);
    *percent = 100;
    *remaining = 0;
    if (!buffering_ || bufferGoal_ <= bufferFrom_) {
        return;
    }
    const uint64_t end = base_ + body_.size();
    const uint64_t have = end > bufferFrom_ ? end - bufferFrom_ : 0;
    const uint64_t need = bufferGoal_ - bufferFrom_;
    *percent = static_cast<unsigned>(std::min<uint64_t>(99, have * 100 / need));
    if (bytesPerSecond_ > 0 && bufferGoal_ > end) {
        *remaining = (bufferGoal_ - end) * 10000000 / bytesPerSecond_;
    }
}

HRESULT WmvHttpSource::Failure() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return failure_;
}

void WmvHttpSource::Progress(uint64_t* bytes, unsigned* percent) const
{
    std::lock_guard<std::mutex> hold(lock_);
    const uint64_t end = base_ + body_.size();
    *bytes = end;
    if (done_ && failure_ == S_OK) {
        *percent = 100;
    } else if (total_ != UINT64_MAX && total_ > 0) {
        *percent = static_cast<unsigned>(std::min<uint64_t>(100, end * 100 / total_));
    } else {
        *percent = 0;
    }
}

bool WmvHttpSource::KnownSize(uint64_t* size) const
{
    std::lock_guard<std::mutex> hold(lock_);
    if (total_ != UINT64_MAX) {
        *size = total_;
        return true;
    }
    if (done_ && failure_ == S_OK) {
        *size = base_ + body_.size();
        return true;
    }
    return false;
}

bool WmvHttpSource::CanJump() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return rangesGranted_ && total_ != UINT64_MAX && !live_;
}

}  // namespace orvane::wmv
