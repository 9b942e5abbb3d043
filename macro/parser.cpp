#include "macro/parser.h"

#include <string>

#include "macro/macro_texts.h"
#include "macro/text_rules.h"

namespace {

bool is_word(const Token& t, std::string_view text) { return t.kind == Tok::word && t.text == text; }

std::optional<Relop> relop_of(Tok kind) {
    switch (kind) {
        case Tok::less: return Relop::less;
        case Tok::less_equal: return Relop::less_equal;
        case Tok::greater_equal: return Relop::greater_equal;
        case Tok::greater: return Relop::greater;
        case Tok::equal: return Relop::equal;
        case Tok::not_equal: return Relop::not_equal;
        default: return std::nullopt;
    }
}

}  // namespace

// Counts nesting while a production runs; past kDeepest it fails.
class Nesting {
public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;
    bool too_deep() const { return depth_ > Parser::kDeepest; }

private:
    int& depth_;
};

Parser::Parser(std::string_view text, Program& program, const Message_Sink* sink)
    : lexer_(text, sink), program_(program), sink_(sink) {}

Parser::Mark Parser::mark() const {
    return {lexer_.position(), program_.pool.mark(), program_.statements.size(), program_.labels.size()};
}

void Parser::restore(const Mark& m) {
    lexer_.seek(m.pos);
    program_.pool.restore(m.pool);
    if (recording_) {
        program_.statements.resize(m.statements);
        program_.compiled.resize(m.statements);
        program_.labels.resize(m.labels);
    }
}

void Parser::say(const char* message) const {
    if (sink_ != nullptr && *sink_) (*sink_)(message);
}

bool Parser::fail(const Mark& m, const char* message) {
    if (message != nullptr) say(message);
    restore(m);
    return false;
}

bool Parser::parse_script() {
    program_.statements.clear();
    program_.compiled.clear();
    program_.labels.clear();
    recording_ = true;
    header_only_ = false;
    lexer_.seek(0);
    bool ok = statement_list();
    if (ok && lexer_.next().kind != Tok::end) {
        say(macro_text::kTerminatedEarly);
        ok = false;
    }
    if (ok) {
        const auto count = static_cast<int32_t>(program_.statements.size());
        for (Statement& s : program_.statements)
            if (s.next == count) s.next = -1;
        say(macro_text::kParsed);
    } else {
        say(macro_text::kInvalidFile);
    }
    return ok;
}

bool Parser::compile_at(int64_t start, Statement_Type type, Compiled& out) {
    if (start < 0 || static_cast<size_t>(start) > lexer_.text().size()) return false;
    recording_ = false;
    header_only_ = true;
    lexer_.seek(static_cast<size_t>(start));
    bool ok = false;
    switch (type) {
        case Statement_Type::declaration: ok = declaration(); break;
        case Statement_Type::assignment: ok = assignment(); break;
        case Statement_Type::call: ok = call_statement(); break;
        case Statement_Type::if_:
        case Statement_Type::while_: ok = conditional(type); break;
        case Statement_Type::label:
        case Statement_Type::goto_: ok = goto_or_label(type); break;
    }
    if (ok) out = compiled_out_;
    return ok;
}

bool Parser::statement_list() {
    const auto first = static_cast<int32_t>(program_.statements.size());
    if (!statement()) return false;
    for (;;) {
        const Mark before = mark();
        if (lexer_.next().kind != Tok::semicolon) {
            restore(before);
            break;
        }
        const Mark after = mark();
        if (!statement()) {
            restore(after);
            break;
        }
    }
    // The last statement of the list ends its block (or the script).
    const auto count = static_cast<int32_t>(program_.statements.size());
    for (int32_t i = first; i < count; ++i)
        if (program_.statements[i].next == count) program_.statements[i].next = -1;
    return true;
}

