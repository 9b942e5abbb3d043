// The macro interpreter: statements per second of a tight arithmetic loop
// and of a loop of getNodeInfo calls, and the cost of a sendGet against a
// field device over a null-modem cable of pseudo-terminals, beside the same
// request made by direct C calls, by a shell loop of quorvan-cli get (the
// way sequences were scripted before), and the time its frames take on a
// 9600 baud line.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/null_modem.h"
#include "macro/c_interface_engine.h"
#include "macro/macro_run.h"
#include "quorvan.h"
#include "tests/macro/stub_engine.h"
#include "tests/support/child_process.h"
#include "tests/support/owned_text.h"
#include "tests/support/process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Runs the script from a file (looked at again while it runs, as on the station).
struct Timed_Run {
    double seconds;
    uint64_t steps;
    bool completed;
};

Timed_Run time_script(const Temp_Dir& dir, const std::string& script, Macro_Engine& engine) {
    dir.write("bench.mac", script);
    const auto start = Clock::now();
    const Run_Report report = run_macro_file(dir.file("bench.mac"), engine);
    return {seconds_since(start), report.steps, report.completed};
}

void print_run(const char* what, const Timed_Run& run) {
    std::printf("  %-46s %9.3f s  %8llu statements  %12.0f statements/s%s\n", what, run.seconds,
                static_cast<unsigned long long>(run.steps), static_cast<double>(run.steps) / run.seconds,
                run.completed ? "" : "  (did not complete)");
}

constexpr const char* kArithmetic =
    "int i; int s; float f; i = 0; s = 0; f = 0.0;"
    "while (i < 100000) begin s = s + i * 3 - (s / 7); f = f + 0.5; i = i + 1 end";

constexpr const char* kNodeInfo =
    "int i; int n; i = 0; while (i < 20000) begin n = getNodeInfo(\"demoTemperature.0\"); i = i + 1 end";

constexpr const char* kSends =
    "int i; int id; int flags; int st; int ix; string m[99]; i = 0;"
    "setField_SizeOfTheArray(1); setField_arraylist(\"demoInteger.0\", 1);"
    "while (i < 200) begin id = sendGet(); flags = getError(m, id, st, ix); clearErrorState(id); i = i + 1 end";

}  // namespace

int main() {
    std::printf("Macro interpreter\n");
    {
        Temp_Dir dir;
        Stub_Engine quiet;
        time_script(dir, kArithmetic, quiet);  // warm up
        print_run("arithmetic loop, 100,000 iterations", time_script(dir, kArithmetic, quiet));
    }

    Null_Modem cable;
    Temp_Dir central_dir;
    Temp_Dir field_dir;
    copy_sample_into(central_dir);
    copy_sample_into(field_dir);
    Working_Directory enter(central_dir.path());
    Child_Process field({QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", cable.second()});
    if (!field.wait_for("Field device answering on")) {
        std::fprintf(stderr, "the field device did not start\n%s", field.output().c_str());
        return 1;
    }
    Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0);
    SetParams(9600, cable.first().c_str(), 2);
    char output_name[16] = "Mibi.out";
    if (CompileMIB("Mibi", output_name, "Errors.out", 0) != 0) {
        std::fprintf(stderr, "the sample MIB did not load\n");
        return 1;
    }
    std::printf("\n");  // the load's own lines end without a line feed
    StartReceiverThread(nullptr, nullptr);
    C_Interface_Engine engine(nullptr, nullptr, nullptr);
    print_run("getNodeInfo loop, 20,000 iterations", time_script(central_dir, kNodeInfo, engine));

    const Timed_Run sends = time_script(central_dir, kSends, engine);
    print_run("sendGet loop over the cable, 200 requests", sends);
    const double per_macro_send = sends.seconds / 200;

    // The same request by direct C calls.
    std::string name = "demoInteger.0";
    std::string empty;
    std::string protocol = "SNMP", class_name = "Class B", community = "ORCHID";
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 1;
    request.get = 1;
    request.object_count = 1;
    request.object_names[0] = name.data();
    request.values[0] = empty.data();
    auto start = Clock::now();
    for (int i = 0; i < 200; ++i) {
        const int32_t id = SendData(&request, nullptr, nullptr, 1);
        Owned_Text message;
        int32_t status = 0, index = 0;
        GetError(id, &message.text, &status, &index);
        ClearErrorState(id);
    }
    const double per_direct = seconds_since(start) / 200;
    Shutdown();

    // A shell loop's way: one quorvan-cli process per request.
    start = Clock::now();
    constexpr int kProcesses = 5;
    for (int i = 0; i < kProcesses; ++i)
        run_process({QUORVAN_CLI, "--workdir", central_dir.path(), "get", "--port", cable.first(), "demoInteger.0"});
    const double per_process = seconds_since(start) / kProcesses;

    // The request's 52 octets and the answer's 53 on a 9600 baud line, 10 bits an octet.
    const double line_time = (52 + 53) * 10.0 / 9600.0;
    std::printf("\nCost of one Get of one object, request and answer\n");
    std::printf("  %-46s %9.3f ms\n", "macro sendGet + getError + clearErrorState", per_macro_send * 1e3);
    std::printf("  %-46s %9.3f ms  (macro / direct %.2f)\n", "direct SendData + GetError + ClearErrorState",
                per_direct * 1e3, per_macro_send / per_direct);
    std::printf("  %-46s %9.3f ms  (process / macro %.1f)\n", "quorvan-cli get, one process per request",
                per_process * 1e3, per_process / per_macro_send);
    std::printf("  %-46s %9.3f ms  (macro / line %.3f)\n", "the frames' time on a 9600 baud line", line_time * 1e3,
                per_macro_send / line_time);
    return 0;
}
