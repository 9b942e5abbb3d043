#include "bench/mib_source_generator.h"

#include <string>

namespace {

constexpr size_t kColumnsPerTable = 24;
constexpr size_t kScalarsPerGroup = 100;
constexpr size_t kConventions = 100;

void object(std::string& out, const std::string& name, const std::string& syntax, const char* access,
            const std::string& parent, size_t number, const std::string& index = "") {
    out += name + " OBJECT-TYPE\n    SYNTAX " + syntax + "\n    ACCESS " + access +
           "\n    STATUS mandatory\n    DESCRIPTION\n        \"Generated object " + name + ".\"\n";
    if (!index.empty()) out += "    INDEX { " + index + " }\n";
    out += "    ::= { " + parent + " " + std::to_string(number) + " }\n\n";
}

// The syntax of column or scalar i: built-in types and conventions in turn.
std::string syntax_of(size_t i) {
    switch (i % 6) {
        case 0: return "INTEGER (0..65535)";
        case 1: return "Counter";
        case 2: return "Tc" + std::to_string(i % kConventions);
        case 3: return "OCTET STRING (SIZE (0..16))";
        case 4: return "INTEGER { off(1), on(2) }";
        default: return "TimeTicks";
    }
}

// The member syntax a SEQUENCE gives for it.
std::string member_syntax(size_t i) {
    switch (i % 6) {
        case 0: return "INTEGER";
        case 1: return "Counter";
        case 2: return "Tc" + std::to_string(i % kConventions);
        case 3: return "OCTET STRING";
        case 4: return "INTEGER";
        default: return "TimeTicks";
    }
}

}  // namespace

Mib_Source generate_mib_source(size_t objects) {
    Mib_Source mib;
    std::string& out = mib.module;
    out.reserve(objects * 200);
    out += "BENCH-MIB DEFINITIONS ::= BEGIN\n\nIMPORTS\n    enterprises, Counter, TimeTicks\n        FROM RFC1155-SMI\n"
           "    OBJECT-TYPE\n        FROM RFC-1212;\n\n";
    out += "nema OBJECT IDENTIFIER ::= { enterprises 1206 }\ntransportation OBJECT IDENTIFIER ::= { nema 4 }\n"
           "protocols OBJECT IDENTIFIER ::= { transportation 1 }\ndynObjMgmt OBJECT IDENTIFIER ::= { protocols 3 }\n"
           "bench OBJECT IDENTIFIER ::= { enterprises 99999 }\n\n";
    // Half the conventions stand on their own, the other half are defined through them.
    for (size_t i = 0; i < kConventions; ++i) {
        if (i < kConventions / 2)
            out += "Tc" + std::to_string(i) + " ::= " + (i % 2 == 0 ? "OCTET STRING" : "INTEGER") + "\n";
        else
            out += "Tc" + std::to_string(i) + " ::= Tc" + std::to_string(i - kConventions / 2) + "\n";
    }
    out += "\n";
    object(out, "dynObjDefTable", "SEQUENCE OF DynObjDefEntry", "not-accessible", "dynObjMgmt", 1);
    object(out, "dynObjDefEntry", "DynObjDefEntry", "not-accessible", "dynObjDefTable", 1, "dynObjNumber, dynObjIndex");
    out += "DynObjDefEntry ::= SEQUENCE {\n    dynObjNumber INTEGER,\n    dynObjIndex INTEGER,\n"
           "    dynObjVariable OBJECT IDENTIFIER,\n    dynObjOwner OCTET STRING,\n    dynObjStatus INTEGER\n}\n\n";
    object(out, "dynObjNumber", "INTEGER (1..13)", "read-only", "dynObjDefEntry", 1);
    object(out, "dynObjIndex", "INTEGER (1..255)", "read-only", "dynObjDefEntry", 2);
    object(out, "dynObjVariable", "OBJECT IDENTIFIER", "read-write", "dynObjDefEntry", 3);
    object(out, "dynObjOwner", "OCTET STRING (SIZE (0..127))", "read-write", "dynObjDefEntry", 4);
    object(out, "dynObjStatus", "INTEGER { valid(1), underCreation(2), invalid(4) }", "read-write", "dynObjDefEntry", 5);
    mib.object_count = 7;

    const size_t tables = objects / 2 / (kColumnsPerTable + 2);
    const size_t groups = (objects / 2 + kScalarsPerGroup - 1) / kScalarsPerGroup;
    out += "benchTables OBJECT IDENTIFIER ::= { bench 1 }\nbenchScalars OBJECT IDENTIFIER ::= { bench 2 }\n\n";
    for (size_t t = 0; t < tables; ++t) {
        const std::string name = "t" + std::to_string(t);
        const std::string type = "T" + std::to_string(t) + "Entry";
        object(out, name + "Table", "SEQUENCE OF " + type, "not-accessible", "benchTables", t + 1);
        object(out, name + "Entry", type, "not-accessible", name + "Table", 1, name + "c0");
        out += type + " ::= SEQUENCE {\n";
        for (size_t c = 0; c < kColumnsPerTable; ++c)
            out += "    " + name + "c" + std::to_string(c) + " " + (c == 0 ? "INTEGER" : member_syntax(c)) +
                   (c + 1 < kColumnsPerTable ? ",\n" : "\n");
        out += "}\n\n";
        for (size_t c = 0; c < kColumnsPerTable; ++c)
            object(out, name + "c" + std::to_string(c), c == 0 ? "INTEGER (1..255)" : syntax_of(c),
                   c == 0 ? "read-only" : "read-write", name + "Entry", c + 1);
        mib.object_count += kColumnsPerTable + 2;
    }
    size_t scalar = 0;
    for (size_t g = 0; g < groups; ++g) {
        const std::string group = "g" + std::to_string(g);
        out += group + " OBJECT IDENTIFIER ::= { benchScalars " + std::to_string(g + 1) + " }\n";
        for (size_t s = 0; s < kScalarsPerGroup && scalar < objects / 2; ++s, ++scalar)
            object(out, group + "s" + std::to_string(s), syntax_of(s), "read-write", group, s + 1);
    }
    mib.object_count += scalar;
    out += "END\n";
    return mib;
}
