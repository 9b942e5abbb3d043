// The load path on a generated MIB of about 100,000 objects, and the lookups
// every request and answer makes: GetNodeInfo by name and by dotted OID.
// The memory of one load is measured in a fresh process of this program
// (started with --load-once), so that nothing the bench itself holds counts.
// Any load that fails ends the bench with its reason and exit status 1.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/process_locks.h"
#include "bench/mosy_generator.h"
#include "quorvan.h"
#include "tests/support/child_process.h"
#include "tree/instance_builder.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"
#include "tree/tree_exception.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// "best / median" of the runs, in milliseconds: the best is the steadier
// figure on a shared machine.
std::string figures(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, "%7.1f / %7.1f ms", values.front() * 1e3, values[values.size() / 2] * 1e3);
    return text;
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The substitution pass reports on standard output; keep it off the figures.
class Quiet_Stdout {
public:
    Quiet_Stdout() : saved_(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~Quiet_Stdout() {
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }

private:
    int saved_;
};

[[noreturn]] void fail(const std::string& why) {
    std::fflush(stdout);
    std::fprintf(stderr, "load bench: %s\n", why.c_str());
    std::exit(1);
}

// CompileMIB through the C interface, quietly; a failed load ends the bench.
void compile_or_fail() {
    char name[16] = "Mibi.out";
    int result = 0;
    {
        Quiet_Stdout quiet;
        if (Init("", 0, nullptr, 1, nullptr, nullptr, 0) != 0) fail("Init failed");
        result = CompileMIB("Mibi", name, "Errors.out", 0);
    }
    if (result != 0) {
        char* error = GetCompileError();
        const std::string reason = error != nullptr ? error : "no tree error: the substitution pass failed";
        std::free(error);
        fail("CompileMIB returned " + std::to_string(result) + ": " + reason);
    }
}

// The child's part: one CompileMIB in the working directory the parent made,
// then the memory figures on one line.
int load_once() {
    const long before = resident_kb_of(getpid());
    compile_or_fail();
    std::printf("%ld %ld %ld\n", before, peak_resident_kb_of(getpid()), resident_kb_of(getpid()));
    Shutdown();
    return 0;
}

struct Load_Memory {
    long before_kb = 0;
    long peak_kb = 0;
    long after_kb = 0;
};

Load_Memory memory_of_one_load(const char* self) {
    char path[4096];
    const ssize_t length = readlink(self, path, sizeof path - 1);
    if (length <= 0) fail("cannot find this program to start it again");
    path[length] = '\0';
    const std::string command = std::string("'") + path + "' --load-once";
    FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) fail("cannot start the load in a process of its own");
    Load_Memory memory;
    const int read = std::fscanf(child, "%ld %ld %ld", &memory.before_kb, &memory.peak_kb, &memory.after_kb);
    if (pclose(child) != 0 || read != 3) fail("the load in a process of its own failed");
    return memory;
}

Node_Info info_record;

void free_info() {
    for (char* text : {info_record.syntax, info_record.access, info_record.status, info_record.further,
                       info_record.oid, info_record.value, info_record.name})
        std::free(text);
    info_record = Node_Info{};
}

double lookups_per_second(const std::vector<std::string>& keys, size_t count) {
    std::mt19937 random(7);
    std::vector<const std::string*> order;
    order.reserve(count);
    for (size_t i = 0; i < count; ++i) order.push_back(&keys[random() % keys.size()]);
    const auto start = Clock::now();
    size_t found = 0;
    for (const std::string* key : order) {
        found += GetNodeInfo(key->c_str(), &info_record) == 0;
        free_info();
    }
    const double elapsed = seconds_since(start);
    if (found != count) std::fprintf(stderr, "only %zu of %zu lookups found their node\n", found, count);
    return static_cast<double>(count) / elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--load-once") return load_once();

    const auto generate_start = Clock::now();
    const Generated_Mib mib = generate_mib(Mib_Shape{});
    const double generate_seconds = seconds_since(generate_start);

    const auto dir = std::filesystem::temp_directory_path() / ("quorvan-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    write_file("Mibi.out", mib.mosy);

    std::printf("Generated MIB: %zu objects, %zu instances, %.1f MB of Extended Mosy (%.2f s to generate)\n",
                mib.object_count, mib.instance_names.size(), static_cast<double>(mib.mosy.size()) / 1e6,
                generate_seconds);

    constexpr int kRuns = 7;
    std::vector<double> passes, loads, instances, whole;
    for (int run = 0; run < kRuns; ++run) {
        write_file("TreeCfg.ini", mib.table_config);
        const auto quiet_report = [](const std::string&) {};
        auto start = Clock::now();
        if (substitution_pass("Mibi.out", "Mibint.out", quiet_report) != 0 ||
            substitution_pass("Mibint.out", "Mibsub.out", quiet_report) != 0)
            fail("the substitution pass failed");
        passes.push_back(seconds_since(start));

        ISO_Tree tree;
        try {
            start = Clock::now();
            load_mosy_file(tree, "Mibsub.out");
            loads.push_back(seconds_since(start));

            start = Clock::now();
            std::ofstream log("inst.log");
            create_instances(tree, log);
            instances.push_back(seconds_since(start));
        } catch (const Tree_Exception& error) {
            fail("the tree load failed: " + error.message());
        }
        if (tree.node_count() != mib.node_count)
            fail("the tree holds " + std::to_string(tree.node_count()) + " nodes, not " +
                 std::to_string(mib.node_count));

        // The whole path through the C interface, as a front end runs it.
        write_file("TreeCfg.ini", mib.table_config);
        start = Clock::now();
        compile_or_fail();
        whole.push_back(seconds_since(start));
        if (run + 1 < kRuns) Shutdown();
    }

    std::printf("Load path, best / median of %d runs:\n", kRuns);
    std::printf("  substitution pass, twice   %s\n", figures(passes).c_str());
    std::printf("  tree loader                %s\n", figures(loads).c_str());
    std::printf("  instances and TreeCfg.ini  %s\n", figures(instances).c_str());
    std::printf("  CompileMIB(..., 0) whole   %s\n", figures(whole).c_str());

    write_file("TreeCfg.ini", mib.table_config);
    const Load_Memory memory = memory_of_one_load("/proc/self/exe");
    const auto mib_of = [](long kb) { return static_cast<double>(kb) / 1024.0; };
    const auto per_node = [&](long kb) { return static_cast<double>(kb) * 1024.0 / static_cast<double>(mib.node_count); };
    std::printf("One CompileMIB in a fresh process, %zu nodes:\n", mib.node_count);
    std::printf("  resident before the load   %7.1f MiB\n", mib_of(memory.before_kb));
    std::printf("  peak resident              %7.1f MiB  (%.0f bytes per node above the start)\n",
                mib_of(memory.peak_kb), per_node(memory.peak_kb - memory.before_kb));
    std::printf("  resident once loaded       %7.1f MiB  (%.0f bytes per node kept)\n", mib_of(memory.after_kb),
                per_node(memory.after_kb - memory.before_kb));

    if (std::getenv("QUORVAN_BENCH_LOAD_ONLY") != nullptr) return 0;  // for profiling the load alone
    constexpr size_t kLookups = 1000000;
    std::printf("GetNodeInfo on instances (random, %zu calls):\n", kLookups);
    std::printf("  by name        %10.0f calls/s\n", lookups_per_second(mib.instance_names, kLookups));
    std::printf("  by dotted OID  %10.0f calls/s\n", lookups_per_second(mib.instance_oids, kLookups));

    Shutdown();
    std::filesystem::current_path("/");
    std::filesystem::remove_all(dir);
    return 0;
}
