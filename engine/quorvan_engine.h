// The engine: the one object behind the flat C interface. It owns the
// configuration and the object tree and answers the exported calls; the
// exports only forward to it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "quorvan.h"
#include "codec/stmf.h"
#include "dynobj/dyn_obj_table.h"
#include "engine/ini_file.h"
#include "tree/iso_tree.h"

class Quorvan {
public:
    Quorvan();
    ~Quorvan();
    Quorvan(const Quorvan&) = delete;
    Quorvan& operator=(const Quorvan&) = delete;

    // The start-up sequence of every Init: configuration, then the role.
    int32_t Init(int32_t role);

    int32_t CompileMIB(const char* mib_file, char* output_name, const char* error_file,
                       int32_t compile_flag);
    std::optional<std::string> compile_error() const;
    int32_t WriteTreeFiles();

    int32_t GetNodeInfo(const char* name, Node_Info& info) const;
    void GetNodeObjects(const char* name, char** objects) const;
    int32_t GetNextInstance(const char* name, char** next) const;
    int32_t GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) const;
    int32_t SetInstanceValue(const char* name, const char* value);
    int32_t GetTreeListing(char** listing) const;
    int32_t GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                          int32_t* count) const;

    void SetAppInstance(void* instance) { app_instance_ = instance; }
    void* GetAppInstance() const { return app_instance_; }

    IniFile& ini() { return *ini_; }
    ISO_Tree& tree() { return tree_; }
    const STMF& stmf() const { return stmf_; }

private:
    // Members in the order of construction; destruction runs backwards and
    // ends with the configuration, whose destructor saves the file.
    std::unique_ptr<IniFile> ini_;
    ISO_Tree tree_;
    Dyn_Obj_Table dyn_obj_table_;
    void* app_instance_ = nullptr;
    STMF stmf_;  // encodes and decodes every message against the tree and the dynamic objects

    mutable std::mutex compile_error_mutex_;
    std::optional<std::string> compile_error_;
};
