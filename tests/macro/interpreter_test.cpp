// Running scripts: the value rules with their messages, the blocks and goto,
// the stops, and the built-ins against a stub line.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/macro/run_script.h"

namespace {

struct Case {
    const char* script;   // after outfile("out.txt");
    const char* out;      // what out() wrote
    const char* messages; // what the run wrote between parse and end
};

void run_cases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Script_Run run = run_script(std::string("outfile(\"out.txt\"); ") + c.script);
        EXPECT_TRUE(run.report.parsed) << run.written;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.messages, c.messages);
    }
}

TEST(MacroValues, ArithmeticAssignmentAndTheirMessages) {
    run_cases({
        {"int a; a = 7 / 2; out(intToString(a))", "3", ""},
        {"float f; f = 7 / 2.0; out(floatToString(f))", "3.5", ""},
        {"int a; a = 7 / 0; out(intToString(a))", "7", "Division by zero - Results will be invalid.\n"},
        {"float f; f = 1 / 0.0; out(floatToString(f))", "10", "Division by zero - Results will be invalid.\n"},
        {"float f; f = 1.5 / 0; out(floatToString(f))", "1.5", "Division by zero - Results will be invalid.\n"},
        {"string s[10]; s = 5; out(s)", "", "Cannot assign numeric to string.\n"},
        {"int a; a = 1; a = inuser(\"?\"); out(intToString(a))", "1", "[prompt] ?\nCannot assign string to numeric.\n"},
        {"int a; a = 2.9; out(intToString(a)); a = -2.9; out(intToString(a))", "2-2", ""},
        {"float f; f = 3; out(floatToString(f)); f = 3.05; out(floatToString(f))", "33.05", ""},
        {"int a; a = 1 - 2 - 3; out(intToString(a)); a = 2 + 3 * 4; out(intToString(a))", "-414", ""},
        {"int a; a = -(2 - 5) * -2; out(intToString(a))", "-6", ""},
        // 32-bit wrapping, and the quotient that does not fit.
        {"int a; a = 2147483647 + 1; out(intToString(a))", "-2147483648", ""},
        {"int a; a = 65536 * 65536; out(intToString(a))", "0", ""},
        {"int a; a = 4294967297; out(intToString(a))", "1", ""},
        {"int a; a = -2147483648 / -1; out(intToString(a))", "-2147483648", ""},
        // Floats are kept as 32-bit floats.
        {"float f; f = 16777216.0 + 1.0; if (f == 16777216.0) begin out(\"32-bit\") end", "32-bit", ""},
        {"int a; float f; f = 100000000000000000000000000000000000000.0 * 10.0; a = f; out(intToString(a))",
         "2147483647", ""},
        // Texts may not take part in arithmetic.
        {"string s[5]; int a; copy(s, \"x\"); a = s + 1", "",
         "Strings not allowed in mathematical expression.\nCannot assign string to numeric.\n"},
        {"string s[5]; string t[5]; copy(s, \"x\"); t = s * 2 * 3; out(t)", "x",
         "Strings not allowed in mathematical term.\n"},
        {"string s[5]; copy(s, \"x\"); s = -s; out(s)", "x", "Cannot negate a string value.\n"},
        {"int a; a = 1 + intToString(2) + 3; out(intToString(a))", "4",
         "Strings not allowed in mathematical expression.\n"},
        // A text longer than its declared size is kept whole.
        {"string s[3]; copy(s, \"abcdefghij\"); concat(s, \"klm\"); out(s)", "abcdefghijklm", ""},
        {"string s[3]; s = intToString(1234567); out(s)", "1234567", ""},
    });
}

