// A host for the storage trials: a given folder, so that the parent and the writers it starts
// use one user's store.
#pragma once

#include "common/HostInfo.h"
#include "storage/StorePaths.h"
#include "utils/Utf.h"

#include <filesystem>
#include <string>

namespace Trials {

class TrialHost : public Portico::HostInfo {
public:
    explicit TrialHost(const std::filesystem::path& folder) : folder(folder) {}

    std::u16string HostFolder() override { return (folder / "").u16string(); }
    std::u16string LanguageCode() override { return u"en"; }
    uint32_t MyAccount() override { return 4242; }
    bool GetCurrentRoom(Portico::CurrentRoom& room) override {
        room = Portico::CurrentRoom();
        return false;
    }

    // The folder that holds fps.dat, and the file itself as the database layer names it.
    std::filesystem::path UserFolder() { return folder / "user" / "4242"; }
    std::string StoreFile() {
        const std::u16string path = Portico::UserStoreFilePath(*this);
        return Utils::Utf::ToUtf8({path.data(), path.size()});
    }

private:
    std::filesystem::path folder;
};

} // namespace Trials
