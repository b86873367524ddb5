#include "rcon/win/CommandEdit.h"

#include <vector>

namespace Portico {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

std::u16string CommandEdit::Text() const {
    const int length = GetWindowTextLengthW(Hwnd());
    std::vector<wchar_t> text(size_t(length > 0 ? length : 0) + 1);
    const int read = GetWindowTextW(Hwnd(), text.data(), int(text.size()));
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()),
                          size_t(read > 0 ? read : 0));
}

void CommandEdit::Sent(const std::u16string& line) {
    history.Add(line);
    SetWindowTextW(Hwnd(), L"");
}

LRESULT CommandEdit::OnKeyDown(UINT, WPARAM key, LPARAM, bool& handled) {
    if (key != VK_UP && key != VK_DOWN) {
        handled = false;
        return 0;
    }
    std::u16string line;
    if (key == VK_UP ? history.Older(Text(), line) : history.Newer(line))
        Show(line);
    return 0;
}

// The caret goes to the end, where typing goes on.
void CommandEdit::Show(const std::u16string& line) {
    SetWindowTextW(Hwnd(), reinterpret_cast<const wchar_t*>(line.c_str()));
    SendMessageW(Hwnd(), EM_SETSEL, line.size(), line.size());
}

} // namespace Portico
