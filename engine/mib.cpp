// The MIB: from the compiler's output to a tree with instances.
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

int32_t Mib::compile(char* output_name) {
    {
        std::lock_guard hold(compile_error_mutex_);
        compile_error_.reset();
    }
    std::ofstream log(kCompileLog, std::ios::trunc);
    log << "\nIn Compile MIB";

    // The MIB compiler would run here and write the output file; this build
    // loads the output file that is already in the working directory.
    const std::string mib_output = output_name != nullptr && output_name[0] != '\0'
                                       ? std::string(output_name)
                                       : std::string(kDefaultMibOutput);

    // The second pass resolves conventions defined through other conventions.
    const int first = substitution_pass(mib_output, kFirstPassOutput, to_standard_output);
    if (output_name != nullptr) std::strcpy(output_name, kFirstPassOutput);
    const int result = first == 0 ? substitution_pass(kFirstPassOutput, kSecondPassOutput, to_standard_output)
                                  : -1;
    if (result != 0) {
        // Loading what an earlier run left behind would report the wrong MIB as loaded.
        log << "\nAborted load, error in substitution pass";
        return -1;
    }

    try {
        auto hold = tree_.write_lock();
        log << "\nGot Tree";
        load_mosy_file(tree_, kSecondPassOutput);
        log << "\nLoaded file";
        log << "\nGot Branch";
        std::ofstream instance_log(kInstanceLog, std::ios::trunc);
        instance_log << "Instance log\n";
        create_instances(tree_, instance_log);
        log << "\nCreate Instances";
        dyn_obj_table_.initialize(tree_);
        log << "\nInitialized Dynamic Objects";
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
