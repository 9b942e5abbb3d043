// The checks that need a whole module (names are resolved at its END, so a
// definition may use a name defined further down) or the whole compile.
#include <algorithm>
#include <cctype>
#include <string>

#include "mibc/compile_context.h"
#include "mibc/messages.h"

namespace mibc {

namespace {

std::string text(std::string_view view) { return std::string(view); }

bool is_table(const Item& item) { return item.kind == Item_Kind::object && item.syntax.kind == Syntax_Kind::sequence_of; }
bool is_row(const Item& item) { return item.kind == Item_Kind::object && item.syntax.kind == Syntax_Kind::sequence; }
bool is_leaf(const Item& item) { return item.kind == Item_Kind::object && !is_table(item) && !is_row(item); }
bool has_oid(const Item& item) { return item.kind == Item_Kind::oid_item || item.kind == Item_Kind::object; }
bool ends_with(std::string_view name, std::string_view end) {
    return name.size() >= end.size() && name.substr(name.size() - end.size()) == end;
}

bool status_ok(Status status, bool optional_allowed) {
    return status == Status::mandatory || status == Status::deprecated || status == Status::obsolete ||
           (status == Status::optional && optional_allowed);
}

// A size or range bound given as binary or hex digits, as a number.
bool convert(Bound& bound, Compile_Context& ctx, const Source_Position& at) {
    if (bound.form == Number_Form::number) return true;
    const bool binary = bound.form == Number_Form::binary;
    if (bound.digits.empty()) {
        ctx.error_at(at, binary ? msg::kEmptyBinary : msg::kEmptyHex);
        return false;
    }
    std::string_view digits = bound.digits;
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > (binary ? 32u : 8u)) {
        ctx.error_at(at, binary ? msg::kLongBinary : msg::kLongHex);
        return false;
    }
    uint32_t value = 0;
    for (const char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = binary ? (value << 1) | static_cast<uint32_t>(digit) : (value << 4) | static_cast<uint32_t>(digit);
    }
    bound.value = value;
    bound.form = Number_Form::number;
    return true;
}

// The signed value of a range bound, for comparing.
int64_t signed_value(const Bound& bound) {
    return bound.negative ? -static_cast<int64_t>(bound.value) : static_cast<int64_t>(bound.value);
}

bool same_bounds(const Syntax& a, const Syntax& b) {
    return a.bound == b.bound && signed_value(a.low) == signed_value(b.low) && signed_value(a.high) == signed_value(b.high);
}

}  // namespace

int Compile_Context::lookup(int module, std::string_view name, bool mark_used) {
    const int found = model.modules[static_cast<size_t>(module)].names.find(name);
    if (found == kNone) return kNone;
    Item& item = model.items[static_cast<size_t>(found)];
    if (mark_used) item.used = true;
    if (item.kind != Item_Kind::imported) return found;
    if (item.target != kNone && mark_used) model.items[static_cast<size_t>(item.target)].used = true;
    return item.target;
}

const Syntax& Compile_Context::base_syntax(const Syntax& syntax) const {
    const Syntax* at = &syntax;
    for (size_t steps = 0; at->kind == Syntax_Kind::convention && steps < model.items.size(); ++steps) {
        const auto index = at->convention;
        if (index == kNone) break;
        at = &model.items[static_cast<size_t>(index)].syntax;
    }
    return *at;
}

void Compile_Context::end_module() {
    if (!in_module_) return;
    in_module_ = false;
    const int module = current_module();
    resolve_module(module);
    // Who uses each sequence: tables and rows of this module (sequences are not imported).
    sequence_users_.clear();
    for (const int index : module_items_) {
        const Item& item = model.items[static_cast<size_t>(index)];
        if (item.kind != Item_Kind::object) continue;
        const int sequence = sequence_of(item);
        if (sequence != kNone) sequence_users_[sequence].push_back(index);
    }
    check_registration(module);
    check_objects(module);
    check_sequences(module);
    check_traps(module);
    if (!options.has(kNoUnusedWarnings)) {
        for (const int index : module_items_) {
            const Item& item = model.items[static_cast<size_t>(index)];
            if (item.kind == Item_Kind::imported && !item.used)
                warning_at(item.at, format(msg::kImportedNotUsed, text(item.name).c_str()));
        }
    }
}

