// The whole road from MIB source to a tree with instances (compile, both
// substitution passes, load, instances: CompileMIB with the compile flag),
// side by side with net-snmp's parser (snmptranslate -Tz) on the same
// generated SNMPv1 module, and with libsmi's smilint on a small one (its cost
// grows faster than linearly). Each run is a process of its own, so that its
// peak resident memory is its own; its time is the CPU time it used (user and
// system), which a machine shared with other work does not inflate.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/mib_source_generator.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Measure {
    double seconds = 0;  // CPU
    double wall = 0;
    double peak_mb = 0;
    bool ok = false;
};

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

void write_file(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Runs the body in a child process with its output thrown away; its wall
// time, peak resident memory and whether it exited with 0.
Measure in_child(const std::function<int()>& body) {
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        _exit(body());
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Measure measure;
    measure.wall = std::chrono::duration<double>(Clock::now() - start).count();
    const auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    measure.seconds = cpu(usage.ru_utime) + cpu(usage.ru_stime);
    measure.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    measure.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return measure;
}

int run_program(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    return 127;
}

// The best of a few runs (the steadier figure on a shared machine).
Measure best_of(int runs, const std::function<int()>& body) {
    Measure best;
    for (int i = 0; i < runs; ++i) {
        const Measure m = in_child(body);
        if (i == 0 || m.seconds < best.seconds) best = m;
        if (!m.ok) return m;
    }
    return best;
}

struct Workspace {
    fs::path ours;      // Mibi, the prelude, BENCH-MIB, TreeCfg.ini
    fs::path net_snmp;  // the RFC modules as published, BENCH-MIB
};

Workspace prepare(const fs::path& root, const Mib_Source& mib) {
    Workspace w{root / "quorvan", root / "modules"};
    fs::create_directories(w.ours);
    fs::create_directories(w.net_snmp);
    const fs::path source = QUORVAN_SOURCE_DIR;
    write_file(w.ours / "BENCH-MIB", mib.module);
    write_file(w.ours / "rfc-smi.mib", read_file(source / "mibs/prelude/rfc-smi.mib"));
    write_file(w.ours / "Mibi", "#include \"rfc-smi.mib\"\n#include \"BENCH-MIB\"\n");
    write_file(w.net_snmp / "BENCH-MIB", mib.module);
    for (const char* name : {"RFC1155-SMI", "RFC-1212"})
        write_file(w.net_snmp / name, read_file(source / "tests/fixtures/mibs" / name));
    return w;
}

void print(const char* what, const Measure& m, const Measure* reference = nullptr) {
    std::printf("    %-46s %8.3f s CPU %8.3f s wall %8.1f MB", what, m.seconds, m.wall, m.peak_mb);
    if (!m.ok) std::printf("   FAILED");
    if (reference != nullptr && m.ok && reference->ok) std::printf("   %.2fx net-snmp's time", m.seconds / reference->seconds);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<size_t> sizes = {50000, 100000, 200000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    }
    constexpr size_t kSmilintSize = 2000;
    constexpr int kRuns = 3;
    const fs::path root = fs::temp_directory_path() / ("quorvan-mibc-bench-" + std::to_string(getpid()));

    std::printf("MIB source to loaded tree, best of %d runs, each in a process of its own (CPU time, wall time, peak RSS):\n",
                kRuns);
    for (const size_t size : sizes) {
        const Mib_Source mib = generate_mib_source(size);
        const Workspace w = prepare(root / std::to_string(size), mib);
        std::printf("  %zu objects (%.1f MB of source):\n", mib.object_count, static_cast<double>(mib.module.size()) / 1e6);

        const Measure net_snmp = best_of(kRuns, [&] {
            return run_program({"snmptranslate", "-Tz", "-M", w.net_snmp.string(), "-m", "BENCH-MIB"});
        });
        // Ours runs as quorvan-cli, a fresh process like snmptranslate.
        const Measure compile_only = best_of(kRuns, [&] {
            return run_program({QUORVAN_CLI, "--workdir", w.ours.string(), "compile", "Mibi"});
        });
        const Measure whole = best_of(kRuns, [&] {
            write_file(w.ours / "TreeCfg.ini", "");
            return run_program({QUORVAN_CLI, "--workdir", w.ours.string(), "load"});
        });
        print("snmptranslate -Tz (net-snmp's parser)", net_snmp);
        print("quorvan-cli compile: the compiler alone", compile_only, &net_snmp);
        print("quorvan-cli load: CompileMIB(..., 1), whole", whole, &net_snmp);
        std::printf("      %-44s %8.2f us CPU per object\n", "(compile, substitute, load, instances)",
                    whole.seconds * 1e6 / static_cast<double>(mib.object_count));
        if (!whole.ok) std::printf("    (see %s)\n", (w.ours / "Errors.out").c_str());
    }

    const Mib_Source small = generate_mib_source(kSmilintSize);
    const Workspace w = prepare(root / "smilint", small);
    std::printf("  %zu objects, with libsmi (it grows faster than linearly, so only this size):\n", small.object_count);
    const Measure smilint = best_of(1, [&] {
        setenv("SMIPATH", w.net_snmp.c_str(), 1);
        return run_program({"smilint", "-l", "1", (w.net_snmp / "BENCH-MIB").string()});
    });
    const Measure net_snmp = best_of(kRuns, [&] {
        return run_program({"snmptranslate", "-Tz", "-M", w.net_snmp.string(), "-m", "BENCH-MIB"});
    });
    const Measure whole = best_of(kRuns, [&] {
        write_file(w.ours / "TreeCfg.ini", "");
        return run_program({QUORVAN_CLI, "--workdir", w.ours.string(), "load"});
    });
    print("smilint -l 1 (libsmi)", smilint);
    print("snmptranslate -Tz (net-snmp's parser)", net_snmp);
    print("quorvan-cli load: CompileMIB(..., 1), whole", whole, &net_snmp);
    fs::remove_all(root);
    return 0;
}
