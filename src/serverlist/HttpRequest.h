// One-shot HTTP GET in two steps, so that the caller can look at the response's time before
// paying for the body: Get sends the request and checks the status and two headers;
// ReadBody fetches the content only when the caller wants it. WinINet on Windows, libcurl
// elsewhere.
#pragma once

#include "utils/OutStreamT.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace Portico {

class HttpRequest {
public:
    HttpRequest();
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // True when the response is status 200 with Content-Length and Last-Modified and its
    // content is ready to be read; false otherwise, with every handle closed. Port 0 is the
    // default HTTP port.
    bool Get(const std::u16string& host, const std::u16string& path, uint16_t port = 0);
    // Reads up to count bytes of content into the body (a shorter content is taken as it
    // comes). True when at least one byte was read; nothing is appended on failure.
    bool ReadBody(uint32_t count);

    // The two headers of the last successful Get. LastModified is in seconds, read by the
    // local-time rule of HttpTimeToSeconds.
    uint32_t ContentLength() const { return contentLength; }
    int64_t LastModified() const { return lastModified; }
    const Utils::OutStreamT<unsigned char>& Body() const { return body; }

    // Closes whatever is open; harmless when nothing is.
    void CloseHandles();

private:
    struct Handles; // the platform's session, connection and request
    struct HandlesDeleter {
        void operator()(Handles* handles) const;
    };

    // Sends the request and reads the status and headers; the platform's part of Get.
    bool Send(const std::u16string& host, const std::u16string& path, uint16_t port);
    // Reads at most count bytes of content; 0 at its end. Sets failed on an error.
    uint32_t ReadChunk(unsigned char* buffer, uint32_t count, bool& failed);

    std::unique_ptr<Handles, HandlesDeleter> handles;
    uint32_t contentLength = 0;
    int64_t lastModified = 0;
    std::recursive_mutex bodyLock; // guards appends to body
    Utils::OutStreamT<unsigned char> body;
};

} // namespace Portico
