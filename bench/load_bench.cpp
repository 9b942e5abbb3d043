// The load path on a generated MIB of about 100,000 objects, and the lookups
// every request and answer makes: GetNodeInfo by name and by dotted OID.
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
#include "tree/instance_builder.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"

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

int main() {
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
        substitution_pass("Mibi.out", "Mibint.out", quiet_report);
        substitution_pass("Mibint.out", "Mibsub.out", quiet_report);
        passes.push_back(seconds_since(start));

        ISO_Tree tree;
        start = Clock::now();
        load_mosy_file(tree, "Mibsub.out");
        loads.push_back(seconds_since(start));

        start = Clock::now();
        std::ofstream log("inst.log");
        create_instances(tree, log);
        instances.push_back(seconds_since(start));

        // The whole path through the C interface, as a front end runs it.
        write_file("TreeCfg.ini", mib.table_config);
        char name[16] = "Mibi.out";
        start = Clock::now();
        {
            Quiet_Stdout quiet;
            Init("", 0, nullptr, 1, nullptr, nullptr, 0);
            if (CompileMIB("Mibi", name, "Errors.out", 0) != 0) std::fprintf(stderr, "CompileMIB failed\n");
        }
        whole.push_back(seconds_since(start));
        if (run + 1 < kRuns) Shutdown();
    }

    std::printf("Load path, best / median of %d runs:\n", kRuns);
    std::printf("  substitution pass, twice   %s\n", figures(passes).c_str());
    std::printf("  tree loader                %s\n", figures(loads).c_str());
    std::printf("  instances and TreeCfg.ini  %s\n", figures(instances).c_str());
    std::printf("  CompileMIB(..., 0) whole   %s\n", figures(whole).c_str());

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
