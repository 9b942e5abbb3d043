// The directives and the builder half of the compile: records made as the
// grammar reduces each definition, and the findings that need only the
// definition itself.
#include <algorithm>
#include <cctype>
#include <string>

#include "mibc/compile_context.h"
#include "mibc/messages.h"

namespace mibc {

namespace {

std::string text(std::string_view view) { return std::string(view); }
bool starts_upper(std::string_view name) { return !name.empty() && std::isupper(static_cast<unsigned char>(name[0])); }
bool starts_lower(std::string_view name) { return !name.empty() && std::islower(static_cast<unsigned char>(name[0])); }

constexpr std::string_view kSmiItems[] = {"Counter",   "Gauge",       "IpAddress", "NetworkAddress",
                                          "Opaque",    "TimeTicks",   "OBJECT-TYPE", "TRAP-TYPE"};

}  // namespace

void Compile_Context::help() {
    for (const char* line : msg::kHelpText) diagnostics.plain(line);
}

void Compile_Context::push_options() {
    if (!options.push()) error(msg::kOptionStackFull);
}

void Compile_Context::pop_options() {
    if (!options.pop()) error(msg::kOptionStackEmpty);
}

void Compile_Context::add_options(std::string_view letters, bool add) {
    const std::string unknown = add ? options.add(letters) : options.remove(letters);
    for (const char letter : unknown) error(format(msg::kUnknownOption, letter, text(letters).c_str()));
}

void Compile_Context::alias_module(std::string_view module, std::string_view alias) {
    const auto found = model.module_names.find(module);
    if (found == model.module_names.end()) {
        error(format(msg::kAliasNoModule, text(module).c_str()));
        return;
    }
    if (model.module_names.count(alias) != 0) {
        error(format(msg::kAliasModuleUsed, text(alias).c_str(), text(module).c_str()));
        return;
    }
    model.module_names.emplace(alias, found->second);
    model.modules[static_cast<size_t>(found->second)].aliases.push_back(alias);
}

void Compile_Context::alias_symbol(std::string_view module, std::string_view object, std::string_view alias) {
    const auto found = model.module_names.find(module);
    if (found == model.module_names.end()) {
        error(format(msg::kSymAliasNoModule, text(module).c_str()));
        return;
    }
    Module& target = model.modules[static_cast<size_t>(found->second)];
    const int item = target.names.find(object);
    if (item == kNone) {
        error(format(msg::kSymAliasNoItem, text(object).c_str(), text(module).c_str()));
        return;
    }
    const Item_Kind kind = model.items[static_cast<size_t>(item)].kind;
    const char* refusal = kind == Item_Kind::imported ? msg::kSymAliasImported
                          : kind == Item_Kind::sequence ? msg::kSymAliasSequence
                          : kind == Item_Kind::smi      ? msg::kSymAliasSmi
                                                        : nullptr;
    if (refusal != nullptr) {
        error(format(refusal, text(object).c_str(), text(module).c_str()));
        return;
    }
    target.names.insert(alias, item);
}

void Compile_Context::begin_module(std::string_view name, const Source_Position& at, bool had_oid) {
    Module module;
    module.name = name;
    module.at = at;
    if (model.module_names.count(name) != 0) {
        error_at(at, format(msg::kDuplicateModule, text(name).c_str()));
        module.duplicate = true;
    }
    if (!starts_upper(name)) warning_at(at, format(msg::kModuleUppercase, text(name).c_str()));
    if (had_oid) warning_at(at, msg::kModuleOid);
    module.names.reserve(expected_names_);
    model.modules.push_back(std::move(module));
    if (!model.modules.back().duplicate) model.module_names.emplace(name, current_module());
    in_module_ = true;
    module_items_.clear();
}

int Compile_Context::define(Item_Kind kind, std::string_view name, const Source_Position& at) {
    const int module = current_module();
    if (module == kNone) return kNone;
    Module& here = model.modules[static_cast<size_t>(module)];
    const int index = static_cast<int>(model.items.size());
    const auto [found, inserted] = here.names.insert(name, index);
    if (!inserted) {
        const Item& earlier = model.items[static_cast<size_t>(found)];
        if (earlier.kind == Item_Kind::imported)
            error_at(at, format(msg::kSameAsImported, text(name).c_str(), text(here.name).c_str()));
        else if (earlier.kind == Item_Kind::object && kind != Item_Kind::object)
            error_at(at, format(msg::kInObjectType, text(name).c_str()));
        else if (earlier.kind == Item_Kind::trap && kind != Item_Kind::trap)
            error_at(at, format(msg::kInTrapType, text(name).c_str()));
        else
            error_at(at, format(msg::kAlreadyInModule, text(name).c_str()));
        return kNone;
    }
    Item item;
    item.kind = kind;
    item.name = name;
    item.module = module;
    item.at = at;
    model.items.push_back(std::move(item));
    module_items_.push_back(index);
    return index;
}

void Compile_Context::import_group(std::string_view module_name, const Source_Position& at) {
    const int module = current_module();
    auto imports = std::move(pending_imports);
    pending_imports.clear();
    if (module == kNone) return;
    const auto from = model.module_names.find(module_name);
    const bool self = from != model.module_names.end() && from->second == module;
    if (self) {
        error_at(at, format(msg::kImportSelf, text(module_name).c_str()));
        return;
    }
    if (from == model.module_names.end()) {
        error_at(at, format(msg::kModuleNotDefined, text(module_name).c_str()));
        return;
    }
    Module& source = model.modules[static_cast<size_t>(from->second)];
    for (const auto& [name, position] : imports) {
        if (model.modules[static_cast<size_t>(module)].names.contains(name)) {
            diagnostics.note(format(msg::kDuplicateImport, text(name).c_str()));
            continue;
        }
        const int found = source.names.find(name);
        int target = kNone;
        if (found == kNone) {
            error_at(position, format(msg::kImportNotInModule, text(name).c_str(), text(module_name).c_str()));
        } else {
            const Item& item = model.items[static_cast<size_t>(found)];
            if (item.kind == Item_Kind::imported)
                error_at(position, format(msg::kImportOfImport, text(name).c_str(), text(module_name).c_str()));
            else if (item.kind == Item_Kind::sequence)
                error_at(position, format(msg::kImportOfSequence, text(name).c_str(), text(module_name).c_str()));
            else
                target = found;
        }
        const int index = define(Item_Kind::imported, name, position);
        if (index == kNone) continue;
        Item& imported = model.items[static_cast<size_t>(index)];
        imported.from_module = source.name;
        imported.target = target;
        if (target == kNone) imported.used = true;  // already reported
    }
}

void Compile_Context::smi_item(std::string_view name, const Source_Position& at) {
    if (std::find(std::begin(kSmiItems), std::end(kSmiItems), name) == std::end(kSmiItems)) {
        error_at(at, format(msg::kNotSmiItem, text(name).c_str()));
        return;
    }
    for (const Item& item : model.items) {
        if (item.kind == Item_Kind::smi && item.name == name) {
            error_at(at, format(msg::kSmiAlreadyDefined, text(name).c_str()));
            return;
        }
    }
    define(Item_Kind::smi, name, at);
}

void Compile_Context::oid_item(std::string_view name, const Source_Position& at, std::string_view parent,
                               uint32_t number) {
    if (!starts_lower(name)) warning_at(at, format(msg::kOidLowercase, text(name).c_str()));
    const int index = define(Item_Kind::oid_item, name, at);
    if (index == kNone) return;
    Item& item = model.items[static_cast<size_t>(index)];
    item.parent_name = parent;
    item.number = number;
}

void Compile_Context::object_type(std::string_view name, const Source_Position& at, const Syntax& syntax,
                                  Access access, Status status, std::string_view parent, uint32_t number) {
    const int index = define(Item_Kind::object, name, at);
    if (index == kNone) return;
    Item& item = model.items[static_cast<size_t>(index)];
    item.syntax = syntax;
    item.access = access;
    item.status = status;
    item.default_value = pending_default;
    item.parent_name = parent;
    item.number = number;
    item.index = pending_index;
    item.has_index = pending_has_index;
    // The index list itself: names once, bounds in order, NOLENGTH only where a length can be left out.
    std::vector<std::string_view> seen;
    for (Index_Item& entry : item.index) {
        if (entry.kind == Index_Kind::name) {
            if (std::find(seen.begin(), seen.end(), entry.name) != seen.end())
                error_at(entry.at, format(msg::kDuplicateIndex, text(entry.name).c_str()));
            seen.push_back(entry.name);
            continue;
        }
        const Syntax& bounds = entry.syntax;
        if (entry.kind == Index_Kind::integer && bounds.bound == Bound_Kind::size)
            error_at(entry.at, format(msg::kIndexType, text(entry.name).c_str()));
        if (entry.kind == Index_Kind::octet_string && bounds.bound == Bound_Kind::range)
            error_at(entry.at, format(msg::kIndexType, text(entry.name).c_str()));
        const bool numeric = bounds.low.form == Number_Form::number && bounds.high.form == Number_Form::number;
        if (numeric && bounds.bound == Bound_Kind::range && !bounds.low.negative && !bounds.high.negative &&
            bounds.low.value > bounds.high.value)
            error_at(entry.at, format(msg::kIndexRangeOrder, static_cast<unsigned long>(bounds.low.value),
                                      static_cast<unsigned long>(bounds.high.value)));
        if (numeric && bounds.bound == Bound_Kind::size && bounds.low.value > bounds.high.value)
            error_at(entry.at, format(msg::kIndexSizeOrder, static_cast<unsigned long>(bounds.low.value),
                                      static_cast<unsigned long>(bounds.high.value)));
        if (entry.no_length && entry.kind == Index_Kind::octet_string && bounds.bound == Bound_Kind::size &&
            bounds.single) {
            error_at(entry.at, format(msg::kNolengthIgnored, text(entry.name).c_str()));
            entry.no_length = false;
        }
    }
}

void Compile_Context::sequence(std::string_view name, const Source_Position& at) {
    auto members = std::move(pending_members);
    pending_members.clear();
    if (!starts_upper(name)) error_at(at, format(msg::kSequenceUppercase, text(name).c_str()));
    const int index = define(Item_Kind::sequence, name, at);
    if (index == kNone) return;
    std::vector<Member> kept;
    for (Member& member : members) {
        const bool twice = std::any_of(kept.begin(), kept.end(), [&](const Member& m) { return m.name == member.name; });
        if (twice) {
            diagnostics.note(format(msg::kDuplicateMember, text(member.name).c_str()));
            continue;
        }
        kept.push_back(member);
    }
    model.items[static_cast<size_t>(index)].members = std::move(kept);
}

void Compile_Context::convention(std::string_view name, const Source_Position& at, const Syntax& syntax) {
    if (!starts_upper(name)) error_at(at, format(msg::kTcUppercase, text(name).c_str()));
    const int index = define(Item_Kind::convention, name, at);
    if (index == kNone) return;
    model.items[static_cast<size_t>(index)].syntax = syntax;
}

void Compile_Context::trap(std::string_view name, const Source_Position& at, std::string_view enterprise,
                           uint32_t number) {
    auto variables = std::move(pending_variables);
    pending_variables.clear();
    if (!starts_lower(name)) error_at(at, format(msg::kTrapLowercase, text(name).c_str()));
    const int module = current_module();
    if (module != kNone) {
        const auto& names = model.modules[static_cast<size_t>(module)].names;
        if (const int found = names.find(name); found != kNone) {
            const Item& earlier = model.items[static_cast<size_t>(found)];
            if (earlier.kind == Item_Kind::trap) {
                if (earlier.number == number && earlier.enterprise == enterprise)
                    error_at(at, format(msg::kTrapDefined, text(name).c_str()));
                else
                    error_at(at, format(msg::kTrapDefinedValue, text(name).c_str(),
                                        static_cast<unsigned long>(earlier.number)));
                return;
            }
        }
    }
    const int index = define(Item_Kind::trap, name, at);
    if (index == kNone) return;
    std::vector<std::string_view> kept;
    for (const auto variable : variables) {
        if (std::find(kept.begin(), kept.end(), variable) != kept.end()) {
            error_at(at, format(msg::kDuplicateTrapVar, text(variable).c_str()));
            continue;
        }
        kept.push_back(variable);
    }
    Item& item = model.items[static_cast<size_t>(index)];
    item.enterprise = enterprise;
    item.number = number;
    item.variables = std::move(kept);
}

int Compile_Context::enumeration() {
    auto items = std::move(pending_enums);
    pending_enums.clear();
    std::vector<Enum_Item> kept;
    for (const Enum_Item& item : items) {
        if (!starts_lower(item.label)) diagnostics.note(format(msg::kEnumLowercase, text(item.label).c_str()));
        const auto same_name = std::find_if(kept.begin(), kept.end(), [&](const Enum_Item& e) { return e.label == item.label; });
        if (same_name != kept.end()) {
            diagnostics.note(format(msg::kDuplicateEnumName, text(item.label).c_str()));
            continue;
        }
        const auto same_value = std::find_if(kept.begin(), kept.end(), [&](const Enum_Item& e) { return e.value == item.value; });
        if (same_value != kept.end()) {
            diagnostics.note(format(msg::kDuplicateEnumValue, static_cast<unsigned long>(item.value),
                                     text(same_value->label).c_str(), text(item.label).c_str()));
            continue;
        }
        kept.push_back(item);
    }
    model.enumerations.push_back(std::move(kept));
    return static_cast<int>(model.enumerations.size()) - 1;
}

}  // namespace mibc
