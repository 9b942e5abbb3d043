// A working directory made from the bundled sample, entered for the test,
// with the engine initialised in it (and shut down afterwards).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "quorvan.h"
#include "tests/support/owned_text.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

class Sample_Engine : public ::testing::Test {
protected:
    Sample_Engine() : enter(dir.path()) { copy_sample_into(dir); }
    ~Sample_Engine() override { Shutdown(); }

    // Without a port: these tests do not use the line.
    int32_t init(int32_t role = QV_ROLE_CENTRAL) { return Init("", 0, nullptr, role, nullptr, nullptr, 0); }

    int32_t compile() {
        char name[16] = "Mibi.out";
        return CompileMIB("Mibi", name, "Errors.out", 0);
    }

    void load() {
        ASSERT_EQ(init(), 0);
        ASSERT_EQ(compile(), 0);
    }

    Temp_Dir dir;
    Working_Directory enter;
};

// Frees the texts of a Node_Info.
struct Owned_Info {
    Node_Info info{};
    ~Owned_Info() {
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }
};
