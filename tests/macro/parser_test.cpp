// The grammar, the statement table and every parse message, script by script.
#include <gtest/gtest.h>

#include <memory_resource>
#include <string>
#include <vector>

#include "macro/macro_heap.h"
#include "macro/parser.h"

namespace {

struct Parsed {
    bool ok = false;
    std::string written;
    std::vector<Statement> statements;
    std::vector<std::pair<std::string, int32_t>> labels;
};

Parsed parse(const std::string& script) {
    Macro_Heap heap(size_t{64} << 20);
    Program program(&heap);
    Parsed parsed;
    const Message_Sink sink = [&](std::string_view text) { parsed.written += text; };
    Parser parser(script, program, &sink);
    parsed.ok = parser.parse_script();
    parsed.statements.assign(program.statements.begin(), program.statements.end());
    for (const Label_Entry& label : program.labels) parsed.labels.emplace_back(std::string(label.name), label.statement);
    return parsed;
}

constexpr const char* kOk = "File parsed successfully\n";
constexpr const char* kInvalid = "Invalid input file\n";

struct Table_Row {
    int32_t type, next, jump;
};

std::vector<Table_Row> rows_of(const Parsed& parsed) {
    std::vector<Table_Row> rows;
    for (const Statement& s : parsed.statements) rows.push_back({static_cast<int32_t>(s.type), s.next, s.jump});
    return rows;
}

bool operator==(const Table_Row& a, const Table_Row& b) { return a.type == b.type && a.next == b.next && a.jump == b.jump; }

void PrintTo(const Table_Row& row, std::ostream* os) { *os << "{" << row.type << "," << row.next << "," << row.jump << "}"; }

TEST(MacroParser, StatementTablesOfWellFormedScripts) {
    struct Case {
        const char* script;
        std::vector<Table_Row> rows;
    } cases[] = {
        {"int a; a = 1;", {{1, 1, -1}, {2, -1, -1}}},
        {"if (a < 1) begin end", {{5, -1, -1}}},
        {"while (a < 1) begin a = a + 1 end; out(\"x\")", {{6, 2, 1}, {2, -1, -1}, {3, -1, -1}}},
        {"if (a < 1) begin if (b > 2) begin c = 1; d = 2 end end; e = 3",
         {{5, 4, 1}, {5, -1, 2}, {2, 3, -1}, {2, -1, -1}, {2, -1, -1}}},
        {"label top; goto top", {{4, 1, -1}, {7, -1, -1}}},
        {"string s[20]", {{1, -1, -1}}},
        {"float f; f = 3.05", {{1, 1, -1}, {2, -1, -1}}},
        {"\n\tsetF ( ) ; check(1, \"a\\\"b\", x)\r\n", {{3, 1, -1}, {3, -1, -1}}},
        {"if (!(a < 1) && b >= 2 || c != d) begin end", {{5, -1, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Parsed parsed = parse(c.script);
        EXPECT_TRUE(parsed.ok);
        EXPECT_EQ(parsed.written, kOk);
        EXPECT_EQ(rows_of(parsed), c.rows);
    }
}

TEST(MacroParser, StatementsKnowWhereTheirTextIs) {
    const Parsed parsed = parse("int a;\n  if (a < 1) begin a = 2 end");
    ASSERT_EQ(parsed.statements.size(), 3u);
    EXPECT_EQ(parsed.statements[0].start, 0);
    EXPECT_EQ(parsed.statements[0].end, 5);
    EXPECT_EQ(parsed.statements[1].start, 6);  // before the blanks of its first token
    EXPECT_EQ(parsed.statements[1].end, 19);   // after the condition's ")"
    EXPECT_EQ(parsed.statements[2].end, 31);
}

TEST(MacroParser, LabelsAreEnteredWithTheirStatement) {
    const Parsed parsed = parse("a = 1; label one; if (a < 2) begin label two end");
    EXPECT_EQ(parsed.labels, (std::vector<std::pair<std::string, int32_t>>{{"one", 1}, {"two", 3}}));
    // A label inside a statement that fails is not kept.
    EXPECT_TRUE(parse("if (a < 2) begin label three; x = end").labels.empty());
}

TEST(MacroParser, EveryParseMessage) {
    struct Case {
        const char* script;
        const char* written;
    } cases[] = {
        {"out 1", "Missing open parenthesis in function call\n"},
        {"out(1,)", "Missing arglist following comma.\nBad argument list\n"},
        {"out(1", "Missing close parenthesis in function call\n"},
        {"if a", "Missing open parenthesis in if statement\n"},
        {"if (a) begin a = 1 end", "Bad logic expression in if statement.\n"},
        {"if (1 < 2 begin end", "Missing close parenthesis in if statement.\n"},
        {"if (1 < 2) a = 1", "Bad statement block in if statement\n"},
        {"if (1 < 2) begin a = 1", "Missing end for begin.\nBad statement block in if statement\n"},
        {"while a", "Missing open parenthesis in while statement\n"},
        {"while (a) begin end", "Bad logic expression in while statement.\n"},
        {"while (1 < 2 begin end", "Missing close parenthesis in while statement.\n"},
        {"while (1 < 2) end", "Bad statement block in while statement\n"},
        {"goto 5", "Badly formed goto statement\n"},
        {"label", "Badly formed label statement\n"},
        {"a 1", "Missing operator in assignment.\n"},
        {"a = ", "Bad expr in assignment.\n"},
        {"a = 1 +", "Bad expr in assignment.\n"},
        {"int 5", "Missing identifier for int declaration\n"},
        {"float while", "Missing identifier for float declaration\n"},
        {"string out", "Missing identifier for string declaration\n"},
        {"string s", "Missing open bracket for string declaration\n"},
        {"string s[", "Missing size for string declaration\n"},
        {"string s[x]", "Missing size for string declaration\n"},
        {"string s[5", "Missing close bracket for string declaration\n"},
        {"a = out", "Missing open parenthesis after function name.\nBad expr in assignment.\n"},
        {"a = out(1,)", "Missing arglist following comma.\nBad argument list in function call.\nBad expr in assignment.\n"},
        {"a = out(1", "Missing close parenthesis in function call.\nBad expr in assignment.\n"},
        {"a = ()", "Missing expression after open parenthesis in factor.\nBad expr in assignment.\n"},
        {"a = (1", "Missing close parenthesis in factor.\nBad expr in assignment.\n"},
        {"out(\"unterminated)", "Missing close parenthesis in function call\n"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Parsed parsed = parse(c.script);
        EXPECT_FALSE(parsed.ok);
        EXPECT_EQ(parsed.written, std::string(c.written) + kInvalid);
        EXPECT_TRUE(parsed.statements.empty());
    }
}

TEST(MacroParser, WhatFollowsTheStatementsEndsTheParse) {
    Parsed parsed = parse("x = 2 # 3");
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.written, std::string("Parsing terminated before end of file.\n") + kInvalid);
    EXPECT_EQ(rows_of(parsed), (std::vector<Table_Row>{{2, -1, -1}}));

    // The statements before a failing one stay recorded, for the run.
    parsed = parse("a = 1; b = 2; c = = 3");
    EXPECT_EQ(parsed.written,
              std::string("Bad expr in assignment.\nParsing terminated before end of file.\n") + kInvalid);
    EXPECT_EQ(rows_of(parsed), (std::vector<Table_Row>{{2, 1, -1}, {2, -1, -1}}));
}

TEST(MacroParser, MessagesOnAPathALaterAlternativeReadsDoNotFailTheParse) {
    const std::string unclosed = "Missing close parenthesis in factor.\n";
    Parsed parsed = parse("if ((a < 1)) begin end");
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.written, unclosed + kOk);
    // Tried as an expression, then as a parenthesised condition.
    parsed = parse("while (a < 1 && (b >= 2 || c != d)) begin end");
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.written, unclosed + kOk);
}

TEST(MacroParser, ALoneAmpersandIsReportedEachTimeItIsRead) {
    const std::string twice = "Error in input file bad relational operator\nCharacter & consumed\n";
    const Parsed parsed = parse("a = 1 &");
    // Read after the factor, after the term, by the statement list and at the
    // end of the script, where it counts as the end of the file.
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.written, twice + twice + twice + twice + kOk);
    EXPECT_EQ(parse("a = 1 |").written.find("Character | consumed\n"),
              std::string("Error in input file bad relational operator\n").size());
}

TEST(MacroParser, NestingHasALimit) {
    const std::string deep = "a = " + std::string(300, '(') + "1" + std::string(300, ')');
    const Parsed parsed = parse(deep);
    EXPECT_FALSE(parsed.ok);
    EXPECT_NE(parsed.written.find("Statements or expressions nested too deeply.\n"), std::string::npos);

    std::string blocks;
    for (int i = 0; i < 300; ++i) blocks += "if (1 < 2) begin ";
    for (int i = 0; i < 300; ++i) blocks += "end ";
    EXPECT_FALSE(parse(blocks).ok);
}

TEST(MacroParser, AManyStatementScriptNeedsNoDeepStack) {
    std::string script;
    for (int i = 0; i < 100000; ++i) script += "a = 1;\n";
    const Parsed parsed = parse(script);
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.statements.size(), 100000u);
}

}  // namespace
