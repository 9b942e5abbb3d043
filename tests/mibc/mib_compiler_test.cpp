// The compile entry: its results, the bundled sample against the Extended
// Mosy file the loader is tested with, include files, the options that carry
// over from one compile to the next, and what ends a compile early.
#include "mibc/mib_compiler.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/mibc/compile_fixture.h"
#include "mibc/diagnostics.h"
#include "mibc/scanner.h"
#include "mibc/string_space.h"
#include "tests/support/sample.h"

namespace {

std::string without_identification(std::string text) {
    const std::string mark = "-- Extended Mosy format from\n--   ";
    const auto at = text.find(mark);
    if (at != std::string::npos) text.erase(at + mark.size(), text.find('\n', at + mark.size()) - at - mark.size());
    return text;
}

TEST(MibCompiler, SampleReproducesTheBundledOutput) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile({
        {"Mibi", read_source_file("mibs/Mibi")},
        {"QUORVAN-SMI.mib", read_source_file("mibs/QUORVAN-SMI.mib")},
        {"QUORVAN-DEMO-MIB.mib", read_source_file("mibs/QUORVAN-DEMO-MIB.mib")},
    });
    ASSERT_EQ(compiled.result, mibc::Compile_Result::success) << compiled.errors;
    EXPECT_EQ(without_identification(compiled.output), without_identification(read_source_file("mibs/demo.out")));
    EXPECT_NE(compiled.output.find(std::string("--   ") + mibc::kIdentification + "\n"), std::string::npos);
    EXPECT_EQ(compiled.errors,
              "W: f(QUORVAN-DEMO-MIB.mib), (29,0) Name of table \"dynObjDef\" should end with Table\r\n"
              "Mibi parsed successfully\n");
}

TEST(MibCompiler, FilesThatCannotBeOpened) {
    Temp_Dir dir;
    dir.write("main.mib", module_text(""));
    Working_Directory here(dir.path());
    mibc::Mib_Compiler compiler;
    EXPECT_EQ(compiler.compile("missing.mib", "out", "err"), mibc::Compile_Result::input_not_opened);
    EXPECT_EQ(compiler.compile("main.mib", "no/such/dir/out", "err"), mibc::Compile_Result::output_not_created);
    EXPECT_EQ(compiler.compile("main.mib", "out", "no/such/dir/err"), mibc::Compile_Result::errors_not_created);
}

TEST(MibCompiler, IncludesThreeDeepAndNoDeeper) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile({
        {"main.mib", "#include \"a.mib\"\n" + module_text("x OBJECT IDENTIFIER ::= { d 1 }\n")},
        {"a.mib", "#include \"b.mib\"\n#include \"/dev/zero\"\n"},
        {"b.mib", "#include \"c.mib\"\n#include \"missing.mib\"\n"},
        {"c.mib", "-- three deep\n  #include \"d.mib\"\n#printOpt\n"},
        {"d.mib", "#printOpt\n"},
    });
    EXPECT_EQ(compiled.errors,
              "E: f(c.mib), (2,11) Include file nested too deeply\r\n"
              "options: 5\n"
              "E: f(b.mib), (2,9) Error opening Include file \"missing.mib\"\r\n"
              // Only regular files are read: a device would never end.
              "E: f(a.mib), (2,9) Error opening Include file \"/dev/zero\"\r\n"
              "W: (11,21) \"OBJECT-TYPE\" imported but not used\r\n"
              "\n*** main.mib parsed with 3 errors and 1 warning\n");
}

TEST(MibCompiler, CountsStartAtZeroOptionsCarryOver) {
    Compile_Fixture fixture;
    const std::string unused_import = module_text("x OBJECT IDENTIFIER ::= { d 1 }\n");
    const std::string optional_status =
        module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS optional ::= { d 1 }\n");

    Compiled first = fixture.compile("#addOpt \"G\"\n#removeOpt \"5\"\n" + optional_status);
    EXPECT_EQ(first.result, mibc::Compile_Result::errors_found);
    EXPECT_EQ(first.errors,
              "E: (14,0) \"x\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"\r\n"
              "\n*** main.mib parsed with 1 error and 0 warnings\n");
    // Option 5 is set again; G stays set, so the unused import is not reported.
    Compiled second = fixture.compile(optional_status);
    EXPECT_EQ(second.result, mibc::Compile_Result::success);
    EXPECT_EQ(second.errors, "main.mib parsed successfully\n");
    Compiled third = fixture.compile("#removeOpt \"G\"\n" + unused_import);
    EXPECT_EQ(third.errors, "W: (11,21) \"OBJECT-TYPE\" imported but not used\r\nmain.mib parsed successfully\n");
}

TEST(MibCompiler, AliasesOfModulesAndSymbols) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile(
        module_text("x OBJECT IDENTIFIER ::= { d 1 }\n", "IMPORTS enterprises FROM P;\n") +
        "#aliasModule P SMI-ALIAS\n#aliasModule P SMI-ALIAS\n#aliasModule Nowhere A\n"
        "#aliasSymbol P enterprises ent\n#aliasSymbol P nothing n\n#aliasSymbol M enterprises e2\n"
        "#aliasSymbol P Counter c\n#aliasSymbol Nowhere a b\n"
        "N DEFINITIONS ::= BEGIN\nIMPORTS ent FROM SMI-ALIAS;\ny OBJECT IDENTIFIER ::= { ent 9 }\nEND\n");
    EXPECT_EQ(compiled.errors,
              "E: (16,0) alias \"SMI-ALIAS\" for module \"P\" is already used - ignoring module alias\r\n"
              "E: (17,0) module \"Nowhere\" not defined - ignoring module alias\r\n"
              "E: (19,0) Item \"nothing\" not defined in module \"P\" - ignoring symbol alias\r\n"
              "E: (20,0) Item \"enterprises\" from module \"M\" is imported - ignoring symbol alias\r\n"
              "E: (21,0) Item \"Counter\" from module \"P\" is an SMI item - ignoring symbol alias\r\n"
              "E: (22,0) module \"Nowhere\" not defined - ignoring symbol alias\r\n"
              "\n*** main.mib parsed with 6 errors and 0 warnings\n");
}

