// Parser and interpreter together on arbitrary scripts. The send built-ins
// are answered by a stub line (each request gets an outcome made from the
// input), the script's files live in memory, and a step budget ends an
// endless loop. Invariant: whatever the script, the run ends with
// "\nAfter execution\n", having written only through the engine, with no
// crash, hang, undefined behaviour or out-of-bounds access.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "macro/macro_run.h"
#include "tests/macro/stub_engine.h"

namespace {

class Fuzz_Engine : public Stub_Engine {
public:
    bool create_file(const std::string& name) override {
        files[name].clear();
        return files.size() < 16;
    }
    bool append_file(const std::string& name, std::string_view text) override {
        std::string& file = files[name];
        if (file.size() + text.size() > 1 << 16) return false;
        file += text;
        return true;
    }
    std::optional<std::string> read_file(const std::string& name) override {
        const auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    int32_t send_data(Message_Request& request) override {
        const int32_t id = Stub_Engine::send_data(request);
        // The flags and status of the outcome follow from the request id.
        outcomes[id] = {static_cast<int32_t>((static_cast<uint32_t>(id) * 0x9E3779B1u) & 0x1FFFF), "Error: x",
                        id % 6, id % 3, "value " + std::to_string(id)};
        if (sent.size() > 64) sent.erase(sent.begin());
        return id;
    }
    void output(std::string_view text) override {
        if (written.size() < (1 << 20)) written += text;
        last = std::string(text);
    }
    std::map<std::string, std::string> files;
    std::string last;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz_Engine engine;
    engine.answers = {"answer", "42", ""};
    Node_Record node;
    node.name = "demoInteger.0";
    node.value = "17";
    engine.nodes["demoInteger.0"] = node;
    engine.objects["demo"] = "a.1\nb.2";
    const std::string script(reinterpret_cast<const char*>(data), size);
    run_macro_text(script, engine, Run_Limits{20000, size_t{16} << 20});
    if (engine.last != "\nAfter execution\n") std::abort();
    return 0;
}
