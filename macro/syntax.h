// A script's statements as the parser recognised them: the statement table
// (index, start, end, type, next, jump), the labels, and the statements'
// expressions and conditions kept in a pool, so that running a statement
// does not read its text again until the script file changes.
#pragma once

#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

#include "macro/builtin_names.h"

enum class Statement_Type : int32_t { declaration = 1, assignment, call, label, if_, while_, goto_ };

enum class Kind : int32_t { none = 0, label = 1, integer = 2, real = 3, text = 4 };

struct Statement {
    int32_t index = 0;
    int64_t start = 0;  // where the statement's text begins
    int64_t end = 0;    // after the header (if, while) or the whole statement
    Statement_Type type = Statement_Type::declaration;
    int32_t next = -1;  // -1: the end of the enclosing block or of the script
    int32_t jump = -1;  // if, while: the block's first statement, -1 for an empty block
};

// Indices below point into the pool's vectors; -1 is "none".
enum class Expr_Kind : uint8_t { integer, real, variable, negate, term, sum, call };

struct Expr {
    Expr_Kind kind = Expr_Kind::integer;
    Builtin function = Builtin::setF;  // call
    int32_t integer = 0;               // integer literal
    float real = 0;                    // float literal
    int32_t name = -1;                 // variable: into names
    int32_t child = -1;                // negate
    int32_t first = 0;                 // term, sum: into operands; call: into arguments
    int32_t count = 0;
};

struct Operand {
    char op = 0;  // '*', '/', '+', '-'; 0 for a chain's first operand
    int32_t expr = -1;
};

struct Argument {
    int32_t expr = -1;  // an expression, or
    int32_t text = -1;  // a string literal, escapes resolved: into texts
};

enum class Cond_Kind : uint8_t { any, all, relation, negation };
enum class Relop : uint8_t { less, less_equal, greater_equal, greater, equal, not_equal };

struct Cond {
    Cond_Kind kind = Cond_Kind::relation;
    Relop op = Relop::equal;
    int32_t lhs = -1;    // relation: expressions
    int32_t rhs = -1;
    int32_t child = -1;  // negation
    int32_t first = 0;   // any (||), all (&&): into cond_children
    int32_t count = 0;
};

// What running a statement needs, read from its text.
struct Compiled {
    Statement_Type type = Statement_Type::declaration;
    Kind declared = Kind::none;  // declaration
    int32_t size = 0;            // string declaration: bytes
    int32_t name = -1;           // declaration, assignment target, label, goto target
    int32_t expr = -1;           // assignment; function call statement (a call expression)
    int32_t cond = -1;           // if, while
};

struct Syntax_Pool {
    explicit Syntax_Pool(std::pmr::memory_resource* heap)
        : exprs(heap), operands(heap), arguments(heap), conds(heap), cond_children(heap), names(heap), texts(heap) {}

    std::pmr::vector<Expr> exprs;
    std::pmr::vector<Operand> operands;
    std::pmr::vector<Argument> arguments;
    std::pmr::vector<Cond> conds;
    std::pmr::vector<int32_t> cond_children;
    std::pmr::vector<std::pmr::string> names;
    std::pmr::vector<std::pmr::string> texts;

    struct Mark {
        size_t exprs, operands, arguments, conds, cond_children, names, texts;
    };
    Mark mark() const {
        return {exprs.size(), operands.size(), arguments.size(), conds.size(), cond_children.size(), names.size(),
                texts.size()};
    }
    void restore(const Mark& m) {
        exprs.resize(m.exprs);
        operands.resize(m.operands);
        arguments.resize(m.arguments);
        conds.resize(m.conds);
        cond_children.resize(m.cond_children);
        names.resize(m.names);
        texts.resize(m.texts);
    }
};

struct Label_Entry {
    std::pmr::string name;
    int32_t statement = 0;
};

// Everything the parser builds for one script.
struct Program {
    explicit Program(std::pmr::memory_resource* heap) : statements(heap), compiled(heap), labels(heap), pool(heap) {}

    std::pmr::vector<Statement> statements;  // statements[i].index == i
    std::pmr::vector<Compiled> compiled;     // beside statements
    std::pmr::vector<Label_Entry> labels;    // in order of creation
    Syntax_Pool pool;
};