// Type names become conventions, rows or errors; bounds are checked against the type.
void Compile_Context::resolve_syntax(int module, Syntax& syntax, bool for_object) {
    if (syntax.kind == Syntax_Kind::type_name) {
        const int found = lookup(module, syntax.name, true);
        const Item* item = found == kNone ? nullptr : &model.items[static_cast<size_t>(found)];
        if (item == nullptr) {
            error_at(syntax.at, format(msg::kSyntaxUnknown, text(syntax.name).c_str()));
            syntax.kind = Syntax_Kind::bad;
        } else if (item->kind == Item_Kind::convention) {
            syntax.kind = Syntax_Kind::convention;
            syntax.convention = found;
        } else if (item->kind == Item_Kind::sequence && for_object) {
            syntax.kind = Syntax_Kind::sequence;
        } else if (item->kind == Item_Kind::object || item->kind == Item_Kind::oid_item) {
            error_at(syntax.at, format(msg::kObjectAsSyntax, text(syntax.name).c_str()));
            syntax.kind = Syntax_Kind::bad;
        } else {
            error_at(syntax.at, format(msg::kSyntaxUnknown, text(syntax.name).c_str()));
            syntax.kind = Syntax_Kind::bad;
        }
    } else if (syntax.kind == Syntax_Kind::sequence_of) {
        const int found = lookup(module, syntax.name, true);
        if (found == kNone) {
            error_at(syntax.at, format(msg::kSequenceUndefined, text(syntax.name).c_str()));
            syntax.kind = Syntax_Kind::bad;
        } else if (model.items[static_cast<size_t>(found)].kind != Item_Kind::sequence) {
            error_at(syntax.at, format(msg::kNotSequenceName, text(syntax.name).c_str()));
            syntax.kind = Syntax_Kind::bad;
        }
        syntax.bound = Bound_Kind::none;  // reported by the grammar
    }
    check_bounds(syntax);
}

void Compile_Context::check_bounds(Syntax& syntax) {
    if (syntax.bound == Bound_Kind::none || syntax.kind == Syntax_Kind::bad) return;
    const Source_Position at = syntax.at;
    auto drop = [&] { syntax.bound = Bound_Kind::none; };
    if (syntax.kind == Syntax_Kind::sequence) {
        error_at(at, format(msg::kSizeOnSequence, text(syntax.name).c_str()));
        return drop();
    }
    Syntax_Kind kind = syntax.kind;
    if (kind == Syntax_Kind::convention) {
        const Syntax& base = base_syntax(syntax);
        const Item& convention = model.items[static_cast<size_t>(syntax.convention)];
        if (convention.syntax.bound != Bound_Kind::none || base.bound != Bound_Kind::none) {
            error_at(at, format(msg::kSizeOnSizedTc, text(syntax.name).c_str()));
            return drop();
        }
        kind = base.kind;
    }
    const bool size = syntax.bound == Bound_Kind::size;
    if (kind == Syntax_Kind::octet_string && !size) {
        error_at(at, msg::kOctetNeedsSize);
        return drop();
    }
    if (kind == Syntax_Kind::integer && size) {
        error_at(at, msg::kIntegerNeedsRange);
        return drop();
    }
    if (kind == Syntax_Kind::opaque && !size) {
        error_at(at, msg::kOpaqueNeedsSize);
        return drop();
    }
    if (kind != Syntax_Kind::octet_string && kind != Syntax_Kind::integer && kind != Syntax_Kind::opaque) {
        error_at(at, msg::kNoSizeAllowed);
        return drop();
    }
    if (!convert(syntax.low, *this, at) || !convert(syntax.high, *this, at)) return drop();
    if (size) {
        if (syntax.low.value > syntax.high.value) {
            error_at(at, msg::kSizeOrder);
            return drop();
        }
        if (!syntax.single && syntax.low.value == 0 && syntax.high.value == 0) {
            error_at(at, msg::kSizeZero);
            return drop();
        }
    } else if (signed_value(syntax.low) > signed_value(syntax.high)) {
        error_at(at, msg::kRangeOrder);
        return drop();
    }
}

// The SMI type a syntax keyword stands for, which the module imports.
static std::string_view smi_name(Syntax_Kind kind) {
    switch (kind) {
        case Syntax_Kind::counter: return "Counter";
        case Syntax_Kind::gauge: return "Gauge";
        case Syntax_Kind::ip_address: return "IpAddress";
        case Syntax_Kind::network_address: return "NetworkAddress";
        case Syntax_Kind::time_ticks: return "TimeTicks";
        case Syntax_Kind::opaque: return "Opaque";
        default: return {};
    }
}

