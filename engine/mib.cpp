// The MIB: from the compiler's output to a tree with instances.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "base/process_locks.h"
#include "engine/mib.h"
#include "tree/instance_builder.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"
#include "tree/tree_exception.h"
#include "tree/tree_files.h"

namespace {

constexpr const char* kCompileLog = "quorvan.log";
constexpr const char* kInstanceLog = "inst.log";
constexpr const char* kFirstPassOutput = "Mibint.out";
constexpr const char* kSecondPassOutput = "Mibsub.out";
constexpr const char* kDefaultMibOutput = "Mibi.out";
constexpr const char* kDefaultErrorFile = "Errors.out";
// A MIB without the definition table (MIB-II, say) is loaded all the same.
constexpr const char* kNoDynamicObjects =
    "No dynamic object definition table (dynObjDef) in this MIB: dynamic objects cannot be used";
constexpr const char* kCouldNotRead = "could not be read: ";
constexpr const char* kCouldNotWrite = "could not be written: ";
constexpr const char* kNotMosy = "is not Extended Mosy output the substitution pass can take";

std::string or_default(const char* name, const char* fallback) {
    return name != nullptr && name[0] != '\0' ? std::string(name) : std::string(fallback);
}

// Which file a substitution pass could not read or write, and why; a file
// that was read and could be written held what the pass cannot take.
std::string pass_failure(const std::string& input, const std::string& output) {
    const int in = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return "\"" + input + "\" " + kCouldNotRead + std::strerror(errno);
    ::close(in);
    int out = ::open(output.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    bool made = false;
    if (out < 0 && errno == ENOENT) {
        out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        made = out >= 0;
    }
    if (out < 0) return "\"" + output + "\" " + kCouldNotWrite + std::strerror(errno);
    ::close(out);
    if (made) ::unlink(output.c_str());
    return "\"" + input + "\" " + kNotMosy;
}

void to_standard_output(const std::string& text) {
    std::lock_guard hold(display_lock());
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

Mib::Mib() : tree_(ISO_Tree::kTableConfigFile), stmf_(tree_, &dynamic_objects_) {}

std::shared_ptr<Message_Content> Mib::build_message(Request_Record& record) {
    auto message = std::make_shared<Message_Content>();
    auto hold = tree_.write_lock();
    message->build_from_request(record, &dynamic_objects_, tree_);
    return message;
}

int32_t Mib::run_compiler(const char* mib_file, const char* output_file, const char* error_file) {
    if (mib_file == nullptr) return static_cast<int32_t>(mibc::Compile_Result::input_not_opened);
    return static_cast<int32_t>(mib_compiler_.compile(mib_file, or_default(output_file, kDefaultMibOutput),
                                                      or_default(error_file, kDefaultErrorFile)));
}

int32_t Mib::compile(const char* mib_file, char* output_name, const char* error_file, int32_t compile_flag) {
    {
        std::lock_guard hold(compile_error_mutex_);
        compile_error_.reset();
    }
    std::ofstream log(kCompileLog, std::ios::trunc);
    log << "\nIn Compile MIB";

    const std::string mib_output = or_default(output_name, kDefaultMibOutput);
    if (compile_flag != 0) {
        const int32_t compiled = run_compiler(mib_file, mib_output.c_str(), error_file);
        log << "\nDone with Quorvan Compile, now loading tree";
        if (compiled != 0) {
            // The error file tells the user why.
            log << "\nAborted load, error in compile";
            return compiled;
        }
    }

    // The second pass resolves conventions defined through other conventions.
    const int first = substitution_pass(mib_output, kFirstPassOutput, to_standard_output);
    if (output_name != nullptr) std::strcpy(output_name, kFirstPassOutput);
    const int result = first == 0 ? substitution_pass(kFirstPassOutput, kSecondPassOutput, to_standard_output)
                                  : -1;
    if (result != 0) {
        // Loading what an earlier run left behind would report the wrong MIB as loaded.
        log << "\nAborted load, error in substitution pass";
        const std::string why = first == 0 ? pass_failure(kFirstPassOutput, kSecondPassOutput)
                                           : pass_failure(mib_output, kFirstPassOutput);
        log << "\n" << why;
        std::lock_guard hold(compile_error_mutex_);
        compile_error_ = why;
        return -1;
    }

    try {
        auto hold = tree_.write_lock();
        log << "\nGot Tree";
        // A MIB loaded before is replaced, not added to.
        tree_.clear();
        dyn_obj_table_.initialize(tree_);  // forgets the nodes it held
        load_mosy_file(tree_, kSecondPassOutput);
        log << "\nLoaded file";
        log << "\nGot Branch";
        std::ofstream instance_log(kInstanceLog, std::ios::trunc);
        instance_log << "Instance log\n";
        create_instances(tree_, instance_log);
        log << "\nCreate Instances";
        if (dyn_obj_table_.initialize(tree_))
            log << "\nInitialized Dynamic Objects";
        else
            log << "\n" << kNoDynamicObjects;
    } catch (const RecoverException& error) {
        log << "\nTree error: " << error.message();
        std::lock_guard hold(compile_error_mutex_);
        compile_error_ = error.message();
        return 1;
    }
    return result;
}

std::optional<std::string> Mib::compile_error() const {
    std::lock_guard hold(compile_error_mutex_);
    return compile_error_;
}

int32_t Mib::write_tree_files() { return ::write_tree_files(".") ? 0 : -1; }
