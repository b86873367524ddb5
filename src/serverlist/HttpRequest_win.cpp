// WinINet behind HttpRequest.
#include "serverlist/HttpRequest.h"

#include "serverlist/HttpTime.h"
#include "utils/win/WideText.h"

#include <windows.h>
#include <wininet.h>

#include <string>

namespace Portico {

struct HttpRequest::Handles {
    HINTERNET internet = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;

    ~Handles() {
        if (request)
            InternetCloseHandle(request);
        if (connection)
            InternetCloseHandle(connection);
        if (internet)
            InternetCloseHandle(internet);
    }
};

void HttpRequest::HandlesDeleter::operator()(Handles* handles) const {
    delete handles;
}

namespace {

// Longer than any date the header can hold in one of its forms.
constexpr size_t kMaxDateChars = 128;

bool QueryNumber(HINTERNET request, DWORD info, DWORD& value) {
    DWORD size = sizeof(value);
    return HttpQueryInfoW(request, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != 0;
}

// The header as text, read by the same date reader as the other builds: WinINet's own
// conversion to a system time differs between systems in what it accepts, and faults under
// Wine on a malformed date.
bool QueryTime(HINTERNET request, HttpTime& time) {
    wchar_t text[kMaxDateChars];
    DWORD size = sizeof(text);
    if (!HttpQueryInfoW(request, HTTP_QUERY_LAST_MODIFIED, text, &size, nullptr))
        return false;
    const size_t length = size / sizeof(wchar_t);
    std::string narrow(length, '?');
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < 0x80)
            narrow[i] = static_cast<char>(text[i]);
    }
    return ParseHttpDate(narrow.data(), narrow.size(), time);
}

} // namespace

bool HttpRequest::Send(const std::u16string& host, const std::u16string& path, uint16_t port) {
    handles.reset(new Handles);
    Handles& h = *handles;
    h.internet =
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY, nullptr, nullptr, 0);
    if (!h.internet)
        return false;
    // Port 0 is the service's default port.
    h.connection = InternetConnectW(h.internet, Utils::AsWide(host), port, nullptr, nullptr,
                                    INTERNET_SERVICE_HTTP, 0, 1);
    if (!h.connection)
        return false;
    // Flags 0: the system's Internet cache rules apply.
    h.request = HttpOpenRequestW(h.connection, L"GET", Utils::AsWide(path), nullptr, nullptr,
                                 nullptr, 0, 0);
    if (!h.request)
        return false;
    if (!HttpAddRequestHeadersW(h.request, L"Accept-Encoding: none", DWORD(-1),
                                HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE) ||
        !HttpSendRequestW(h.request, nullptr, 0, nullptr, 0))
        return false;
    DWORD status = 0;
    DWORD length = 0;
    if (!QueryNumber(h.request, HTTP_QUERY_STATUS_CODE, status) || status != 200 ||
        !QueryNumber(h.request, HTTP_QUERY_CONTENT_LENGTH, length))
        return false;
    HttpTime time;
    if (!QueryTime(h.request, time))
        return false;
    contentLength = length;
    lastModified = HttpTimeToSeconds(time);
    return true;
}

uint32_t HttpRequest::ReadChunk(unsigned char* buffer, uint32_t count, bool& failed) {
    DWORD read = 0;
    if (!InternetReadFile(handles->request, buffer, count, &read)) {
        failed = true;
        return 0;
    }
    return read;
}

void HttpRequest::CloseHandles() {
    handles.reset();
}

} // namespace Portico
