// The compiler's findings on small MIB texts: each case is the text of a
// module set and the error file it must produce, line for line.
#include <gtest/gtest.h>

#include <string>

#include "tests/mibc/compile_fixture.h"

namespace {

struct Finding_Case {
    const char* name;
    std::string text;
    int result;
    std::string errors;
};

void check_cases(const std::vector<Finding_Case>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Compile_Fixture fixture;
        const Compiled compiled = fixture.compile(c.text);
        EXPECT_EQ(static_cast<int>(compiled.result), c.result);
        EXPECT_EQ(compiled.errors, c.errors);
        // Output only from a compile without errors.
        EXPECT_EQ(compiled.output.empty(), c.result != 0);
    }
}

TEST(MibFindings, Scanner) {
    check_cases({
    {"largest number",
     module_text("x OBJECT IDENTIFIER ::= { d 4294967295 }\n"),
     0, "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "main.mib parsed successfully\n"},
    {"number one past the largest",
     module_text("x OBJECT IDENTIFIER ::= { d 4294967296 }\n"),
     6, "E: (12,28) number too big, using value of one instead\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"number of eleven digits",
     module_text("x OBJECT IDENTIFIER ::= { d 00000000001 }\n"),
     6, "E: (12,28) number too big, using value of one instead\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"comment hides the rest of the line",
     module_text("x OBJECT IDENTIFIER ::= { d 1 } -- a -- b y OBJECT IDENTIFIER\n"),
     0, "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "main.mib parsed successfully\n"},
    {"hex and binary strings",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { 'AB'H } ::= { d 1 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { '101'B } ::= { d 2 }\n"),
     0, "main.mib parsed successfully\n"},
    {"bad hex string",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { 'AG'H } ::= { d 1 }\n"),
     6, "E: (12,72) bad hex string\r\n"
        "E: (12,72) syntax error\r\n"
        "E: (12,80) Problem with value for DEFVAL clause\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    {"bad binary string",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { '102'B } ::= { d 1 }\n"),
     6, "E: (12,72) bad binary string\r\n"
        "E: (12,72) syntax error\r\n"
        "E: (12,81) Problem with value for DEFVAL clause\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    {"quoted string without B or H",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { 'AB' } ::= { d 1 }\n"),
     6, "E: (12,72) string needs to be followed by 'B' or 'H'\r\n"
        "E: (12,72) syntax error\r\n"
        "E: (12,79) Problem with value for DEFVAL clause\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    {"line end inside a quoted string",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { 'AB\n"
                     " } ::= { d 1 }\n"),
     6, "E: (12,72) End of line inside string\r\n"
        "E: (12,72) syntax error\r\n"
        "E: (13,3) Problem with value for DEFVAL clause\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    {"EOF inside a string",
     std::string("A DEFINITIONS ::= BEGIN\n"
                     "x OBJECT-TYPE DESCRIPTION \"never closed\n"),
     5, "E: (2,14) syntax error\r\n"
        "E: (2,26) EOF inside a string\r\n"
        "Unsuccessful parsing\n"},
    {"blank inside the assignment",
     module_text("T : := INTEGER\n"
                     "x OBJECT IDENTIFIER :: { d 1 }\n"
                     "y OBJECT IDENTIFIER := { d 2 }\n"
                     "z OBJECT IDENTIFIER = { d 3 }\n"
                     "w OBJECT-TYPE SYNTAX T ACCESS read-only STATUS mandatory ::= { d 4 }\n"),
     6, "E: (12,7) Must use \"::=\"\r\n"
        "E: (13,23) Must use \"::=\"\r\n"
        "E: (14,23) Must use \"::=\"\r\n"
        "E: (15,22) Must use \"::=\"\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"range dots",
     module_text("x OBJECT-TYPE SYNTAX INTEGER (1...5) ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER (1.5) ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "z OBJECT-TYPE SYNTAX INTEGER (1 5) ACCESS read-only STATUS mandatory ::= { d 3 }\n"),
     6, "E: (12,34) Must use \"..\"\r\n"
        "E: (13,32) Must use \"..\"\r\n"
        "E: (14,32) Missing \"..\"\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    });
}

TEST(MibFindings, Grammar) {
    check_cases({
    {"token outside a module",
     std::string("; P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "END\n"),
     6, "E: syntax error\r\n"
        "E: (1,2) Start of MIB module or Compiler directives expected - item skipped\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"include without a file name",
     std::string("#include foo\n"
                     "P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "END\n"),
     6, "E: (2,0) quoted file name expected for \"#include\" directive\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"alias directives without their names",
     std::string("P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "END\n"
                     "#aliasModule M\n"
                     "#aliasSymbol M x\n"
                     "#addOpt\n"
                     "#removeOpt 5\n"),
     6, "E: (15,0) syntax error\r\n"
        "E: (15,0) Module name and alias name expected for \"#aliasModule\" directive\r\n"
        "E: (16,0) syntax error\r\n"
        "E: (16,0) Module name, object name, and its alias name expected for \"#aliasSymbol\" directive\r\n"
        "E: (17,0) Quoted option string expected for \"#addOpt\" directive\r\n"
        "E: (18,0) Quoted option string expected for \"#removeOpt\" directive\r\n"
        "\n"
        "*** main.mib parsed with 6 errors and 0 warnings\n"},
    {"module without definitions",
     std::string("A DEFINITIONS ::= BEGIN\n"
                     "END\n"
                     "B DEFINITIONS ::= BEGIN\n"
                     "x OBJECT IDENTIFIER ::= { 1 }\n"
                     "END\n"),
     6, "E: (3,0) Module must contain definitions - terminating\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"bad module header",
     std::string("A DEFINITIONS BEGIN\n"
                     "x OBJECT IDENTIFIER ::= { 1 }\n"
                     "END\n"),
     6, "E: (1,14) syntax error\r\n"
        "E: (2,0) Syntax for module header is\n"
        "  <moduleName> [<oidValue>] \"DEFINITIONS\" \"::=\" \"BEGIN\"\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"OID value in the header",
     std::string("A { iso org(3) 6 } DEFINITIONS ::= BEGIN\n"
                     "x OBJECT IDENTIFIER ::= { 1 }\n"
                     "END\n"),
     0, "W: Extraneous OID definition for module ignored\r\n"
        "main.mib parsed successfully\n"},
    {"imports without the semicolon",
     module_text("x OBJECT IDENTIFIER ::= { d 1 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE FROM P\n"),
     6, "E: (11,2) syntax error\r\n"
        "E: (11,26) Missing semicolon at end of IMPORTs - terminating\r\n"
        "W: (10,8) \"enterprises\" imported but not used\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 2 warnings\n"},
    {"imports without a comma",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n",
                     "IMPORTS enterprises OBJECT-TYPE FROM P;\n"),
     6, "E: (10,32) Missing comma between imported items\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"comma after the module name",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE FROM P, ;\n"),
     6, "E: (10,41) Extra comma after module name\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"imports after a definition",
     module_text("x OBJECT IDENTIFIER ::= { d 1 }\n"
                     "IMPORTS y FROM P;\n"),
     6, "E: (13,8) IMPORTS must be at the very start of a module - terminating\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"directive inside a module",
     module_text("x OBJECT IDENTIFIER ::= { d 1 }\n"
                     "#printOpt\n"),
     6, "E: (14,0) Compiler directives not allowed in module definition - terminating\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"unrecognized definition",
     module_text("x FOO BAR\n"
                     "y OBJECT IDENTIFIER ::= { d 1 }\n"),
     6, "E: (12,2) syntax error\r\n"
        "E: (12,2) Unrecognized definition type - item skipped\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 1 warning\n"},
    {"SMI without a name",
     module_text("SMI ;\n"),
     6, "E: (12,4) syntax error\r\n"
        "E: (13,0) Name of SMI item expected\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 1 warning\n"},
    {"OBJECT-TYPE without SYNTAX",
     module_text("x OBJECT-TYPE ACCESS read-only STATUS mandatory ::= { d 1 }\n"),
     6, "E: (12,14) Missing SYNTAX clause\r\n"
        "E: (12,0) Object \"x\" has invalid syntax\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"unknown access and status",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS readable STATUS current ::= { d 1 }\n"),
     6, "E: (12,45) Unknown ACCESS type \"readable\"\r\n"
        "E: (12,60) Unknown STATUS type \"current\"\r\n"
        "E: (12,0) \"x\" must have access of \"read-only\" or \"read-write\"\r\n"
        "E: (12,0) \"x\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"sequence item lists",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER fooValue INTEGER, }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (14,57) Missing comma between sequence items\r\n"
        "E: (15,0) Extra comma at end of sequence item list\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"comma between member and syntax",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex, INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (14,41) Extra comma\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"enumerations",
     module_text("x OBJECT-TYPE SYNTAX INTEGER { a(1), b(-2), c(0) d(3), e(4), } ACCESS read-only STATUS mandatory ::= { d 1 }\n"),
     6, "E: (12,42) Negative numbers are not valid enumerated values\r\n"
        "W: (12,49) Value for enumerated item \"c\" should not be zero\r\n"
        "E: (12,53) Missing comma between enumerated items\r\n"
        "E: (12,63) Extra comma at end of enumerated value list\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 1 warning\n"},
    {"enumerated names and values",
     module_text("x OBJECT-TYPE SYNTAX INTEGER { a(1), a(2), b(1), Up(3) } ACCESS read-only STATUS mandatory ::= { d 1 }\n"),
     0, "duplicate name \"a\" in ENUMERATION\r\n"
        "duplicate value of 1 for \"a\" and \"b\" in ENUMERATION\r\n"
        "Name of enumerated value \"Up\" must start with a lowercase letter\r\n"
        "main.mib parsed successfully\n"},
    {"index lists",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex fooValue, } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (13,101) Missing comma between index items\r\n"
        "E: (13,105) Extra comma at end of index item list\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"SEQUENCE OF with a size",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry (SIZE (4)) ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"),
     6, "E: (12,60) A sequence name can not be qualified with a size or range\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"OCTET and OBJECT alone",
     module_text("x OBJECT-TYPE SYNTAX OCTET ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "y OBJECT-TYPE SYNTAX OBJECT ACCESS read-only STATUS mandatory ::= { d 2 }\n"),
     6, "E: (12,27) Syntax name is \"OCTET\" \"STRING\"\r\n"
        "E: (13,28) Syntax name is \"OBJECT\" \"IDENTIFER\"\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"bad DEFVAL",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { ; } ::= { d 1 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL 5 ::= { d 2 }\n"),
     6, "E: (12,72) syntax error\r\n"
        "E: (12,76) Problem with value for DEFVAL clause\r\n"
        "E: (13,70) syntax error\r\n"
        "E: (13,72) Problem with DEFVAL clause, syntax is\n"
        "  \"DEFVAL\" \"{\" <value> \"}\"\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"no option set",
     "#removeOpt \"5\"\n#printOpt\n" + module_text("x OBJECT IDENTIFIER ::= { d 1 }\n"),
     0, "options: **none set**\n"
        "W: (12,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "main.mib parsed successfully\n"},
    {"directives",
     std::string("#help\n"
                     "#frobnicate\n"
                     "#addOpt \"7b\"\n"
                     "#printOpt\n"
                     "#addOpt \"q\"\n"
                     "#removeOpt \"7B\"\n"
                     "#printOpt\n"
                     "#pushOpt\n"
                     "#pushOpt\n"
                     "#pushOpt\n"
                     "#pushOpt\n"
                     "#pushOpt\n"
                     "#popOpt\n"
                     "#popOpt\n"
                     "#popOpt\n"
                     "#popOpt\n"
                     "#popOpt\n"
                     "P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "END\n"),
     6, "E: (2,0) unknown directive \"frobnicate\"\r\n"
        "Directives\n"
        "  #help -- print this list\n"
        "  #include \"<fileName>\" -- process include file\n"
        "  #aliasModule <module> <alias> -- alias a module\n"
        "  #aliasSymbol <module> <object> <alias> -- alias an object\n"
        "  #pushOpt -- push options\n"
        "  #popOpt -- pop options\n"
        "  #addOpt \"<options>\" -- add one or more options\n"
        "  #removeOpt \"<options>\" -- remove one or more options\n"
        "  #printOpt -- print options\n"
        "options: B 7 5\n"
        "E: (6,0) unknown option 'q' in \"q\"\r\n"
        "options: 5\n"
        "E: (13,0) Option stack already at max depth\r\n"
        "E: (18,0) Option stack empty\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"bad clauses",
     module_text("a OBJECT-TYPE SYNTAX INTEGER ACCESS ( STATUS mandatory ::= { d 1 }\n"
                     "b OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS ( ::= { d 2 }\n"
                     "c OBJECT-TYPE SYNTAX ( ACCESS read-only STATUS mandatory ::= { d 3 }\n"
                     "e OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DESCRIPTION 5 ::= { d 4 }\n"
                     "f OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory REFERENCE 5 ::= { d 5 }\n"),
     6, "E: (12,36) syntax error\r\n"
        "E: (12,38) Problem with ACCESS\r\n"
        "E: (13,53) syntax error\r\n"
        "E: (13,55) Problem with STATUS\r\n"
        "E: (14,21) syntax error\r\n"
        "E: (14,23) Problem with SYNTAX clause\r\n"
        "E: (15,75) syntax error\r\n"
        "E: (15,77) Syntax is  \"DESCRIPTION\" <quotedString>\r\n"
        "E: (16,73) syntax error\r\n"
        "E: (16,75) Syntax is  \"REFERENCE\" <quotedString>\r\n"
        "E: (12,0) \"a\" must have access of \"read-only\" or \"read-write\"\r\n"
        "E: (13,0) \"b\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"\r\n"
        "E: (14,0) Object \"c\" has invalid syntax\r\n"
        "\n"
        "*** main.mib parsed with 13 errors and 0 warnings\n"},
    {"bad definitions",
     module_text("o OBJECT IDENTIFIER { d 1 }\n"
                     "p OBJECT IDENTIFIER ::= { d }\n"
                     "q OBJECT-TYPE 5 ::= { d 2 }\n"
                     "T ::= (\n"
                     "S ::= SEQUENCE 5\n"
                     "R ::= SEQUENCE { ; }\n"
                     "U ::= SEQUENCE { a INTEGER, b ( }\n"
                     "r OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 3 }\n"),
     6, "E: (12,20) syntax error\r\n"
        "E: (12,22) Syntax for OID is\n"
        "  <oidName> \"OBJECT\" \"IDENTIFIER\" \"::=\" <oidValid>\r\n"
        "E: (13,0) Unrecognized definition type - item skipped\r\n"
        "E: (13,28) syntax error\r\n"
        "E: (14,0) Syntax for <oidValue> is\n"
        "  { <OIDname> <number> } | <number>\r\n"
        "E: (14,22) Syntax is\n"
        "  <objName> \"OBJECT-TYPE\" <syntax> <access> <status> <optDesc> <optRefer> <optIndex> <optDefval> \"::=\" <oidVal>\r\n"
        "E: (15,0) Unrecognized definition type - item skipped\r\n"
        "E: (16,15) syntax error\r\n"
        "E: (17,0) Syntax is\n"
        "  <seqName> \"::=\" \"SEQUENCE\" \"{\" <seqItems> \"}\"\r\n"
        "E: (17,17) syntax error\r\n"
        "E: (18,0) Problem with sequence item list, syntax is\n"
        "  <seqName> \"::=\" \"SEQUENCE\" \"{\" <seqItem> [\",\"<seqItem>]... \"}\"\r\n"
        "E: (18,30) syntax error\r\n"
        "E: (18,32) Problem with sequence item syntax\r\n"
        "E: (18,0) Sequence \"U\" defined but not referenced\r\n"
        "E: (18,17) Item \"a\" in sequence \"U\" is not an object\r\n"
        "\n"
        "*** main.mib parsed with 15 errors and 0 warnings\n"},
    {"bad traps",
     module_text("t1 TRAP-TYPE ENTERPRISE 5 ::= 1\n"
                     "t2 TRAP-TYPE ENTERPRISE d VARIABLES 5 ::= 2\n"
                     "t3 TRAP-TYPE 5\n",
                     "IMPORTS enterprises, OBJECT-TYPE, TRAP-TYPE FROM P;\n"),
     6, "E: (12,24) syntax error\r\n"
        "E: (12,26) Syntax is \"ENTERPRISE\" <oidName>\r\n"
        "E: (13,36) syntax error\r\n"
        "E: (13,38) Syntax is\n"
        "  \"VARIABLES\" \"{\" <variable> [\",\"<variable>]... \"}\"\r\n"
        "E: (14,13) syntax error\r\n"
        "E: (15,0) Syntax is\n"
        "  <trapName> \"TRAP-TYPE\" <enterprise> <optVars> <optDesc> <optRefer> \"::=\" <value>\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 6 errors and 1 warning\n"},
    {"bad enumerations, sizes and ranges",
     module_text("a OBJECT-TYPE SYNTAX INTEGER { x(y) } ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "b OBJECT-TYPE SYNTAX INTEGER { x 1 } ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "c OBJECT-TYPE SYNTAX INTEGER { ; } ACCESS read-only STATUS mandatory ::= { d 3 }\n"
                     "e OBJECT-TYPE SYNTAX OCTET STRING (SIZE (;)) ACCESS read-only STATUS mandatory ::= { d 4 }\n"
                     "f OBJECT-TYPE SYNTAX INTEGER (;) ACCESS read-only STATUS mandatory ::= { d 5 }\n"
                     "g OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory INDEX ; ::= { d 6 }\n"),
     6, "E: (12,33) syntax error\r\n"
        "E: (12,36) Enumerated value must be a number\r\n"
        "E: (13,33) syntax error\r\n"
        "E: (13,35) Problem with enumerated value, syntax is\n"
        "  <enumName>\"(\"<number>\")\"\r\n"
        "E: (14,31) syntax error\r\n"
        "E: (14,35) Problem with enumerated list, syntax is\n"
        "  <enumName>\"(\"<number>\")\" [\",\" <enumName>\"(\"<number>\")\"]...\r\n"
        "E: (15,41) syntax error\r\n"
        "E: (15,45) Problem with size clause, syntax is\n"
        "  <syntaxType> \"(\" \"SIZE\" \"(\" <small> [\"..\" <large>] \")\" \")\"\r\n"
        "E: (16,30) syntax error\r\n"
        "E: (16,33) Problem with range clause, syntax is\n"
        "  <syntaxType> \"(\" <low> \"..\" <high> \")\"\r\n"
        "E: (17,69) syntax error\r\n"
        "E: (17,71) Problem with index item list, syntax is\n"
        "  \"INDEX\" \"{\" <indexItem> [\",\"<indexItem>]... \"}\"\r\n"
        "E: (14,0) Object \"c\" has invalid syntax\r\n"
        "E: (17,0) \"g\" can not have INDEX items specified\r\n"
        "\n"
        "*** main.mib parsed with 14 errors and 0 warnings\n"},
    {"more syntax messages",
     std::string("A { ; } DEFINITIONS ::= BEGIN\n"
                     "IMPORTS ; x FROM ;\n"
                     "x OBJECT IDENTIFIER ::= { 1 }\n"
                     "y OBJECT-TYPE SYNTAX SEQUENCE OF 5 ACCESS not-accessible STATUS mandatory ::= { x 1 }\n"
                     "z OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { ; }\n"
                     "5\n"
                     "q OBJECT IDENTIFIER ::= { x 2 }\n"
                     "END\n"
                     "B DEFINITIONS ::= BEGIN\n"
                     "IMPORTS , FROM A;\n"
                     "x OBJECT IDENTIFIER ::= { 1 }\n"
                     "END\n"),
     6, "E: (1,4) syntax error\r\n"
        "E: (1,8) Syntax for <oidValue> is\n"
        "  \"{\" { {<name>[\"(\"<number>\")\"]} | <number> }...\"}\"\r\n"
        "E: (2,8) syntax error\r\n"
        "E: (2,10) Syntax for IMPORTS is\n"
        "  \"IMPORTS\" {<itemList> \"FROM\" <moduleName>}... \";\"\r\n"
        "E: (3,0) Unrecognized definition type - item skipped\r\n"
        "E: (4,33) syntax error\r\n"
        "E: (4,35) Syntax is \"SEQUENCE\" \"OF\" <sequenceName>\r\n"
        "E: (5,69) syntax error\r\n"
        "E: (7,0) Syntax for <oidValue> is  <oidName> <number>\r\n"
        "E: (4,0) Object \"y\" has invalid syntax\r\n"
        "E: (10,8) syntax error\r\n"
        "E: (10,16) Problem with IMPORT item list, syntax is\n"
        "  <item>[\",\" <item>]... \"FROM\" <moduleName>\r\n"
        "E: (11,0) Item \"x\" has sibling in OID tree from module \"A\" with the same name\r\n"
        "\n"
        "*** main.mib parsed with 13 errors and 0 warnings\n"},
    {"traps",
     module_text("t1 TRAP-TYPE VARIABLES { x y, } ::= 1\n"
                     "t2 TRAP-TYPE ENTERPRISE d VARIABLES { x } ::= 2\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 2 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, TRAP-TYPE FROM P;\n"),
     6, "E: (12,13) Missing ENTERPRISE clause\r\n"
        "E: (12,28) Missing comma between trap variables\r\n"
        "E: (12,32) Extra comma at end of trap variable list\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    });
}

TEST(MibFindings, Checks) {
    check_cases({
    {"table, row and sequence named alike",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     0, "main.mib parsed successfully\n"},
    {"row not named Entry",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooRow ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooRow OBJECT-TYPE SYNTAX FooRow ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooRow ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooRow 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooRow 2 }\n"),
     0, "W: (13,0) Name of row \"fooRow\" should end with Entry\r\n"
        "main.mib parsed successfully\n"},
    {"row not named Entry, option 6",
     "#addOpt \"6\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooRow ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooRow OBJECT-TYPE SYNTAX FooRow ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooRow ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooRow 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooRow 2 }\n"),
     0, "main.mib parsed successfully\n"},
    {"index item outside the sequence",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (15,0) Object \"fooIndex\" is not in sequence for Row \"fooEntry\"\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"index item outside the sequence, option 7",
     "#addOpt \"7\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (14,84) Row \"fooEntry\" has index item \"fooIndex\" which is not defined in sequence\r\n"
        "E: (16,0) Object \"fooIndex\" is not in sequence for Row \"fooEntry\"\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"status optional",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS optional ::= { d 1 }\n"),
     0, "main.mib parsed successfully\n"},
    {"status optional without option 5",
     "#removeOpt \"5\"\n" +
                 module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS optional ::= { d 1 }\n"),
     6, "E: (13,0) \"x\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"range upside down",
     module_text("x OBJECT-TYPE SYNTAX INTEGER (10..1) ACCESS read-only STATUS mandatory ::= { d 1 }\n"),
     6, "E: (12,21) Invalid range values specified, smallest greater than largest\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"import never used",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, Counter FROM P;\n"),
     0, "W: (10,34) \"Counter\" imported but not used\r\n"
        "main.mib parsed successfully\n"},
    {"import never used, option G",
     "#addOpt \"G\"\n" +
                 module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, Counter FROM P;\n"),
     0, "main.mib parsed successfully\n"},
    {"modules and imports",
     std::string("P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "END\n"
                     "m DEFINITIONS ::= BEGIN\n"
                     "IMPORTS x, y, x FROM M Q FROM Z zz FROM m;\n"
                     "z OBJECT IDENTIFIER ::= { x 1 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "q OBJECT IDENTIFIER ::= { 9 }\n"
                     "END\n"),
     6, "W: (14,0) Name of Module \"m\" must start with uppercase letter\r\n"
        "E: (15,11) Item \"y\" not defined in module \"M\"\r\n"
        "duplicate name \"x\" in IMPORTS\r\n"
        "E: (15,30) module \"Z\" not defined\r\n"
        "E: (15,40) module \"m\" can not be IMPORTed in itself\r\n"
        "E: (16,0) Object identifier \"z\" should be registered under an object identifier\r\n"
        "E: (18,0) duplicate definition of module \"M\"\r\n"
        "\n"
        "*** main.mib parsed with 5 errors and 1 warning\n"},
    {"SMI definitions",
     module_text("SMI Counter\n"
                     "SMI Foo\n"
                     "x OBJECT IDENTIFIER ::= { d 1 }\n"),
     6, "E: (12,4) Item \"Counter\" is already defined\r\n"
        "E: (13,4) Item \"Foo\" is not defined in SMI\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 1 warning\n"},
    {"names defined twice",
     module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "x OBJECT IDENTIFIER ::= { d 2 }\n"
                     "y OBJECT IDENTIFIER ::= { d 3 }\n"
                     "y OBJECT IDENTIFIER ::= { d 4 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { d 5 }\n"),
     6, "E: (13,0) \"x\" is defined in OBJECT-TYPE macro\r\n"
        "E: (15,0) \"y\" already defined in current module\r\n"
        "E: (16,0) Item \"enterprises\" from module \"M\" has the same name as object IMPORTed from another module\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 0 warnings\n"},
    {"OID registrations",
     module_text("a OBJECT IDENTIFIER ::= { a 1 }\n"
                     "b OBJECT IDENTIFIER ::= { nowhere 1 }\n"
                     "c OBJECT IDENTIFIER ::= { iso 2 }\n"
                     "e OBJECT IDENTIFIER ::= { d 1 }\n"
                     "f OBJECT IDENTIFIER ::= { d 1 }\n"
                     "g OBJECT IDENTIFIER ::= { h 1 }\n"
                     "h OBJECT IDENTIFIER ::= { g 1 }\n"
                     "Big OBJECT IDENTIFIER ::= { d 2 }\n"
                     "T ::= INTEGER\n"
                     "k OBJECT IDENTIFIER ::= { T 1 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { Big 1 }\n"
                     "l OBJECT IDENTIFIER ::= { x 1 }\n"),
     6, "W: (19,0) Name of OID object \"Big\" must start with lowercase letter\r\n"
        "E: (12,0) OID \"a\" can not be used to define itself\n"
        "\r\n"
        "E: (13,0) component \"nowhere\" is not defined\r\n"
        "E: (14,0) component \"iso\" is not defined in the current module\r\n"
        "E: (16,0) \"e\" and \"f\" have same registration value\r\n"
        "E: (21,0) parent \"T\" of \"k\" must be OID object\r\n"
        "E: (23,0) Object identifier \"l\" should be registered under an object identifier\r\n"
        "E: (17,0) \"g\" is circular defined\r\n"
        "E: (18,0) \"h\" is circular defined\r\n"
        "\n"
        "*** main.mib parsed with 8 errors and 1 warning\n"},
    {"names registered by two modules",
     std::string("P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "x OBJECT IDENTIFIER ::= { d 1 }\n"
                     "y OBJECT IDENTIFIER ::= { d 2 }\n"
                     "z OBJECT IDENTIFIER ::= { d 3 }\n"
                     "w OBJECT IDENTIFIER ::= { d 4 }\n"
                     "END\n"
                     "N DEFINITIONS ::= BEGIN\n"
                     "IMPORTS d FROM M;\n"
                     "x OBJECT IDENTIFIER ::= { d 7 }\n"
                     "y OBJECT IDENTIFIER ::= { d 2 }\n"
                     "e OBJECT IDENTIFIER ::= { d 9 }\n"
                     "z OBJECT IDENTIFIER ::= { e 1 }\n"
                     "v OBJECT IDENTIFIER ::= { d 4 }\n"
                     "END\n"),
     6, "E: (19,0) component \"x\" already assigned value 1, and can not be changed to 7\r\n"
        "E: (20,0) Item \"y\" has sibling in OID tree from module \"M\" with the same name\r\n"
        "E: (22,0) \"z\" already defined with parent \"d\" from module \"M\" and not \"e\"\r\n"
        "E: (23,0) \"v\" and \"w\" from \"M\" have same registration value\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"tables",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS read-only STATUS optional INDEX { x } DEFVAL { 1 } ::= { d 1 }\n"
                     "FooEntry ::= SEQUENCE { x INTEGER }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "barList OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { x 1 }\n"),
     6, "E: (12,0) Table \"fooTable\" does not have a row defined\r\n"
        "E: (12,0) Table \"fooTable\" must have access of \"not-accessible\"\r\n"
        "E: (12,0) Table \"fooTable\" can have not INDEX items specified\r\n"
        "E: (12,0) Table \"fooTable\" can have not a DEFAULT value specified\r\n"
        "E: (15,0) Table \"barList\" should be registered under an object identifier\r\n"
        "W: (15,0) Name of table \"barList\" should end with Table\r\n"
        "E: (15,0) Table \"barList\" does not have a row defined\r\n"
        "E: (13,0) Sequence \"FooEntry\" not used to define a row\r\n"
        "W: (13,24) Item \"x\" in sequence \"FooEntry\" is not a column for a row of a table\r\n"
        "\n"
        "*** main.mib parsed with 7 errors and 2 warnings\n"},
    {"tables, option 4",
     "#addOpt \"4\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS read-write STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     0, "main.mib parsed successfully\n"},
    {"rows",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX BarEntry ACCESS read-only STATUS mandatory DEFVAL { 1 } ::= { fooTable 1 }\n"
                     "otherEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { d 3 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER }\n"
                     "BarEntry ::= SEQUENCE { fooIndex INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"),
     6, "E: (13,0) Row \"fooEntry\" and Table \"fooTable\" must use the same sequence\r\n"
        "W: (13,0) Sequence \"BarEntry\" and Row \"fooEntry\" should have related names\r\n"
        "E: (13,0) Row \"fooEntry\" must have access of \"not-accessible\"\r\n"
        "E: (13,0) Row \"fooEntry\" must have INDEX items specified\r\n"
        "E: (13,0) Row \"fooEntry\" can have not a DEFAULT value specified\r\n"
        "E: (14,0) Row \"otherEntry\" does not have a containing table defined\r\n"
        "W: (14,0) Sequence \"FooEntry\" and Row \"otherEntry\" should have related names\r\n"
        "E: (15,24) Sequence \"FooEntry\" for row \"otherEntry\" contains item \"fooIndex\" defined in row \"fooEntry\" where indexes don't match\r\n"
        "E: (16,24) Sequence \"BarEntry\" for row \"fooEntry\" contains item \"fooIndex\" used in sequence \"FooEntry\" where indexes don't match\r\n"
        "\n"
        "*** main.mib parsed with 7 errors and 2 warnings\n"},
    {"index items",
     "#addOpt \"RB\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooValue, d, NOLENGTH fooIndex, NOLENGTH OCTET STRING, INTEGER (5..1), IMPLIED INTEGER, fooValue } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { 1 } ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (14,170) \"NOLENGTH\" qualifier is only valid with varying length OCTET STRINGs\r\n"
        "E: (14,139) Invalid range given, low 5 greater than high 1\r\n"
        "E: (14,172) duplicate name \"fooValue\" in INDEX list\r\n"
        "E: (14,84) Row \"fooEntry\" has index item \"fooValue\" whose access must be \"read-only\"\r\n"
        "E: (14,84) Row \"fooEntry\" has index item \"fooValue\" which must have a non-negative range specified\r\n"
        "E: (14,94) Row \"fooEntry\" has index item \"d\" not defined as an object\r\n"
        "E: (14,106) Row \"fooEntry\" has index item \"fooIndex\" which must not have a DEFAULT value\r\n"
        "E: (14,106) Row \"fooEntry\" has index item \"fooIndex\" which must have a non-negative range specified\r\n"
        "E: (14,106) Row \"fooEntry\" has index item \"fooIndex\" with NOLENGTH specified, but is not OCTET STRING or OBJECT IDENTIFIER\r\n"
        "E: (14,0) Row \"fooEntry\" has index item NOLENGTH OCTET STRING which is not the last item\r\n"
        "E: (14,172) Row \"fooEntry\" has index item \"fooValue\" whose access must be \"read-only\"\r\n"
        "E: (14,172) Row \"fooEntry\" has index item \"fooValue\" which must have a non-negative range specified\r\n"
        "\n"
        "*** main.mib parsed with 12 errors and 0 warnings\n"},
    {"leaves",
     "#addOpt \"C\"\n" +
                 module_text("x OBJECT-TYPE SYNTAX OCTET STRING ACCESS write-only STATUS mandatory INDEX { y } ::= { d 5 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "z OBJECT-TYPE SYNTAX Opaque ACCESS read-only STATUS mandatory ::= { x 1 }\n"
                     "fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "W: (13,0) \"x\" should have SIZE specified\r\n"
        "E: (13,0) \"x\" must have access of \"read-only\" or \"read-write\"\r\n"
        "E: (13,0) \"x\" can not have INDEX items specified\r\n"
        "W: (14,0) \"y\" should have range specified\r\n"
        "E: (15,0) Object \"z\" must be registered under a row or an object identifier\r\n"
        "W: (15,0) \"z\" should have SIZE specified\r\n"
        "E: (20,0) Object \"fooValue\" is not in sequence for Row \"fooEntry\"\r\n"
        "W: (20,0) \"fooValue\" should have range specified\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 4 warnings\n"},
    {"default values",
     module_text("a OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory DEFVAL { \"text\" } ::= { d 1 }\n"
                     "b OBJECT-TYPE SYNTAX INTEGER { up(1), down(2) } ACCESS read-only STATUS mandatory DEFVAL { sideways } ::= { d 2 }\n"
                     "c OBJECT-TYPE SYNTAX OCTET STRING ACCESS read-only STATUS mandatory DEFVAL { 5 } ::= { d 3 }\n"
                     "e OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory DEFVAL { b } ::= { d 4 }\n"
                     "f OBJECT-TYPE SYNTAX IpAddress ACCESS read-only STATUS mandatory DEFVAL { 'C0A80001'H } ::= { d 5 }\n"
                     "g OBJECT-TYPE SYNTAX IpAddress ACCESS read-only STATUS mandatory DEFVAL { 7 } ::= { d 6 }\n"
                     "h OBJECT-TYPE SYNTAX Counter ACCESS read-only STATUS mandatory DEFVAL { 0 } ::= { d 7 }\n"
                     "i OBJECT-TYPE SYNTAX Counter ACCESS read-only STATUS mandatory DEFVAL { 5 } ::= { d 8 }\n"
                     "j OBJECT-TYPE SYNTAX NULL ACCESS read-only STATUS mandatory DEFVAL { 0 } ::= { d 9 }\n"
                     "k OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory DEFVAL { { 0 0 } } ::= { d 10 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, Counter, IpAddress FROM P;\n"),
     6, "E: (12,72) \"a\" has invalid type for default value\r\n"
        "E: (13,91) \"b\" has invalid default value\r\n"
        "E: (14,77) \"c\" has invalid type for default value\r\n"
        "E: (17,74) \"g\" has invalid default value\r\n"
        "W: (18,72) \"h\" has gratuitous default value\r\n"
        "E: (19,72) \"i\" should not have a default value specified\r\n"
        "E: (20,69) \"j\" must not have default value specified\r\n"
        "\n"
        "*** main.mib parsed with 6 errors and 1 warning\n"},
    {"Counter default values, option J",
     "#addOpt \"J\"\n" +
                 module_text("h OBJECT-TYPE SYNTAX Counter ACCESS read-only STATUS mandatory DEFVAL { 5 } ::= { d 7 }\n"
                     "i OBJECT-TYPE SYNTAX Counter ACCESS read-only STATUS mandatory DEFVAL { \"x\" } ::= { d 8 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, Counter FROM P;\n"),
     6, "E: (14,72) \"i\" has invalid type for default value\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"INDEX on a leaf, option 3",
     "#addOpt \"3\"\n" +
                 module_text("x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory INDEX { INTEGER, y, NOLENGTH OCTET STRING, IpAddress } ::= { d 5 }\n"
                     "y OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { d 6 }\n"),
     6, "E: (13,80) \"x\" has index item \"y\" which is an object and not a syntax type\r\n"
        "E: (13,0) \"x\" has index item NOLENGTH OCTET STRING which is not the last item\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"sizes and ranges",
     module_text("S ::= OCTET STRING (SIZE (0..8))\n"
                     "a OBJECT-TYPE SYNTAX OCTET STRING (0..5) ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "b OBJECT-TYPE SYNTAX INTEGER (SIZE (5)) ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "c OBJECT-TYPE SYNTAX Counter (1..5) ACCESS read-only STATUS mandatory ::= { d 3 }\n"
                     "e OBJECT-TYPE SYNTAX OCTET STRING (SIZE (5..1)) ACCESS read-only STATUS mandatory ::= { d 4 }\n"
                     "f OBJECT-TYPE SYNTAX OCTET STRING (SIZE (0..0)) ACCESS read-only STATUS mandatory ::= { d 5 }\n"
                     "g OBJECT-TYPE SYNTAX INTEGER (''H..5) ACCESS read-only STATUS mandatory ::= { d 6 }\n"
                     "h OBJECT-TYPE SYNTAX INTEGER (0..'123456789'H) ACCESS read-only STATUS mandatory ::= { d 7 }\n"
                     "i OBJECT-TYPE SYNTAX S (SIZE (1..4)) ACCESS read-only STATUS mandatory ::= { d 8 }\n"
                     "j OBJECT-TYPE SYNTAX INTEGER ('0000FF'H..'11111111'B) ACCESS read-only STATUS mandatory ::= { d 9 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, Counter FROM P;\n"),
     6, "E: (13,21) An OCTET STRING must have SIZE, not range specified\r\n"
        "E: (14,21) An INTEGER must have range, not SIZE specified\r\n"
        "E: (15,21) Given syntax type may not have SIZE or range specified\r\n"
        "E: (16,21) Invalid size values specifed, smallest greater than largest\r\n"
        "E: (17,21) Invalid size values specifed, both sizes cannot tbe zero\r\n"
        "E: (18,21) size/range should not be expressed as zero length hex string\r\n"
        "E: (19,21) Hex value for size/range is too long\r\n"
        "E: (20,21) size/range can not be specified since \"S\" already has this specified\r\n"
        "\n"
        "*** main.mib parsed with 8 errors and 0 warnings\n"},
    {"syntax names",
     module_text("T ::= INTEGER\n"
                     "a OBJECT-TYPE SYNTAX Unknown ACCESS read-only STATUS mandatory ::= { d 1 }\n"
                     "b OBJECT-TYPE SYNTAX a ACCESS read-only STATUS mandatory ::= { d 2 }\n"
                     "c OBJECT-TYPE SYNTAX SEQUENCE OF T ACCESS not-accessible STATUS mandatory ::= { d 3 }\n"),
     6, "E: (13,21) Syntax \"Unknown\" not known in current module\r\n"
        "E: (14,21) Object \"a\" specified where a syntax should be\r\n"
        "E: (15,33) Object \"T\" should be the name of a sequence\r\n"
        "E: (13,0) Object \"a\" has invalid syntax\r\n"
        "E: (14,0) Object \"b\" has invalid syntax\r\n"
        "E: (15,0) Object \"c\" has invalid syntax\r\n"
        "\n"
        "*** main.mib parsed with 6 errors and 0 warnings\n"},
    {"sequences",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue OCTET STRING, d INTEGER, nothing INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"
                     "Unused ::= SEQUENCE { fooIndex INTEGER }\n"
                     "lower ::= SEQUENCE { fooIndex INTEGER }\n"),
     6, "E: (18,0) Name of sequence \"lower\" must start with uppercase letter\r\n"
        "E: (14,42) Item \"fooValue\" in sequence \"FooEntry\" has conflicting syntax specified\r\n"
        "E: (14,65) Item \"d\" in sequence \"FooEntry\" is not an object\r\n"
        "E: (14,76) Item \"nothing\" in sequence \"FooEntry\" is not an object\r\n"
        "E: (17,0) Sequence \"Unused\" defined but not referenced\r\n"
        "E: (18,0) Sequence \"lower\" defined but not referenced\r\n"
        "\n"
        "*** main.mib parsed with 6 errors and 0 warnings\n"},
    {"sequence member sizes",
     "#addOpt \"W\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER (1..10), fooValue INTEGER (0..5) }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "W: (15,24) Item \"fooIndex\" in sequence \"FooEntry\" has gratuitous range specified\r\n"
        "E: (15,50) Item \"fooValue\" in sequence \"FooEntry\" has incompatible range specified\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"member and index types",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { INTEGER (SIZE (1)), OCTET STRING (1..2), NOLENGTH OCTET STRING (SIZE (4)), fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue SEQUENCE OF FooEntry }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "E: (13,84) \"INTEGER\" is not valid type for index item\r\n"
        "E: (13,104) \"OCTET STRING\" is not valid type for index item\r\n"
        "E: (13,134) Invalid NOLENGTH qualifier for \"OCTET STRING\" ignored\r\n"
        "E: (14,42) \"fooValue\" is not valid type for sequence member\r\n"
        "E: (14,42) Item \"fooValue\" in sequence \"FooEntry\" has conflicting syntax specified\r\n"
        "\n"
        "*** main.mib parsed with 5 errors and 0 warnings\n"},
    {"trap enterprise and variables of the wrong kind",
     module_text("t1 TRAP-TYPE ENTERPRISE fooTable VARIABLES { fooEntry } ::= 1\n"
                     "fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, TRAP-TYPE FROM P;\n"),
     6, "E: (12,0) \"fooTable\" is not valid type for enterprise of trap\r\n"
        "E: (12,0) \"fooEntry\" is not valid type for trap variable\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    {"alias of a sequence",
     std::string("P DEFINITIONS ::= BEGIN\n"
                     "SMI OBJECT-TYPE\n"
                     "SMI Counter\n"
                     "SMI TRAP-TYPE\n"
                     "SMI IpAddress\n"
                     "iso OBJECT IDENTIFIER ::= { 1 }\n"
                     "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
                     "END\n"
                     "M DEFINITIONS ::= BEGIN\n"
                     "IMPORTS enterprises, OBJECT-TYPE FROM P;\n"
                     "d OBJECT IDENTIFIER ::= { enterprises 1 }\n"
                     "fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"
                     "END\n"
                     "#aliasSymbol M FooEntry F\n"),
     6, "E: (19,0) Item \"FooEntry\" from module \"M\" is a sequence - ignoring symbol alias\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"more sizes, sequences and rows",
     module_text("S ::= SEQUENCE { fooIndex INTEGER }\n"
                     "o OBJECT-TYPE SYNTAX Opaque (1..4) ACCESS read-only STATUS mandatory ::= { d 5 }\n"
                     "p OBJECT-TYPE SYNTAX INTEGER (''B..1) ACCESS read-only STATUS mandatory ::= { d 6 }\n"
                     "q OBJECT-TYPE SYNTAX INTEGER (0..'111111111111111111111111111111111'B) ACCESS read-only STATUS mandatory ::= { d 7 }\n"
                     "r OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory DEFVAL { nothing } ::= { d 8 }\n"
                     "barTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 9 }\n"
                     "barEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { barTable 1 }\n"
                     "fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex OCTET STRING (SIZE (1)), fooValue INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX OCTET STRING ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     6, "duplicate name \"fooValue\" in SEQUENCE\r\n"
        "E: (13,21) An Opaque must have SIZE, not range specified\r\n"
        "E: (14,21) size/range should not be expressed as zero length binary string\r\n"
        "E: (15,21) Binary value for size/range is too long\r\n"
        "E: (16,82) \"r\" doesn't name OID object in current module\r\n"
        "W: (18,0) Sequence \"FooEntry\" and Row \"barEntry\" should have related names\r\n"
        "E: (20,0) Row \"fooEntry\" uses sequences \"FooEntry\" which is already used by row \"barEntry\"\r\n"
        "E: (12,0) Sequence \"S\" defined but not referenced\r\n"
        "E: (12,17) Item \"fooIndex\" in sequence \"S\" has conflicting syntax specified\r\n"
        "E: (21,24) Item \"fooIndex\" in sequence \"FooEntry\" has incompatible size specified\r\n"
        "\n"
        "*** main.mib parsed with 8 errors and 1 warning\n"},
    {"sizes on sequences, prefixes and index sizes",
     "#addOpt \"B\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry (SIZE (1)) ACCESS not-accessible STATUS mandatory INDEX { fooIndex, NOLENGTH fooOid, fooValue } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex OCTET STRING, fooOid OBJECT IDENTIFIER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX OCTET STRING ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooOid OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory ::= { fooEntry 2 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER (0..5) ACCESS read-only STATUS mandatory ::= { fooEntry 3 }\n"
                     "barTable OBJECT-TYPE SYNTAX SEQUENCE OF BazEntry ACCESS not-accessible STATUS mandatory ::= { d 2 }\n"
                     "bazEntry OBJECT-TYPE SYNTAX BazEntry ACCESS not-accessible STATUS mandatory INDEX { bazIndex } ::= { barTable 1 }\n"
                     "BazEntry ::= SEQUENCE { bazIndex INTEGER }\n"
                     "bazIndex OBJECT-TYPE SYNTAX INTEGER (0..5) ACCESS read-only STATUS mandatory ::= { bazEntry 1 }\n"),
     6, "E: (14,28) size/range must not be specified with sequence \"FooEntry\"\r\n"
        "E: (14,95) Row \"fooEntry\" has index item \"fooIndex\" which must have a size specified\r\n"
        "E: (14,114) Row \"fooEntry\" has index item \"fooOid\" which NOLENGTH specifed which is not last item\r\n"
        "W: (20,0) Table \"barTable\" and Row \"bazEntry\" should have same name prefix\r\n"
        "\n"
        "*** main.mib parsed with 3 errors and 1 warning\n"},
    {"NOLENGTH object identifiers, index sizes, leaves in rows with INDEX",
     "#addOpt \"3W\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { NOLENGTH OBJECT IDENTIFIER, OCTET STRING (SIZE (5..1)), fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex OCTET STRING (SIZE (0..4)), fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX OCTET STRING (SIZE (0..4)) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory INDEX { INTEGER } ::= { fooEntry 2 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory INDEX { NOLENGTH OBJECT IDENTIFIER, INTEGER } ::= { d 2 }\n"),
     6, "E: (14,112) Invalid size given, low 5 greater than high 1\r\n"
        "E: (14,0) Row \"fooEntry\" has index item NOLENGTH OBJECT IDENTIFIER which is not the last item\r\n"
        "E: (17,0) \"fooValue\" can not have INDEX items specified and be in a sequence\r\n"
        "E: (18,0) \"x\" has index item NOLENGTH OBJECT IDENTIFIER which is not the last item\r\n"
        "W: (15,24) Item \"fooIndex\" in sequence \"FooEntry\" has gratuitous size specified\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 1 warning\n"},
    {"a trap's name taken again",
     module_text("t TRAP-TYPE ENTERPRISE d ::= 1\n"
                     "t OBJECT IDENTIFIER ::= { d 9 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, TRAP-TYPE FROM P;\n"),
     6, "E: (13,0) \"t\" is defined in TRAP-TYPE macro\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"textual conventions",
     module_text("lower ::= INTEGER\n"
                     "x OBJECT-TYPE SYNTAX lower ACCESS read-only STATUS mandatory ::= { d 1 }\n"),
     6, "E: (12,0) Name of Textual Convention \"lower\" must start with uppercase letter\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"trap checks",
     module_text("Trap1 TRAP-TYPE ENTERPRISE x ::= 1\n"
                     "t2 TRAP-TYPE ENTERPRISE d VARIABLES { d, x, x } ::= 2\n"
                     "t3 TRAP-TYPE ENTERPRISE d ::= 2\n"
                     "t3 TRAP-TYPE ENTERPRISE d ::= 5\n"
                     "fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n",
                     "IMPORTS enterprises, OBJECT-TYPE, TRAP-TYPE FROM P;\n"),
     6, "E: (12,0) Name of trap \"Trap1\" must start with lowercase letter\r\n"
        "E: (13,0) duplicate name \"x\" in VARIABLES list\r\n"
        "E: (15,0) Trap \"t3\" has already been defined, but with value 2\r\n"
        "E: (12,0) \"x\" referenced but not defined\r\n"
        "E: (13,0) Variable \"d\" in trap \"t2\" is not an object\r\n"
        "E: (13,0) Variable \"x\" in trap \"t2\" is not an object\r\n"
        "E: (14,0) Traps \"t2\" and \"t3\" have duplicate values\r\n"
        "\n"
        "*** main.mib parsed with 7 errors and 0 warnings\n"},
    {"a column shared by sequences of rows with other indexes",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooValue OBJECT-TYPE SYNTAX INTEGER ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"
                     "barTable OBJECT-TYPE SYNTAX SEQUENCE OF BarEntry ACCESS not-accessible STATUS mandatory ::= { d 2 }\n"
                     "barEntry OBJECT-TYPE SYNTAX BarEntry ACCESS not-accessible STATUS mandatory INDEX { barIndex } ::= { barTable 1 }\n"
                     "BarEntry ::= SEQUENCE { barIndex INTEGER, fooValue INTEGER }\n"
                     "barIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { barEntry 1 }\n"
                     "bazTable OBJECT-TYPE SYNTAX SEQUENCE OF BazEntry ACCESS not-accessible STATUS mandatory ::= { d 3 }\n"
                     "bazEntry OBJECT-TYPE SYNTAX BazEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { bazTable 1 }\n"
                     "BazEntry ::= SEQUENCE { fooIndex INTEGER, fooValue INTEGER }\n"),
     6, "E: (14,42) Sequence \"FooEntry\" for row \"fooEntry\" contains item \"fooValue\" used in sequence \"BarEntry\" where indexes don't match\r\n"
        "E: (19,42) Sequence \"BarEntry\" for row \"barEntry\" contains item \"fooValue\" defined in row \"fooEntry\" where indexes don't match\r\n"
        "E: (19,42) Sequence \"BarEntry\" for row \"barEntry\" contains item \"fooValue\" used in sequence \"BazEntry\" where indexes don't match\r\n"
        "E: (23,42) Sequence \"BazEntry\" for row \"bazEntry\" contains item \"fooValue\" used in sequence \"BarEntry\" where indexes don't match\r\n"
        "\n"
        "*** main.mib parsed with 4 errors and 0 warnings\n"},
    {"a restated size or range is remarked on by default",
     module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER (1..10), fooName OCTET STRING (SIZE (0..8)) }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooName OBJECT-TYPE SYNTAX OCTET STRING (SIZE (0..8)) ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     0, "W: (14,24) Item \"fooIndex\" in sequence \"FooEntry\" has gratuitous range specified\r\n"
        "W: (14,50) Item \"fooName\" in sequence \"FooEntry\" has gratuitous size specified\r\n"
        "main.mib parsed successfully\n"},
    {"option E takes a restated size or range as matching",
     "#addOpt \"E\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER (1..10), fooName OCTET STRING (SIZE (0..8)) }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooName OBJECT-TYPE SYNTAX OCTET STRING (SIZE (0..8)) ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     0, "main.mib parsed successfully\n"},
    {"option W remarks on a restated size or range even with option E",
     "#addOpt \"EW\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER (1..10), fooName OCTET STRING (SIZE (0..8)) }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooName OBJECT-TYPE SYNTAX OCTET STRING (SIZE (0..8)) ACCESS read-write STATUS mandatory ::= { fooEntry 2 }\n"),
     0, "W: (15,24) Item \"fooIndex\" in sequence \"FooEntry\" has gratuitous range specified\r\n"
        "W: (15,50) Item \"fooName\" in sequence \"FooEntry\" has gratuitous size specified\r\n"
        "main.mib parsed successfully\n"},
    {"NOLENGTH object identifier as the last named index",
     "#addOpt \"3\"\n" +
                 module_text("fooTable OBJECT-TYPE SYNTAX SEQUENCE OF FooEntry ACCESS not-accessible STATUS mandatory ::= { d 1 }\n"
                     "fooEntry OBJECT-TYPE SYNTAX FooEntry ACCESS not-accessible STATUS mandatory INDEX { fooIndex, NOLENGTH fooOid } ::= { fooTable 1 }\n"
                     "FooEntry ::= SEQUENCE { fooIndex INTEGER, fooOid OBJECT IDENTIFIER }\n"
                     "fooIndex OBJECT-TYPE SYNTAX INTEGER (1..10) ACCESS read-only STATUS mandatory ::= { fooEntry 1 }\n"
                     "fooOid OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory ::= { fooEntry 2 }\n"
                     "x OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory INDEX { NOLENGTH y } ::= { d 2 }\n"
                     "y OBJECT-TYPE SYNTAX OBJECT IDENTIFIER ACCESS read-only STATUS mandatory ::= { d 3 }\n"),
     6, "E: (18,80) \"x\" has index item \"y\" which is an object and not a syntax type\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 0 warnings\n"},
    {"a textual convention without a syntax",
     module_text("T ::= 5\n"
                     "x OBJECT IDENTIFIER ::= { d 1 }\n"),
     6, "E: (12,6) syntax error\r\n"
        "E: (13,0) Problem with textual convention, syntax is\n"
        "  <tcName> \"::=\" <simpleSyntax>\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 1 warning\n"},
    {"a directive with its argument inside a module",
     module_text("x OBJECT IDENTIFIER ::= { d 1 }\n"
                     "#addOpt \"G\"\n"),
     6, "E: (14,0) Compiler directives not allowed in module definition - terminating\r\n"
        "W: (10,21) \"OBJECT-TYPE\" imported but not used\r\n"
        "\n"
        "*** main.mib parsed with 1 error and 1 warning\n"},
    {"a stray token right after BEGIN",
     std::string("A DEFINITIONS ::= BEGIN\n( x\nEND\n"),
     6, "E: (2,0) syntax error\r\n"
        "E: (4,0) Unrecognizable item in module - skipping to end\r\n"
        "\n"
        "*** main.mib parsed with 2 errors and 0 warnings\n"},
    });
}

}  // namespace
