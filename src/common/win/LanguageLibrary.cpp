#include "common/win/LanguageLibrary.h"

#include "utils/DynamicLibrary.h"
#include "utils/ExecutableFolder.h"
#include "utils/Utf.h"
#include "utils/win/WideText.h"

namespace Portico {

void LanguageLibrary::Load() {
    std::call_once(loaded, [this] {
        const std::string base = folder.empty() ? Utils::ExecutableFolder() + "dlls\\"
                                                : Utils::Utf::ToUtf8(Utils::AsUtf16(folder));
        const Utils::DynamicLibrary library(base + "Verbena.dll");
        for (uint16_t ordinal = 1; ordinal <= Host::kLanguageOrdinals; ++ordinal)
            table[ordinal - 1] = library.Find(ordinal);
    });
}

bool LanguageLibrary::IsLoaded() {
    return Entry<void*>(Host::kLangLoadLanguageModule) != nullptr;
}

void* LanguageLibrary::LoadLanguageModule(const wchar_t* moduleName) {
    auto fn = Entry<Host::LoadLanguageModuleFn>(Host::kLangLoadLanguageModule);
    return fn ? fn(moduleName) : nullptr;
}

bool LanguageLibrary::TranslateDialog(void* language, HWND dialog, uint32_t dialogId) {
    auto fn = Entry<Host::TranslateDialogFn>(Host::kLangTranslateDialog);
    return fn && fn(language, dialog, dialogId);
}

std::wstring LanguageLibrary::GetMenuText(void* language, uint32_t textId) {
    auto fn = Entry<Host::GetMenuTextFn>(Host::kLangGetMenuText);
    const wchar_t* text = fn ? fn(language, textId) : nullptr;
    return text ? std::wstring(text) : std::wstring();
}

std::wstring LanguageLibrary::GetText(void* language, uint32_t textId) {
    auto fn = Entry<Host::GetTextFn>(Host::kLangGetText);
    const wchar_t* text = fn ? fn(language, textId) : nullptr;
    return text ? std::wstring(text) : std::wstring();
}

void LanguageLibrary::EnumTexts(Host::TextEnumCallback callback) {
    if (auto fn = Entry<Host::EnumTextsFn>(Host::kLangEnumTexts))
        fn(callback);
}

HBITMAP LanguageLibrary::GetFlagIcon(uint16_t countryCode) {
    auto fn = Entry<Host::GetFlagIconFn>(Host::kLangGetFlagIcon);
    return fn ? fn(countryCode) : nullptr;
}

} // namespace Portico
