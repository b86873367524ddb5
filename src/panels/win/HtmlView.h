// A window of the host that hosts a web-browser control; made for one navigation at a time.
#pragma once

#include <windows.h>

#include <string>

namespace Portico {

class HtmlView {
public:
    explicit HtmlView(HWND hosting) : hosting(hosting) {}

    // Shows the page in the hosted control; false when the window hosts no control or the
    // control is no web browser.
    bool Navigate(const std::wstring& url);

private:
    HWND hosting;
};

} // namespace Portico
