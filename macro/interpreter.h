// Runs a parsed script: an execution stack of (statement, entered) entries
// takes the place of a program counter, one statement per step, with the
// variables in the symbol table and the built-in functions reaching the
// station through the Macro_Engine.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "macro/macro_engine.h"
#include "macro/script_source.h"
#include "macro/syntax.h"
#include "macro/value.h"

struct Verdict {
    std::string name;
    bool passed = false;
};

struct Run_Limits {
    uint64_t step_budget = 0;            // statements a run may take; 0: no limit
    size_t heap_ceiling = size_t{256} << 20;  // bytes the run's heap may take
};

struct Run_Report {
    bool parsed = false;
    bool completed = false;  // ran to its end, not stopped on an error
    uint64_t steps = 0;
    std::vector<Verdict> verdicts;
};

// The request a script builds with setField_ and sends; the texts are owned
// here and handed to the engine as the Message_Request's pointers.
struct Request_Fields {
    std::string protocol, class_name, community;
    int32_t address = 0, group_address = 0, object_count = 0;
    std::string names[QV_MAX_OBJECTS];
    std::string values[QV_MAX_OBJECTS];
    uint8_t value_types[QV_MAX_OBJECTS] = {};
};

class Interpreter {
public:
    Interpreter(Program& program, Script_Source& source, Macro_Engine& engine, std::pmr::memory_resource* heap,
                Run_Limits limits, Run_Report& report);

    // Runs from the first statement; a stop ends the run with its message.
    void run();

private:
    struct Frame {
        int32_t statement;
        bool entered;
    };

    void step();
    void continue_after(int32_t statement);
    void run_goto(const Compiled& c, int32_t at);
    const Statement& statement(int32_t index, const char* missing) const;
    const Compiled& compiled(int32_t index);

    void declare(const Compiled& c);
    void assign(Symbol& variable, const Value& value);
    int32_t variable_index(int32_t name);

    Value evaluate(int32_t expr);
    Value chain(const Expr& e, const char* string_message);
    void arithmetic(Value& acc, char op, const Value& operand);
    bool test(int32_t cond);
    bool compare(const Cond& c);

    Value call(const Expr& e);
    Value make() { return Value(heap_); }
    Value make_int(int32_t v);
    Value make_float(float v);
    Value make_text(std::string_view v);

    void say(std::string_view text) { engine_.output(text); }

    Program& program_;
    Script_Source& source_;
    Macro_Engine& engine_;
    std::pmr::memory_resource* heap_;
    Run_Limits limits_;
    Run_Report& report_;
    Symbol_Table symbols_;
    std::pmr::vector<Frame> stack_;
    std::pmr::vector<int32_t> resolved_;    // by name: the variable's symbol, or -1
    std::pmr::vector<char> fresh_;          // by statement: compiled from the current text

    // The run-time records of the built-ins.
    Request_Fields request_;
    Request_Fields read_back_;
    Node_Record node_;
    std::string node_name_;
    std::string object_list_;
    std::minstd_rand random_;

    friend class Builtins;
};