bool Parser::statement() {
    Nesting nesting(depth_);
    if (nesting.too_deep()) {
        say(macro_text::kTooDeep);
        return false;
    }
    return declaration() || call_statement() || conditional(Statement_Type::if_) ||
           conditional(Statement_Type::while_) || goto_or_label(Statement_Type::goto_) ||
           goto_or_label(Statement_Type::label) || assignment();
}

int32_t Parser::record(const Mark& start, const Compiled& compiled) {
    compiled_out_ = compiled;
    if (!recording_) return -1;
    Statement s;
    s.index = static_cast<int32_t>(program_.statements.size());
    s.start = static_cast<int64_t>(start.pos);
    s.end = static_cast<int64_t>(lexer_.position());
    s.type = compiled.type;
    s.next = s.index + 1;
    s.jump = -1;
    program_.statements.push_back(s);
    program_.compiled.push_back(compiled);
    return s.index;
}

int32_t Parser::add_name(std::string_view name) {
    program_.pool.names.emplace_back(name);
    return static_cast<int32_t>(program_.pool.names.size() - 1);
}

bool Parser::declaration() {
    const Mark m = mark();
    const Token type = lexer_.next();
    Compiled c;
    c.type = Statement_Type::declaration;
    const char* no_identifier = nullptr;
    if (is_word(type, "int")) {
        c.declared = Kind::integer;
        no_identifier = macro_text::kIntNoIdentifier;
    } else if (is_word(type, "float")) {
        c.declared = Kind::real;
        no_identifier = macro_text::kFloatNoIdentifier;
    } else if (is_word(type, "string")) {
        c.declared = Kind::text;
        no_identifier = macro_text::kStringNoIdentifier;
    } else {
        return fail(m);
    }
    const Token id = lexer_.next();
    if (id.kind != Tok::word || !is_identifier(id.text)) return fail(m, no_identifier);
    c.name = add_name(id.text);
    if (c.declared == Kind::text) {
        if (lexer_.next().kind != Tok::open_bracket) return fail(m, macro_text::kStringNoOpen);
        const Token size = lexer_.next();
        if (size.kind != Tok::word || !is_integer_literal(size.text)) return fail(m, macro_text::kStringNoSize);
        c.size = integer_literal_value(size.text);
        if (lexer_.next().kind != Tok::close_bracket) return fail(m, macro_text::kStringNoClose);
    }
    record(m, c);
    return true;
}

bool Parser::call_statement() {
    const Mark m = mark();
    const Token name = lexer_.next();
    if (name.kind != Tok::word) return fail(m);
    const auto function = builtin_named(name.text);
    if (!function) return fail(m);
    if (lexer_.next().kind != Tok::open_paren) return fail(m, macro_text::kCallNoOpen);
    const int32_t call = call_arguments(*function, macro_text::kCallBadArguments);
    if (call < 0) return fail(m);
    if (lexer_.next().kind != Tok::close_paren) return fail(m, macro_text::kCallNoClose);
    Compiled c;
    c.type = Statement_Type::call;
    c.expr = call;
    record(m, c);
    return true;
}

bool Parser::conditional(Statement_Type type) {
    const bool is_if = type == Statement_Type::if_;
    const Mark m = mark();
    if (!is_word(lexer_.next(), is_if ? "if" : "while")) return fail(m);
    if (lexer_.next().kind != Tok::open_paren)
        return fail(m, is_if ? macro_text::kIfNoOpen : macro_text::kWhileNoOpen);
    Compiled c;
    c.type = type;
    c.cond = condition();
    if (c.cond < 0) return fail(m, is_if ? macro_text::kIfBadCondition : macro_text::kWhileBadCondition);
    if (lexer_.next().kind != Tok::close_paren)
        return fail(m, is_if ? macro_text::kIfNoClose : macro_text::kWhileNoClose);
    const int32_t index = record(m, c);
    if (header_only_) return true;
    if (!block()) return fail(m, is_if ? macro_text::kIfBadBlock : macro_text::kWhileBadBlock);
    Statement& s = program_.statements[static_cast<size_t>(index)];
    const auto count = static_cast<int32_t>(program_.statements.size());
    s.next = count;
    s.jump = count > index + 1 ? index + 1 : -1;
    return true;
}