TEST(MacroValues, ComparisonsAndConditions) {
    run_cases({
        {"if (compare(\"ab\", \"ab\") == 0) begin out(\"eq\") end", "eq", ""},
        {"string s[5]; string t[5]; copy(s, \"ab\"); copy(t, \"ab\"); if (s <= t) begin out(\"le\") end", "le", ""},
        {"string s[5]; copy(s, \"ab\"); if (s < intToString(1)) begin out(\"?\") end; out(\"x\")", "x", ""},
        {"string s[5]; copy(s, \"a\"); if (s == 1) begin out(\"?\") end", "",
         "Cannot compare string and numeric.\n"},
        {"if (1 < 1.5) begin out(\"mixed\") end", "mixed", ""},
        {"if (-1 < 1) begin out(\"signed\") end", "signed", ""},
        {"if (!(1 > 2)) begin out(\"not\") end", "not", ""},
        {"if ((1 < 2) || (2 < 1) && (3 < 1)) begin out(\"or\") end", "or", ""},
        // Every operand of && and || is evaluated.
        {"if (1 > 2 && randomInt(0) == 0) begin out(\"?\") end", "",
         "randomInt(0): there is no number from 1 to 0; the result is 0.\n"},
        {"if (1 < 2 || randomInt(-5) == 0) begin out(\"both\") end", "both",
         "randomInt(-5): there is no number from 1 to -5; the result is 0.\n"},
    });
}

TEST(MacroValues, BuiltinsWithoutTheLine) {
    run_cases({
        {"out(intToString(randomInt(1)))", "1", ""},
        {"float f; f = randomFloat(); if (f >= 0.0 && f < 1.0) begin out(\"in\") end", "in", ""},
        {"out(intToString(checkInvalidCRC(32768))); out(intToString(checkInvalidCRC(32767)))", "10", ""},
        {"out(intToString(checkNoResponse(16) + checkInvalidIPI(65536) + checkProtocolMismatch(2)))", "2", ""},
        {"out(intToString(stringToInt(\"  -42abc\"))); out(intToString(stringToInt(\"x\")))", "-420", ""},
        {"out(intToString(floor(2.5))); out(intToString(ceiling(2.5))); out(intToString(floor(-2.5)))", "23-3", ""},
        {"out(floatToString(intToFloat(3) / 2))", "1.5", ""},
        {"out(intToString(compare(\"a\", \"b\"))); out(intToString(compare(\"b\", \"a\")))", "-11", ""},
        {"out(calcCRC(\"313233343536373839\"))", "6E90", ""},
        {"out(\"tab\\there\\\\\\n\\q\")", "tab\there\\\n\\q", ""},
        {"out(\"cut\\0off\")", "cut", ""},
        {"setF(1); getF(); send(); check(2); out(\"quiet\")", "quiet", ""},
        {"out(getField_pdu()); out(intToString(getField_AddressDrop())); out(getField_arraylist(99))", "0", ""},
        {"beep(440, 100); sleep(5); out(\"done\")", "done", "[beep]\n"},
    });
}

TEST(MacroValues, DeclarationsRunAgainKeepTheirValue) {
    run_cases({
        {"int n; n = 0; while (n < 3) begin int k; k = k + 1; n = n + 1 end; out(intToString(k))", "3", ""},
    });
}

TEST(MacroBlocks, IfWhileAndGoto) {
    run_cases({
        {"int i; i = 0; while (i < 5) begin i = i + 1 end; out(intToString(i))", "5", ""},
        {"if (1 < 2) begin out(\"a\") end; out(\"b\")", "ab", ""},
        {"if (2 < 1) begin out(\"a\") end; out(\"b\")", "b", ""},
        {"if (1 < 2) begin end; out(\"empty\")", "empty", ""},
        // A goto from inside a while to a label after it leaves the loop.
        {"int i; i = 0; while (i < 10) begin i = i + 1; if (i == 3) begin goto done end end; out(\"never\");"
         " label done; out(intToString(i))",
         "3", ""},
        // A goto to a label inside an if runs the rest of the block, then goes on after the if.
        {"int a; a = 0; goto inside; if (1 > 2) begin a = a + 1; label inside; a = a + 10; out(intToString(a)) end;"
         " out(\"after\")",
         "10after", ""},
        // Into a while: its condition is tested when the block ends.
        {"int i; i = 5; goto body; while (i < 7) begin out(\"w\"); label body; i = i + 1; out(intToString(i)) end",
         "6w7", ""},
        // Backwards, as a loop.
        {"int i; i = 0; label top; i = i + 1; if (i < 4) begin goto top end; out(intToString(i))", "4", ""},
        // From one block into another.
        {"if (1 < 2) begin out(\"1\"); goto there end; if (1 > 2) begin out(\"no\"); label there; out(\"2\") end;"
         " out(\"3\")",
         "123", ""},
    });
}

