// The receive path of a query reply: one datagram through the protocol library's parser,
// then further servers, stored answers, player lists and follow-up requests dispatched.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>

namespace Portico {

class QueryContext;
class QueryScheduler;

// owner: the scheduler of the socket that received the datagram.
void HandleQueryReply(QueryContext& context, QueryScheduler& owner, uint32_t ip, uint16_t port,
                      ByteInStream& datagram);

} // namespace Portico
