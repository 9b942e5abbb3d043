// The object tree: every object type of the loaded MIB under its OID, and the
// instances that hold the values.
//
// The tree owns its nodes; links between them are plain pointers and stay
// valid as long as the tree lives (nodes are never removed). Lookups by name
// go through an index and by OID through each level's children, but answer as
// the depth-first walk would: the first node in depth-first order with a name
// wins, and among siblings the first with a number.
//
// Locking: the tree is shared by the window, receiver and macro threads.
// Callers hold read_lock() around lookups and reads of values, and
// write_lock() around loading, instance creation and value changes.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <memory_resource>
#include <new>
#include <type_traits>
#include <utility>
#include <mutex>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "tree/iso_object.h"
#include "tree/name_index.h"
#include "tree/oid.h"

class ISO_Tree {
public:
    static constexpr const char* kTableConfigFile = "TreeCfg.ini";
    // Longest dotted OID text the tree looks up.
    static constexpr size_t kMaxDottedText = 99;

    explicit ISO_Tree(std::string table_config_file = kTableConfigFile);
    ~ISO_Tree();
    ISO_Tree(const ISO_Tree&) = delete;
    ISO_Tree& operator=(const ISO_Tree&) = delete;

    std::shared_lock<std::shared_mutex> read_lock() const { return std::shared_lock(mutex_); }
    std::unique_lock<std::shared_mutex> write_lock() const { return std::unique_lock(mutex_); }

    const std::string& table_config_file() const { return table_config_file_; }
    bool empty() const { return root_ == nullptr; }
    ISO_Object* root() const { return root_; }
    size_t node_count() const { return nodes_.size(); }

    // Destroys every node: the tree is empty, as before its first load.
    // Pointers to its nodes are invalid afterwards.
    void clear();

    // Room for that many more nodes, so that a load does not grow the indexes step by step.
    void reserve(size_t more_nodes);

    // A new node, owned by the tree but not yet in it.
    template <typename Node, typename... Args>
    Node* make(Args&&... args);

    // Linking a made node: a top-level node goes to the end of the root
    // chain, a child to the end of its parent's children.
    ISO_Object* link_top_level(ISO_Object* node);
    ISO_Object* link_child(ISO_Object* parent, ISO_Object* node);

    template <typename Node, typename... Args>
    Node* add_top_level(Args&&... args) {
        Node* node = make<Node>(std::forward<Args>(args)...);
        link_top_level(node);
        return node;
    }
    template <typename Node, typename... Args>
    Node* add_child(ISO_Object* parent, Args&&... args) {
        Node* node = make<Node>(std::forward<Args>(args)...);
        link_child(parent, node);
        return node;
    }

    ISO_Object* find_by_name(std::string_view name) const;
    // OID as tree-form sub-identifier octets, from the top-level node.
    ISO_Object* find_by_oid(const Bytes& subidentifiers) const;
    // The same walk straight from the octets, below `from` (the top-level
    // nodes when null); with no octets the answer is `from`. Null when the
    // octets end inside a sub-identifier or one does not fit in 32 bits.
    ISO_Object* find_by_tree_form(std::span<const uint8_t> octets, ISO_Object* from = nullptr) const;
    // OID as the standard BER content of an OBJECT IDENTIFIER: the first
    // sub-identifier holds the first two arcs (40 * a + b).
    ISO_Object* find_by_standard(std::span<const uint8_t> content) const;
    ISO_Object* find_by_numbers(const Oid_Numbers& numbers) const;
    // The first child with the number (a top-level node when parent is null).
    ISO_Object* find_child(const ISO_Object* parent, uint32_t number) const;
    // Dotted OID text (at most kMaxDottedText characters), from the top-level node.
    ISO_Object* find_by_dotted(std::string_view text) const;

    static Oid_Numbers oid_numbers(const ISO_Object* node);
    static std::string dotted_oid(const ISO_Object* node);

    // Names of every instance below the node, separated by "\n".
    static std::string instances_below(const ISO_Object* node);
    // The next instance after the node in depth-first order, or null.
    static const ISO_Object* next_instance(const ISO_Object* node);
    // The first instance whose identifier follows the numbers in
    // lexicographic order (an SNMP Get-next), whether or not the numbers name
    // a node of the tree; null past the last instance.
    const ISO_Object* instance_after(const Oid_Numbers& numbers) const;
    // The node after this one in depth-first order (children first, then
    // following siblings, then the parents' following siblings), or null.
    static ISO_Object* next_in_walk(const ISO_Object* node);

    // Every node whose syntax text equals old_syntax gets new_syntax.
    void replace_syntax(std::string_view old_syntax, const std::string& new_syntax);

    // Depth-first walk of the whole tree with each node's depth (0 for the
    // top-level nodes).
    void walk(const std::function<void(const ISO_Object&, int depth)>& visit) const;

private:
    void link(Child_List& chain, bool& ascending, ISO_Object* node);
    void index_name(ISO_Object* node);
    void keep_standard_oid(ISO_Object* node);
    static bool precedes(const ISO_Object* a, const ISO_Object* b);
    static ISO_Object* first_numbered(const Child_List& chain, bool ascending, uint32_t number);

    std::string table_config_file_;
    // Nodes live until the tree goes, so they are carved from one arena; the
    // list is for running their destructors.
    std::pmr::monotonic_buffer_resource arena_{1 << 16};
    std::vector<ISO_Object*> nodes_;
    ISO_Object* root_ = nullptr;
    Child_List top_level_;
    bool top_level_ascending_ = true;
    Name_Index by_name_{nodes_};
    mutable std::shared_mutex mutex_;
};

// Finds nodes by the standard BER content of their identifiers, as
// ISO_Tree::find_by_standard does, for the objects of one message: the path
// of the last identifier is remembered, so that the next one starts where
// their octets part. The tree must not change while a finder is in use.
class Standard_Oid_Finder {
public:
    explicit Standard_Oid_Finder(const ISO_Tree& tree) : tree_(tree) {}
    ISO_Object* find(std::span<const uint8_t> content);

private:
    static constexpr size_t kRemembered = 64;  // octets of the last identifier kept

    const ISO_Tree& tree_;
    std::array<uint8_t, kRemembered> last_{};
    size_t last_size_ = 0;
    // After the octets up to ends_[i] (exclusive) the walk stood at path_[i].
    std::array<size_t, kRemembered> ends_{};
    std::array<ISO_Object*, kRemembered> path_{};
    size_t depth_ = 0;
};

template <typename Node, typename... Args>
Node* ISO_Tree::make(Args&&... args) {
    static_assert(std::is_base_of_v<ISO_Object, Node>);
    if (nodes_.size() == nodes_.capacity()) nodes_.reserve(nodes_.empty() ? 1024 : nodes_.size() * 2);
    void* memory = arena_.allocate(sizeof(Node), alignof(Node));
    Node* node = new (memory) Node(std::forward<Args>(args)...);  // a throw leaves the arena memory unused
    node->serial = static_cast<uint32_t>(nodes_.size());
    nodes_.push_back(node);  // cannot throw: the room is there
    return node;
}
