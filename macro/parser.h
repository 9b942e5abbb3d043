// The grammar of macro scripts, by recursive descent with backtracking: a
// production that fails puts the read position (and whatever it recorded)
// back where it started, so the next production can be tried.
//
//   script          statement-list, then the end of the text
//   statement-list  statement [";" [statement-list]]
//   statement       declaration | call | if | while | goto | label | assignment
//   declaration     "int" id | "float" id | "string" id "[" integer "]"
//   call            function "(" arguments ")"
//   if, while       ("if" | "while") "(" condition ")" block
//   block           "begin" [statement-list] "end"
//   goto, label     ("goto" | "label") id
//   assignment      id "=" expression
//   arguments       empty | (expression | string) ["," arguments]
//   condition       and-condition {"||" and-condition}
//   and-condition   relation {"&&" relation}
//   relation        expression relop expression | "!" "(" condition ")" | "(" condition ")"
//   expression      term {("+" | "-") term}
//   term            signed-factor {("*" | "/") signed-factor}
//   signed-factor   ["-"] factor
//   factor          "(" expression ")" | function "(" arguments ")" | float | integer | id
//
// Messages go to the sink as the productions fail, also on paths that a later
// alternative then reads successfully.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "macro/lexer.h"
#include "macro/syntax.h"

class Parser {
public:
    // How deep blocks, parentheses and calls may nest.
    static constexpr int kDeepest = 200;

    Parser(std::string_view text, Program& program, const Message_Sink* sink);

    // Parses the whole text into the program and writes the verdict
    // ("File parsed successfully\n" or "Invalid input file\n"); true when it
    // parsed. The statements recorded before a failure stay in the program.
    bool parse_script();

    // Reads the statement whose text starts at start as one of type, without
    // recording anything or writing any message (if and while: their header
    // only). False when the text there does not read as such a statement.
    bool compile_at(int64_t start, Statement_Type type, Compiled& out);

private:
    struct Mark {
        size_t pos;
        Syntax_Pool::Mark pool;
        size_t statements;
        size_t labels;
    };
    Mark mark() const;
    void restore(const Mark& m);
    void say(const char* message) const;
    bool fail(const Mark& m, const char* message = nullptr);

    bool statement_list();
    bool statement();
    bool declaration();
    bool call_statement();
    bool conditional(Statement_Type type);
    bool block();
    bool goto_or_label(Statement_Type type);
    bool assignment();

    int32_t record(const Mark& start, const Compiled& compiled);
    int32_t add_name(std::string_view name);

    // Each gives the index of what it read in the pool, or -1 after restoring.
    int32_t call_arguments(Builtin function, const char* bad_arguments);
    bool one_argument(Argument& argument);
    int32_t condition();
    int32_t and_condition();
    int32_t relation();
    int32_t expression();
    int32_t term();
    int32_t signed_factor();
    int32_t factor();
    int32_t number(std::string_view whole);

    Lexer lexer_;
    Program& program_;
    const Message_Sink* sink_;
    bool recording_ = true;
    bool header_only_ = false;
    Compiled compiled_out_;
    int depth_ = 0;
};
