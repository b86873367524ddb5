// A small HTTP server on 127.0.0.1 for the tests: serves chosen replies by path on its own
// thread, one request per connection, and records what it was asked.
#pragma once

#include "utils/SocketShim.h"
#include "utils/SocketStartup.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace Portico::Test {

struct HttpReply {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers; // sent as given, in order
    std::string body;
    bool sendLength = true; // add Content-Length of the body
    std::string interim;    // sent as given before the reply: interim (1xx) responses
    uint32_t delayMs = 0;   // the reply waits this long, as from a slow server
};

// A 200 reply with Last-Modified.
HttpReply FileReply(const std::string& body, const std::string& lastModified);

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();

    bool Started() const { return port != 0; }
    uint16_t Port() const { return port; }
    // "127.0.0.1:port", the form of the server-list host setting.
    std::string HostAndPort() const;

    // Paths without a reply get 404.
    void Serve(const std::string& path, const HttpReply& reply);
    // Request paths in arrival order.
    std::vector<std::string> Requests() const;
    // Header lines of the last request, as received.
    std::string LastRequestHeaders() const;

private:
    void Run();
    void Answer(Utils::SocketShim::Handle client);
    std::string Respond(const std::string& path);

    Utils::SocketStartup startup;
    Utils::SocketShim::Handle listener = Utils::SocketShim::kNoSocket;
    uint16_t port = 0;
    std::atomic<bool> stopping{false};
    mutable std::recursive_mutex lock; // guards replies, requests and lastHeaders
    std::map<std::string, HttpReply> replies;
    std::vector<std::string> requests;
    std::string lastHeaders;
    std::thread thread;
};

} // namespace Portico::Test