TEST(MacroStops, ANameNeverDeclaredOrALabelNeverDefinedStopsTheRun) {
    struct Stop_Case {
        const char* script;
        const char* messages;
    } cases[] = {
        {"int a; a = b + 1; out(\"x\")",
         "lookup:symbol table value does not exist\nThe variable b was never declared.\nThe macro stops here.\n"},
        {"c = 1", "lookup:symbol table value does not exist\nThe variable c was never declared.\nThe macro stops here.\n"},
        {"goto nowhere", "lookup:symbol table value does not exist\ngoto nowhere: no label nowhere is defined.\n"
                         "The macro stops here.\n"},
        {"int v; goto v", "goto v: v is a variable, not a label.\nThe macro stops here.\n"},
        {"label l; int a; a = l", "l is a label, not a variable.\nThe macro stops here.\n"},
        {"setField_arraylist(\"x\", 27)", "setField_arraylist: the index 27 is outside 1 to 26.\nThe macro stops here.\n"},
        {"setField_valuelist(\"x\", 0)", "setField_valuelist: the index 0 is outside 1 to 26.\nThe macro stops here.\n"},
        {"out(1)", "Argument 1 of out must be a text.\nThe macro stops here.\n"},
        {"out()", "out takes 1 argument, not 0.\nThe macro stops here.\n"},
        {"copy(\"x\", \"y\")", "Argument 1 of copy must be the name of a variable.\nThe macro stops here.\n"},
        {"out(intToString(\"x\"))", "Argument 1 of intToString must be a number.\nThe macro stops here.\n"},
    };
    for (const Stop_Case& c : cases) {
        SCOPED_TRACE(c.script);
        const Script_Run run = run_script(c.script);
        EXPECT_TRUE(run.report.parsed);
        EXPECT_FALSE(run.report.completed);
        EXPECT_EQ(run.messages, c.messages);
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(MacroStops, AnEndlessLoopEndsAtTheStepBudget) {
    const Script_Run run = run_script("while (1 < 2) begin end", Run_Limits{1000});
    EXPECT_FALSE(run.report.completed);
    EXPECT_EQ(run.messages, "The macro has run 1000 statements, as many as it may.\nThe macro stops here.\n");
}

TEST(MacroStops, AScriptThatUsesUpItsHeapStopsAlone) {
    Run_Limits limits;
    limits.heap_ceiling = size_t{1} << 20;
    const Script_Run run = run_script("string s[8]; copy(s, \"12345678\"); while (1 < 2) begin concat(s, s) end", limits);
    EXPECT_FALSE(run.report.completed);
    EXPECT_EQ(run.messages, "The macro heap is used up; the macro stops.\n");
}

TEST(MacroStops, AFailedParseRunsTheStatementsRecorded) {
    const Script_Run run = run_script("outfile(\"out.txt\"); out(\"ran\"); x = = 1");
    EXPECT_FALSE(run.report.parsed);
    EXPECT_TRUE(run.report.completed);
    EXPECT_EQ(run.out, "ran");
    EXPECT_EQ(run.written,
              "Bad expr in assignment.\nParsing terminated before end of file.\nInvalid input file\n\nAfter execution\n");
}

TEST(MacroStops, AScriptThatCannotBeReadIsReported) {
    Stub_Engine engine;
    Temp_Dir dir;
    Working_Directory enter(dir.path());
    const Run_Report report = run_macro_file("missing.mac", engine);
    EXPECT_FALSE(report.parsed);
    EXPECT_EQ(engine.written, "Cannot open the macro file missing.mac\nInvalid input file\n\nAfter execution\n");
}

TEST(MacroFiles, InfileSetsTheVariablesMarkedInvar) {
    Temp_Dir dir;
    Working_Directory enter(dir.path());
    dir.write("in.txt", "  count : 42 \nratio:2.5\r\nname: \"Main Street\"\nother: 7\nno colon here\n" +
                            std::string(3000, 'x') + ": 1\n");
    dir.write("script.mac",
              "outfile(\"out.txt\"); int count; float ratio; string name[4]; int other; other = 1;"
              "invar(count); invar(ratio); invar(name); infile(\"in.txt\");"
              "out(intToString(count)); out(\" \"); out(floatToString(ratio)); out(\" \"); out(name);"
              "out(\" \"); out(intToString(other))");
    Stub_Engine engine;
    const Run_Report report = run_macro_file("script.mac", engine);
    EXPECT_TRUE(report.completed) << engine.written;
    EXPECT_EQ(dir.read("out.txt"), "42 2.5 Main Street 1");
}

TEST(MacroFiles, OutfileStartsTheFileAfresh) {
    Temp_Dir dir;
    Working_Directory enter(dir.path());
    dir.write("out.txt", "old");
    dir.write("script.mac", "outfile(\"out.txt\"); out(\"new\\n\"); outfile(\"/nonexistent/dir/x\"); out(\"y\")");
    Stub_Engine engine;
    run_macro_file("script.mac", engine);
    EXPECT_EQ(dir.read("out.txt"), "new\n");
    EXPECT_EQ(engine.written,
              "File parsed successfully\ncannot open outfile\nError writing to output file.\n\nAfter execution\n");
}

TEST(MacroLine, TheSendFamilyBuildsTheRequestAndReadsTheOutcome) {
    Stub_Engine engine;
    engine.outcomes[0] = {0, "", 0, 0, "17"};
    engine.outcomes[1] = {0x8000, "Error: Bad CRC in message received, attempting to continue.", 0, 0, ""};
    engine.outcomes[2] = {0, "SNMP Error: Read only object", 4, 1, ""};
    const Script_Run run = run_script(
        "outfile(\"out.txt\"); int id; int flags; string text[8]; int status; int index; string value[4];"
        "setField_SizeOfTheArray(1); setField_arraylist(\"demoInteger.0\", 1);"
        "id = sendGet(); flags = getError(text, id, status, index); getResponseValue(id, value);"
        "out(intToString(id)); out(\":\"); out(intToString(flags)); out(\":\"); out(value); out(\"|\");"
        "setField_community(\"Public\"); setField_AddressDrop(5); id = sendGetNext();"
        "flags = getError(text, id, status, index); out(intToString(checkInvalidCRC(flags))); out(text); out(\"|\");"
        "setField_valuelist(\"AB\", 1); setField_asn1syntax(4, 1); id = sendSetAsc();"
        "flags = getError(text, id, status, index); out(intToString(status)); out(intToString(index)); out(text);"
        "clearErrorState(id); out(intToString(getError(text, id, status, index))); id = sendSetNoDec()",
        engine);
    EXPECT_TRUE(run.report.completed) << run.written;
    EXPECT_EQ(run.out,
              "0:0:17|1Error: Bad CRC in message received, attempting to continue.|41SNMP Error: Read only object-1");
    ASSERT_EQ(engine.sent.size(), 4u);
    const Sent_Request& get = engine.sent[0];
    EXPECT_EQ(get.protocol, "SNMP");
    EXPECT_EQ(get.class_name, "Class B");
    EXPECT_EQ(get.community, "ORCHID");
    EXPECT_EQ(get.address, 1);
    EXPECT_EQ(get.get, 1);
    EXPECT_EQ(get.names, std::vector<std::string>{"demoInteger.0"});
    EXPECT_EQ(engine.sent[1].get_next, 1);
    EXPECT_EQ(engine.sent[1].community, "Public");
    EXPECT_EQ(engine.sent[1].address, 5);
    EXPECT_EQ(engine.sent[2].set, 1);
    EXPECT_EQ(engine.sent[2].values, std::vector<std::string>{"41 42"});
    EXPECT_EQ(engine.sent[2].types, std::vector<uint8_t>{4});
    EXPECT_EQ(engine.sent[3].type5, 1);
    EXPECT_EQ(engine.sent[3].set, 0);
    EXPECT_EQ(engine.sent[3].values, std::vector<std::string>{"41 42"});
}

TEST(MacroLine, TheNodeFamilyReadsTheNodeRecord) {
    Stub_Engine engine;
    Node_Record node;
    node.name = "demoTemperature.0";
    node.syntax = "INTEGER";
    node.value = "-12";
    node.neg_lower = -40;
    node.upper = 60;
    node.timestamp = "12:00";
    node.oid = "1.3.6.1.4.1.1206.4.2.99.1.3.0";
    engine.nodes["demoTemperature.0"] = node;
    engine.objects["demoTable"] = "demoRow.1\ndemoRow.2\ndemoRow.3";
    const Script_Run run = run_script(
        "outfile(\"out.txt\"); int n; n = getNodeInfo(\"demoTemperature.0\");"
        "out(intToString(n)); out(getNodeName()); out(getNodeSyntax()); out(intToString(getNodeValue()));"
        "out(intToString(getNodeMin())); out(intToString(getNodeMax())); out(getNodeTimestamp()); out(getNodeOID());"
        "out(getNodeAccess()); out(\"|\"); out(intToString(getNodeInfo(\"nothing\"))); out(getNodeName()); out(\"|\");"
        "out(intToString(getNodeObjects(\"demoTable\"))); out(getInstance(0)); out(getInstance(2)); out(getInstance(3));"
        "out(\"|\"); out(intToString(getNodeObjects(\"nothing\"))); out(getNextInstance(\"a.0\"));"
        "out(getNextInstance(\"last.0\"))",
        engine);
    EXPECT_TRUE(run.report.completed) << run.written;
    EXPECT_EQ(run.out,
              "0demoTemperature.0INTEGER-12-406012:001.3.6.1.4.1.1206.4.2.99.1.3.0|-1|3demoRow.1demoRow.3|0a.0.next");
}

TEST(MacroLine, InuserAsksTheUser) {
    Stub_Engine engine;
    engine.answers = {"yes"};
    const Script_Run run = run_script("outfile(\"out.txt\"); out(inuser(\"Go on?\")); out(inuser(\"Again?\"))", engine);
    EXPECT_EQ(run.out, "yes");
    EXPECT_EQ(run.messages, "[prompt] Go on?\n[prompt] Again?\n");
}

TEST(MacroVerdicts, AreRecordedInOrderAndWritten) {
    const Script_Run run = run_script("verdict(\"first\", 1); verdict(\"second\", checkInvalidCRC(0))");
    EXPECT_TRUE(run.report.completed);
    ASSERT_EQ(run.report.verdicts.size(), 2u);
    EXPECT_EQ(run.report.verdicts[0].name, "first");
    EXPECT_TRUE(run.report.verdicts[0].passed);
    EXPECT_FALSE(run.report.verdicts[1].passed);
    EXPECT_EQ(run.messages, "Verdict first: passed\nVerdict second: failed\n");
}

// A script changed while it runs is run in its changed form.
class Editing_Engine : public Stub_Engine {
public:
    std::optional<std::string> user_input(std::string_view) override {
        std::string text;
        {
            std::ifstream in("script.mac");
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        if (const size_t at = text.find("one"); at != std::string::npos) text.replace(at, 3, "two");
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::ofstream("script.mac", std::ios::trunc) << text;
        return std::string();
    }
};

// Replaces the script's text with what no longer reads as its statements.
class Spoiling_Engine : public Stub_Engine {
public:
    std::optional<std::string> user_input(std::string_view) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::ofstream("script.mac", std::ios::trunc) << "))))))))))))))))))))))))))))))))))))))))))))))))))))))))";
        return std::string();
    }
};

TEST(MacroSource, AStatementThatNoLongerReadsStopsTheRun) {
    Spoiling_Engine engine;
    const Script_Run run = run_script("inuser(\"spoil\"); out(\"never\")", engine);
    EXPECT_FALSE(run.report.completed);
    EXPECT_EQ(run.messages,
              "Statement 1 no longer reads as it did: the script file was changed while it ran.\n"
              "The macro stops here.\n");
}

TEST(MacroSource, AStatementRunsAsTheFileNowReads) {
    Editing_Engine engine;
    const Script_Run run = run_script("outfile(\"out.txt\"); int i; i = 0; while (i < 2) begin out(\"one\"); "
                                      "i = i + 1; inuser(\"edit\") end",
                                      engine);
    EXPECT_TRUE(run.report.completed) << run.written;
    EXPECT_EQ(run.out, "onetwo");
}

}  // namespace
