// Takes a named lock, tells the test by creating a marker file, and holds the
// lock for the given milliseconds (forever with -1) before it exits.
//   nimbora_lock_holder <lock name> <marker file> <hold ms>
#include "platform/NamedLock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <lock name> <marker file> <hold ms>\n", argv[0]);
        return 2;
    }
    // Long enough for any test that lets go of the lock eventually.
    auto lock = platform::NamedLock::acquire(argv[1], 60000);
    if (!lock) {
        return 1;
    }
    if (FILE* marker = std::fopen(argv[2], "w")) {
        std::fclose(marker);
    } else {
        return 3;
    }
    int holdMs = std::atoi(argv[3]);
    if (holdMs < 0) {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    return 0;
}
