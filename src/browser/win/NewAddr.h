// The modal "New Address" dialog on template 2002. It hands back the whole text typed; the
// browser cuts it to what an address may hold (AddressText::Cut).
#pragma once

#include "browser/win/LineInputT.h"
#include "common/ResourceIds.h"

namespace Portico {

using NewAddr = LineInputT<IDD_NEW_ADDRESS, IDC_ADDRESS_EDIT, 257>;

} // namespace Portico
