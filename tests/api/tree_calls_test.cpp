// GetNodeInfo, GetNodeObjects, GetNextInstance, GetObjectIndex,
// SetInstanceValue and GetTreeListing on the loaded sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/api/engine_fixture.h"

namespace {

class Tree_Calls : public Sample_Engine {
protected:
    void SetUp() override { load(); }
};

struct Info_Case {
    const char* lookup;
    int32_t result;
    const char* name;
    const char* oid;
    const char* syntax;
    const char* access;
    const char* value;
    uint8_t value_type;
    int32_t neg_lower, neg_upper, lower, upper;
};

TEST_F(Tree_Calls, GetNodeInfoByKindOfNode) {
    const Info_Case cases[] = {
        {"demoByte.0", 0, "demoByte.0", "1.3.6.1.4.1.1206.4.2.99.1.2.0", "INTEGER (0..255)", "read-write", "0", 2, 0, 0, 0,
         255},
        {"demoTemperature.0", 0, "demoTemperature.0", "1.3.6.1.4.1.1206.4.2.99.1.3.0", "INTEGER (-40..85)", "read-write",
         "0", 2, -40, 0, 0, 85},
        // A Counter (and a Gauge) runs from 0 to 0xFFFFFFFF.
        {"demoCounter.0", 0, "demoCounter.0", "1.3.6.1.4.1.1206.4.2.99.1.8.0", "Counter", "read-only", "0", 2, 0, 0, 0,
         static_cast<int32_t>(0xFFFFFFFFu)},
        {"demoGauge.0", 0, "demoGauge.0", "1.3.6.1.4.1.1206.4.2.99.1.9.0", "Gauge", "read-write", "0", 2, 0, 0, 0,
         static_cast<int32_t>(0xFFFFFFFFu)},
        // A textual convention keeps its range.
        {"demoPercent.0", 0, "demoPercent.0", "1.3.6.1.4.1.1206.4.2.99.1.12.0", "INTEGER (0..100)", "read-write", "0", 2,
         0, 0, 0, 100},
        {"demoInteger.0", 0, "demoInteger.0", "1.3.6.1.4.1.1206.4.2.99.1.1.0", "INTEGER", "read-write", "0", 2, 0, 0, 0, 0},
        {"demoName.0", 0, "demoName.0", "1.3.6.1.4.1.1206.4.2.99.1.6.0", "DisplayString (SIZE (0..32))", "read-write", "",
         22, 0, 0, 0, 0},
        {"demoObjectId.0", 0, "demoObjectId.0", "1.3.6.1.4.1.1206.4.2.99.1.7.0", "ObjectID", "read-write", "", 6, 0, 0, 0,
         0},
        {"demoDetectorOccupancy.2.4", 0, "demoDetectorOccupancy.2.4", "1.3.6.1.4.1.1206.4.2.99.3.1.3.2.4",
         "INTEGER (0..100)", "read-write", "0", 2, 0, 0, 0, 100},
        {"demoByte", 2, "demoByte", "1.3.6.1.4.1.1206.4.2.99.1.2", "INTEGER (0..255)", "read-write", "", 0, 0, 0, 0, 0},
        {"dynObjNumber.3", 2, "dynObjNumber.3", "1.3.6.1.4.1.1206.4.1.3.1.1.1.3", "INTEGER (1..13)", "read-only", "", 0, 0,
         0, 0, 0},
        {"demoScalars", 0, "demoScalars", "1.3.6.1.4.1.1206.4.2.99.1", "", "", "", 0, 0, 0, 0, 0},
        {"demoSignalTable", 0, "demoSignalTable", "1.3.6.1.4.1.1206.4.2.99.2", "", "", "", 0, 0, 0, 0, 0},
        // By OID, from the root, with points or blanks.
        {"1.3.6.1.4.1.1206.4.2.99.1.2.0", 0, "demoByte.0", "1.3.6.1.4.1.1206.4.2.99.1.2.0", "INTEGER (0..255)",
         "read-write", "0", 2, 0, 0, 0, 255},
        {"1 3 6 1 4 1 1206 4 1 3 1 1 5", 2, "dynObjStatus", "1.3.6.1.4.1.1206.4.1.3.1.1.5", "Enum", "read-write", "", 0, 0,
         0, 0, 0},
    };
    for (const auto& c : cases) {
        Owned_Info node;
        ASSERT_EQ(GetNodeInfo(c.lookup, &node.info), c.result) << c.lookup;
        const Node_Info& info = node.info;
        EXPECT_STREQ(info.name, c.name) << c.lookup;
        EXPECT_STREQ(info.oid, c.oid) << c.lookup;
        EXPECT_STREQ(info.syntax, c.syntax) << c.lookup;
        EXPECT_STREQ(info.access, c.access) << c.lookup;
        EXPECT_STREQ(info.status, c.syntax[0] != '\0' ? "mandatory" : "") << c.lookup;
        EXPECT_STREQ(info.further, "") << c.lookup;
        EXPECT_STREQ(info.value, c.value) << c.lookup;
        EXPECT_EQ(info.value_type, c.value_type) << c.lookup;
        EXPECT_STREQ(info.instance, c.value_type != 0 ? "0" : "") << c.lookup;
        EXPECT_EQ(info.neg_lower, c.neg_lower) << c.lookup;
        EXPECT_EQ(info.neg_upper, c.neg_upper) << c.lookup;
        EXPECT_EQ(info.lower, c.lower) << c.lookup;
        EXPECT_EQ(info.upper, c.upper) << c.lookup;
    }
}

TEST_F(Tree_Calls, GetNodeInfoNotFoundLeavesTheRecordAlone) {
    for (const char* lookup : {"nonsense", "1.3.6.1.4.1.1206.4.2.99.1.2.7", "", "1.3.x", "DemoByte.0"}) {
        Node_Info info{};
        info.lower = 77;
        EXPECT_EQ(GetNodeInfo(lookup, &info), -1) << lookup;
        EXPECT_EQ(info.lower, 77);
        EXPECT_EQ(info.name, nullptr);
    }
    EXPECT_EQ(GetNodeInfo(nullptr, nullptr), -1);
}

TEST_F(Tree_Calls, ValuesSetAreShownByTheirSyntax) {
    const struct {
        const char* name;
        const char* text;
        int32_t result;
        const char* shown;
        uint8_t type;
    } cases[] = {
        {"demoByte.0", "200", 0, "200", 2},
        {"demoByte.0", "300", 3, "200", 2},
        {"demoTemperature.0", "-40", 0, "-40", 2},
        {"demoTemperature.0", "86", 3, "-40", 2},
        {"demoCounter.0", "5", 4, "0", 2},
        {"demoGauge.0", "100", 0, "100", 2},
        {"demoTicks.0", "8640000", 0, "8640000", 2},
        {"demoName.0", "hello", 0, "hello", 22},  // a DisplayString takes text
        {"demoLabel.0", "a label", 0, "a label", 22},
        {"dynObjOwner.1.1", "tester", 0, "tester", 22},
        {"demoPercent.0", "101", 3, "0", 2},  // DemoPercent: INTEGER (0..100)
        {"demoPercent.0", "100", 0, "100", 2},
        {"demoOctets.0", "00 01 02 03", 0, "00 01 02 03", 4},
        {"demoObjectId.0", "1.3.6.1.4.1.1206.4.2.99", 0, "1.3.6.1.4.1.1206.4.2.99", 6},
        {"demoAddress.0", "0A 00 00 01", 0, "10.0.0.1", 22},  // an address shows as a dotted quad
        {"demoAddress.0", "192.168.7.9", 0, "192.168.7.9", 22},
        {"dynObjStatus.2.7", "1", 0, "1", 2},
        {"demoSignalIndex.3", "3", 4, "0", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetInstanceValue(c.name, c.text, 0), c.result) << c.name << " <- " << c.text;
        Owned_Info node;
        ASSERT_EQ(GetNodeInfo(c.name, &node.info), 0);
        EXPECT_STREQ(node.info.value, c.shown) << c.name;
        EXPECT_EQ(node.info.value_type, c.type) << c.name;
    }
}

TEST_F(Tree_Calls, SetInstanceValueOnNamesThatAreNotInstances) {
    EXPECT_EQ(SetInstanceValue("noSuchThing.0", "1", 0), 2);
    EXPECT_EQ(SetInstanceValue(nullptr, "1", 0), 2);
    EXPECT_EQ(SetInstanceValue("demoByte", "5", 0), 0);  // a leaf: nothing changes
    EXPECT_EQ(SetInstanceValue("demoScalars", "5", 1), 0);
    Owned_Info node;
    ASSERT_EQ(GetNodeInfo("demoByte.0", &node.info), 0);
    EXPECT_STREQ(node.info.value, "0");
}

TEST_F(Tree_Calls, GetNodeObjectsListsTheInstancesBelow) {
    Owned_Text signals;
    GetNodeObjects("demoSignalLabel", &signals.text);
    EXPECT_EQ(signals.str(),
              "demoSignalLabel.1\ndemoSignalLabel.2\ndemoSignalLabel.3\ndemoSignalLabel.4\n"
              "demoSignalLabel.5\ndemoSignalLabel.6\ndemoSignalLabel.7\ndemoSignalLabel.8");
    Owned_Text detectors;
    GetNodeObjects("demoDetectorEntry", &detectors.text);
    const std::string first = "demoDetectorGroup.1.1\ndemoDetectorGroup.1.2\ndemoDetectorGroup.1.3\n";
    EXPECT_EQ(detectors.str().substr(0, first.size()), first);
    const std::string all = detectors.str();
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 4 * 2 * 4 - 1);  // four columns of 2 x 4
    EXPECT_EQ(all.substr(all.size() - 23), "\ndemoDetectorVolume.2.4");
    Owned_Text none;
    GetNodeObjects("demoByte.0", &none.text);
    EXPECT_EQ(none.text, nullptr);
    GetNodeObjects("noSuchThing", &none.text);
    EXPECT_EQ(none.text, nullptr);
}

