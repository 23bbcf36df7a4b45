// Writes <count> keys "<prefix><n>" = n to subsection "race" of the settings
// store, one write at a time.
//   nimbora_settings_writer <prefix> <count>
#include "app/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <prefix> <count>\n", argv[0]);
        return 2;
    }
    std::string prefix = argv[1];
    int count = std::atoi(argv[2]);
    for (int n = 0; n < count; ++n) {
        SettingsStore::SetInt("race", prefix + std::to_string(n), n);
    }
    return 0;
}
