#include "panels/WebPage.h"

#include "storage/StorePaths.h"

#include <filesystem>
#include <system_error>

namespace Portico {
namespace {

bool FileExists(const std::u16string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

std::u16string PageIn(const std::u16string& folder, const std::u16string& language) {
    return PathAppend(PathAppend(folder, u"web"), u"portico." + language + u".html");
}

} // namespace

const std::u16string& WebPage::Path(HostInfo& host) {
    if (chosen)
        return path;
    chosen = true;
    const std::u16string folder = host.HostFolder();
    std::u16string candidate = PageIn(folder, host.LanguageCode());
    if (!FileExists(candidate))
        candidate = PageIn(folder, u"en");
    if (FileExists(candidate))
        path = candidate;
    return path;
}

} // namespace Portico