TEST_F(Tree_Calls, GetNextInstanceWalksTheTree) {
    const struct {
        const char* from;
        const char* next;
    } cases[] = {
        {"demoByte.0", "demoTemperature.0"},
        {"demoScalars", "demoInteger.0"},
        {"demoLabel.0", "demoSignalIndex.1"},
        {"demoSignalCount.8", "demoDetectorGroup.1.1"},
        {"dynObjStatus.13.16", "demoInteger.0"},
        {"iso", "dynObjNumber.1.1"},
    };
    for (const auto& c : cases) {
        Owned_Text next;
        ASSERT_EQ(GetNextInstance(c.from, &next.text), 0) << c.from;
        EXPECT_EQ(next.str(), c.next) << c.from;
    }
    Owned_Text none;
    EXPECT_EQ(GetNextInstance("demoDetectorVolume.2.4", &none.text), -1);
    EXPECT_EQ(GetNextInstance("noSuchThing", &none.text), -1);
    EXPECT_EQ(none.text, nullptr);
}

TEST_F(Tree_Calls, GetObjectIndexOfColumns) {
    char buffer[QV_INDEX_NAMES_SIZE] = "already here\n";
    char* names = buffer;
    uint8_t count = 0;
    uint16_t counts[QV_MAX_INDEX_LEVELS] = {};
    ASSERT_EQ(GetObjectIndex("dynObjVariable", &count, &names, counts), 0);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(buffer, "already here\ndynObjNumber\ndynObjIndex\n");
    EXPECT_EQ(counts[0], 13);
    EXPECT_EQ(counts[1], 16);

    buffer[0] = '\0';
    ASSERT_EQ(GetObjectIndex("demoSignalState", &count, &names, counts), 0);
    EXPECT_EQ(count, 1);
    EXPECT_STREQ(buffer, "demoSignalIndex\n");
    EXPECT_EQ(counts[0], 8);

    EXPECT_EQ(GetObjectIndex("demoByte", &count, &names, counts), -1);  // a scalar
    EXPECT_EQ(GetObjectIndex("noSuchThing", &count, &names, counts), -1);
    EXPECT_EQ(GetObjectIndex("demoSignalState", &count, nullptr, counts), -1);
}

