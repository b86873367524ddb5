// What answers the requests arriving at one simulated endpoint.
#pragma once

#include "SimBytes.h"
#include "SimRequest.h"

#include <vector>

namespace Portico {

class SimResponder {
public:
    virtual ~SimResponder() = default;
    // The datagrams that answer request from ip and port (host order), in sending order. Called
    // only from the endpoint's receive thread.
    virtual std::vector<SimBytes> Respond(const SimRequest& request, uint32_t ip,
                                          uint16_t port) = 0;
};

} // namespace Portico
