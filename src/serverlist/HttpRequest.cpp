#include "serverlist/HttpRequest.h"

#include <vector>

namespace Portico {

namespace {

// Content arrives in pieces of at most this size, so a large Content-Length never allocates
// ahead of the bytes that really came.
constexpr uint32_t kReadPiece = 64 * 1024;

} // namespace

HttpRequest::HttpRequest() = default;

HttpRequest::~HttpRequest() {
    CloseHandles();
}

bool HttpRequest::Get(const std::u16string& host, const std::u16string& path, uint16_t port) {
    CloseHandles();
    {
        std::lock_guard<std::recursive_mutex> guard(bodyLock);
        body.Clear();
    }
    contentLength = 0;
    lastModified = 0;
    if (Send(host, path, port))
        return true;
    CloseHandles();
    return false;
}

bool HttpRequest::ReadBody(uint32_t count) {
    if (!handles)
        return false;
    // The system may hand the content over in several pieces: keep reading until the count
    // is reached or the content ends.
    std::vector<unsigned char> data;
    uint32_t total = 0;
    while (total < count) {
        const uint32_t want = count - total < kReadPiece ? count - total : kReadPiece;
        data.resize(size_t(total) + want);
        bool failed = false;
        const uint32_t got = ReadChunk(data.data() + total, want, failed);
        if (failed) {
            CloseHandles();
            return false;
        }
        if (got == 0)
            break;
        total += got;
    }
    if (total == 0)
        return false;
    std::lock_guard<std::recursive_mutex> guard(bodyLock);
    body.Write(data.data(), total);
    return true;
}

} // namespace Portico
