// A published module against an independent compiler: RFC1213-MIB (MIB-II),
// unchanged, compiled with the project's RFC 1155/1212 prelude and loaded
// into a tree, object for object the same OIDs, syntaxes and access as
// libsmi's smidump finds in it.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/mibc/compile_fixture.h"
#include "tests/support/process.h"
#include "tests/support/sample.h"
#include "tree/iso_object.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"

namespace {

struct Object_Line {
    std::string oid;
    std::string syntax;  // as the compiler writes it
    std::string access;
};

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The OID tree section of the compiler's output, by name.
std::map<std::string, Object_Line> compiled_objects(const std::string& output) {
    std::map<std::string, Object_Line> objects;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line) && line != "OID tree") {
    }
    while (std::getline(in, line) && line != "**end of oid tree**") {
        const auto words = words_of(line);
        if (words.size() < 4) continue;
        Object_Line object{words[0], "", ""};
        if (words.size() >= 6) {
            for (size_t i = 3; i + 2 < words.size(); ++i) object.syntax += (i > 3 ? " " : "") + words[i];
            object.access = words[words.size() - 2];
        }
        objects[words[1]] = object;
    }
    return objects;
}

// What smidump says of one object.
struct Smi_Object {
    std::string kind;  // node, scalar, table, row, column
    std::string oid;
    std::string syntax;
    std::string access;
    std::string range;  // "low..high" from a size or range
};

std::map<std::string, Smi_Object> smidump_objects(const std::string& module_dir, const std::string& module) {
    std::map<std::string, Smi_Object> objects;
    const auto identifiers =
        run_process({"/usr/bin/env", "SMIPATH=" + module_dir, "smidump", "-k", "-f", "identifiers", module});
    EXPECT_EQ(identifiers.exit_status, 0) << identifiers.err;
    std::istringstream ids(identifiers.out);
    for (std::string line; std::getline(ids, line);) {
        const auto words = words_of(line);
        if (words.size() == 4 && words[0] == "RFC1213-MIB") objects[words[1]] = Smi_Object{words[2], words[3], "", "", ""};
    }
    const auto mosy = run_process({"/usr/bin/env", "SMIPATH=" + module_dir, "smidump", "-k", "-f", "mosy", module});
    EXPECT_EQ(mosy.exit_status, 0) << mosy.err;
    std::istringstream lines(mosy.out);
    for (std::string line; std::getline(lines, line);) {
        const auto words = words_of(line);
        if (words.size() == 5 && words[0] != "--" && objects.count(words[0]) != 0) {
            objects[words[0]].syntax = words[2];
            objects[words[0]].access = words[3];
        } else if (words.size() == 4 && words[0] == "%er" && objects.count(words[1]) != 0) {
            objects[words[1]].range = words[2] + ".." + words[3];
        }
    }
    return objects;
}

// The compiler's syntax text in smidump's words, with its size or range.
void expect_same_syntax(const std::string& name, const std::string& ours, const Smi_Object& theirs) {
    SCOPED_TRACE(name + ": " + ours);
    const auto open = ours.find(" (");
    std::string type = ours.substr(0, open);
    if (type.rfind("Table ", 0) == 0 || type.rfind("Row ", 0) == 0) type = type.substr(0, type.find(' '));
    std::string range;
    if (open != std::string::npos) {
        const auto first = ours.find_first_of("-0123456789", open);
        range = ours.substr(first, ours.find(')', first) - first);
    }
    static const std::map<std::string, std::string> kSmiName = {
        {"INTEGER", "Integer32"}, {"Enum", "INTEGER"}, {"Table", "Aggregate"}, {"Row", "Aggregate"},
    };
    const auto renamed = kSmiName.find(type);
    EXPECT_EQ(renamed == kSmiName.end() ? type : renamed->second, theirs.syntax);
    if (type != "Table" && type != "Row") {
        EXPECT_EQ(range, theirs.range);
    }
}

