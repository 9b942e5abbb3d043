// The objects a message carries, in order. An entry refers to an instance of
// the object tree, or holds what a received message said of an object: its
// value and, for an object the tree does not know, its identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"

class ISO_Object;

// The small fields sit together: a message's list of entries stays small
// enough for the allocator's fast path.
struct Object_Entry {
    ISO_Object* instance = nullptr;  // the tree's object, when known
    Bytes identifier;                // tree form, for an object the tree does not know
    Bytes value;                     // the value a holder carries
    std::string name;                // a text kept with the entry (an owner text, a decoded name)
    bool holder = false;             // holds a value of its own (decoded, or a raw identifier)
    uint8_t syntax = 0;              // the tag that value came with
    uint8_t flag = 0;                // a byte kept with the entry (a dynamic object's status)

    bool has_object() const { return instance != nullptr || !identifier.empty(); }

    static Object_Entry reference(ISO_Object* instance) {
        Object_Entry entry;
        entry.instance = instance;
        return entry;
    }
    static Object_Entry unknown(Bytes tree_form) {
        Object_Entry entry;
        entry.identifier = std::move(tree_form);
        entry.holder = true;
        return entry;
    }
};

using Object_List = std::vector<Object_Entry>;