TEST_F(Tree_Calls, GetObjectIndexNeverWritesPastTheBuffer) {
    char buffer[QV_INDEX_NAMES_SIZE + 8];
    std::memset(buffer, 'x', sizeof buffer);
    buffer[QV_INDEX_NAMES_SIZE - 3] = '\0';  // nearly full already
    char* names = buffer;
    uint8_t count = 0;
    uint16_t counts[QV_MAX_INDEX_LEVELS] = {};
    ASSERT_EQ(GetObjectIndex("dynObjVariable", &count, &names, counts), 0);
    EXPECT_EQ(std::strlen(buffer), QV_INDEX_NAMES_SIZE - 1u);
    EXPECT_EQ(buffer[QV_INDEX_NAMES_SIZE - 3], 'd');
    EXPECT_EQ(buffer[QV_INDEX_NAMES_SIZE], 'x');
}

TEST_F(Tree_Calls, ReadersAndWritersAtTheSameTime) {
    std::atomic<bool> failed{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&failed, t] {
            for (int i = 0; i < 300; ++i) {
                const std::string value = std::to_string((i + t) % 200);
                if (SetInstanceValue("demoByte.0", value.c_str(), 0) != 0) failed = true;
                if (SetInstanceValue("demoName.0", "41 42", 0) != 0) failed = true;
            }
        });
        threads.emplace_back([&failed] {
            for (int i = 0; i < 300; ++i) {
                Owned_Info node;
                if (GetNodeInfo("demoByte.0", &node.info) != 0) failed = true;
                Owned_Text next;
                if (GetNextInstance("demoName.0", &next.text) != 0) failed = true;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_FALSE(failed);
}

TEST_F(Tree_Calls, TheListingShowsEveryNode) {
    Owned_Text listing;
    ASSERT_EQ(GetTreeListing(&listing.text), 0);
    const std::string text = listing.str();
    EXPECT_EQ(text.rfind("Node iso 1\n  Node org 1.3\n", 0), 0u);
    EXPECT_NE(text.find("\n                      Leaf demoByte 1.3.6.1.4.1.1206.4.2.99.1.2 [INTEGER (0..255)] read-write\n"
                        "                        Instance demoByte.0 1.3.6.1.4.1.1206.4.2.99.1.2.0\n"),
              std::string::npos);
}

}  // namespace

namespace {

class Dyn_Obj_List : public Sample_Engine {
protected:
    void SetUp() override { load(); }
    // Row k of dynamic object n: an object by OID text, a status and an owner.
    void row(int n, int k, const char* oid, const char* status, const char* owner) {
        const std::string at = std::to_string(n) + "." + std::to_string(k);
        ASSERT_EQ(SetInstanceValue(("dynObjVariable." + at).c_str(), oid, 0), 0);
        ASSERT_EQ(SetInstanceValue(("dynObjStatus." + at).c_str(), status, 0), 0);
        ASSERT_EQ(SetInstanceValue(("dynObjOwner." + at).c_str(), owner, 0), 0);
    }
    char names[QV_DYN_TEXT_SIZE] = "old";
    char owners[QV_DYN_TEXT_SIZE] = "old";
    char values[QV_DYN_TEXT_SIZE] = "old";
    uint8_t syntaxes[QV_MAX_DYN_ENTRIES] = {};
    int32_t count = -9;
};

TEST_F(Dyn_Obj_List, TheRowsInUseWithTheirValues) {
    ASSERT_EQ(SetInstanceValue("demoByte.0", "200", 0), 0);
    ASSERT_EQ(SetInstanceValue("demoName.0", "ab", 0), 0);
    row(3, 1, "1.3.6.1.4.1.1206.4.2.99.1.2.0", "1", "Ann");
    row(3, 2, "1.3.6.1.4.1.1206.4.2.99.1.6.0", "1", "Bob");
    row(3, 3, "1.3.6.1.4.1.1206.4.2.99.1.7.0", "4", "");
    EXPECT_EQ(GetDynObjList(3, names, owners, values, syntaxes, &count), 2);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(names, "demoByte.0\ndemoName.0\ndemoObjectId.0");
    EXPECT_STREQ(owners, "Ann\nBob\n");
    EXPECT_STREQ(values, "200\nab\n");
    EXPECT_EQ(syntaxes[0], QV_TYPE_INTEGER);
    EXPECT_EQ(syntaxes[1], QV_TYPE_DISPLAY_TEXT);
}

TEST_F(Dyn_Obj_List, AnUndefinedObjectHasNoRows) {
    EXPECT_EQ(GetDynObjList(13, names, owners, values, syntaxes, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_STREQ(owners, "");
    EXPECT_STREQ(values, "");
}

TEST_F(Dyn_Obj_List, Refusals) {
    for (int32_t number : {0, 14, -1}) EXPECT_EQ(GetDynObjList(number, names, owners, values, syntaxes, &count), -1);
    EXPECT_EQ(GetDynObjList(1, nullptr, owners, values, syntaxes, &count), -1);
    EXPECT_EQ(GetDynObjList(1, names, owners, nullptr, syntaxes, &count), -1);
    row(2, 1, "1.3.6.1.4.1.1206.4.2.99.1.2.0", "1", "");
    row(2, 2, "1.3.6.1.4.1.1206.4.2.99.9", "1", "");  // no such object
    EXPECT_EQ(GetDynObjList(2, names, owners, values, syntaxes, &count), -1);
    EXPECT_EQ(count, -9);
}

}  // namespace

namespace {

// CompileMIB more than once in one engine, and MIBs without the dynamic
// object definition table.
class Mib_Loads : public Sample_Engine {
protected:
    void SetUp() override { load(); }

    // RFC 1213's MIB-II with the station's SMI prelude, compiled from source
    // into its own output file.
    int32_t compile_mib_ii() {
        dir.write("Mib2", "#include \"rfc-smi.mib\"\n#include \"RFC1213-MIB\"\n");
        dir.write("rfc-smi.mib", read_source_file("mibs/prelude/rfc-smi.mib"));
        dir.write("RFC1213-MIB", read_source_file("tests/fixtures/mibs/RFC1213-MIB"));
        char name[16] = "Mib2.out";
        return CompileMIB("Mib2", name, "Errors2.out", 1);
    }

    static std::string value_of(const char* name) {
        Owned_Info node;
        if (GetNodeInfo(name, &node.info) != 0) return "(not found)";
        return node.info.value;
    }

    int32_t dyn_obj_list(int32_t number) {
        return GetDynObjList(number, names, owners, values, syntaxes, &count);
    }

    char names[QV_DYN_TEXT_SIZE] = "";
    char owners[QV_DYN_TEXT_SIZE] = "";
    char values[QV_DYN_TEXT_SIZE] = "";
    uint8_t syntaxes[QV_MAX_DYN_ENTRIES] = {};
    int32_t count = 0;
};

TEST_F(Mib_Loads, ASecondCompileReplacesTheTree) {
    ASSERT_EQ(SetInstanceValue("demoByte.0", "7", 0), 0);
    ASSERT_EQ(compile(), 0);
    EXPECT_EQ(value_of("demoByte.0"), "0");  // a fresh tree
    Owned_Text listing;
    ASSERT_EQ(GetTreeListing(&listing.text), 0);
    const std::string text = listing.str();
    EXPECT_EQ(text.find("Instance demoByte.0 "), text.rfind("Instance demoByte.0 ")) << "the tree twice";
    EXPECT_EQ(text.find("Node iso 1\n"), text.rfind("Node iso 1\n"));
    EXPECT_EQ(dyn_obj_list(1), 0);
}

TEST_F(Mib_Loads, MibIIHasNoDynamicObjectTableAndLoadsAllTheSame) {
    ASSERT_EQ(compile_mib_ii(), 0) << dir.read("Errors2.out");
    EXPECT_NE(dir.read("quorvan.log").find("No dynamic object definition table (dynObjDef) in this MIB"),
              std::string::npos)
        << dir.read("quorvan.log");
    EXPECT_EQ(value_of("demoByte.0"), "(not found)");  // the sample is gone
    EXPECT_EQ(SetInstanceValue("sysContact.0", "ops desk", 0), 0);  // a DisplayString: text
    EXPECT_EQ(value_of("sysContact.0"), "ops desk");
    EXPECT_EQ(SetInstanceValue("ipRouteDest.1", "10.1.0.0", 0), 0);
    EXPECT_EQ(value_of("ipRouteDest.1"), "10.1.0.0");

    // Dynamic objects are refused, with the reason.
    EXPECT_EQ(dyn_obj_list(1), -1);
    static std::string shown;
    shown.clear();
    std::string community = "Orchid";
    std::string object = "sysContact.0";
    Message_Request request{};
    request.community = community.data();
    request.address = 1;
    request.dyn_obj_number = 1;
    request.object_count = 1;
    request.object_names[0] = object.data();
    EXPECT_EQ(DynObjSync(&request, [](const char* text) -> int32_t {
                  shown += text;
                  return 0;
              }, nullptr),
              -1);
    EXPECT_EQ(shown, "The loaded MIB has no dynamic object definition table (dynObjDef): dynamic objects cannot be used");

    // And back to the sample, whose table is there again.
    ASSERT_EQ(compile(), 0);
    EXPECT_EQ(value_of("sysContact.0"), "(not found)");
    EXPECT_EQ(dyn_obj_list(1), 0);
}

}  // namespace
