#include "bench/mosy_generator.h"

#include <cstdio>

namespace {

std::string pad(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

struct Writer {
    std::string oid_section;
    std::string extended_section;
    size_t objects = 0;
    size_t interior = 0;  // "Root" and "Node" lines
    size_t groups = 0;    // levels of two-index columns the load makes

    void node(const std::string& oid, const std::string& name, const std::string& parent, unsigned number,
              const char* kind) {
        ++interior;
        oid_section += oid + " " + name + " " + parent + " " + kind + "\n";
        extended_section += pad(name, 20) + " " + parent + "." + std::to_string(number) + " " + kind + "\n";
    }

    void object(const std::string& oid, const std::string& name, const std::string& parent, unsigned number,
                const std::string& syntax, const char* access) {
        ++objects;
        oid_section += oid + " " + name + " " + parent + " " + syntax + " " + access + " mandatory\n";
        extended_section += pad(name, 20) + " " + pad(parent + "." + std::to_string(number), 16) + " " +
                            pad(syntax, 15) + " " + pad(access, 15) + " mandatory\n";
    }

    void row(const std::string& oid, const std::string& name, const std::string& parent, const std::string& type,
             const std::vector<std::string>& indexes) {
        ++objects;
        oid_section += oid + " " + name + " " + parent + " Row SEQUENCE " + type + " not-accessible mandatory\n";
        std::string items;
        for (const auto& index : indexes) items += index + " ";
        extended_section += pad(name, 20) + " " + pad(parent + ".1", 16) + " seq " + type + " " +
                            std::to_string(indexes.size()) + " ( " + items + ") not-accessible mandatory\n";
    }
};

const char* const kBaseSyntaxes[] = {"INTEGER (0..100)", "OctetString (SIZE (0..32))", "Counter", "Gauge",
                                     "ObjectID", "INTEGER (-50..50)", "TimeTicks", "IpAddress"};

}  // namespace

Generated_Mib generate_mib(const Mib_Shape& shape) {
    Generated_Mib mib;
    Writer w;
    std::string conventions;
    std::vector<std::string> convention_names;
    for (size_t i = 0; i < shape.conventions; ++i) {
        const std::string name = "BenchConvention" + std::to_string(i);
        // The second half is defined through the first.
        const std::string syntax = i < shape.conventions / 2 ? kBaseSyntaxes[i % std::size(kBaseSyntaxes)]
                                                             : convention_names[i - shape.conventions / 2];
        conventions += "+" + pad(name, 20) + " " + syntax + "\n";
        convention_names.push_back(name);
    }
    auto syntax_for = [&](size_t n) -> std::string {
        if (n % 3 == 0 && !convention_names.empty()) return convention_names[n % convention_names.size()];
        return kBaseSyntaxes[n % std::size(kBaseSyntaxes)];
    };

    w.node("1", "iso", "OID_tree_Root", 0, "Root");
    w.extended_section = pad("iso", 20) + " 1 Root\n";
    w.node("1.3", "org", "iso", 3, "Node");
    w.node("1.3.6", "dod", "org", 6, "Node");
    w.node("1.3.6.1", "internet", "dod", 1, "Node");
    w.node("1.3.6.1.4", "private", "internet", 4, "Node");
    w.node("1.3.6.1.4.1", "enterprises", "private", 1, "Node");
    w.node("1.3.6.1.4.1.1206", "nema", "enterprises", 1206, "Node");
    w.node("1.3.6.1.4.1.1206.4", "transportation", "nema", 4, "Node");
    w.node("1.3.6.1.4.1.1206.4.1", "protocols", "transportation", 1, "Node");

    // The dynamic-object table that every load ends by reading: 13 objects of 16 rows.
    std::string table_config;
    const std::string dyn = "1.3.6.1.4.1.1206.4.1.3";
    w.node(dyn, "dynObjMgmt", "protocols", 3, "Node");
    w.object(dyn + ".1", "dynObjDef", "dynObjMgmt", 1, "Table SEQUENCE_OF DynObjEntry", "not-accessible");
    w.row(dyn + ".1.1", "dynObjEntry", "dynObjDef", "DynObjEntry", {"dynObjNumber", "dynObjIndex"});
    const std::pair<const char*, const char*> kDynColumns[] = {{"dynObjNumber", "INTEGER (1..13)"},
                                                               {"dynObjIndex", "INTEGER (1..255)"},
                                                               {"dynObjVariable", "ObjectID"},
                                                               {"dynObjOwner", "OwnerString"},
                                                               {"dynObjStatus", "Enum"}};
    constexpr unsigned kDynObjects = 13;
    constexpr unsigned kDynRows = 16;
    table_config += "dynObjNumber = " + std::to_string(kDynObjects) + "\n";
    table_config += "dynObjIndex = " + std::to_string(kDynRows) + "\n";
    for (unsigned c = 1; c <= std::size(kDynColumns); ++c) {
        const auto& [column, syntax] = kDynColumns[c - 1];
        const std::string column_oid = dyn + ".1.1." + std::to_string(c);
        w.object(column_oid, column, "dynObjEntry", c, syntax, c <= 2 ? "read-only" : "read-write");
        for (unsigned a = 1; a <= kDynObjects; ++a) {
            ++w.groups;
            for (unsigned b = 1; b <= kDynRows; ++b) {
                mib.instance_names.push_back(std::string(column) + "." + std::to_string(a) + "." + std::to_string(b));
                mib.instance_oids.push_back(column_oid + "." + std::to_string(a) + "." + std::to_string(b));
            }
        }
    }

    w.node("1.3.6.1.4.1.1206.4.2", "devices", "transportation", 2, "Node");
    const std::string base = "1.3.6.1.4.1.1206.4.2.99";
    w.node(base, "bench", "devices", 99, "Node");

    size_t counter = 0;
    for (size_t t = 1; t <= shape.tables; ++t) {
        const std::string table = "benchT" + std::to_string(t) + "Table";
        const std::string entry = "benchT" + std::to_string(t) + "Entry";
        const std::string table_oid = base + "." + std::to_string(t);
        w.object(table_oid, table, "bench", static_cast<unsigned>(t), "Table SEQUENCE_OF " + entry, "not-accessible");
        const bool two_indexes = t % 10 == 0;
        std::vector<std::string> indexes = {"benchT" + std::to_string(t) + "C1"};
        if (two_indexes) indexes.push_back("benchT" + std::to_string(t) + "C2");
        w.row(table_oid + ".1", entry, table, entry, indexes);
        const unsigned rows = two_indexes ? 2 : shape.rows_per_index;
        for (const auto& index : indexes) table_config += index + " = " + std::to_string(rows) + "\n";
        for (size_t c = 1; c <= shape.columns_per_table; ++c) {
            const std::string column = "benchT" + std::to_string(t) + "C" + std::to_string(c);
            const std::string column_oid = table_oid + ".1." + std::to_string(c);
            w.object(column_oid, column, entry, static_cast<unsigned>(c),
                     c <= indexes.size() ? "INTEGER (1..255)" : syntax_for(++counter),
                     c <= indexes.size() ? "read-only" : "read-write");
            if (two_indexes) {
                for (unsigned a = 1; a <= rows; ++a) {
                    ++w.groups;
                    for (unsigned b = 1; b <= rows; ++b) {
                        mib.instance_names.push_back(column + "." + std::to_string(a) + "." + std::to_string(b));
                        mib.instance_oids.push_back(column_oid + "." + std::to_string(a) + "." + std::to_string(b));
                    }
                }
            } else {
                for (unsigned r = 1; r <= rows; ++r) {
                    mib.instance_names.push_back(column + "." + std::to_string(r));
                    mib.instance_oids.push_back(column_oid + "." + std::to_string(r));
                }
            }
        }
    }
    const size_t groups = (shape.scalars + shape.scalars_per_group - 1) / shape.scalars_per_group;
    for (size_t g = 1; g <= groups; ++g) {
        const unsigned number = static_cast<unsigned>(shape.tables + g);
        const std::string group = "benchGroup" + std::to_string(g);
        const std::string group_oid = base + "." + std::to_string(number);
        w.node(group_oid, group, "bench", number, "Node");
        for (size_t s = 1; s <= shape.scalars_per_group; ++s) {
            const std::string scalar = "benchS" + std::to_string(g) + "x" + std::to_string(s);
            const std::string scalar_oid = group_oid + "." + std::to_string(s);
            w.object(scalar_oid, scalar, group, static_cast<unsigned>(s), syntax_for(++counter), "read-write");
            mib.instance_names.push_back(scalar + ".0");
            mib.instance_oids.push_back(scalar_oid + ".0");
        }
    }

    mib.mosy = "\nOID tree\n" + w.oid_section + "**end of oid tree**\n\nTraps\n  --None Defined\n**end of TRAPs**\n" +
               "\n-- Extended Mosy format from\n--   Quorvan MIB compiler 1.0\n\n" +
               "\n-- Textual Conventions\n" + conventions + "\n" + "\n-- Extended Mosy OID tree\n" +
               w.extended_section + "\n-- **end of Extended Mosy OID tree**\n";
    mib.table_config = table_config;
    mib.object_count = w.objects;
    mib.node_count = w.interior + w.objects + w.groups + mib.instance_names.size();
    return mib;
}
