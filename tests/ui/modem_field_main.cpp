// quorvan_test_modem_field WORKDIR PORT SECRET: a field device on a modem,
// through the C interface only, for the windows' dial-up test. It waits for
// calls on the modem at PORT, answers them, runs PPP with the CHAP secret
// and answers requests from the MIB in WORKDIR ("Mibi.out", "TreeCfg.ini").
// Every line-activity text goes to standard output; "ready" once it waits.
// It ends on "quit" or the end of its input.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "quorvan.h"

namespace {
int32_t print(const char* text) {
    std::fputs(text, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}

int32_t print_notice(const char* title, const char* text) {
    std::printf("notice %s: %s\n", title, text);
    std::fflush(stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || ::chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: quorvan_test_modem_field WORKDIR PORT SECRET\n");
        return 2;
    }
    Init("", 0, nullptr, QV_ROLE_FIELD, nullptr, nullptr, 0);
    SetModes(QV_CONNECTION_MODEM, QV_ROLE_FIELD);
    SetModemNotice(print_notice);
    // The simulator's fast timings: a guard time of 100 ms (S12=5), waits of 300 ms.
    SetModemOptions("ATE0V1Q0&D2S12=5", nullptr, 300, 0, 0, 150);
    SetParams(9600, argv[2], 5);
    SetPPPInfo(argv[3]);
    char output_name[32] = "Mibi.out";
    if (CompileMIB("Mibi", output_name, "Errors.out", 0) != 0) {
        std::fprintf(stderr, "no MIB in %s\n", argv[1]);
        return 1;
    }
    StartReceiverThread(print, nullptr);
    print("ready");
    std::string line;
    while (std::getline(std::cin, line) && line != "quit") {
    }
    Shutdown();
    print("stopped");
    return 0;
}
