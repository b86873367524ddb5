// libcurl behind HttpRequest. The multi interface lets Get stop once the headers are in:
// the first piece of content is refused with a pause and stays with libcurl until ReadBody
// asks for it, as a WinINet request leaves its content unread.
#include "serverlist/HttpRequest.h"

#include "serverlist/HttpTime.h"
#include "utils/ParseNumber.h"
#include "utils/Utf.h"

#include <curl/curl.h>

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

// A line of only blanks and its line end: the end of a response's headers.
bool IsBlankLine(const char* line, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
            return false;
    return true;
}

} // namespace

struct HttpRequest::Handles {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    bool headersDone = false; // the blank line after a final (not 1xx) response's headers
    bool accepting = false;   // ReadBody wants content; otherwise a piece pauses the transfer
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

    // Only the end of each response's headers is watched here: an interim (1xx) response's end
    // does not stop the header phase. The headers themselves are read from libcurl afterwards.
    static size_t OnHeader(char* line, size_t size, size_t count, void* user) {
        auto* self = static_cast<Handles*>(user);
        const size_t length = size * count;
        if (IsBlankLine(line, length))
            self->headersDone = self->Status() >= 200;
        return length;
    }

    long Status() const {
        long status = 0;
        return curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK ? status : 0;
    }

    // The final response's header of that name (the last one when it repeats), without its
    // surrounding blanks; null when there is none.
    const char* Header(const char* name) const {
        curl_header* header = nullptr;
        if (curl_easy_header(easy, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK)
            return nullptr;
        const size_t last = header->amount - 1;
        if (last > 0 && curl_easy_header(easy, name, last, CURLH_HEADER, -1, &header) != CURLHE_OK)
            return nullptr;
        return header->value;
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
    const char* length = h.Header("Content-Length");
    if (h.Status() != 200 || !length ||
        !Utils::ParseDecimal(std::string_view(length), contentLength))
        return false;
    const char* modified = h.Header("Last-Modified");
    HttpTime time;
    if (!modified || !ParseHttpDate(modified, std::strlen(modified), time))
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
