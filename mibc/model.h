// The records the compiler builds while it parses: modules, their items
// (OID items, objects, sequences, textual conventions, traps, SMI items,
// imports), syntaxes with their sizes and ranges, enumerations, index lists
// and default values. Items refer to one another by index into the model's
// vectors, so the records stay valid however many there are.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mibc/diagnostics.h"
#include "mibc/name_table.h"

namespace mibc {

inline constexpr int kNone = -1;

enum class Syntax_Kind : uint8_t {
    not_used,
    bad,
    integer,
    octet_string,
    object_identifier,
    null,
    network_address,
    ip_address,
    counter,
    gauge,
    time_ticks,
    opaque,
    enumerated,
    sequence_of,  // a table
    sequence,     // a row: the name of a SEQUENCE type
    convention,   // the name of a textual convention
    type_name,    // a name not yet resolved
};

enum class Bound_Kind : uint8_t { none, size, range };
enum class Number_Form : uint8_t { number, binary, hex };

// One bound of a size or range as written.
struct Bound {
    uint32_t value = 0;
    bool negative = false;
    Number_Form form = Number_Form::number;
    std::string_view digits;  // binary or hex digits
};

struct Syntax {
    Syntax_Kind kind = Syntax_Kind::not_used;
    std::string_view name;  // convention, sequence or unresolved type name
    Bound_Kind bound = Bound_Kind::none;
    bool single = false;  // SIZE (n)
    Bound low;
    Bound high;
    int enumeration = kNone;  // index into Mib_Model::enumerations
    int convention = kNone;   // the convention's item, once resolved
    Source_Position at;
};

struct Enum_Item {
    std::string_view label;
    uint32_t value = 0;
};

enum class Access : uint8_t { not_used, read_only, read_write, write_only, not_accessible, bad };
enum class Status : uint8_t { not_used, mandatory, optional, deprecated, obsolete, bad };

enum class Index_Kind : uint8_t { name, integer, octet_string, object_identifier, network_address, ip_address };

struct Index_Item {
    Index_Kind kind = Index_Kind::name;
    std::string_view name;
    bool no_length = false;
    Syntax syntax;  // for the types
    Source_Position at;
};

enum class Value_Kind : uint8_t { none, text, binary, hex, number, negative_number, name, oid, ip_address };

struct Default_Value {
    Value_Kind kind = Value_Kind::none;
    std::string_view text;
    uint32_t number = 0;
    Source_Position at;
};

enum class Item_Kind : uint8_t { oid_item, object, sequence, convention, trap, smi, imported };

struct Member {
    std::string_view name;
    Syntax syntax;  // not_used when the member gives none
    Source_Position at;
};

// One named thing of a module.
struct Item {
    Item_Kind kind = Item_Kind::oid_item;
    std::string_view name;
    int module = kNone;
    Source_Position at;
    bool used = false;

    // OID items and objects: the registration as written and as resolved.
    std::string_view parent_name;  // empty: a top-level number
    uint32_t number = 0;
    int parent = kNone;           // item index; kNone for the root
    std::vector<int> children;    // item indexes, in number order after resolution
    bool registered = false;

    // Objects.
    Syntax syntax;
    Access access = Access::not_used;
    Status status = Status::not_used;
    std::vector<Index_Item> index;
    bool has_index = false;
    Default_Value default_value;

    // Sequences: members. Conventions: syntax. Traps: enterprise, variables, number.
    std::vector<Member> members;
    std::string_view enterprise;
    std::vector<std::string_view> variables;

    // Imported items: where from.
    std::string_view from_module;
    int target = kNone;  // the item it stands for
};

struct Module {
    std::string_view name;
    Source_Position at;
    Name_Table names;  // defined and imported items
    std::vector<std::string_view> aliases;
    bool duplicate = false;
};

struct Mib_Model {
    std::vector<Module> modules;
    std::vector<Item> items;
    std::vector<std::vector<Enum_Item>> enumerations;
    std::unordered_map<std::string_view, int> module_names;  // name or alias -> module
    std::vector<int> roots;  // top-level registered items, in number order
};

}  // namespace mibc
