// quorvan-null-modem: prints the two ends of a null-modem cable, one path a
// line, and carries octets between them until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <exception>

#include "cli/null_modem.h"

int main() {
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    try {
        Null_Modem cable;
        std::printf("%s\n%s\n", cable.first().c_str(), cable.second().c_str());
        std::fflush(stdout);
        int signal_number = 0;
        sigwait(&stop_signals, &signal_number);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvan-null-modem: %s\n", error.what());
        return 1;
    }
    return 0;
}
