#include "macro/macro_run.h"

#include <memory>
#include <new>

#include "macro/macro_heap.h"
#include "macro/macro_texts.h"
#include "macro/parser.h"
#include "macro/script_source.h"

namespace {

Run_Report run(const std::string* file_name, std::string_view script, Macro_Engine& engine, Run_Limits limits) {
    Run_Report report;
    std::unique_ptr<Macro_Heap> heap;
    try {
        heap = std::make_unique<Macro_Heap>(limits.heap_ceiling);
    } catch (const std::bad_alloc&) {
        engine.output(macro_text::kHeapNotCreated);
        engine.output(macro_text::kAfterExecution);
        return report;
    }
    try {
        Script_Source source(heap.get());
        Program program(heap.get());
        const Message_Sink sink = [&engine](std::string_view text) { engine.output(text); };
        bool readable = true;
        if (file_name != nullptr) {
            readable = source.load(*file_name);
            if (!readable) engine.output(std::string(macro_text::kCannotOpen) + *file_name + "\n");
        } else {
            source.set_text(script);
        }
        if (readable) {
            Parser parser(source.text(), program, &sink);
            report.parsed = parser.parse_script();
        } else {
            engine.output(macro_text::kInvalidFile);
        }
        Interpreter interpreter(program, source, engine, heap.get(), limits, report);
        interpreter.run();
    } catch (const std::bad_alloc&) {
        engine.output(macro_text::kHeapExhausted);
        report.completed = false;
    }
    engine.output(macro_text::kAfterExecution);
    return report;
}

}  // namespace

Run_Report run_macro_file(const std::string& file_name, Macro_Engine& engine, Run_Limits limits) {
    return run(&file_name, {}, engine, limits);
}

Run_Report run_macro_text(std::string_view script, Macro_Engine& engine, Run_Limits limits) {
    return run(nullptr, script, engine, limits);
}
