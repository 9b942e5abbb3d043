// A script run through the Macro export as the central station, against a
// field device (quorvan-cli, its own process) on the other end of a
// null-modem cable of pseudo-terminals. The script's prompts change what the
// field device spoils.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "cli/null_modem.h"
#include "quorvan.h"
#include "tests/support/child_process.h"
#include "tests/support/owned_text.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

std::mutex shown_mutex;
std::string shown;

int32_t show(const char* text) {
    std::lock_guard hold(shown_mutex);
    shown += text;
    return 0;
}

Child_Process* field_device = nullptr;

// The prompt names the injection to make: "bad-crc", "no-response" or "none".
int32_t change_injection(char** answer, const char* prompt) {
    *answer = nullptr;
    const std::string list = prompt;
    const size_t offset = field_device->output_size();
    field_device->send_line("inject " + list);
    EXPECT_TRUE(field_device->wait_for("Injecting: " + list, offset));
    return 0;
}

const char* const kScript =
    "int id; int flags; int status; int index; string message[100]; string value[100];\n"
    "outfile(\"results.txt\");\n"
    "setField_SizeOfTheArray(1); setField_arraylist(\"demoInteger.0\", 1);\n"
    "id = sendGet(); flags = getError(message, id, status, index); getResponseValue(id, value);\n"
    "out(\"get \"); out(intToString(flags)); out(\" \"); out(value); out(\"\\n\"); clearErrorState(id);\n"
    "id = sendGetNext(); flags = getError(message, id, status, index); getResponseValue(id, value);\n"
    "out(\"getnext \"); out(intToString(flags)); out(\" \"); out(value); out(\"\\n\"); clearErrorState(id);\n"
    "setField_arraylist(\"demoName.0\", 1); setField_valuelist(\"Main Street\", 1); setField_asn1syntax(22, 1);\n"
    "id = sendSetDec(); flags = getError(message, id, status, index);\n"
    "out(\"set \"); out(intToString(flags)); out(\" \"); out(intToString(status)); out(\"\\n\"); clearErrorState(id);\n"
    "id = sendGet(); flags = getError(message, id, status, index); getResponseValue(id, value);\n"
    "out(\"read back \"); out(intToString(flags)); out(\" \"); out(value); out(\"\\n\"); clearErrorState(id);\n"
    "setField_arraylist(\"demoCounter.0\", 1); setField_valuelist(\"5\", 1); setField_asn1syntax(2, 1);\n"
    "id = sendSetDec(); flags = getError(message, id, status, index);\n"
    "out(\"read-only \"); out(intToString(status)); out(\" \"); out(intToString(index)); out(\" \"); out(message);\n"
    "out(\"\\n\"); clearErrorState(id);\n"
    "setField_arraylist(\"demoInteger.0\", 1);\n"
    "inuser(\"bad-crc\"); id = sendGet(); flags = getError(message, id, status, index);\n"
    "out(\"bad fcs \"); out(intToString(checkInvalidCRC(flags))); out(\" \"); out(message); out(\"\\n\");\n"
    "clearErrorState(id);\n"
    "inuser(\"no-response\"); id = sendGet(); flags = getError(message, id, status, index);\n"
    "out(\"time-out \"); out(intToString(checkNoResponse(flags))); out(\" \"); out(message); out(\"\\n\");\n"
    "clearErrorState(id);\n"
    "inuser(\"none\"); id = sendGet(); flags = getError(message, id, status, index);\n"
    "out(\"again \"); out(intToString(flags)); out(\"\\n\");\n"
    "verdict(\"answered again\", 1 - checkNoResponse(flags))\n";

class Macro_Line : public ::testing::Test {
protected:
    Macro_Line() : enter(central_dir.path()) {
        copy_sample_into(central_dir);
        copy_sample_into(field_dir);
        std::lock_guard hold(shown_mutex);
        shown.clear();
    }
    ~Macro_Line() override {
        Shutdown();
        field_device = nullptr;
    }

    void start_field() {
        field = std::make_unique<Child_Process>(
            std::vector<std::string>{QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", cable.second()});
        ASSERT_TRUE(field->wait_for("Field device answering on " + cable.second())) << field->output();
        field_device = field.get();
    }

    // The central station on its end of the cable, waiting 2 s for answers.
    void start_central() {
        ASSERT_EQ(Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
        ASSERT_EQ(SetParams(9600, cable.first().c_str(), 2), 0);
        char output_name[16] = "Mibi.out";
        ASSERT_EQ(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
        ASSERT_EQ(StartReceiverThread(show, nullptr), 0);
    }

    Null_Modem cable;
    Temp_Dir central_dir;
    Temp_Dir field_dir;
    Working_Directory enter;
    std::unique_ptr<Child_Process> field;
};

TEST_F(Macro_Line, AScriptSendsChecksTheFlagsAndWritesItsResults) {
    start_field();
    start_central();
    central_dir.write("line.mac", kScript);
    ASSERT_EQ(Macro("line.mac", show, change_injection, nullptr), 0);
    const int32_t handle = GetMacroHandle();
    Owned_Text verdicts;
    EXPECT_EQ(WaitForMacro(handle, &verdicts.text), 0);
    EXPECT_EQ(verdicts.str(), "1 answered again\n");
    EXPECT_EQ(central_dir.read("results.txt"),
              "get 0 0\n"
              "getnext 0 1.3.6.1.4.1.1206.4.2.99.1.2.0\n"
              "set 0 0\n"
              "read back 0 Main Street\n"
              "read-only 4 1 SNMP Error: Read only object\n"
              "bad fcs 1 Error: Bad CRC in message received, attempting to continue.\n"
              "time-out 1 Error: The last message response timed out.\n"
              "again 0\n");
    std::lock_guard hold(shown_mutex);
    EXPECT_EQ(shown.rfind("\nRunning macroline.macFile parsed successfully\n", 0), 0u) << shown.substr(0, 200);
    EXPECT_NE(shown.find("Verdict answered again: passed\n\nAfter execution\n"), std::string::npos);
    // The requests' own line activity went to the same display.
    EXPECT_NE(shown.find(" Sending:\n7E 05 13 C1"), std::string::npos);
}

}  // namespace