void Compile_Context::resolve_module(int module) {
    std::vector<std::string_view> smi_used;  // looked up once per module
    const auto use_smi = [&](std::string_view name) {
        if (name.empty() || std::find(smi_used.begin(), smi_used.end(), name) != smi_used.end()) return;
        smi_used.push_back(name);
        lookup(module, name, true);
    };
    for (const int index : module_items_) {
        Item& item = model.items[static_cast<size_t>(index)];
        if (item.kind == Item_Kind::object) use_smi("OBJECT-TYPE");
        if (item.kind == Item_Kind::trap) use_smi("TRAP-TYPE");
        use_smi(smi_name(item.syntax.kind));
        for (const Member& member : item.members) use_smi(smi_name(member.syntax.kind));
        for (const Index_Item& entry : item.index) use_smi(smi_name(entry.syntax.kind));
        if (item.kind == Item_Kind::object || item.kind == Item_Kind::convention) {
            Syntax syntax = item.syntax;
            resolve_syntax(module, syntax, item.kind == Item_Kind::object);
            model.items[static_cast<size_t>(index)].syntax = syntax;
            if (item.kind == Item_Kind::convention &&
                (syntax.kind == Syntax_Kind::sequence_of || syntax.kind == Syntax_Kind::null))
                error_at(item.at, format(msg::kTcSyntax));
        } else if (item.kind == Item_Kind::sequence) {
            std::vector<Member> members = item.members;
            for (Member& member : members) {
                if (member.syntax.kind == Syntax_Kind::not_used) continue;
                resolve_syntax(module, member.syntax, false);
                if (member.syntax.kind == Syntax_Kind::sequence_of)
                    error_at(member.at, format(msg::kMemberType, text(member.name).c_str()));
            }
            model.items[static_cast<size_t>(index)].members = std::move(members);
        }
    }
}

void Compile_Context::check_registration(int module) {
    for (const int index : module_items_) {
        Item& item = model.items[static_cast<size_t>(index)];
        if (!has_oid(item)) continue;
        if (item.parent_name == item.name) {
            error_at(item.at, format(msg::kDefinesItself, text(item.name).c_str()));
            continue;
        }
        int parent = kNone;
        if (!item.parent_name.empty()) {
            parent = lookup(module, item.parent_name, true);
            if (parent == kNone) {
                const bool elsewhere = std::any_of(model.modules.begin(), model.modules.end(), [&](const Module& m) {
                    return m.names.contains(item.parent_name);
                });
                error_at(item.at, format(elsewhere ? msg::kComponentUndefinedHere : msg::kComponentUndefined,
                                         text(item.parent_name).c_str()));
                continue;
            }
            const Item& parent_item = model.items[static_cast<size_t>(parent)];
            if (!has_oid(parent_item)) {
                error_at(item.at, format(msg::kParentNotOid, text(item.parent_name).c_str(), text(item.name).c_str()));
                continue;
            }
            if (item.kind == Item_Kind::oid_item && parent_item.kind != Item_Kind::oid_item)
                error_at(item.at, format(msg::kOidUnderOid, text(item.name).c_str()));
        }
        std::vector<int>& siblings = parent == kNone ? model.roots : model.items[static_cast<size_t>(parent)].children;
        bool clash = false;
        const uint64_t place = (static_cast<uint64_t>(static_cast<uint32_t>(parent + 1)) << 32) | item.number;
        const std::string_view parent_name = parent == kNone ? std::string_view("OID_tree_Root")
                                                             : model.items[static_cast<size_t>(parent)].name;
        if (const int named = registered_names_.find(item.name); named != kNone) {
            // The same name registered by another module.
            const Item& other = model.items[static_cast<size_t>(named)];
            const std::string other_module = text(model.modules[static_cast<size_t>(other.module)].name);
            if (other.parent != parent) {
                const std::string other_parent =
                    other.parent == kNone ? "OID_tree_Root" : text(model.items[static_cast<size_t>(other.parent)].name);
                error_at(item.at, format(msg::kOtherParentModule, text(item.name).c_str(), other_parent.c_str(),
                                         other_module.c_str(), text(parent_name).c_str()));
            } else if (other.number != item.number) {
                error_at(item.at, format(msg::kComponentRenumbered, text(item.name).c_str(),
                                         static_cast<unsigned long>(other.number), static_cast<unsigned long>(item.number)));
            } else {
                error_at(item.at, format(msg::kSiblingSameName, text(item.name).c_str(), other_module.c_str()));
            }
            clash = true;
        } else if (const auto taken = registered_numbers_.find(place); taken != registered_numbers_.end()) {
            const Item& other = model.items[static_cast<size_t>(taken->second)];
            if (other.module == item.module)
                error_at(item.at, format(msg::kSameRegistration, text(other.name).c_str(), text(item.name).c_str()));
            else
                error_at(item.at, format(msg::kSameRegistrationFrom, text(item.name).c_str(), text(other.name).c_str(),
                                         text(model.modules[static_cast<size_t>(other.module)].name).c_str()));
            clash = true;
        }
        if (clash) continue;
        item.parent = parent;
        item.registered = true;
        siblings.push_back(index);
        registered_numbers_.emplace(place, index);
        registered_names_.insert(item.name, index);
    }
    // A chain of parents that comes back to where it started never reaches
    // the root. Each item is walked once: a walk stops at an item already
    // known to end somewhere.
    // Items of earlier modules keep their state: their registration is final.
    enum : uint8_t { kUnknown, kWalking, kDone };
    std::vector<uint8_t>& state = walk_state_;
    state.resize(model.items.size(), kUnknown);
    std::vector<int> path;
    for (const int index : module_items_) {
        path.clear();
        int at = index;
        while (at != kNone && state[static_cast<size_t>(at)] == kUnknown &&
               model.items[static_cast<size_t>(at)].registered) {
            state[static_cast<size_t>(at)] = kWalking;
            path.push_back(at);
            at = model.items[static_cast<size_t>(at)].parent;
        }
        if (at != kNone && state[static_cast<size_t>(at)] == kWalking) {
            // The walk came back to itself: from there on the path is a cycle.
            const auto first = std::find(path.begin(), path.end(), at);
            for (auto member = first; member != path.end(); ++member)
                error_at(model.items[static_cast<size_t>(*member)].at,
                         format(msg::kCircular, text(model.items[static_cast<size_t>(*member)].name).c_str()));
            for (auto member = first; member != path.end(); ++member) {
                // Cut the cycle out of the tree so that nothing walks it.
                Item& item = model.items[static_cast<size_t>(*member)];
                auto& children = model.items[static_cast<size_t>(item.parent)].children;
                children.erase(std::remove(children.begin(), children.end(), *member), children.end());
                item.registered = false;
                item.parent = kNone;
            }
        }
        for (const int walked : path) state[static_cast<size_t>(walked)] = kDone;
    }
}

