#include "LoopbackHttpServer.h"

namespace Portico::Test {

namespace {

constexpr int kAcceptWaitMs = 50;
constexpr int kReceiveWaitMs = 5000;
constexpr size_t kMaxRequestBytes = 16 * 1024;

const char* Reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 304:
        return "Not Modified";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

HttpReply FileReply(const std::string& body, const std::string& lastModified) {
    HttpReply reply;
    reply.headers.push_back({"Last-Modified", lastModified});
    reply.body = body;
    return reply;
}

LoopbackHttpServer::LoopbackHttpServer() {
    listener = LoopbackSocket::Listen(port);
    if (Started())
        thread = std::thread(&LoopbackHttpServer::Run, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping = true;
    if (thread.joinable())
        thread.join();
    if (Started())
        LoopbackSocket::Close(listener);
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
        const LoopbackSocket::Handle client = LoopbackSocket::Accept(listener, kAcceptWaitMs);
        if (client != LoopbackSocket::kInvalid) {
            Answer(client);
            LoopbackSocket::Close(client);
        }
    }
}

void LoopbackHttpServer::Answer(LoopbackSocket::Handle client) {
    std::string request;
    char piece[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
        const int n = LoopbackSocket::Receive(client, piece, sizeof(piece), kReceiveWaitMs);
        if (n <= 0)
            return;
        request.append(piece, size_t(n));
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
    LoopbackSocket::SendAll(client, response.data(), response.size());
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
    std::string text = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) +
                       "\r\nConnection: close\r\n";
    for (const auto& header : reply.headers)
        text += header.first + ": " + header.second + "\r\n";
    if (reply.sendLength)
        text += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    return text + "\r\n" + reply.body;
}

} // namespace Portico::Test
