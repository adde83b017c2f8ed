#pragma once

#include <csignal>
#include <mutex>

namespace corvale::firstpass {

// While one lives, the signals that ask a program to stop (SIGINT from Ctrl+C, SIGTERM, SIGHUP)
// are held back: each that arrives, on whichever thread, is noted and delivered again once the
// object goes, to whatever handled it before. So a few system calls in between are done all or
// not at all. A signal that was ignored stays ignored. Objects in several threads take turns.
class HeldSignals {
public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    std::unique_lock<std::mutex> turn_;
    struct sigaction previous_[3];  // what handled each held signal before
};

}  // namespace corvale::firstpass
