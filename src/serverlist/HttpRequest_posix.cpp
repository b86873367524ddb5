// libcurl behind HttpRequest. The multi interface lets Get stop once the headers are in:
// the first piece of content is refused with a pause and stays with libcurl until ReadBody
// asks for it, as a WinINet request leaves its content unread.
#include "serverlist/HttpRequest.h"

#include "serverlist/HttpTime.h"
#include "utils/Utf.h"

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace Portico {

namespace {

// The system defaults of the Windows build, where a stalled server ends the request too.
constexpr long kConnectTimeoutSeconds = 60;
constexpr long kStallSeconds = 60;
constexpr int kPollMs = 1000;

bool StartsWithNoCase(const char* text, size_t length, const char* prefix) {
    const size_t n = std::strlen(prefix);
    if (length < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The header's value without the name, leading blanks and the line end.
std::string HeaderValue(const char* line, size_t length, size_t nameLength) {
    size_t begin = nameLength;
    while (begin < length && (line[begin] == ' ' || line[begin] == '\t'))
        ++begin;
    size_t end = length;
    while (end > begin && (line[end - 1] == '\r' || line[end - 1] == '\n' || line[end - 1] == ' ' ||
                           line[end - 1] == '\t'))
        --end;
    return std::string(line + begin, end - begin);
}

bool ParseLength(const std::string& text, uint32_t& length) {
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + uint64_t(c - '0');
    }
    if (value > UINT32_MAX)
        return false;
    length = static_cast<uint32_t>(value);
    return true;
}

} // namespace

struct HttpRequest::Handles {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    int status = 0;           // of the response whose headers are coming in
    bool headersDone = false; // the blank line after a final (not 1xx) response's headers
    bool hasLength = false;
    std::string lengthText;
    bool hasModified = false;
    std::string modifiedText;
    bool accepting = false; // ReadBody wants content; otherwise a piece pauses the transfer
    bool paused = false;
    bool done = false; // the transfer ended, with result
    CURLcode result = CURLE_OK;
    std::vector<unsigned char> pending; // content taken from libcurl but not yet read

    ~Handles() {
        if (multi && easy)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }

    static size_t OnHeader(char* line, size_t size, size_t count, void* user) {
        auto* self = static_cast<Handles*>(user);
        const size_t length = size * count;
        if (StartsWithNoCase(line, length, "http/")) {
            // A new response starts: forget the headers of an interim one.
            self->hasLength = self->hasModified = self->headersDone = false;
            const char* space = static_cast<const char*>(std::memchr(line, ' ', length));
            self->status =
                space ? std::atoi(
                            std::string(space + 1, static_cast<const char*>(line) + length).c_str())
                      : 0;
        } else if (StartsWithNoCase(line, length, "content-length:")) {
            self->hasLength = true;
            self->lengthText = HeaderValue(line, length, 15);
        } else if (StartsWithNoCase(line, length, "last-modified:")) {
            self->hasModified = true;
            self->modifiedText = HeaderValue(line, length, 14);
        } else if (HeaderValue(line, length, 0).empty()) {
            self->headersDone = self->status >= 200;
        }
        return length;
    }

    static size_t OnContent(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<Handles*>(user);
        if (!self->accepting) {
            self->paused = true;
            return CURL_WRITEFUNC_PAUSE; // libcurl keeps the piece and offers it again
        }
        const size_t length = size * count;
        self->pending.insert(self->pending.end(), data, data + length);
        return length;
    }

    bool Setup(const std::string& url) {
        static std::once_flag initialised;
        std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
        easy = curl_easy_init();
        multi = curl_multi_init();
        headers = curl_slist_append(nullptr, "Accept-Encoding: none");
        if (!easy || !multi || !headers)
            return false;
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Handles::OnHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Handles::OnContent);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        return curl_multi_add_handle(multi, easy) == CURLM_OK;
    }

    // Runs the transfer until it ends, pauses, has the headers (in the header phase) or
    // holds wanted bytes of content. False when it failed.
    bool Pump(size_t wanted) {
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                return false;
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
                if (message->msg == CURLMSG_DONE) {
                    done = true;
                    result = message->data.result;
                }
            }
            // Content shorter than its announced length is taken as it comes.
            if (done)
                return result == CURLE_OK || result == CURLE_PARTIAL_FILE;
            if (paused || (!accepting && headersDone) || (accepting && pending.size() >= wanted))
                return true;
            if (curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr) != CURLM_OK)
                return false;
        }
    }
};

void HttpRequest::HandlesDeleter::operator()(Handles* handles) const {
    delete handles;
}

bool HttpRequest::Send(const std::u16string& host, const std::u16string& path, uint16_t port) {
    std::string url = "http://" + Utils::Utf::ToUtf8(host);
    if (port != 0)
        url += ":" + std::to_string(port);
    url += Utils::Utf::ToUtf8(path);

    handles.reset(new Handles);
    Handles& h = *handles;
    if (!h.Setup(url) || !h.Pump(0) || !h.headersDone)
        return false;
    if (h.status != 200 || !h.hasLength || !ParseLength(h.lengthText, contentLength))
        return false;
    HttpTime time;
    if (!h.hasModified || !ParseHttpDate(h.modifiedText.data(), h.modifiedText.size(), time))
        return false;
    lastModified = HttpTimeToSeconds(time);
    return true;
}

uint32_t HttpRequest::ReadChunk(unsigned char* buffer, uint32_t count, bool& failed) {
    Handles& h = *handles;
    if (h.pending.size() < count && !h.done) {
        h.accepting = true;
        h.paused = false;
        // Resuming may hand over the refused piece at once.
        const bool resumed = curl_easy_pause(h.easy, CURLPAUSE_CONT) == CURLE_OK;
        const bool pumped = resumed && h.Pump(count);
        h.accepting = false;
        if (!pumped) {
            failed = true;
            return 0;
        }
    }
    const uint32_t n = h.pending.size() < count ? uint32_t(h.pending.size()) : count;
    if (n > 0)
        std::memcpy(buffer, h.pending.data(), n);
    h.pending.erase(h.pending.begin(), h.pending.begin() + n);
    return n;
}

void HttpRequest::CloseHandles() {
    handles.reset();
}

} // namespace Portico
