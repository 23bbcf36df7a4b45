// Writes the keys "<prefix><n>" = n for n from <first> on, <count> of them
// (without end when count is 0), to subsection "race" of the settings store,
// one write at a time. After each write that the store acknowledged, appends
// "n\n" to <ack file> when one is given. Exits with 1 at the first write
// that the store reports as failed.
//   nimbora_settings_writer <prefix> <first> <count> [<ack file>]
#include "app/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s <prefix> <first> <count> [<ack file>]\n", argv[0]);
        return 2;
    }
    const std::string prefix = argv[1];
    const int first = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const int acks =
        argc == 5 ? ::open(argv[4], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600) : -1;
    for (int n = first; count == 0 || n < first + count; ++n) {
        if (!SettingsStore::SetInt("race", prefix + std::to_string(n), n)) {
            std::fprintf(stderr, "%s: writing %s%d failed\n", argv[0], prefix.c_str(), n);
            return 1;
        }
        if (acks >= 0) {
            // One write() per line: a kill never leaves half a line behind.
            const std::string line = std::to_string(n) + "\n";
            if (::write(acks, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
                return 3;
            }
        }
    }
    return 0;
}