bool Parser::block() {
    const Mark m = mark();
    if (!is_word(lexer_.next(), "begin")) return fail(m);
    const Mark inside = mark();
    if (!statement_list()) restore(inside);
    if (!is_word(lexer_.next(), "end")) return fail(m, macro_text::kBeginNoEnd);
    return true;
}

bool Parser::goto_or_label(Statement_Type type) {
    const bool is_goto = type == Statement_Type::goto_;
    const Mark m = mark();
    if (!is_word(lexer_.next(), is_goto ? "goto" : "label")) return fail(m);
    const Token id = lexer_.next();
    if (id.kind != Tok::word || !is_identifier(id.text))
        return fail(m, is_goto ? macro_text::kBadGoto : macro_text::kBadLabel);
    Compiled c;
    c.type = type;
    c.name = add_name(id.text);
    const int32_t index = record(m, c);
    if (!is_goto && recording_) program_.labels.push_back({std::pmr::string(id.text, program_.labels.get_allocator()), index});
    return true;
}

bool Parser::assignment() {
    const Mark m = mark();
    const Token id = lexer_.next();
    if (id.kind != Tok::word || !is_identifier(id.text)) return fail(m);
    if (lexer_.next().kind != Tok::assign) return fail(m, macro_text::kAssignNoOperator);
    Compiled c;
    c.type = Statement_Type::assignment;
    c.name = add_name(id.text);
    c.expr = expression();
    if (c.expr < 0) return fail(m, macro_text::kAssignBadExpression);
    record(m, c);
    return true;
}

// After the "(": the arguments up to, not including, the ")". A call
// expression, or -1 after writing bad_arguments.
int32_t Parser::call_arguments(Builtin function, const char* bad_arguments) {
    Nesting nesting(depth_);
    if (nesting.too_deep()) {
        say(macro_text::kTooDeep);
        return -1;
    }
    const Mark m = mark();
    std::vector<Argument> arguments;
    Argument argument;
    if (one_argument(argument)) {
        arguments.push_back(argument);
        for (;;) {
            const Mark before = mark();
            if (lexer_.next().kind != Tok::comma) {
                restore(before);
                break;
            }
            if (!one_argument(argument)) {
                say(macro_text::kCommaNoArguments);
                fail(m, bad_arguments);
                return -1;
            }
            arguments.push_back(argument);
        }
    } else {
        restore(m);
    }
    Expr call;
    call.kind = Expr_Kind::call;
    call.function = function;
    call.first = static_cast<int32_t>(program_.pool.arguments.size());
    call.count = static_cast<int32_t>(arguments.size());
    program_.pool.arguments.insert(program_.pool.arguments.end(), arguments.begin(), arguments.end());
    program_.pool.exprs.push_back(call);
    return static_cast<int32_t>(program_.pool.exprs.size() - 1);
}

bool Parser::one_argument(Argument& argument) {
    const Mark m = mark();
    argument = Argument{};
    if (lexer_.next().kind == Tok::quote) {
        std::string_view raw;
        if (!lexer_.read_string_body(raw)) return fail(m);
        program_.pool.texts.emplace_back(resolve_escapes(raw));
        argument.text = static_cast<int32_t>(program_.pool.texts.size() - 1);
        return true;
    }
    restore(m);
    argument.expr = expression();
    return argument.expr >= 0;
}

