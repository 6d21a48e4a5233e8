#include "tests/support/http/test_http_server.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace test_support {
namespace {

const char* Reason(int status) {
    switch (status) {
        case 200: return "OK";
        case 206: return "Partial Content";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 404: return "Not Found";
        case 407: return "Proxy Authentication Required";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

// Long enough to outlast any client time-out in the tests; Stop ends it at once.
constexpr DWORD kStallMs = 120 * 1000;

RecordedRequest ParseRequest(const std::string& head) {
    RecordedRequest request;
    size_t lineEnd = head.find("\r\n");
    std::string line = head.substr(0, lineEnd);
    request.headers = lineEnd == std::string::npos ? std::string() : head.substr(lineEnd + 2);
    size_t space1 = line.find(' ');
    size_t space2 = line.find(' ', space1 + 1);
    request.method = line.substr(0, space1);
    if (space1 != std::string::npos) request.target = line.substr(space1 + 1, space2 - space1 - 1);
    std::string pathAndQuery = request.target;
    size_t scheme = pathAndQuery.find("://");
    if (scheme != std::string::npos) {
        size_t slash = pathAndQuery.find('/', scheme + 3);
        pathAndQuery = slash == std::string::npos ? "/" : pathAndQuery.substr(slash);
    }
    size_t question = pathAndQuery.find('?');
    request.path = pathAndQuery.substr(0, question);
    if (question != std::string::npos) request.query = pathAndQuery.substr(question + 1);
    return request;
}

}  // namespace

bool TestHttpServer::Start() {
    WSADATA data;
    m_wsa = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!m_wsa) return false;
    m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listener == INVALID_SOCKET) return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listener, SOMAXCONN) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_acceptThread = std::thread(&TestHttpServer::AcceptLoop, this);
    return true;
}

void TestHttpServer::Stop() {
    if (m_stopping.exchange(true)) return;
    if (m_stopEvent) ::SetEvent(m_stopEvent);
    if (m_listener != INVALID_SOCKET) ::closesocket(m_listener);
    if (m_acceptThread.joinable()) m_acceptThread.join();
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (SOCKET client : m_clients) ::shutdown(client, SD_BOTH);
        workers.swap(m_workers);
    }
    for (std::thread& worker : workers) worker.join();
    if (m_stopEvent) ::CloseHandle(m_stopEvent);
    m_stopEvent = nullptr;
    m_listener = INVALID_SOCKET;
    if (m_wsa) ::WSACleanup();
    m_wsa = false;
}

std::string TestHttpServer::Url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + pathAndQuery;
}

void TestHttpServer::Route(const std::string& path, const TestResponse& response) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes[path] = response;
}

std::vector<RecordedRequest> TestHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void TestHttpServer::AcceptLoop() {
    for (;;) {
        SOCKET client = ::accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;  // the listener was closed by Stop
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping) {
            ::closesocket(client);
            return;
        }
        m_clients.push_back(client);
        m_workers.emplace_back(&TestHttpServer::Serve, this, client);
    }
}

bool TestHttpServer::SendAll(Socket client, const char* data, size_t size) {
    while (size > 0) {
        int sent = ::send(client, data, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

void TestHttpServer::Stall() { ::WaitForSingleObject(m_stopEvent, kStallMs); }

void TestHttpServer::Serve(Socket client) {
    std::string head;
    char chunk[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        int got = ::recv(client, chunk, sizeof(chunk), 0);
        if (got <= 0) break;
        head.append(chunk, static_cast<size_t>(got));
    }
    size_t headEnd = head.find("\r\n\r\n");
    if (headEnd != std::string::npos) {
        RecordedRequest request = ParseRequest(head.substr(0, headEnd + 2));
        TestResponse response;
        response.status = 404;
        response.body = "not found";
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(request);
            auto route = m_routes.find(request.path);
            if (route != m_routes.end()) response = route->second;
        }
        if (response.proxyAuth && request.headers.find("Proxy-Authorization:") == std::string::npos) {
            response = TestResponse{407, "proxy credentials needed"};
            response.extraHeader = "Proxy-Authenticate: Basic realm=\"test proxy\"\r\n";
        }

        const uint64_t bodySize = response.generatedSize ? response.generatedSize : response.body.size();
        std::string headers = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) +
                              "\r\nContent-Length: " + std::to_string(bodySize) + "\r\nConnection: close\r\n";
        if (!response.location.empty()) headers += "Location: " + response.location + "\r\n";
        headers += response.extraHeader;
        headers += "\r\n";

        using Fault = TestResponse::Fault;
        const bool faulty = response.fault == Fault::StallInBody || response.fault == Fault::CutShort;
        const uint64_t toSend = faulty ? std::min(response.faultAfter, bodySize) : bodySize;
        if (response.fault == Fault::StallBeforeHeaders) {
            Stall();
        } else if (SendAll(client, headers.data(), headers.size())) {
            std::string block;
            // A paced body goes out in about twenty blocks a second.
            const uint64_t pace = response.bytesPerSecond;
            const uint64_t blockLimit =
                pace ? std::max<uint64_t>(1, std::min<uint64_t>(pace / 20, 256 * 1024)) : 256 * 1024;
            const DWORD startTick = ::GetTickCount();
            for (uint64_t sent = 0; sent < toSend;) {
                const uint64_t dueMs = pace ? sent * 1000 / pace : 0, elapsedMs = ::GetTickCount() - startTick;
                if (dueMs > elapsedMs &&
                    ::WaitForSingleObject(m_stopEvent, static_cast<DWORD>(dueMs - elapsedMs)) == WAIT_OBJECT_0)
                    break;  // the server stops
                size_t size = static_cast<size_t>(std::min<uint64_t>(toSend - sent, blockLimit));
                if (response.generatedSize && response.fill) {
                    block.assign(size, response.fill);
                } else if (response.generatedSize && !response.repeat.empty()) {
                    block.resize(size);
                    for (size_t i = 0; i < size; ++i) block[i] = response.repeat[(sent + i) % response.repeat.size()];
                } else if (response.generatedSize) {
                    block.resize(size);
                    for (size_t i = 0; i < size; ++i) block[i] = PatternByte(sent + i);
                } else {
                    block.assign(response.body, static_cast<size_t>(sent), size);
                }
                if (!SendAll(client, block.data(), block.size())) break;
                sent += size;
            }
            if (response.fault == Fault::StallInBody) Stall();
        }
    }
    ::shutdown(client, SD_SEND);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
    ::closesocket(client);
}

}  // namespace test_support
