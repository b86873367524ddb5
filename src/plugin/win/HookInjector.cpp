#include "plugin/win/HookInjector.h"

#include "utils/DynamicLibrary.h"
#include "utils/ExecutableFolder.h"
#include "utils/Utf.h"

namespace Portico {

bool HookInjector::Inject(HANDLE process) {
    if (!looked) {
        looked = true;
        folder = Utils::Utf::ToUtf16(Utils::ExecutableFolder());
        const Utils::DynamicLibrary library(Utils::Utf::ToUtf8(folder + kInfuserFile));
        infuseCode = reinterpret_cast<InfuseCodeFn>(library.Find(kInfuseCodeName));
    }
    if (!infuseCode)
        return false;
    const std::u16string gantry = folder + kGantryFile;
    return infuseCode(process, gantry.c_str()) != 0;
}

} // namespace Portico
