#include "plugin/win/HookMapping.h"

#include "plugin/HookBlock.h"
#include "plugin/win/ShareRestrictedSD.h"
#include "utils/Utf.h"
#include "utils/win/WideText.h"

#include <cstdint>
#include <string>

namespace Portico {

const wchar_t* const kHookMappingName = reinterpret_cast<const wchar_t*>(kHookBlockName);

bool HookMapping::Create(HWND browser, const std::wstring& userName) {
    if (!view) {
        ShareRestrictedSD security;
        if (!security.Attributes())
            return false;
        HANDLE handle = CreateFileMappingW(INVALID_HANDLE_VALUE, security.Attributes(),
                                           PAGE_READWRITE, 0, kHookBlockBytes, kHookMappingName);
        if (!handle || handle == INVALID_HANDLE_VALUE)
            return false;
        void* mapped = MapViewOfFile(handle, FILE_MAP_ALL_ACCESS, 0, 0, kHookBlockBytes);
        if (!mapped) {
            CloseHandle(handle);
            return false;
        }
        mapping = handle;
        view = mapped;
    }
    const std::string name = Utils::Utf::ToUtf8(Utils::AsUtf16(userName));
    FillHookBlock(static_cast<uint8_t*>(view), uint32_t(reinterpret_cast<uintptr_t>(browser)),
                  name.data(), name.size());
    return true;
}

void HookMapping::Release() {
    if (view)
        UnmapViewOfFile(view);
    if (mapping)
        CloseHandle(mapping);
    view = nullptr;
    mapping = nullptr;
}

} // namespace Portico
