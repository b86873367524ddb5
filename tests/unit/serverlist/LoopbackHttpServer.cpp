#include "LoopbackHttpServer.h"

#include <chrono>
#include <thread>

namespace Portico::Test {

namespace Shim = Utils::SocketShim;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr uint32_t kAcceptWaitMs = 50;
constexpr uint32_t kReceiveWaitMs = 5000;
constexpr size_t kMaxRequestBytes = 16 * 1024;

const char* Reason(int status) {
    return status == 200   ? "OK"
           : status == 304 ? "Not Modified"
           : status == 404 ? "Not Found"
                           : "Status";
}

} // namespace

HttpReply FileReply(const std::string& body, const std::string& lastModified) {
    HttpReply reply;
    reply.headers.push_back({"Last-Modified", lastModified});
    reply.body = body;
    return reply;
}

LoopbackHttpServer::LoopbackHttpServer() {
    listener = Shim::OpenStream();
    if (listener == Shim::kNoSocket)
        return;
    if (Shim::Bind(listener, kLoopback, 0) == 0 && Shim::Listen(listener) == 0)
        port = Shim::LocalPort(listener);
    if (Started())
        thread = std::thread(&LoopbackHttpServer::Run, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping = true;
    if (thread.joinable())
        thread.join();
    if (listener != Shim::kNoSocket)
        Shim::CloseSocket(listener);
}

std::string LoopbackHttpServer::HostAndPort() const {
    return "127.0.0.1:" + std::to_string(port);
}

void LoopbackHttpServer::Serve(const std::string& path, const HttpReply& reply) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    replies[path] = reply;
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
    std::lock_guard<std::recursive_mutex> guard(lock);
    return requests;
}

std::string LoopbackHttpServer::LastRequestHeaders() const {
    std::lock_guard<std::recursive_mutex> guard(lock);
    return lastHeaders;
}

void LoopbackHttpServer::Run() {
    while (!stopping) {
        if (!Shim::WaitReadable(listener, kAcceptWaitMs))
            continue;
        const Shim::Handle client = Shim::Accept(listener);
        if (client != Shim::kNoSocket) {
            Answer(client);
            Shim::Shutdown(client); // ends the response in order: all of it was sent
            Shim::CloseSocket(client);
        }
    }
}

void LoopbackHttpServer::Answer(Shim::Handle client) {
    std::string request;
    uint8_t piece[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
        if (!Shim::WaitReadable(client, kReceiveWaitMs))
            return;
        const Shim::Received received = Shim::Receive(client, piece, sizeof(piece));
        if (received.outcome == Shim::Outcome::Closed || received.outcome == Shim::Outcome::Error)
            return;
        request.append(reinterpret_cast<const char*>(piece), received.size);
    }
    // "GET /path HTTP/1.1"
    const size_t first = request.find(' ');
    const size_t second = request.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos)
        return;
    const std::string path = request.substr(first + 1, second - first - 1);
    const std::string response = Respond(path);
    {
        std::lock_guard<std::recursive_mutex> guard(lock);
        requests.push_back(path);
        lastHeaders = request.substr(request.find("\r\n") + 2);
    }
    const auto* data = reinterpret_cast<const uint8_t*>(response.data());
    for (size_t sent = 0; sent < response.size();) {
        const int32_t n = Shim::Send(client, data + sent, uint32_t(response.size() - sent));
        if (n <= 0)
            return;
        sent += size_t(n);
    }
}

std::string LoopbackHttpServer::Respond(const std::string& path) {
    HttpReply reply;
    {
        std::lock_guard<std::recursive_mutex> guard(lock);
        auto found = replies.find(path);
        if (found == replies.end())
            reply.status = 404;
        else
            reply = found->second;
    }
    if (reply.delayMs != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
    std::string text = reply.interim + "HTTP/1.1 " + std::to_string(reply.status) + " " +
                       Reason(reply.status) + "\r\nConnection: close\r\n";
    for (const auto& header : reply.headers)
        text += header.first + ": " + header.second + "\r\n";
    if (reply.sendLength)
        text += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    return text + "\r\n" + reply.body;
}

} // namespace Portico::Test
