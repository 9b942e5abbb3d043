#include "macro/interpreter.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <new>

#include "macro/macro_heap.h"
#include "macro/macro_stop.h"
#include "macro/macro_texts.h"
#include "macro/parser.h"
#include "macro/text_rules.h"

namespace {

std::string with_index(const char* format, int32_t index) {
    char text[96];
    std::snprintf(text, sizeof text, format, static_cast<int>(index));
    return text;
}

}  // namespace

Interpreter::Interpreter(Program& program, Script_Source& source, Macro_Engine& engine,
                         std::pmr::memory_resource* heap, Run_Limits limits, Run_Report& report)
    : program_(program),
      source_(source),
      engine_(engine),
      heap_(heap),
      limits_(limits),
      report_(report),
      symbols_(heap),
      stack_(heap),
      resolved_(heap),
      fresh_(heap) {}

Value Interpreter::make_int(int32_t v) {
    Value value(heap_);
    value.kind = Kind::integer;
    value.integer = v;
    return value;
}

Value Interpreter::make_float(float v) {
    Value value(heap_);
    value.kind = Kind::real;
    value.real = v;
    return value;
}

Value Interpreter::make_text(std::string_view v) {
    Value value(heap_);
    value.kind = Kind::text;
    value.text.assign(v);
    return value;
}

void Interpreter::run() {
    try {
        random_.seed(static_cast<unsigned>(std::time(nullptr) % 100));
        request_.protocol = "SNMP";
        request_.class_name = "Class B";
        request_.community = "ORCHID";
        request_.address = 1;
        for (const Label_Entry& label : program_.labels) symbols_.at(symbols_.add(label.name, Kind::label), "").size = label.statement;
        for (const char* name : {"infile", "outfile"}) symbols_.at(symbols_.add(name, Kind::text), "").size = 5;
        resolved_.assign(program_.pool.names.size(), -1);
        fresh_.assign(program_.statements.size(), 1);
        if (!program_.statements.empty()) stack_.push_back({0, false});
        while (!stack_.empty()) {
            if (engine_.stop_requested()) throw Macro_Stop(macro_text::kStationStopping);
            if (limits_.step_budget != 0 && report_.steps >= limits_.step_budget)
                throw Macro_Stop(macro_text::step_budget_used(limits_.step_budget));
            if (source_.reload_if_changed()) std::fill(fresh_.begin(), fresh_.end(), 0);
            step();
            ++report_.steps;
        }
        report_.completed = true;
    } catch (const Macro_Stop& stop) {
        say(stop.what());
        say(macro_text::kStopped);
    } catch (const std::bad_alloc&) {
        say(macro_text::kHeapExhausted);
    }
}

const Statement& Interpreter::statement(int32_t index, const char* missing) const {
    if (index < 0 || static_cast<size_t>(index) >= program_.statements.size())
        throw Macro_Stop(with_index(missing, index));
    return program_.statements[static_cast<size_t>(index)];
}

const Compiled& Interpreter::compiled(int32_t index) {
    const auto at = static_cast<size_t>(index);
    if (fresh_[at] == 0) {
        // The script file changed: the statement is read again where it began.
        const Statement& s = program_.statements[at];
        Parser parser(source_.text(), program_, nullptr);
        Compiled c;
        if (!parser.compile_at(s.start, s.type, c))
            throw Macro_Stop(macro_text::statement_changed(index));
        program_.compiled[at] = c;
        fresh_[at] = 1;
        resolved_.resize(program_.pool.names.size(), -1);
    }
    return program_.compiled[at];
}

void Interpreter::continue_after(int32_t at) {
    stack_.pop_back();
    const int32_t next = statement(at, macro_text::kNoStatementNext).next;
    if (next != -1) stack_.push_back({next, false});
}

void Interpreter::step() {
    const int32_t at = stack_.back().statement;
    const Statement& s = statement(at, macro_text::kNoStatementType);
    const Compiled& c = compiled(at);
    switch (s.type) {
        case Statement_Type::declaration:
            declare(c);
            continue_after(at);
            break;
        case Statement_Type::assignment: {
            const Value value = evaluate(c.expr);
            assign(symbols_.at(variable_index(c.name), macro_text::kNoSymbolSet), value);
            continue_after(at);
            break;
        }
        case Statement_Type::call:
            evaluate(c.expr);
            continue_after(at);
            break;
        case Statement_Type::label:
            continue_after(at);
            break;
        case Statement_Type::if_:
            if (!stack_.back().entered && test(c.cond)) {
                stack_.back().entered = true;
                const int32_t jump = statement(at, macro_text::kNoStatementJump).jump;
                if (jump != -1) stack_.push_back({jump, false});
            } else {
                continue_after(at);
            }
            break;
        case Statement_Type::while_:
            if (test(c.cond)) {
                const int32_t jump = statement(at, macro_text::kNoStatementJump).jump;
                if (jump != -1) stack_.push_back({jump, false});
            } else {
                continue_after(at);
            }
            break;
        case Statement_Type::goto_:
            run_goto(c, at);
            break;
    }
}

