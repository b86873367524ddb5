#include "storage/StorePaths.h"

#include <filesystem>
#include <system_error>

namespace Portico {

namespace {

constexpr char16_t kSeparator = static_cast<char16_t>(std::filesystem::path::preferred_separator);

bool IsSeparator(char16_t c) {
    return c == u'/' || c == kSeparator;
}

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

std::u16string PathAppend(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty())
        return name;
    size_t skip = 0;
    while (skip < name.size() && IsSeparator(name[skip]))
        ++skip;
    std::u16string path = folder;
    if (!IsSeparator(path.back()))
        path += kSeparator;
    return path + name.substr(skip);
}

std::u16string CatalogueFilePath(HostInfo& host) {
    const std::u16string folder = host.HostFolder();
    const std::u16string localised = PathAppend(folder, u"Game" + host.LanguageCode() + u".dat");
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::path(localised), error))
        return localised;
    return PathAppend(folder, u"Gameen.dat");
}

std::u16string UserStoreFilePath(HostInfo& host) {
    std::u16string path = PathAppend(host.HostFolder(), u"user");
    path = PathAppend(path, Decimal(host.MyAccount()));
    return PathAppend(path, u"fps.dat");
}

} // namespace Portico
