// What the storage and the server-list cache need from the host: its folder, its language,
// the logged-in account and the current room. The Windows binding asks the host's services;
// tests give fixed answers.
#pragma once

#include <cstdint>
#include <string>

namespace Portico {

struct CurrentRoom {
    uint32_t gameId = 0;
    uint32_t areaId = 0;
};

class HostInfo {
public:
    // The folder of the host executable, with its trailing separator.
    virtual std::u16string HostFolder() = 0;
    // The code of the host's language, "en" for example.
    virtual std::u16string LanguageCode() = 0;
    // The account number of the logged-in user.
    virtual uint32_t MyAccount() = 0;
    // The room the user is in; false when there is none.
    virtual bool GetCurrentRoom(CurrentRoom& room) = 0;

protected:
    ~HostInfo() = default;
};

} // namespace Portico
