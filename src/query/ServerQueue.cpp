#include "query/ServerQueue.h"

#include <algorithm>

namespace Portico {

namespace {

// A leaf splits when it fills; an inner node likewise. Scans and moves stay within a few
// cache lines' worth of work per level, and three levels hold millions of addresses.
constexpr uint32_t kLeafSize = 128;
constexpr uint32_t kFanout = 64;

} // namespace

struct ServerQueue::Node {
    explicit Node(bool leaf) : isLeaf(leaf) {}
    virtual ~Node() = default;
    const bool isLeaf;
    uint32_t used = 0; // addresses of a leaf, children of an inner node
};

struct ServerQueue::Leaf : Node {
    Leaf() : Node(true) {}
    ServerAddress items[kLeafSize];
};

struct ServerQueue::Inner : Node {
    Inner() : Node(false) {}
    uint32_t sizes[kFanout]; // addresses under each child
    std::unique_ptr<Node> children[kFanout];
};

// The new right half of a node that filled up, and the number of addresses under it.
struct ServerQueue::Half {
    std::unique_ptr<Node> node;
    uint32_t size = 0;
};

ServerQueue::ServerQueue() = default;
ServerQueue::~ServerQueue() = default;

void ServerQueue::InsertAt(uint32_t position, const ServerAddress& address) {
    members.Insert(address);
    if (position > count)
        position = count;
    if (!root)
        root = std::make_unique<Leaf>();
    Half half = Insert(*root, position, address);
    ++count;
    if (half.node) {
        auto top = std::make_unique<Inner>();
        top->sizes[0] = count - half.size;
        top->children[0] = std::move(root);
        top->sizes[1] = half.size;
        top->children[1] = std::move(half.node);
        top->used = 2;
        root = std::move(top);
    }
}

ServerQueue::Half ServerQueue::Insert(Node& node, uint32_t position, const ServerAddress& address) {
    return node.isLeaf ? InsertIntoLeaf(static_cast<Leaf&>(node), position, address)
                       : InsertIntoInner(static_cast<Inner&>(node), position, address);
}

ServerQueue::Half ServerQueue::InsertIntoLeaf(Leaf& leaf, uint32_t position,
                                              const ServerAddress& address) {
    ServerAddress* items = leaf.items;
    std::copy_backward(items + position, items + leaf.used, items + leaf.used + 1);
    items[position] = address;
    if (++leaf.used < kLeafSize)
        return {};
    constexpr uint32_t kKept = kLeafSize / 2;
    auto right = std::make_unique<Leaf>();
    right->used = kLeafSize - kKept;
    std::copy(items + kKept, items + kLeafSize, right->items);
    leaf.used = kKept;
    return {std::move(right), kLeafSize - kKept};
}

ServerQueue::Half ServerQueue::InsertIntoInner(Inner& inner, uint32_t position,
                                               const ServerAddress& address) {
    uint32_t i = 0;
    while (i + 1 < inner.used && position > inner.sizes[i])
        position -= inner.sizes[i++];
    Half below = Insert(*inner.children[i], position, address);
    ++inner.sizes[i];
    if (!below.node)
        return {};
    inner.sizes[i] -= below.size;
    std::move_backward(inner.children + i + 1, inner.children + inner.used,
                       inner.children + inner.used + 1);
    std::copy_backward(inner.sizes + i + 1, inner.sizes + inner.used, inner.sizes + inner.used + 1);
    inner.children[i + 1] = std::move(below.node);
    inner.sizes[i + 1] = below.size;
    if (++inner.used < kFanout)
        return {};
    constexpr uint32_t kKept = kFanout / 2;
    auto right = std::make_unique<Inner>();
    right->used = kFanout - kKept;
    std::move(inner.children + kKept, inner.children + kFanout, right->children);
    std::copy(inner.sizes + kKept, inner.sizes + kFanout, right->sizes);
    inner.used = kKept;
    uint32_t size = 0;
    for (uint32_t k = 0; k < right->used; ++k)
        size += right->sizes[k];
    return {std::move(right), size};
}

ServerAddress ServerQueue::PopFront() {
    ServerAddress address{};
    if (RemoveFront(*root, address))
        root.reset();
    // A root left with one child gives way to it, so the tree shrinks with the queue.
    while (root && !root->isLeaf && root->used == 1)
        root = std::move(static_cast<Inner&>(*root).children[0]);
    --count;
    members.EraseOne(address);
    return address;
}

// Takes the first address under the node; true when the node is empty afterwards. Only the
// leftmost nodes ever shrink, and each is dropped once empty.
bool ServerQueue::RemoveFront(Node& node, ServerAddress& address) {
    if (node.isLeaf) {
        Leaf& leaf = static_cast<Leaf&>(node);
        address = leaf.items[0];
        std::copy(leaf.items + 1, leaf.items + leaf.used, leaf.items);
        return --leaf.used == 0;
    }
    Inner& inner = static_cast<Inner&>(node);
    --inner.sizes[0];
    if (!RemoveFront(*inner.children[0], address))
        return false;
    std::move(inner.children + 1, inner.children + inner.used, inner.children);
    std::copy(inner.sizes + 1, inner.sizes + inner.used, inner.sizes);
    return --inner.used == 0;
}

void ServerQueue::Clear() {
    root.reset();
    count = 0;
    members.Clear();
}

std::vector<ServerAddress> ServerQueue::Snapshot() const {
    std::vector<ServerAddress> out;
    out.reserve(count);
    if (root)
        AppendTo(*root, out);
    return out;
}

void ServerQueue::AppendTo(const Node& node, std::vector<ServerAddress>& out) {
    if (node.isLeaf) {
        const Leaf& leaf = static_cast<const Leaf&>(node);
        out.insert(out.end(), leaf.items, leaf.items + leaf.used);
        return;
    }
    const Inner& inner = static_cast<const Inner&>(node);
    for (uint32_t i = 0; i < inner.used; ++i)
        AppendTo(*inner.children[i], out);
}

} // namespace Portico