int32_t Parser::condition() {
    Nesting nesting(depth_);
    if (nesting.too_deep()) {
        say(macro_text::kTooDeep);
        return -1;
    }
    const Mark m = mark();
    std::vector<int32_t> parts;
    int32_t part = and_condition();
    if (part < 0) return fail(m), -1;
    parts.push_back(part);
    for (;;) {
        const Mark before = mark();
        if (lexer_.next().kind != Tok::or_or) {
            restore(before);
            break;
        }
        part = and_condition();
        if (part < 0) return fail(m), -1;
        parts.push_back(part);
    }
    if (parts.size() == 1) return parts.front();
    Cond any;
    any.kind = Cond_Kind::any;
    any.first = static_cast<int32_t>(program_.pool.cond_children.size());
    any.count = static_cast<int32_t>(parts.size());
    program_.pool.cond_children.insert(program_.pool.cond_children.end(), parts.begin(), parts.end());
    program_.pool.conds.push_back(any);
    return static_cast<int32_t>(program_.pool.conds.size() - 1);
}

int32_t Parser::and_condition() {
    const Mark m = mark();
    std::vector<int32_t> parts;
    int32_t part = relation();
    if (part < 0) return fail(m), -1;
    parts.push_back(part);
    for (;;) {
        const Mark before = mark();
        if (lexer_.next().kind != Tok::and_and) {
            restore(before);
            break;
        }
        part = relation();
        if (part < 0) return fail(m), -1;
        parts.push_back(part);
    }
    if (parts.size() == 1) return parts.front();
    Cond all;
    all.kind = Cond_Kind::all;
    all.first = static_cast<int32_t>(program_.pool.cond_children.size());
    all.count = static_cast<int32_t>(parts.size());
    program_.pool.cond_children.insert(program_.pool.cond_children.end(), parts.begin(), parts.end());
    program_.pool.conds.push_back(all);
    return static_cast<int32_t>(program_.pool.conds.size() - 1);
}

int32_t Parser::relation() {
    const Mark m = mark();
    // expression relop expression
    if (const int32_t lhs = expression(); lhs >= 0) {
        if (const auto op = relop_of(lexer_.next().kind)) {
            if (const int32_t rhs = expression(); rhs >= 0) {
                Cond r;
                r.kind = Cond_Kind::relation;
                r.op = *op;
                r.lhs = lhs;
                r.rhs = rhs;
                program_.pool.conds.push_back(r);
                return static_cast<int32_t>(program_.pool.conds.size() - 1);
            }
        }
    }
    restore(m);
    // "!" "(" condition ")"
    if (lexer_.next().kind == Tok::bang && lexer_.next().kind == Tok::open_paren) {
        if (const int32_t inner = condition(); inner >= 0 && lexer_.next().kind == Tok::close_paren) {
            Cond n;
            n.kind = Cond_Kind::negation;
            n.child = inner;
            program_.pool.conds.push_back(n);
            return static_cast<int32_t>(program_.pool.conds.size() - 1);
        }
    }
    restore(m);
    // "(" condition ")"
    if (lexer_.next().kind == Tok::open_paren) {
        if (const int32_t inner = condition(); inner >= 0 && lexer_.next().kind == Tok::close_paren) return inner;
    }
    restore(m);
    return -1;
}

int32_t Parser::expression() {
    Nesting nesting(depth_);
    if (nesting.too_deep()) {
        say(macro_text::kTooDeep);
        return -1;
    }
    const Mark m = mark();
    std::vector<Operand> operands;
    int32_t first = term();
    if (first < 0) return fail(m), -1;
    operands.push_back({0, first});
    for (;;) {
        const Mark before = mark();
        const Token op = lexer_.next();
        if (op.kind != Tok::plus && op.kind != Tok::minus) {
            restore(before);
            break;
        }
        const int32_t next = term();
        if (next < 0) return fail(m), -1;
        operands.push_back({op.kind == Tok::plus ? '+' : '-', next});
    }
    if (operands.size() == 1) return first;
    Expr sum;
    sum.kind = Expr_Kind::sum;
    sum.first = static_cast<int32_t>(program_.pool.operands.size());
    sum.count = static_cast<int32_t>(operands.size());
    program_.pool.operands.insert(program_.pool.operands.end(), operands.begin(), operands.end());
    program_.pool.exprs.push_back(sum);
    return static_cast<int32_t>(program_.pool.exprs.size() - 1);
}