TEST(MibCompiler, TokenTooBigEndsTheCompileNotTheProgram) {
    Compile_Fixture fixture;
    const std::string description(mibc::kStringBlockSize, 'x');
    const Compiled compiled = fixture.compile(module_text(
        "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DESCRIPTION \"" + description +
        "\" ::= { d 1 }\n"));
    EXPECT_EQ(compiled.result, mibc::Compile_Result::parser_gave_up);
    EXPECT_EQ(compiled.errors,
              "E: (12,75) Token too big\r\n"
              "Unrecoveralble error - program terminating\n"
              "Unsuccessful parsing\n");
    EXPECT_TRUE(compiled.output.empty());
    // The compiler is fine for the next compile.
    EXPECT_EQ(fixture.compile("#addOpt \"G\"\n" + module_text("x OBJECT IDENTIFIER ::= { d 1 }\n")).result,
              mibc::Compile_Result::success);
}

// The budget of token text is far above any real module; a scanner whose
// budget is spent stops with the compiler's own words.
TEST(MibCompiler, SpentStringSpaceStopsTheScanner) {
    mibc::String_Space space;
    const std::string block_filler(mibc::kStringBlockSize - 1, 'x');
    for (size_t block = 0; block < mibc::kMaxStringBlocks; ++block)
        ASSERT_EQ(space.hold(block_filler), mibc::String_Space::Outcome::stored);
    std::ostringstream errors;
    mibc::Diagnostics diagnostics(errors, "main.mib");
    mibc::Scanner scanner(diagnostics, space, "main.mib", "\nAbc DEFINITIONS");
    mibc::Token_Value value;
    scanner.next(value);
    EXPECT_TRUE(scanner.stopped());
    EXPECT_EQ(errors.str(),
              "E: (2,0) allocStrSp: Out of string space\r\n"
              "Unrecoveralble error - program terminating\n");
}

TEST(MibCompiler, ParserTraceOfOptionX) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile("#addOpt \"X\"\nA DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { 1 }\n; END\n");
    EXPECT_NE(compiled.errors.find("Received token tokNAME\n"), std::string::npos);
    EXPECT_NE(compiled.errors.find(", token kwDEFINITIONS\n"), std::string::npos);
    EXPECT_NE(compiled.errors.find("Reduce by ("), std::string::npos);
    EXPECT_NE(compiled.errors.find("\"moduleHeader : tokNAME optModuleOid kwDEFINITIONS isToken kwBEGIN\"\n"),
              std::string::npos);
    EXPECT_NE(compiled.errors.find("Error recovery discards chSEMI\n"), std::string::npos);
    EXPECT_NE(compiled.errors.find("E: (4,0) syntax error\r\n"), std::string::npos);
    EXPECT_NE(compiled.errors.find("Error recovery pops state "), std::string::npos);
    EXPECT_NE(compiled.errors.find(", uncovers state "), std::string::npos);
    // The trace option stays set for the next compile until removed.
    EXPECT_NE(fixture.compile("#removeOpt \"X\"\n").errors.find("Received token dirREMOVEOPT\n"), std::string::npos);
    EXPECT_EQ(fixture.compile(module_text("x OBJECT IDENTIFIER ::= { d 1 }\n", "IMPORTS enterprises FROM P;\n")).errors,
              "main.mib parsed successfully\n");
}

TEST(MibCompiler, ListingsStopAtSixtyFourLevels) {
    std::string chain = "n1 OBJECT IDENTIFIER ::= { d 1 }\n";
    for (int level = 2; level <= 70; ++level) {
        chain += 'n';
        chain += std::to_string(level);
        chain += " OBJECT IDENTIFIER ::= { n";
        chain += std::to_string(level - 1);
        chain += " 1 }\n";
    }
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile("#addOpt \"G\"\n" + module_text(chain, "IMPORTS enterprises FROM P;\n"));
    ASSERT_EQ(compiled.result, mibc::Compile_Result::success) << compiled.errors;
    // iso, enterprises and d come first: n61 is the 64th level, n62 the first left out.
    EXPECT_NE(compiled.output.find("n61 n60 Node\n***OIDs nested too deep***\n**end of oid tree**\n"), std::string::npos);
    EXPECT_EQ(compiled.output.find("n62"), std::string::npos);
}

TEST(MibCompiler, NoModuleAtAll) {
    Compile_Fixture fixture;
    EXPECT_EQ(fixture.compile("-- nothing but a comment\n").errors,
              "E: One or more MIB modules must be defined\r\n"
              "\n*** main.mib parsed with 1 error and 0 warnings\n");
    EXPECT_EQ(fixture.compile("A DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { 1 }\nEND\n\x1a{{{").result,
              mibc::Compile_Result::success);
    EXPECT_EQ(fixture.compile("A DEFINITIONS ::= BEGIN\nT ::= OCTET STRING -- end").errors,
              "E: (2,19) EOF inside a comment\r\nE: (2,19) syntax error\r\nUnsuccessful parsing\n");
}

}  // namespace
