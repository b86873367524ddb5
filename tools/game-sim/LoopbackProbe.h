// Whether this machine serves several loopback addresses: a datagram sent from a socket bound
// to 127.0.0.2 must arrive with that source. Windows does; Wine binds every loopback address
// as the wildcard, so its datagrams arrive from 127.0.0.1 and two servers on one port clash.
#pragma once

namespace Portico {

bool LoopbackAliasesWork();

} // namespace Portico