int Compile_Context::sequence_of(const Item& object) const {
    if (object.syntax.kind != Syntax_Kind::sequence && object.syntax.kind != Syntax_Kind::sequence_of) return kNone;
    int index = model.modules[static_cast<size_t>(object.module)].names.find(object.syntax.name);
    if (index == kNone) return kNone;
    const Item& item = model.items[static_cast<size_t>(index)];
    if (item.kind == Item_Kind::imported) index = item.target;
    return index;
}

bool Compile_Context::in_sequence(int sequence, std::string_view name) const {
    if (sequence == kNone) return false;
    const auto& members = model.items[static_cast<size_t>(sequence)].members;
    return std::any_of(members.begin(), members.end(), [&](const Member& m) { return m.name == name; });
}

void Compile_Context::check_objects(int) {
    const bool check_access = !options.has(kNoAccessChecks);
    const bool optional_ok = options.has(kOptionalStatus);
    const bool naming = !options.has(kNoNamingWarnings);
    for (const int index : module_items_) {
        Item& item = model.items[static_cast<size_t>(index)];
        if (item.kind != Item_Kind::object) continue;
        const std::string name = text(item.name);
        const Item* parent = item.parent == kNone ? nullptr : &model.items[static_cast<size_t>(item.parent)];
        if (is_table(item)) {
            if (item.registered && (parent == nullptr || parent->kind != Item_Kind::oid_item))
                error_at(item.at, format(msg::kTableUnderOid, name.c_str()));
            if (naming && !ends_with(item.name, "Table")) warning_at(item.at, format(msg::kTableName, name.c_str()));
            const bool has_row = std::any_of(item.children.begin(), item.children.end(), [&](int child) {
                return is_row(model.items[static_cast<size_t>(child)]);
            });
            if (!has_row) error_at(item.at, format(msg::kTableNoRow, name.c_str()));
            if (check_access && item.access != Access::not_accessible)
                error_at(item.at, format(msg::kTableAccess, name.c_str()));
            if (!status_ok(item.status, optional_ok)) error_at(item.at, format(msg::kTableStatus, name.c_str()));
            if (item.has_index) error_at(item.at, format(msg::kTableIndex, name.c_str()));
            if (item.default_value.kind != Value_Kind::none) error_at(item.at, format(msg::kTableDefval, name.c_str()));
            continue;
        }
        if (is_row(item)) {
            const bool entry = ends_with(item.name, "Entry");
            if (naming && !entry) warning_at(item.at, format(msg::kRowName, name.c_str()));
            const int sequence = sequence_of(item);
            if (item.registered && (parent == nullptr || !is_table(*parent))) {
                error_at(item.at, format(msg::kRowNoTable, name.c_str()));
            } else if (parent != nullptr) {
                const size_t prefix = item.name.size() >= 5 ? item.name.size() - 5 : 0;
                if (naming && entry && parent->name.size() > 5 &&
                    item.name.substr(0, prefix) != parent->name.substr(0, std::min(prefix, parent->name.size())))
                    warning_at(item.at, format(msg::kRowPrefix, text(parent->name).c_str(), name.c_str()));
                if (sequence_of(*parent) != sequence)
                    error_at(item.at, format(msg::kRowTableSequence, name.c_str(), text(parent->name).c_str()));
            }
            std::string expected = name;
            if (!expected.empty()) expected[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(expected[0])));
            if (naming && item.syntax.name != expected)
                warning_at(item.at, format(msg::kRowSequenceName, text(item.syntax.name).c_str(), name.c_str()));
            // The first row of the module that uses this sequence.
            if (sequence != kNone) {
                for (const int other_index : sequence_users_[sequence]) {
                    const Item& other = model.items[static_cast<size_t>(other_index)];
                    if (&other == &item) break;
                    if (is_row(other)) {
                        error_at(item.at, format(msg::kRowSequenceUsed, name.c_str(), text(item.syntax.name).c_str(),
                                                 text(other.name).c_str()));
                        break;
                    }
                }
            }
            if (check_access && item.access != Access::not_accessible)
                error_at(item.at, format(msg::kRowAccess, name.c_str()));
            if (!status_ok(item.status, optional_ok)) error_at(item.at, format(msg::kRowStatus, name.c_str()));
            if (!item.has_index) error_at(item.at, format(msg::kRowNoIndex, name.c_str()));
            if (item.default_value.kind != Value_Kind::none) error_at(item.at, format(msg::kRowDefval, name.c_str()));
            check_index(item, true);
            continue;
        }
        // A leaf.
        if (item.syntax.kind == Syntax_Kind::bad || item.syntax.kind == Syntax_Kind::not_used) {
            error_at(item.at, format(msg::kLeafSyntax, name.c_str()));
            continue;
        }
        if (item.registered && parent != nullptr && is_row(*parent)) {
            if (!in_sequence(sequence_of(*parent), item.name))
                error_at(item.at, format(msg::kLeafNotInSequence, name.c_str(), text(parent->name).c_str()));
        } else if (item.registered && (parent == nullptr || parent->kind != Item_Kind::oid_item)) {
            error_at(item.at, format(msg::kLeafRegistration, name.c_str()));
        }
        if (options.has(kMissingSizes)) {
            const Syntax& base = base_syntax(item.syntax);
            const bool bounded = item.syntax.bound != Bound_Kind::none || base.bound != Bound_Kind::none;
            if ((base.kind == Syntax_Kind::octet_string || base.kind == Syntax_Kind::opaque) && !bounded)
                warning_at(item.at, format(msg::kShouldHaveSize, name.c_str()));
            if (base.kind == Syntax_Kind::integer && !bounded)
                warning_at(item.at, format(msg::kShouldHaveRange, name.c_str()));
        }
        if (check_access && item.access != Access::read_only && item.access != Access::read_write)
            error_at(item.at, format(msg::kLeafAccess, name.c_str()));
        if (!status_ok(item.status, optional_ok)) error_at(item.at, format(msg::kLeafStatus, name.c_str()));
        if (item.has_index) {
            if (!options.has(kIndexOnLeaves))
                error_at(item.at, format(msg::kLeafIndex, name.c_str()));
            else if (parent != nullptr && is_row(*parent))
                error_at(item.at, format(msg::kLeafIndexInSequence, name.c_str()));
            else
                check_index(item, false);
        }
        check_default(item);
    }
}

