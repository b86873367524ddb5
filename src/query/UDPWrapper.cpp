#include "query/UDPWrapper.h"

#include "query/QueryReply.h"
#include "query/QueryScheduler.h"

namespace Portico {

void UDPWrapper::OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) {
    if (QueryScheduler* scheduler = owner)
        HandleQueryReply(scheduler->Context(), *scheduler, ip, port, stream);
}

} // namespace Portico
