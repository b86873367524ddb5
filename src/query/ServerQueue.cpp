#include "query/ServerQueue.h"

namespace Portico {

void ServerQueue::InsertAt(uint32_t position, const ServerAddress& address) {
    members.insert(address);
    ++count;
    size_t b = 0;
    while (b < blocks.size() && position > blocks[b].size()) {
        position -= static_cast<uint32_t>(blocks[b].size());
        ++b;
    }
    if (b == blocks.size()) {
        if (blocks.empty() || blocks.back().size() >= kBlockSize)
            blocks.emplace_back();
        blocks.back().push_back(address);
        return;
    }
    Block& block = blocks[b];
    block.insert(block.begin() + position, address);
    if (block.size() > 2 * kBlockSize) {
        // Split so that inserts stay cheap.
        Block tail(block.begin() + kBlockSize, block.end());
        block.erase(block.begin() + kBlockSize, block.end());
        blocks.insert(blocks.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
    }
}

ServerAddress ServerQueue::PopFront() {
    Block& first = blocks.front();
    ServerAddress address = first.front();
    first.pop_front();
    if (first.empty())
        blocks.erase(blocks.begin());
    members.erase(members.find(address));
    --count;
    return address;
}

void ServerQueue::Clear() {
    blocks.clear();
    members.clear();
    count = 0;
}

std::vector<ServerAddress> ServerQueue::Snapshot() const {
    std::vector<ServerAddress> out;
    out.reserve(count);
    for (const Block& block : blocks)
        out.insert(out.end(), block.begin(), block.end());
    return out;
}

} // namespace Portico