void Compile_Context::check_index(Item& object, bool row) {
    const std::string name = text(object.name);
    const int sequence = sequence_of(object);
    for (size_t i = 0; i < object.index.size(); ++i) {
        const Index_Item& entry = object.index[i];
        const bool last = i + 1 == object.index.size();
        if (entry.kind != Index_Kind::name) {
            if (entry.no_length && !last) {
                const bool octets = entry.kind == Index_Kind::octet_string;
                if (row)
                    error_at(object.at, format(octets ? msg::kRowNolengthOctets : msg::kRowNolengthOid, name.c_str()));
                else
                    error_at(object.at, format(octets ? msg::kLeafNolengthOctets : msg::kLeafNolengthOid, name.c_str()));
            }
            continue;
        }
        const std::string item_name = text(entry.name);
        const int found = lookup(object.module, entry.name, true);
        const Item* item = found == kNone ? nullptr : &model.items[static_cast<size_t>(found)];
        if (!row) {
            if (item != nullptr && item->kind == Item_Kind::object)
                error_at(entry.at, format(msg::kLeafIndexObject, name.c_str(), item_name.c_str()));
            continue;
        }
        if (item == nullptr || !is_leaf(*item)) {
            error_at(entry.at, format(msg::kIndexNotObject, name.c_str(), item_name.c_str()));
            continue;
        }
        if (options.has(kIndexInSequence) && !in_sequence(sequence, entry.name))
            error_at(entry.at, format(msg::kIndexNotInSequence, name.c_str(), item_name.c_str()));
        if (options.has(kIndexReadOnly) && item->access != Access::read_only)
            error_at(entry.at, format(msg::kIndexReadOnly, name.c_str(), item_name.c_str()));
        if (item->default_value.kind != Value_Kind::none)
            error_at(entry.at, format(msg::kIndexDefval, name.c_str(), item_name.c_str()));
        const Syntax& base = base_syntax(item->syntax);
        const bool bounded = item->syntax.bound != Bound_Kind::none || base.bound != Bound_Kind::none;
        const Syntax& bounds = item->syntax.bound != Bound_Kind::none ? item->syntax : base;
        if (options.has(kIndexBounds)) {
            if (base.kind == Syntax_Kind::integer && (!bounded || bounds.low.negative))
                error_at(entry.at, format(msg::kIndexRange, name.c_str(), item_name.c_str()));
            if (base.kind == Syntax_Kind::octet_string && !bounded)
                error_at(entry.at, format(msg::kIndexSize, name.c_str(), item_name.c_str()));
        }
        if (entry.no_length) {
            if (base.kind != Syntax_Kind::octet_string && base.kind != Syntax_Kind::object_identifier)
                error_at(entry.at, format(msg::kIndexNolengthType, name.c_str(), item_name.c_str()));
            else if (!last)
                error_at(entry.at, format(msg::kIndexNolengthLast, name.c_str(), item_name.c_str()));
        }
    }
}

