// Refusals that say what went wrong: a port another station holds, and a
// working directory where the MIB's intermediate file cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/child_process.h"
#include "tests/support/process.h"
#include "tests/support/pty_pair.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Refusals, APortHeldByAnotherStationIsSaidToBeInUse) {
    Temp_Dir first_dir;
    Temp_Dir second_dir;
    copy_sample_into(first_dir);
    copy_sample_into(second_dir);
    const Pty_Pair line;
    Child_Process holder({QUORVAN_CLI, "--workdir", first_dir.path(), "field", "--port", line.terminal_name()});
    ASSERT_TRUE(holder.wait_for("Field device answering on " + line.terminal_name())) << holder.output();
    const Process_Result second =
        run_process({QUORVAN_CLI, "--workdir", second_dir.path(), "field", "--port", line.terminal_name()});
    EXPECT_NE(second.exit_status, 0);
    EXPECT_NE(second.err.find("quorvan-cli: cannot open the port " + line.terminal_name() +
                              ": it is in use by another station or program\n"),
              std::string::npos)
        << second.err;
}

TEST(Refusals, AnIntermediateFileThatCannotBeWrittenIsNamedWithTheReason) {
    Temp_Dir dir;
    copy_sample_into(dir);
    // A directory where the first pass writes its file: refused even to root.
    ASSERT_EQ(mkdir(dir.file("Mibint.out").c_str(), 0755), 0);
    const Process_Result result = run_process({QUORVAN_CLI, "--workdir", dir.path(), "load"});
    EXPECT_NE(result.exit_status, 0);
    EXPECT_NE(result.out.find("error: \"Mibint.out\" could not be written: Is a directory\n"), std::string::npos)
        << result.out;
}

TEST(Refusals, AReadOnlyWorkingDirectoryNamesTheFileItCouldNotWrite) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only directory";
    Temp_Dir dir;
    copy_sample_into(dir);
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    const Process_Result result = run_process({QUORVAN_CLI, "--workdir", dir.path(), "load"});
    chmod(dir.path().c_str(), 0755);
    EXPECT_NE(result.out.find("error: \"Mibint.out\" could not be written: Permission denied\n"), std::string::npos)
        << result.out;
}

}  // namespace