// Leaves the blocks that hold the goto but not the label and enters those
// that hold the label but not the goto, as if they had been entered.
void Interpreter::run_goto(const Compiled& c, int32_t at) {
    const std::pmr::string& name = program_.pool.names[static_cast<size_t>(c.name)];
    const int32_t index = symbols_.find(name);
    if (index < 0) {
        say(macro_text::kLookupMissing);
        throw Macro_Stop(macro_text::no_such_label(name));
    }
    const Symbol& label = symbols_.at(index, macro_text::kNoSymbolOff);
    if (label.kind != Kind::label)
        throw Macro_Stop(macro_text::not_a_label(name));
    const int32_t target = label.size;
    statement(target, macro_text::kNoStatementStart);
    stack_.pop_back();

    const auto count = static_cast<int32_t>(program_.statements.size());
    std::vector<int32_t> open;  // ends of the blocks around the statement looked at
    for (int32_t k = 0; k < count; ++k) {
        while (!open.empty() && open.back() < k) open.pop_back();
        const Statement& s = program_.statements[static_cast<size_t>(k)];
        if ((s.type != Statement_Type::if_ && s.type != Statement_Type::while_) || s.jump == -1) continue;
        const int32_t enclosing_end = open.empty() ? count - 1 : open.back();
        const int32_t first = s.jump;
        const int32_t last = s.next == -1 ? enclosing_end : s.next - 1;
        const bool holds_goto = first <= at && at <= last;
        const bool holds_label = first <= target && target <= last;
        if (holds_goto && !holds_label) {
            for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
                if (it->statement == k) {
                    stack_.erase(std::next(it).base());
                    break;
                }
            }
        } else if (holds_label && !holds_goto) {
            stack_.push_back({k, true});
        }
        open.push_back(last);
    }
    stack_.push_back({target, false});
}

void Interpreter::declare(const Compiled& c) {
    Symbol& symbol = symbols_.at(symbols_.add(program_.pool.names[static_cast<size_t>(c.name)], c.declared),
                                 macro_text::kNoSymbolSet);
    if (c.declared == Kind::text) symbol.size = c.size;
}

int32_t Interpreter::variable_index(int32_t name) {
    const auto at = static_cast<size_t>(name);
    if (resolved_[at] >= 0) return resolved_[at];
    const std::pmr::string& identifier = program_.pool.names[at];
    const int32_t index = symbols_.find(identifier);
    if (index < 0) {
        say(macro_text::kLookupMissing);
        throw Macro_Stop(macro_text::never_declared(identifier));
    }
    if (symbols_.at(index, macro_text::kNoSymbolType).kind == Kind::label)
        throw Macro_Stop(macro_text::not_a_variable(identifier));
    resolved_[at] = index;
    return index;
}

void Interpreter::assign(Symbol& variable, const Value& value) {
    const bool numeric_value = value.kind == Kind::integer || value.kind == Kind::real || value.kind == Kind::none;
    switch (variable.kind) {
        case Kind::text:
            if (numeric_value) {
                say(macro_text::kNumericToString);
                return;
            }
            variable.text = value.text;
            // The text takes what room it needs; the declared size only grows.
            if (variable.text.size() + 1 > static_cast<size_t>(std::max(variable.size, 0)))
                variable.size = static_cast<int32_t>(
                    std::min<size_t>(variable.text.size() + 1, std::numeric_limits<int32_t>::max()));
            return;
        case Kind::integer:
            if (!numeric_value) {
                say(macro_text::kStringToNumeric);
                return;
            }
            variable.integer = value.kind == Kind::real ? truncate_to_int(value.real) : value.integer;
            return;
        case Kind::real:
            if (!numeric_value) {
                say(macro_text::kStringToNumeric);
                return;
            }
            variable.real = value.kind == Kind::real ? value.real : static_cast<float>(value.integer);
            return;
        default:
            throw Macro_Stop(macro_text::kNoSymbolSet);
    }
}

Value Interpreter::evaluate(int32_t index) {
    const Expr& e = program_.pool.exprs[static_cast<size_t>(index)];
    switch (e.kind) {
        case Expr_Kind::integer:
            return make_int(e.integer);
        case Expr_Kind::real:
            return make_float(e.real);
        case Expr_Kind::variable: {
            const Symbol& s = symbols_.at(variable_index(e.name), macro_text::kNoSymbolType);
            if (s.kind == Kind::integer) return make_int(s.integer);
            if (s.kind == Kind::real) return make_float(s.real);
            return make_text(s.text);
        }
        case Expr_Kind::negate: {
            Value v = evaluate(e.child);
            if (v.kind == Kind::real)
                v.real = -v.real;
            else if (v.kind == Kind::text)
                say(macro_text::kNegateString);
            else
                v.integer = static_cast<int32_t>(0u - static_cast<uint32_t>(v.integer));
            return v;
        }
        case Expr_Kind::term:
            return chain(e, macro_text::kStringInTerm);
        case Expr_Kind::sum:
            return chain(e, macro_text::kStringInExpression);
        case Expr_Kind::call: {
            Value v = call(e);
            if (v.kind == Kind::none) v.kind = Kind::integer;  // a function without a result counts as 0
            return v;
        }
    }
    return make_int(0);
}