void Compile_Context::check_default(Item& object) {
    Default_Value& value = object.default_value;
    if (value.kind == Value_Kind::none) return;
    const std::string name = text(object.name);
    const Syntax& base = base_syntax(object.syntax);
    const Value_Kind kind = value.kind;
    const bool numeric = kind == Value_Kind::number || kind == Value_Kind::negative_number ||
                         kind == Value_Kind::binary || kind == Value_Kind::hex;
    const char* finding = nullptr;
    bool warning = false;
    switch (base.kind) {
        case Syntax_Kind::integer:
            if (!numeric) finding = msg::kDefvalType;
            break;
        case Syntax_Kind::enumerated:
            if (kind != Value_Kind::name) {
                finding = msg::kDefvalType;
            } else if (base.enumeration != kNone) {
                const auto& items = model.enumerations[static_cast<size_t>(base.enumeration)];
                if (std::none_of(items.begin(), items.end(), [&](const Enum_Item& e) { return e.label == value.text; }))
                    finding = msg::kDefvalInvalid;
            }
            break;
        case Syntax_Kind::octet_string:
            if (kind != Value_Kind::text && kind != Value_Kind::binary && kind != Value_Kind::hex) finding = msg::kDefvalType;
            break;
        case Syntax_Kind::object_identifier:
            if (kind == Value_Kind::name) {
                const int found = model.modules[static_cast<size_t>(object.module)].names.find(value.text);
                if (found == kNone || !has_oid(model.items[static_cast<size_t>(found)]))
                    finding = msg::kDefvalNotOid;
            } else if (kind != Value_Kind::oid) {
                finding = msg::kDefvalType;
            }
            break;
        case Syntax_Kind::network_address:
        case Syntax_Kind::ip_address:
            if (kind == Value_Kind::number) {
                if (value.number != 0) finding = msg::kDefvalInvalid;
            } else if (kind == Value_Kind::hex) {
                if (value.text.size() != 8) finding = msg::kDefvalInvalid;
            } else if (kind != Value_Kind::ip_address) {
                finding = msg::kDefvalType;
            }
            break;
        case Syntax_Kind::counter:
        case Syntax_Kind::gauge:
            if (options.has(kCounterDefaults)) {
                if (!numeric || kind == Value_Kind::negative_number) finding = msg::kDefvalType;
            } else if ((kind == Value_Kind::number || kind == Value_Kind::negative_number) && value.number == 0) {
                finding = msg::kDefvalGratuitous;
                warning = true;
            } else {
                finding = msg::kDefvalShouldNot;
            }
            break;
        case Syntax_Kind::time_ticks:
            if (!numeric || kind == Value_Kind::negative_number) finding = msg::kDefvalType;
            break;
        default:
            finding = msg::kDefvalMustNot;
            break;
    }
    if (finding == nullptr) return;
    if (warning)
        warning_at(value.at, format(finding, name.c_str()));
    else
        error_at(value.at, format(finding, name.c_str()));
    value = Default_Value{};
}