int32_t Parser::term() {
    const Mark m = mark();
    std::vector<Operand> operands;
    int32_t first = signed_factor();
    if (first < 0) return fail(m), -1;
    operands.push_back({0, first});
    for (;;) {
        const Mark before = mark();
        const Token op = lexer_.next();
        if (op.kind != Tok::star && op.kind != Tok::slash) {
            restore(before);
            break;
        }
        const int32_t next = signed_factor();
        if (next < 0) return fail(m), -1;
        operands.push_back({op.kind == Tok::star ? '*' : '/', next});
    }
    if (operands.size() == 1) return first;
    Expr product;
    product.kind = Expr_Kind::term;
    product.first = static_cast<int32_t>(program_.pool.operands.size());
    product.count = static_cast<int32_t>(operands.size());
    program_.pool.operands.insert(program_.pool.operands.end(), operands.begin(), operands.end());
    program_.pool.exprs.push_back(product);
    return static_cast<int32_t>(program_.pool.exprs.size() - 1);
}

int32_t Parser::signed_factor() {
    const Mark m = mark();
    if (lexer_.next().kind != Tok::minus) {
        restore(m);
        return factor();
    }
    const int32_t inner = factor();
    if (inner < 0) return fail(m), -1;
    Expr negate;
    negate.kind = Expr_Kind::negate;
    negate.child = inner;
    program_.pool.exprs.push_back(negate);
    return static_cast<int32_t>(program_.pool.exprs.size() - 1);
}

int32_t Parser::factor() {
    const Mark m = mark();
    const Token t = lexer_.next();
    if (t.kind == Tok::open_paren) {
        const int32_t inner = expression();
        if (inner < 0) return fail(m, macro_text::kFactorNoExpression), -1;
        if (lexer_.next().kind != Tok::close_paren) return fail(m, macro_text::kFactorNoClose), -1;
        return inner;
    }
    if (t.kind != Tok::word) return fail(m), -1;
    if (const auto function = builtin_named(t.text)) {
        if (lexer_.next().kind != Tok::open_paren) return fail(m, macro_text::kFactorCallNoOpen), -1;
        const int32_t call = call_arguments(*function, macro_text::kFactorCallBadArguments);
        if (call < 0) return fail(m), -1;
        if (lexer_.next().kind != Tok::close_paren) return fail(m, macro_text::kFactorCallNoClose), -1;
        return call;
    }
    if (is_integer_literal(t.text)) return number(t.text);
    if (is_identifier(t.text)) {
        Expr variable;
        variable.kind = Expr_Kind::variable;
        variable.name = add_name(t.text);
        program_.pool.exprs.push_back(variable);
        return static_cast<int32_t>(program_.pool.exprs.size() - 1);
    }
    return fail(m), -1;
}

// An integer literal, or a float literal when "." and digits follow without
// a gap (3.05 is 3 and 5 hundredths).
int32_t Parser::number(std::string_view whole) {
    Expr literal;
    literal.kind = Expr_Kind::integer;
    literal.integer = integer_literal_value(whole);
    const std::string_view text = lexer_.text();
    const size_t after = lexer_.position();
    if (after < text.size() && text[after] == '.') {
        const Mark before = mark();
        lexer_.next();  // "."
        const Token fraction = lexer_.next();
        if (fraction.kind == Tok::word && fraction.start == after + 1 && is_integer_literal(fraction.text)) {
            literal.kind = Expr_Kind::real;
            literal.real = float_literal_value(whole, fraction.text);
        } else {
            restore(before);
        }
    }
    program_.pool.exprs.push_back(literal);
    return static_cast<int32_t>(program_.pool.exprs.size() - 1);
}
