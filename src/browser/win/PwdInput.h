// The modal "Input password" dialog on template 2003: the password is shown as typed. Used
// when joining a server that needs a password and when opening the remote console.
#pragma once

#include "browser/win/LineInputT.h"
#include "common/ResourceIds.h"

namespace Portico {

using PwdInput = LineInputT<IDD_PASSWORD, IDC_PASSWORD_EDIT, 256>;

} // namespace Portico
