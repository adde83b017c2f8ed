#include "firstpass/HeldSignals.h"

#include <array>
#include <cstddef>

namespace corvale::firstpass {

namespace {

constexpr std::array<int, 3> kHeld = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t arrived[kHeld.size()];

std::mutex& Turn() {
    static std::mutex turn;
    return turn;
}

extern "C" void NoteArrival(int signal) {
    for (std::size_t i = 0; i < kHeld.size(); ++i) {
        if (kHeld[i] == signal) {
            arrived[i] = 1;
        }
    }
}

}  // namespace

HeldSignals::HeldSignals() : turn_(Turn()) {
    struct sigaction noting {};
    noting.sa_handler = NoteArrival;
    noting.sa_flags = SA_RESTART;
    sigfillset(&noting.sa_mask);
    for (std::size_t i = 0; i < kHeld.size(); ++i) {
        arrived[i] = 0;
        sigaction(kHeld[i], nullptr, &previous_[i]);
        if (previous_[i].sa_handler != SIG_IGN) {
            sigaction(kHeld[i], &noting, nullptr);
        }
    }
}

HeldSignals::~HeldSignals() {
    for (std::size_t i = 0; i < kHeld.size(); ++i) {
        sigaction(kHeld[i], &previous_[i], nullptr);
    }
    for (std::size_t i = 0; i < kHeld.size(); ++i) {
        if (arrived[i] != 0) {
            std::raise(kHeld[i]);
        }
    }
}

}  // namespace corvale::firstpass