namespace {

bool same_index(const Item& a, const Item& b) {
    if (a.index.size() != b.index.size()) return false;
    for (size_t i = 0; i < a.index.size(); ++i)
        if (a.index[i].name != b.index[i].name) return false;
    return true;
}

}  // namespace

int Compile_Context::row_of_sequence(int sequence) {
    for (const int user : sequence_users_[sequence])
        if (is_row(model.items[static_cast<size_t>(user)])) return user;
    return kNone;
}

void Compile_Context::check_sequences(int module) {
    // Object -> the sequences that list it, so that a column shared by two
    // sequences can be checked against both rows.
    listed_in_.clear();
    for (const int index : module_items_) {
        const Item& sequence = model.items[static_cast<size_t>(index)];
        if (sequence.kind != Item_Kind::sequence) continue;
        for (const Member& member : sequence.members) {
            const int found = lookup(module, member.name, false);
            if (found != kNone) listed_in_[found].push_back(index);
        }
    }
    for (const int index : module_items_) {
        const Item& sequence = model.items[static_cast<size_t>(index)];
        if (sequence.kind != Item_Kind::sequence) continue;
        const std::string name = text(sequence.name);
        const bool referenced = !sequence_users_[index].empty();
        const int row = row_of_sequence(index);
        if (!referenced) {
            error_at(sequence.at, format(msg::kSequenceUnreferenced, name.c_str()));
        } else if (row == kNone) {
            error_at(sequence.at, format(msg::kSequenceNoRow, name.c_str()));
        }
        for (const Member& member : sequence.members) {
            const std::string member_name = text(member.name);
            const int found = lookup(module, member.name, true);
            const Item* object = found == kNone ? nullptr : &model.items[static_cast<size_t>(found)];
            if (object == nullptr || object->kind != Item_Kind::object) {
                error_at(member.at, format(msg::kMemberNotObject, member_name.c_str(), name.c_str()));
                continue;
            }
            const Item* parent = object->parent == kNone ? nullptr : &model.items[static_cast<size_t>(object->parent)];
            if (parent == nullptr || !is_row(*parent) ||
                (parent->parent == kNone || !is_table(model.items[static_cast<size_t>(parent->parent)])))
                warning_at(member.at, format(msg::kMemberNotColumn, member_name.c_str(), name.c_str()));
            else if (row != kNone && parent != &model.items[static_cast<size_t>(row)] &&
                     !same_index(*parent, model.items[static_cast<size_t>(row)]))
                error_at(member.at, format(msg::kMemberOtherRow, name.c_str(), text(model.items[static_cast<size_t>(row)].name).c_str(),
                                           member_name.c_str(), text(parent->name).c_str()));
            if (row != kNone) check_shared_member(index, row, found, member);
            check_member_syntax(name, member, *object);
        }
    }
}

