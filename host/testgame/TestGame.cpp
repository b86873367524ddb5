// testgame.exe, a stand-in game for the join road's tests: it writes what it was started
// with to a log, exchanges one datagram with the server of its "+connect a.b.c.d:port"
// (loopback only), with "+play a.b.c.d:port" then sends a game's steady traffic to that server
// (as a game that changed server by itself; "+via wsa" sends it with WSASendTo), stays a moment
// and exits. The log is the file
// PORTICO_TESTGAME_LOG names, or testgame.log beside the program; lines are appended, so several
// runs follow each other.
#include "CommandLineWords.h"

#include "utils/AddressText.h"
#include "utils/ParseNumber.h"
#include "utils/Utf.h"

// Winsock 2 before windows.h, which would otherwise bring the old Winsock.
#include <winsock2.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kReplyWaitMs = 3000;
constexpr uint32_t kDefaultStayMs = 1000;
constexpr uint32_t kMaxStayMs = 10000;
constexpr int kPlaySends = 100;
constexpr DWORD kPlayGapMs = 20;

std::wstring LogPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"PORTICO_TESTGAME_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return path;
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"testgame.log";
}

void Log(const std::u16string& line) {
    static const std::wstring path = LogPath();
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = Utils::Utf::ToUtf8(line) + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::u16string Text(const std::string& text) {
    return Utils::Utf::ToUtf16(text);
}

std::u16string Text(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

std::u16string Dotted(uint32_t ip, uint16_t port) {
    return Text(std::to_string(ip >> 24) + "." + std::to_string(ip >> 16 & 0xFF) + "." +
                std::to_string(ip >> 8 & 0xFF) + "." + std::to_string(ip & 0xFF) + ":" +
                std::to_string(port));
}

bool OnLoopback(uint32_t ip, uint16_t port) {
    if (ip >> 24 == 127)
        return true;
    Log(u"refused: " + Dotted(ip, port) + u" is not on loopback");
    return false;
}

sockaddr_in SocketAddress(uint32_t ip, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ip);
    address.sin_port = htons(port);
    return address;
}

// One A2S info request and whatever answers it first.
void Exchange(SOCKET s, uint32_t ip, uint16_t port) {
    sockaddr_in server = SocketAddress(ip, port);
    static const char kQuery[] = "\xFF\xFF\xFF\xFFTSource Engine Query";
    sendto(s, kQuery, sizeof(kQuery), 0, reinterpret_cast<sockaddr*>(&server), sizeof(server));
    Log(u"sent: " + Dotted(ip, port));
    const DWORD wait = kReplyWaitMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof(wait));
    char reply[1400];
    const int n = recv(s, reply, sizeof(reply), 0);
    Log(n > 0 ? u"reply: " + Text(std::to_string(n)) + u" bytes" : u"reply: none");
}

// A game's traffic, through sendto or, with "+via wsa", WSASendTo.
void Play(SOCKET s, uint32_t ip, uint16_t port, bool wsa) {
    sockaddr_in server = SocketAddress(ip, port);
    char move[] = "move";
    WSABUF buffer{sizeof(move), move};
    int sent = 0;
    for (int i = 0; i < kPlaySends; ++i) {
        DWORD bytes = 0;
        const int result =
            wsa ? WSASendTo(s, &buffer, 1, &bytes, 0, reinterpret_cast<sockaddr*>(&server),
                            sizeof(server), nullptr, nullptr)
                : sendto(s, move, sizeof(move), 0, reinterpret_cast<sockaddr*>(&server),
                         sizeof(server));
        sent += result != SOCKET_ERROR;
        Sleep(kPlayGapMs);
    }
    Log(u"played: " + Text(std::to_string(sent)) + u" datagrams to " + Dotted(ip, port));
}

bool FindPlayTarget(const std::vector<std::u16string>& words, uint32_t& ip, uint16_t& port) {
    std::u16string word;
    std::string host;
    return Portico::WordAfter(words, u"+play", word) &&
           Utils::ParseHostPort(Utils::Utf::ToUtf8(word), host, port) && Utils::ParseIPv4(host, ip);
}

uint32_t StayMs(const std::vector<std::u16string>& words) {
    std::u16string word;
    uint32_t ms = kDefaultStayMs;
    if (Portico::WordAfter(words, u"+stay", word))
        Utils::ParseDecimal(Utils::Utf::ToUtf8(word), ms, kMaxStayMs);
    return ms;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Log(u"start: " + Text(std::to_string(GetCurrentProcessId())));
    Log(u"command: " + Text(GetCommandLineW()));
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    Log(u"folder: " + Text(folder));
    Log(GetModuleHandleW(L"Gantry.dll") ? u"hook: 1" : u"hook: 0");
    const std::vector<std::u16string> words =
        Portico::SplitCommandLine(reinterpret_cast<const char16_t*>(GetCommandLineW()));
    std::u16string password;
    if (Portico::WordAfter(words, u"+password", password))
        Log(u"password: " + password);
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    uint32_t ip = 0;
    uint16_t port = 0;
    if (!Portico::FindConnectTarget(words, ip, port))
        Log(u"connect: none");
    else if (OnLoopback(ip, port))
        Exchange(s, ip, port);
    std::u16string via;
    if (FindPlayTarget(words, ip, port) && OnLoopback(ip, port))
        Play(s, ip, port, Portico::WordAfter(words, u"+via", via) && via == u"wsa");
    closesocket(s);
    WSACleanup();
    Sleep(StayMs(words));
    Log(u"exit");
    return 0;
}