// A chain of * and / (or + and -) from left to right. A text may not take
// part: as the first operand it is the chain's value and the rest is
// dropped; later it is dropped.
Value Interpreter::chain(const Expr& e, const char* string_message) {
    const auto first = static_cast<size_t>(e.first);
    Value acc = evaluate(program_.pool.operands[first].expr);
    const bool text_first = acc.kind == Kind::text;
    if (text_first) say(string_message);
    for (size_t i = first + 1; i < first + static_cast<size_t>(e.count); ++i) {
        const Operand operand = program_.pool.operands[i];
        const Value v = evaluate(operand.expr);
        if (text_first) continue;
        if (v.kind == Kind::text) {
            say(string_message);
            continue;
        }
        arithmetic(acc, operand.op, v);
    }
    return acc;
}

void Interpreter::arithmetic(Value& acc, char op, const Value& operand) {
    if (acc.kind != Kind::real && operand.kind != Kind::real) {
        const auto a = static_cast<uint32_t>(acc.integer);
        auto b = static_cast<uint32_t>(operand.integer);
        uint32_t r = 0;
        switch (op) {
            case '+': r = a + b; break;
            case '-': r = a - b; break;
            case '*': r = a * b; break;
            default: {
                if (b == 0) {
                    say(macro_text::kDivisionByZero);
                    b = 1;
                }
                const auto x = static_cast<int32_t>(a);
                const auto y = static_cast<int32_t>(b);
                // The one quotient that does not fit wraps, as the other operations do.
                r = (x == std::numeric_limits<int32_t>::min() && y == -1) ? a : static_cast<uint32_t>(x / y);
                break;
            }
        }
        acc.kind = Kind::integer;
        acc.integer = static_cast<int32_t>(r);
        return;
    }
    const long double x = acc.kind == Kind::real ? acc.real : acc.integer;
    long double y = operand.kind == Kind::real ? operand.real : operand.integer;
    long double r = 0;
    switch (op) {
        case '+': r = x + y; break;
        case '-': r = x - y; break;
        case '*': r = x * y; break;
        default:
            if (y == 0) {
                say(macro_text::kDivisionByZero);
                y = operand.kind == Kind::real ? 0.1L : 1.0L;
            }
            r = x / y;
            break;
    }
    acc.kind = Kind::real;
    acc.real = to_float(r);
}

bool Interpreter::test(int32_t index) {
    const Cond c = program_.pool.conds[static_cast<size_t>(index)];
    switch (c.kind) {
        case Cond_Kind::any: {
            bool result = false;
            for (int32_t i = 0; i < c.count; ++i)
                result = test(program_.pool.cond_children[static_cast<size_t>(c.first + i)]) || result;
            return result;
        }
        case Cond_Kind::all: {
            bool result = true;
            for (int32_t i = 0; i < c.count; ++i)
                result = test(program_.pool.cond_children[static_cast<size_t>(c.first + i)]) && result;
            return result;
        }
        case Cond_Kind::negation:
            return !test(c.child);
        case Cond_Kind::relation:
            return compare(c);
    }
    return false;
}

bool Interpreter::compare(const Cond& c) {
    const Value l = evaluate(c.lhs);
    const Value r = evaluate(c.rhs);
    int sign = 0;
    if (l.kind == Kind::text && r.kind == Kind::text) {
        const int order = std::string_view(l.text).compare(std::string_view(r.text));
        sign = order < 0 ? -1 : order > 0 ? 1 : 0;
    } else if (l.kind == Kind::text || r.kind == Kind::text) {
        say(macro_text::kCompareStringNumeric);
        return false;
    } else if (l.kind != Kind::real && r.kind != Kind::real) {
        sign = l.integer < r.integer ? -1 : l.integer > r.integer ? 1 : 0;
    } else {
        const long double x = l.kind == Kind::real ? l.real : l.integer;
        const long double y = r.kind == Kind::real ? r.real : r.integer;
        if (!(x < y) && !(x > y) && !(x == y)) return c.op == Relop::not_equal;  // NaN
        sign = x < y ? -1 : x > y ? 1 : 0;
    }
    switch (c.op) {
        case Relop::less: return sign < 0;
        case Relop::less_equal: return sign <= 0;
        case Relop::greater_equal: return sign >= 0;
        case Relop::greater: return sign > 0;
        case Relop::equal: return sign == 0;
        case Relop::not_equal: return sign != 0;
    }
    return false;
}
