// The host's language library dlls\Verbena.dll below the host folder: loaded on first use,
// ordinals 1 to 13 taken into a table, never unloaded. Missing functions give empty texts.
#pragma once

#include "common/win/HostApi.h"

#include <mutex>
#include <string>

namespace Portico {

class LanguageLibrary {
public:
    // folder: where Verbena.dll lies; empty: the host folder + "dlls\".
    explicit LanguageLibrary(std::wstring folder = {}) : folder(std::move(folder)) {}

    void* LoadLanguageModule(const wchar_t* moduleName);
    bool TranslateDialog(void* language, HWND dialog, uint32_t dialogId);
    std::wstring GetMenuText(void* language, uint32_t textId);
    std::wstring GetText(void* language, uint32_t textId);
    void EnumTexts(Host::TextEnumCallback callback);
    HBITMAP GetFlagIcon(uint16_t countryCode);
    bool IsLoaded();

private:
    void Load();
    template <typename F> F Entry(Host::LanguageOrdinal ordinal) {
        Load();
        return reinterpret_cast<F>(table[ordinal - 1]);
    }

    const std::wstring folder;
    std::once_flag loaded;
    void* table[Host::kLanguageOrdinals] = {};
};

} // namespace Portico
