#include "plugin/win/ShareRestrictedSD.h"

namespace Portico {

ShareRestrictedSD::ShareRestrictedSD() {
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = &descriptor;
    attributes.bInheritHandle = FALSE;
    if (!Build() && accessList) {
        HeapFree(GetProcessHeap(), 0, accessList);
        accessList = nullptr;
    }
}

ShareRestrictedSD::~ShareRestrictedSD() {
    if (accessList)
        HeapFree(GetProcessHeap(), 0, accessList);
}

bool ShareRestrictedSD::Build() {
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION))
        return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        return false;
    // The list holds its header, one allow entry and the identifier: 16 bytes beyond the SID
    // cover the header and the entry's fixed part.
    const DWORD size = GetLengthSid(everyone) + 16;
    accessList = static_cast<PACL>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    const bool built = accessList && InitializeAcl(accessList, size, ACL_REVISION) &&
                       AddAccessAllowedAce(accessList, ACL_REVISION, GENERIC_ALL, everyone) &&
                       SetSecurityDescriptorDacl(&descriptor, TRUE, accessList, FALSE);
    FreeSid(everyone);
    return built;
}

} // namespace Portico
