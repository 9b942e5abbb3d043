// The MIB of the station: the object tree, the dynamic objects read from it
// and the codec that encodes and decodes messages against them; loading it
// from the compiler's output, and the tree calls of the C interface.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "codec/dynamic_objects.h"
#include "codec/message_content.h"
#include "codec/request_record.h"
#include "codec/stmf.h"
#include "dynobj/dyn_obj_table.h"
#include "mibc/mib_compiler.h"
#include "tree/iso_tree.h"

// What GetNodeInfo reports about a node, as values.
struct Node_Facts {
    int32_t result = 0;  // 0: an instance or another node; 2: a "Leaf" or "Group"
    std::string syntax, access, status, further, oid, value, name;
    uint8_t value_type = 0;
    std::string instance_text;
    int32_t neg_lower = 0, neg_upper = 0, lower = 0, upper = 0;
};

// One dynamic object's rows in use, as GetDynObjList lists them.
struct Dyn_Obj_Listing {
    std::string names;   // the variables' names, "\n" between them
    std::string owners;  // each row's owner and "\n"
    std::string values;  // each row's value text and "\n"
    std::vector<uint8_t> value_types;
};

// What GetObjectIndex reports about a column.
struct Column_Index {
    std::vector<std::string> index_names;
    std::vector<uint16_t> instance_counts;  // instance nodes at each index level
};

class Mib {
public:
    Mib();
    Mib(const Mib&) = delete;
    Mib& operator=(const Mib&) = delete;

    // Compiles the MIB source (when compile_flag is non-zero), runs the
    // substitution pass over the compiler's output and loads the tree, its
    // instances and the dynamic objects. output_name (when not null) names
    // the compiler's output and receives the first pass's file name.
    int32_t compile(const char* mib_file, char* output_name, const char* error_file, int32_t compile_flag);
    // The compiler alone: MIB source to Extended Mosy and the error file.
    int32_t run_compiler(const char* mib_file, const char* output_file, const char* error_file);
    std::optional<std::string> compile_error() const;
    int32_t write_tree_files();

    // A message built from a request against the tree (the tree locked).
    std::shared_ptr<Message_Content> build_message(Request_Record& record);

    std::optional<Node_Facts> node_facts(const char* name) const;
    std::optional<std::string> node_objects(const char* name) const;
    std::optional<std::string> next_instance(const char* name) const;
    std::optional<Column_Index> column_index(const char* name, size_t most_levels) const;
    int32_t set_instance_value(const char* name, const char* value);
    std::optional<std::string> tree_listing() const;
    std::optional<Dyn_Obj_Listing> dyn_obj_list(int32_t number, size_t most_rows) const;

    // False when the loaded MIB has no dynamic object definition table.
    bool has_dynamic_objects() const {
        auto hold = tree_.read_lock();
        return dyn_obj_table_.present();
    }

    ISO_Tree& tree() { return tree_; }
    const STMF& stmf() const { return stmf_; }

private:
    ISO_Tree tree_;
    Dyn_Obj_Table dyn_obj_table_;
    Dyn_Obj_Table_Objects dynamic_objects_{dyn_obj_table_};
    STMF stmf_;
    mibc::Mib_Compiler mib_compiler_;  // its options carry over from one compile to the next

    mutable std::mutex compile_error_mutex_;
    std::optional<std::string> compile_error_;  // guarded by compile_error_mutex_
};