// A column listed in another sequence too must be indexed alike by that
// sequence's row (the row it is registered under is checked above).
void Compile_Context::check_shared_member(int sequence, int row, int object, const Member& member) {
    const Item& own_row = model.items[static_cast<size_t>(row)];
    const int parent = model.items[static_cast<size_t>(object)].parent;
    for (const int other : listed_in_[object]) {
        if (other == sequence) continue;
        const int other_row = row_of_sequence(other);
        if (other_row == kNone || other_row == row || other_row == parent) continue;
        if (same_index(model.items[static_cast<size_t>(other_row)], own_row)) continue;
        error_at(member.at, format(msg::kMemberOtherSequence, text(model.items[static_cast<size_t>(sequence)].name).c_str(),
                                   text(own_row.name).c_str(), text(member.name).c_str(),
                                   text(model.items[static_cast<size_t>(other)].name).c_str()));
        return;
    }
}

void Compile_Context::check_member_syntax(const std::string& name, const Member& member, const Item& object) {
    const std::string member_name = text(member.name);
    const Syntax& given = member.syntax;
    if (given.kind == Syntax_Kind::not_used || given.kind == Syntax_Kind::bad) return;
    const Syntax& own = object.syntax;
    if (own.kind == Syntax_Kind::bad) return;
    const bool integer_like = given.kind == Syntax_Kind::integer &&
                              (own.kind == Syntax_Kind::enumerated || own.kind == Syntax_Kind::integer);
    const bool same_kind = integer_like || (given.kind == own.kind &&
                                            (given.kind != Syntax_Kind::convention || given.name == own.name));
    if (!same_kind) {
        error_at(member.at, format(msg::kMemberSyntax, member_name.c_str(), name.c_str()));
        return;
    }
    if (given.bound == Bound_Kind::none) return;
    const bool size = given.bound == Bound_Kind::size;
    if (!same_bounds(given, own)) {
        error_at(member.at, format(size ? msg::kMemberSize : msg::kMemberRange, member_name.c_str(), name.c_str()));
        return;
    }
    // A restated size or range is remarked on unless option E takes it as
    // matching; option W asks for the remark even then.
    if (options.has(kGratuitousSizes) || !options.has(kSameSizeMatches))
        warning_at(member.at, format(size ? msg::kMemberGratuitousSize : msg::kMemberGratuitousRange,
                                     member_name.c_str(), name.c_str()));
}

void Compile_Context::check_traps(int module) {
    for (const int index : module_items_) {
        const Item& trap = model.items[static_cast<size_t>(index)];
        if (trap.kind != Item_Kind::trap) continue;
        const std::string name = text(trap.name);
        if (!trap.enterprise.empty()) {
            const int found = lookup(module, trap.enterprise, true);
            if (found == kNone) {
                error_at(trap.at, format(msg::kReferencedUndefined, text(trap.enterprise).c_str()));
            } else if (!has_oid(model.items[static_cast<size_t>(found)]) ||
                       (!is_leaf(model.items[static_cast<size_t>(found)]) &&
                        model.items[static_cast<size_t>(found)].kind != Item_Kind::oid_item)) {
                error_at(trap.at, format(msg::kTrapEnterprise, text(trap.enterprise).c_str()));
            }
        }
        for (const int other_index : module_items_) {
            if (other_index == index) break;
            const Item& other = model.items[static_cast<size_t>(other_index)];
            if (other.kind == Item_Kind::trap && other.enterprise == trap.enterprise && other.number == trap.number)
                error_at(trap.at, format(msg::kTrapDuplicateValue, text(other.name).c_str(), name.c_str()));
        }
        for (const auto variable : trap.variables) {
            const int found = lookup(module, variable, true);
            if (found == kNone || model.items[static_cast<size_t>(found)].kind != Item_Kind::object)
                error_at(trap.at, format(msg::kTrapVarNotObject, text(variable).c_str(), name.c_str()));
            else if (!is_leaf(model.items[static_cast<size_t>(found)]))
                error_at(trap.at, format(msg::kTrapVarType, text(variable).c_str()));
        }
    }
}

void Compile_Context::order_children() {
    const auto by_number = [&](int a, int b) {
        return model.items[static_cast<size_t>(a)].number < model.items[static_cast<size_t>(b)].number;
    };
    std::stable_sort(model.roots.begin(), model.roots.end(), by_number);
    for (Item& item : model.items) std::stable_sort(item.children.begin(), item.children.end(), by_number);
}

void Compile_Context::finish() {
    if (in_module_) end_module();
    if (!options.has(kNoUnusedWarnings)) {
        for (const Item& item : model.items) {
            if (item.kind == Item_Kind::convention && !item.used)
                warning_at(item.at, format(msg::kDefinedNotUsed, text(item.name).c_str()));
        }
    }
    order_children();
}

}  // namespace mibc
