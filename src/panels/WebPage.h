// The plug-in's own web page, shown in the host's web panel when the user selects the
// plug-in's category: web\portico.<language>.html in the host folder, else the English page.
#pragma once

#include "common/HostInfo.h"

#include <string>

namespace Portico {

class WebPage {
public:
    // The page's path, chosen at the first call and kept for the process (a later change of
    // the language keeps it); empty when neither file exists.
    const std::u16string& Path(HostInfo& host);

private:
    bool chosen = false;
    std::u16string path;
};

} // namespace Portico
