#include "mibc/mib_compiler.h"

#include <fstream>
#include <new>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

#include "mibc/compile_context.h"
#include "mibc/diagnostics.h"
#include "mibc/grammar.h"
#include "mibc/messages.h"
#include "mibc/mosy_writer.h"
#include "mibc/scanner.h"
#include "mibc/string_space.h"

namespace mibc {

namespace {

const char* plural(uint32_t count) { return count == 1 ? "" : "s"; }

// What the compiler held when its memory ran out: per kind of record, the
// count, the size of one and the bytes they take.
void write_statistics(Diagnostics& diagnostics, const String_Space& space, const Mib_Model& model) {
    unsigned items[7] = {};
    unsigned tables = 0, rows = 0, leaves = 0, others = 0, index_items = 0, members = 0, variables = 0;
    unsigned enterprises = 0, aliases = 0, enum_items = 0;
    std::set<std::pair<int, std::string_view>> module_refs;
    for (const Item& item : model.items) {
        ++items[static_cast<int>(item.kind)];
        index_items += static_cast<unsigned>(item.index.size());
        members += static_cast<unsigned>(item.members.size());
        variables += static_cast<unsigned>(item.variables.size());
        if (item.kind == Item_Kind::trap && !item.enterprise.empty()) ++enterprises;
        if (item.kind == Item_Kind::imported) module_refs.emplace(item.module, item.from_module);
        if (item.kind == Item_Kind::oid_item) continue;
        if (item.kind != Item_Kind::object)
            ++others;
        else if (item.syntax.kind == Syntax_Kind::sequence_of)
            ++tables;
        else if (item.syntax.kind == Syntax_Kind::sequence)
            ++rows;
        else
            ++leaves;
    }
    for (const Module& module : model.modules) aliases += static_cast<unsigned>(module.aliases.size());
    for (const auto& enumeration : model.enumerations) enum_items += static_cast<unsigned>(enumeration.size());
    const auto count = [](Item_Kind kind, const unsigned* of) { return of[static_cast<int>(kind)]; };
    unsigned long total = 0;
    const auto records = [&](const char* label, unsigned number, size_t size) {
        total += static_cast<unsigned long>(number) * size;
        diagnostics.plain(format("%s: %u %u(%lu)\n", label, number, static_cast<unsigned>(size),
                                 static_cast<unsigned long>(number) * size));
    };
    diagnostics.plain("Statistics:\n");
    diagnostics.plain(format("String Space: %lu\n", static_cast<unsigned long>(space.bytes_used())));
    records("Strings", static_cast<unsigned>(space.blocks()), kStringBlockSize);
    records("Modules", static_cast<unsigned>(model.modules.size()), sizeof(Module));
    records("Mod Refs", static_cast<unsigned>(module_refs.size()), sizeof(std::pair<int, std::string_view>));
    records("Imported items", count(Item_Kind::imported, items), sizeof(Item));
    records("Imports", static_cast<unsigned>(module_refs.size()), sizeof(std::string_view));
    records("Aliases", aliases, sizeof(std::string_view));
    records("SMI items", count(Item_Kind::smi, items), sizeof(Item));
    records("OID items", count(Item_Kind::oid_item, items) + count(Item_Kind::object, items), sizeof(Item));
    diagnostics.plain(format("RegPt/group: %u\n", count(Item_Kind::oid_item, items)));
    diagnostics.plain(format("Table: %u\n", tables));
    diagnostics.plain(format("Row: %u\n", rows));
    diagnostics.plain(format("Leaf: %u\n", leaves));
    diagnostics.plain(format("Other: %u\n", others));
    records("Enum items", enum_items, sizeof(Enum_Item));
    records("Index items", index_items, sizeof(Index_Item));
    records("Sequences", count(Item_Kind::sequence, items), sizeof(Item));
    records("Sequence members", members, sizeof(Member));
    records("Text conv", count(Item_Kind::convention, items), sizeof(Item));
    records("Traps", count(Item_Kind::trap, items), sizeof(Item));
    records("Trap vars", variables, sizeof(std::string_view));
    records("Trap ents", enterprises, sizeof(std::string_view));
    diagnostics.plain(format("Dynamic memory used: %lu\n", total));
}

}  // namespace

uint16_t Mib_Compiler::option_mask() const {
    std::lock_guard hold(mutex_);
    return options_.mask();
}

Compile_Result Mib_Compiler::compile(const std::string& input_file, const std::string& output_file,
                                     const std::string& error_file) {
    std::lock_guard hold(mutex_);
    options_.set(kOptionalStatus);
    options_.clear_stack();

    std::ifstream input(input_file, std::ios::binary);
    if (!input) return Compile_Result::input_not_opened;
    std::ostringstream content;
    content << input.rdbuf();
    input.close();
    std::ofstream output(output_file, std::ios::binary | std::ios::trunc);
    if (!output) return Compile_Result::output_not_created;
    std::ofstream errors(error_file, std::ios::binary | std::ios::trunc);
    if (!errors) return Compile_Result::errors_not_created;

    Diagnostics diagnostics(errors, input_file);
    String_Space space;
    std::string text = std::move(content).str();
    // A definition takes some hundred bytes of source; included files add to
    // this only when the main file is small, and then the tables grow as needed.
    const size_t expected_names = text.size() / 128;
    Scanner scanner(diagnostics, space, input_file, std::move(text));
    Compile_Context ctx(diagnostics, scanner, options_, expected_names);
    try {
        const bool parsed = run_parser(ctx);
        if (scanner.stopped() || !parsed) {
            diagnostics.plain(msg::kUnsuccessful);
            return Compile_Result::parser_gave_up;
        }
        ctx.finish();
        if (ctx.model.modules.empty()) ctx.error_at(Source_Position{}, msg::kNoModule);
        if (diagnostics.errors() != 0) {
            diagnostics.plain(format(msg::kParsedWithErrors, input_file.c_str(), diagnostics.errors(),
                                     plural(diagnostics.errors()), diagnostics.warnings(),
                                     plural(diagnostics.warnings())));
            return Compile_Result::errors_found;
        }
        diagnostics.plain(format(msg::kParsedSuccessfully, input_file.c_str()));
        write_mosy(ctx.model, kIdentification, output);
    } catch (const std::bad_alloc&) {
        diagnostics.error(scanner.position(), msg::kOutOfMemory);
        write_statistics(diagnostics, space, ctx.model);
        diagnostics.plain(msg::kUnrecoverable);
        return Compile_Result::parser_gave_up;
    }
    output.close();
    return output ? Compile_Result::success : Compile_Result::output_not_created;
}

}  // namespace mibc
