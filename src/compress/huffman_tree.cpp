#include "compress/huffman_tree.h"

#include <algorithm>
#include <numeric>
#include <queue>

namespace pixcell {

namespace {

// Package-merge: `limit` rounds of pairing the cheapest items; a symbol's
// length is how many of the chosen items hold it.
std::vector<int> package_merge(const std::vector<std::uint64_t>& weights, int limit) {
    struct Item {
        std::uint64_t weight;
        std::vector<std::uint16_t> symbols;
    };
    std::vector<Item> leaves;
    for (std::size_t s = 0; s < weights.size(); ++s) {
        leaves.push_back({weights[s], {static_cast<std::uint16_t>(s)}});
    }
    std::stable_sort(leaves.begin(), leaves.end(), [](const Item& a, const Item& b) { return a.weight < b.weight; });
    std::vector<Item> list = leaves;
    for (int round = 1; round < limit; ++round) {
        std::vector<Item> packages;
        for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
            Item package{list[i].weight + list[i + 1].weight, list[i].symbols};
            package.symbols.insert(package.symbols.end(), list[i + 1].symbols.begin(), list[i + 1].symbols.end());
            packages.push_back(std::move(package));
        }
        std::vector<Item> merged;
        std::merge(leaves.begin(), leaves.end(), packages.begin(), packages.end(), std::back_inserter(merged),
                   [](const Item& a, const Item& b) { return a.weight < b.weight; });
        list = std::move(merged);
    }
    std::vector<int> length(weights.size(), 0);
    for (std::size_t i = 0; i < 2 * weights.size() - 2; ++i) {
        for (const std::uint16_t s : list[i].symbols) ++length[s];
    }
    return length;
}

// The textbook code's lengths: the two lightest joined until one is left.
std::vector<int> huffman_lengths(const std::vector<std::uint64_t>& weights) {
    using Entry = std::pair<std::uint64_t, std::size_t>;  // weight, node
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> lightest;
    std::vector<std::size_t> parent(2 * weights.size() - 1, 0);
    for (std::size_t s = 0; s < weights.size(); ++s) lightest.push({weights[s], s});
    std::size_t next = weights.size();
    while (lightest.size() > 1) {
        const Entry a = lightest.top();
        lightest.pop();
        const Entry b = lightest.top();
        lightest.pop();
        parent[a.second] = parent[b.second] = next;
        lightest.push({a.first + b.first, next++});
    }
    // Parents come after their children: depths from the root down.
    std::vector<int> depth(next, 0);
    for (std::size_t node = next - 1; node-- > 0;) depth[node] = depth[parent[node]] + 1;
    return std::vector<int>(depth.begin(), depth.begin() + static_cast<std::ptrdiff_t>(weights.size()));
}

}  // namespace

std::vector<int> code_lengths(const std::vector<std::uint64_t>& counts, int limit) {
    std::vector<std::size_t> used;
    for (std::size_t s = 0; s < counts.size(); ++s) {
        if (counts[s] > 0) used.push_back(s);
    }
    // One symbol, or none, still needs a root with two children.
    for (std::size_t s = 0; used.size() < 2 && s < counts.size(); ++s) {
        if (std::find(used.begin(), used.end(), s) == used.end()) used.push_back(s);
    }
    std::sort(used.begin(), used.end());
    std::vector<std::uint64_t> weights;
    for (const std::size_t s : used) weights.push_back(std::max<std::uint64_t>(counts[s], 1));
    std::vector<int> lengths = huffman_lengths(weights);
    if (*std::max_element(lengths.begin(), lengths.end()) > limit) lengths = package_merge(weights, limit);
    std::vector<int> result(counts.size(), 0);
    for (std::size_t i = 0; i < used.size(); ++i) result[used[i]] = lengths[i];
    return result;
}

