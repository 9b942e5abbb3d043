// One compile's state, shared by the scanner, the grammar's actions, the
// checks and the writer. The grammar calls the builder methods in the order
// it reduces the definitions.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mibc/diagnostics.h"
#include "mibc/model.h"
#include "mibc/options.h"
#include "mibc/scanner.h"

namespace mibc {

// What one grammar symbol carries.
// Kept small: the parser copies one on every shift and reduction.
struct Parse_Value {
    std::string_view text;
    uint32_t number = 0;
    Access access = Access::not_used;
    Status status = Status::not_used;
    Source_Position at;
    int syntax = 0;  // a syntax, a bound (in its low) or an index type, in Compile_Context::syntaxes
};

class Compile_Context {
public:
    // expected_names: about how many names the input defines, so that the
    // tables are made big enough once.
    Compile_Context(Diagnostics& diagnostics, Scanner& scanner, Option_Set& options, size_t expected_names = 0)
        : diagnostics(diagnostics), scanner(scanner), options(options), expected_names_(expected_names) {
        model.items.reserve(expected_names);
        registered_numbers_.reserve(expected_names);
        registered_names_.reserve(expected_names);
    }

    // Findings at the last token's position or at a given one.
    void error(std::string_view text) { diagnostics.error(scanner.position(), text); }
    void warning(std::string_view text) { diagnostics.warning(scanner.position(), text); }
    void error_at(const Source_Position& at, std::string_view text) { diagnostics.error(at, text); }
    void warning_at(const Source_Position& at, std::string_view text) { diagnostics.warning(at, text); }

    // Directives.
    void help();
    void alias_module(std::string_view module, std::string_view alias);
    void alias_symbol(std::string_view module, std::string_view object, std::string_view alias);
    void push_options();
    void pop_options();
    void add_options(std::string_view letters, bool add);
    void print_options() { diagnostics.plain(options.listing()); }

    // Modules and definitions.
    void begin_module(std::string_view name, const Source_Position& at, bool had_oid);
    void end_module();
    void import_group(std::string_view module, const Source_Position& at);
    void smi_item(std::string_view name, const Source_Position& at);
    void oid_item(std::string_view name, const Source_Position& at, std::string_view parent, uint32_t number);
    void object_type(std::string_view name, const Source_Position& at, const Syntax& syntax, Access access,
                     Status status, std::string_view parent, uint32_t number);
    void sequence(std::string_view name, const Source_Position& at);
    void convention(std::string_view name, const Source_Position& at, const Syntax& syntax);
    void trap(std::string_view name, const Source_Position& at, std::string_view enterprise, uint32_t number);
    int enumeration();  // from pending_enums; the index of the new list

    // The syntaxes of the definition being parsed: values on the parser's
    // stack refer to them by number, so that the stack stays small. Entry 0
    // is what tokens refer to; it is never written.
    Syntax& syn(const Parse_Value& value) { return syntaxes[static_cast<size_t>(value.syntax)]; }
    Syntax& fresh(Parse_Value& value) {
        value.syntax = static_cast<int>(syntaxes.size());
        return syntaxes.emplace_back();
    }
    void release_syntaxes() { syntaxes.resize(1); }
    std::vector<Syntax> syntaxes = std::vector<Syntax>(1);

    // The checks that need the whole compile, after the parse.
    void finish();

    Diagnostics& diagnostics;
    Scanner& scanner;
    Option_Set& options;
    Mib_Model model;
    bool terminated = false;      // a "- terminating" finding ended the parse
    bool stack_overflow = false;  // the parser's stack outgrew its bound
    bool skipping = false;        // an item is being skipped after an error, already reported

    // Lists the grammar collects for the definition being parsed.
    std::vector<std::pair<std::string_view, Source_Position>> pending_imports;
    std::vector<Index_Item> pending_index;
    Default_Value pending_default;
    bool pending_has_index = false;
    std::vector<Member> pending_members;
    std::vector<std::string_view> pending_variables;
    std::vector<Enum_Item> pending_enums;

private:
    int current_module() const { return model.modules.empty() ? kNone : static_cast<int>(model.modules.size()) - 1; }
    int define(Item_Kind kind, std::string_view name, const Source_Position& at);
    int lookup(int module, std::string_view name, bool mark_used);
    void resolve_module(int module);
    void check_registration(int module);
    void resolve_syntax(int module, Syntax& syntax, bool for_object);
    void check_bounds(Syntax& syntax);
    void check_objects(int module);
    void check_sequences(int module);
    int row_of_sequence(int sequence);
    void check_shared_member(int sequence, int row, int object, const Member& member);
    void check_member_syntax(const std::string& name, const Member& member, const Item& object);
    void check_traps(int module);
    void check_default(Item& object);
    void check_index(Item& object, bool row);
    const Syntax& base_syntax(const Syntax& syntax) const;
    bool in_sequence(int sequence, std::string_view name) const;
    int sequence_of(const Item& object) const;
    void order_children();

    size_t expected_names_ = 0;
    bool in_module_ = false;
    std::vector<int> module_items_;  // items defined in the module being parsed
    std::unordered_map<int, std::vector<int>> sequence_users_;    // sequence -> its tables and rows, in order
    std::unordered_map<int, std::vector<int>> listed_in_;         // object -> the sequences that list it
    std::unordered_map<uint64_t, int> registered_numbers_;         // (parent + 1, number) -> item
    Name_Table registered_names_;  // name -> the item registered with it
    std::vector<uint8_t> walk_state_;  // per item: how far the walk to the root has looked at it
};

}  // namespace mibc
