// The scheduler's main queue: insertion at any position and removal from the front in
// logarithmic time, and a membership test, so that a master list of a million servers queues
// without stalling the thread that adds it.
#pragma once

#include "abi/ProtocolInterface.h"
#include "query/AddressSet.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Portico {

class ServerQueue {
public:
    ServerQueue();
    ~ServerQueue();
    ServerQueue(const ServerQueue&) = delete;
    ServerQueue& operator=(const ServerQueue&) = delete;

    uint32_t Size() const { return count; }
    bool Empty() const { return count == 0; }
    bool Contains(const ServerAddress& address) const { return members.Contains(address); }

    // Inserts before position; Size() or more appends. No duplicate check.
    void InsertAt(uint32_t position, const ServerAddress& address);
    // Precondition: not empty.
    ServerAddress PopFront();
    void Clear();
    std::vector<ServerAddress> Snapshot() const;

private:
    // A B+ tree ordered by position: leaves hold runs of the queue, inner nodes the number of
    // addresses under each child, so a position is found in a few short scans.
    struct Node;
    struct Leaf;
    struct Inner;
    struct Half;

    static Half Insert(Node& node, uint32_t position, const ServerAddress& address);
    static Half InsertIntoLeaf(Leaf& leaf, uint32_t position, const ServerAddress& address);
    static Half InsertIntoInner(Inner& inner, uint32_t position, const ServerAddress& address);
    static bool RemoveFront(Node& node, ServerAddress& address);
    static void AppendTo(const Node& node, std::vector<ServerAddress>& out);

    std::unique_ptr<Node> root;
    uint32_t count = 0;
    AddressSet members;
};

} // namespace Portico