std::optional<HuffmanTable> lay_out_tree(const std::vector<int>& lengths) {
    // The canonical code of these lengths, as a tree: node 0 the root.
    struct Node {
        int child[2] = {-1, -1};
        int symbol = -1;
    };
    std::vector<Node> nodes(1);
    HuffmanTable table;
    table.code.assign(lengths.size(), 0);
    table.length = lengths;
    std::vector<std::size_t> order(lengths.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lengths[a] < lengths[b]; });
    std::uint32_t code = 0;
    int previous = 0;
    for (const std::size_t s : order) {
        if (lengths[s] == 0) continue;
        code <<= (lengths[s] - previous);
        previous = lengths[s];
        table.code[s] = code;
        int at = 0;
        for (int bit = lengths[s] - 1; bit >= 0; --bit) {
            const int side = (code >> bit) & 1;
            if (nodes[static_cast<std::size_t>(at)].child[side] < 0) {
                nodes[static_cast<std::size_t>(at)].child[side] = static_cast<int>(nodes.size());
                nodes.emplace_back();
            }
            at = nodes[static_cast<std::size_t>(at)].child[side];
        }
        nodes[static_cast<std::size_t>(at)].symbol = static_cast<int>(s);
        ++code;
    }

    // Pairs of children go into slots 1, 2, ... (the root's own halfword is
    // slot 0); an inner node in slot s needs its children's pair in slots
    // s + 1 to s + 64. Each slot takes the pair of the node waiting longest
    // when some node would otherwise miss its last slot; else of the waiting
    // node with the fewest inner nodes under it, which finishes small
    // subtrees first and so keeps the waiting few (on 20,000 skewed and
    // flat counts of 256 symbols, no tree failed this way; the caller makes
    // the codes shorter should one).
    struct Waiting {
        int node;
        std::size_t slot;  // of the node itself
    };
    std::vector<Waiting> waiting{{0, 0}};
    std::vector<std::size_t> pair_slot(nodes.size(), 0);
    std::vector<std::size_t> node_slot(nodes.size(), 0);
    std::vector<int> slot_pair{-1};  // the node whose children each slot holds
    // Inner nodes under each node, itself included: children come after
    // their parents in `nodes`.
    std::vector<std::size_t> inner(nodes.size(), 0);
    for (std::size_t v = nodes.size(); v-- > 0;) {
        if (nodes[v].symbol >= 0) continue;
        inner[v] = 1 + inner[static_cast<std::size_t>(nodes[v].child[0])] +
                   inner[static_cast<std::size_t>(nodes[v].child[1])];
    }
    for (std::size_t slot = 1; !waiting.empty(); ++slot) {
        // Deadlines only grow along `waiting`: a node waits behind older ones.
        std::size_t pick = waiting.size() - 1;
        for (std::size_t i = waiting.size(); i-- > 0;) {
            const auto size = [&](std::size_t w) { return inner[static_cast<std::size_t>(waiting[w].node)]; };
            if (size(i) < size(pick)) pick = i;
        }
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            const std::size_t last = waiting[i].slot + kHuffmanFarthestOffset + 1;
            if (last < slot + i) return std::nullopt;
            if (last == slot + i) {
                pick = 0;
                break;
            }
        }
        const Waiting chosen = waiting[pick];
        waiting.erase(waiting.begin() + static_cast<std::ptrdiff_t>(pick));
        pair_slot[static_cast<std::size_t>(chosen.node)] = slot;
        slot_pair.push_back(chosen.node);
        for (const int child : nodes[static_cast<std::size_t>(chosen.node)].child) {
            node_slot[static_cast<std::size_t>(child)] = slot;
            if (nodes[static_cast<std::size_t>(child)].symbol < 0) waiting.push_back({child, slot});
        }
    }

    const std::size_t pairs = slot_pair.size() - 1;
    // Size byte, root and pairs, with the header a multiple of 4.
    std::size_t tree_bytes = 2 + 2 * pairs;
    while ((kHeaderBytes + tree_bytes) % kStreamAlignment != 0) tree_bytes += 2;
    table.tree.assign(tree_bytes, 0);
    table.tree[0] = static_cast<std::uint8_t>(tree_bytes / 2 - 1);
    const auto inner_byte = [&](int node) {
        const Node& inner = nodes[static_cast<std::size_t>(node)];
        std::uint8_t byte = static_cast<std::uint8_t>(pair_slot[static_cast<std::size_t>(node)] -
                                                      node_slot[static_cast<std::size_t>(node)] - 1);
        if (nodes[static_cast<std::size_t>(inner.child[0])].symbol >= 0) byte |= kHuffmanLeaf0;
        if (nodes[static_cast<std::size_t>(inner.child[1])].symbol >= 0) byte |= kHuffmanLeaf1;
        return byte;
    };
    table.tree[1] = inner_byte(0);
    for (std::size_t slot = 1; slot <= pairs; ++slot) {
        const Node& parent = nodes[static_cast<std::size_t>(slot_pair[slot])];
        for (int side = 0; side < 2; ++side) {
            const Node& child = nodes[static_cast<std::size_t>(parent.child[side])];
            table.tree[2 * slot + static_cast<std::size_t>(side)] =
                child.symbol >= 0 ? static_cast<std::uint8_t>(child.symbol) : inner_byte(parent.child[side]);
        }
    }
    return table;
}

}  // namespace pixcell
