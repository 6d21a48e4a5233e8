// A small HTTP/1.1 server for tests on 127.0.0.1 with a port the system picks. Each connection gets
// one canned answer chosen by the request path (404 when none is set), then is closed. It records
// every request it read so tests can check what was really sent. Routes may be set from any thread.
// Sent an absolute URL it plays a proxy: the answer is still chosen by the URL's path.
#pragma once
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

struct TestResponse {
    enum class Fault {
        None,
        StallBeforeHeaders,  // say nothing until the server stops
        StallInBody,         // send the headers and faultAfter body bytes, then say nothing
        CutShort,            // send the headers and faultAfter body bytes, then close
    };
    int status = 200;
    std::string body;
    uint64_t generatedSize = 0;  // when non-zero, a body of this many pattern bytes (see PatternByte)
    std::string location;        // "Location" header, for redirects
    std::string extraHeader;     // further header lines, each ending in CR LF
    Fault fault = Fault::None;
    uint64_t faultAfter = 0;
    char fill = 0;  // with generatedSize: this byte repeated instead of the pattern, sent as fast as taken
    std::string repeat;  // with generatedSize: these bytes repeated instead of the pattern
    uint64_t bytesPerSecond = 0;  // when non-zero, the body is paced to about this rate
    bool proxyAuth = false;      // a request without Proxy-Authorization gets 407 asking for Basic
};

struct RecordedRequest {
    std::string method;
    std::string target;  // as on the request line (absolute when sent to a proxy)
    std::string path;
    std::string query;   // without "?"
    std::string headers; // the header lines as received
};

// Byte i of a generated body.
inline char PatternByte(uint64_t i) { return static_cast<char>('a' + (i * 7 + i / 251) % 26); }

class TestHttpServer {
public:
    using Socket = uintptr_t;  // a Winsock SOCKET; keeps <winsock2.h> out of test sources
    TestHttpServer() = default;
    ~TestHttpServer() { Stop(); }
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    bool Start();  // false when no socket could be bound
    void Stop();   // ends stalls, closes every connection, joins every thread

    unsigned short Port() const { return m_port; }
    std::string Url(const std::string& pathAndQuery) const;  // "http://127.0.0.1:<port>" + pathAndQuery

    void Route(const std::string& path, const TestResponse& response);
    std::vector<RecordedRequest> Requests() const;

private:
    void AcceptLoop();
    void Serve(Socket client);
    bool SendAll(Socket client, const char* data, size_t size);
    void Stall();

    Socket m_listener = ~Socket(0);  // INVALID_SOCKET
    unsigned short m_port = 0;
    bool m_wsa = false;
    void* m_stopEvent = nullptr;  // owned event; set by Stop to end stalls
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;

    mutable std::mutex m_mutex;  // guards everything below
    std::map<std::string, TestResponse> m_routes;
    std::vector<RecordedRequest> m_requests;
    std::vector<std::thread> m_workers;
    std::vector<Socket> m_clients;
};

}  // namespace test_support
