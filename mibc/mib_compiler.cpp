#include "mibc/mib_compiler.h"

#include <fstream>
#include <new>
#include <sstream>

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

// What the compiler held when its memory ran out.
void write_statistics(Diagnostics& diagnostics, const String_Space& space, const Mib_Model& model) {
    unsigned counts[7] = {};
    for (const Item& item : model.items) ++counts[static_cast<int>(item.kind)];
    diagnostics.plain("Statistics:\n");
    diagnostics.plain(format("String Space: %lu\n", static_cast<unsigned long>(space.bytes_used())));
    diagnostics.plain(format("Modules: %u %u(%lu)\n", static_cast<unsigned>(model.modules.size()),
                             static_cast<unsigned>(sizeof(Module)),
                             static_cast<unsigned long>(model.modules.size() * sizeof(Module))));
    diagnostics.plain(format("Imported items: %u %u(%lu)\n", counts[static_cast<int>(Item_Kind::imported)],
                             static_cast<unsigned>(sizeof(Item)),
                             static_cast<unsigned long>(counts[static_cast<int>(Item_Kind::imported)] * sizeof(Item))));
    diagnostics.plain(format("OID items: %u %u(%lu)\n", counts[static_cast<int>(Item_Kind::oid_item)] + counts[static_cast<int>(Item_Kind::object)],
                             static_cast<unsigned>(sizeof(Item)),
                             static_cast<unsigned long>(model.items.size() * sizeof(Item))));
    diagnostics.plain(format("Sequences: %u %u(%lu)\n", counts[static_cast<int>(Item_Kind::sequence)],
                             static_cast<unsigned>(sizeof(Item)),
                             static_cast<unsigned long>(counts[static_cast<int>(Item_Kind::sequence)] * sizeof(Item))));
    diagnostics.plain(format("Text conv: %u %u(%lu)\n", counts[static_cast<int>(Item_Kind::convention)],
                             static_cast<unsigned>(sizeof(Item)),
                             static_cast<unsigned long>(counts[static_cast<int>(Item_Kind::convention)] * sizeof(Item))));
    diagnostics.plain(format("Traps: %u %u(%lu)\n", counts[static_cast<int>(Item_Kind::trap)],
                             static_cast<unsigned>(sizeof(Item)),
                             static_cast<unsigned long>(counts[static_cast<int>(Item_Kind::trap)] * sizeof(Item))));
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