TEST(Rfc1213, CompilesWithThePreludeAndLoads) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile({
        {"Mibi", "#include \"rfc-smi.mib\"\n#include \"RFC1213-MIB\"\n"},
        {"rfc-smi.mib", read_source_file("mibs/prelude/rfc-smi.mib")},
        {"RFC1213-MIB", read_source_file("tests/fixtures/mibs/RFC1213-MIB")},
    });
    ASSERT_EQ(compiled.result, mibc::Compile_Result::success) << compiled.errors;
    // RFC 1213 restates the ranges of four columns in their sequences.
    EXPECT_EQ(compiled.errors,
              "W: f(RFC1213-MIB), (920,8) Item \"ipAdEntReasmMaxSize\" in sequence \"IpAddrEntry\" has gratuitous range specified\r\n"
              "W: f(RFC1213-MIB), (1801,8) Item \"tcpConnLocalPort\" in sequence \"TcpConnEntry\" has gratuitous range specified\r\n"
              "W: f(RFC1213-MIB), (1805,8) Item \"tcpConnRemPort\" in sequence \"TcpConnEntry\" has gratuitous range specified\r\n"
              "W: f(RFC1213-MIB), (1976,8) Item \"udpLocalPort\" in sequence \"UdpEntry\" has gratuitous range specified\r\n"
              "Mibi parsed successfully\n");

    // The road CompileMIB takes: two substitution passes, then the loader.
    Working_Directory here(fixture.dir.path());
    const auto quiet = [](const std::string&) {};
    ASSERT_EQ(substitution_pass("out", "Mibint.out", quiet), 0);
    ASSERT_EQ(substitution_pass("Mibint.out", "Mibsub.out", quiet), 0);
    ISO_Tree tree;
    load_mosy_file(tree, "Mibsub.out");
    const auto objects = compiled_objects(compiled.output);
    EXPECT_EQ(tree.node_count(), objects.size());
    for (const auto& [name, object] : objects) {
        const ISO_Object* node = tree.find_by_name(name);
        ASSERT_NE(node, nullptr) << name;
        EXPECT_EQ(ISO_Tree::dotted_oid(node), object.oid) << name;
    }
    ASSERT_NE(tree.find_by_name("sysDescr"), nullptr);
    EXPECT_EQ(object_type_of(tree.find_by_name("sysDescr"))->syntax, "DisplayString (SIZE (0..255))");
}

TEST(Rfc1213, EveryObjectAsSmidumpSeesIt) {
    Compile_Fixture fixture;
    const Compiled compiled = fixture.compile({
        {"Mibi", "#include \"rfc-smi.mib\"\n#include \"RFC1213-MIB\"\n"},
        {"rfc-smi.mib", read_source_file("mibs/prelude/rfc-smi.mib")},
        {"RFC1213-MIB", read_source_file("tests/fixtures/mibs/RFC1213-MIB")},
    });
    ASSERT_EQ(compiled.result, mibc::Compile_Result::success) << compiled.errors;
    const auto ours = compiled_objects(compiled.output);
    const auto theirs = smidump_objects(source_file("tests/fixtures/mibs"), source_file("tests/fixtures/mibs/RFC1213-MIB"));
    ASSERT_GT(theirs.size(), 200u);
    size_t compared = 0;
    for (const auto& [name, smi] : theirs) {
        const auto found = ours.find(name);
        ASSERT_NE(found, ours.end()) << name;
        EXPECT_EQ(found->second.oid, smi.oid) << name;
        if (smi.kind == "node") {
            EXPECT_TRUE(found->second.syntax.empty()) << name;
            continue;
        }
        EXPECT_EQ(found->second.access, smi.access) << name;
        expect_same_syntax(name, found->second.syntax, smi);
        ++compared;
    }
    // Every object of the module, and nothing else beside the prelude's nodes.
    EXPECT_EQ(compared + 11, theirs.size());
    EXPECT_EQ(ours.size(), theirs.size() + 9);
}

}  // namespace
