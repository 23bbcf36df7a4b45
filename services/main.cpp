// nimbora-services: the web services the screensaver talks to.
#include "platform/Folders.h"
#include "services/ServerConfig.h"
#include "services/ServicesServer.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

void usage() {
    std::cerr << "usage: nimbora-services [--config FILE] [--port N] [--bind ADDRESS] "
                 "[--provider simulated|nws|open-meteo]\n";
}

bool parsePort(const char* text, int& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 65535) {
        return false;
    }
    port = static_cast<int>(value);
    return true;
}

// The installed data; the pings are the user's own, beside the screensaver's
// data (SQLite keeps them in a temporary file when no home is known).
ServerConfig compiledDefaults() {
    const std::string data = NIMBORA_SERVICES_DATA;
    ServerConfig config;
    config.gazetteerPath = data + "/gazetteer/US.txt";
    config.webFolder = data + "/web";
    config.catalogueFile = data + "/catalogue.ini";
    config.packsFolder = NIMBORA_SERVICES_PACKS;
    const std::string userData = platform::userDataBase();
    if (!userData.empty()) {
        config.pingDatabase = userData + "/Nimbora/Services/pings.sqlite";
    }
    return config;
}

} // namespace

int main(int argc, char** argv) {
    ServerConfig config = compiledDefaults();
    std::string configPath;
    int port = -1;
    std::string bind;
    std::string provider;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--config" && hasValue) {
            configPath = argv[++i];
        } else if (arg == "--port" && hasValue) {
            if (!parsePort(argv[++i], port)) {
                std::cerr << "nimbora-services: --port needs a number 0-65535\n";
                return 2;
            }
        } else if (arg == "--bind" && hasValue) {
            bind = argv[++i];
        } else if (arg == "--provider" && hasValue) {
            provider = argv[++i];
        } else {
            usage();
            return arg == "--help" ? 0 : 2;
        }
    }
    std::string error;
    if (!configPath.empty() && !loadServerConfig(configPath, config, error)) {
        std::cerr << "nimbora-services: " << configPath << ": " << error << '\n';
        return 2;
    }
    if (port >= 0) {
        config.port = port;
    }
    if (!bind.empty()) {
        config.bindAddress = bind;
    }
    if (!provider.empty()) {
        config.provider = provider;
    }

    // Signals go to one waiting thread that stops the server cleanly.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ServicesServer server(config);
    if (!server.start(error)) {
        std::cerr << "nimbora-services: " << error << '\n';
        return 1;
    }
    std::thread waiter([&server, &signals] {
        int received = 0;
        sigwait(&signals, &received);
        std::cerr << "nimbora-services: " << strsignal(received) << ", stopping\n";
        server.stop();
    });
    std::cerr << "nimbora-services: listening on " << config.bindAddress << ":" << server.port()
              << " (weather: " << config.provider << ")\n";
    server.run();
    // run() returns once the server was stopped; the signal makes sure the
    // waiter ends too, whoever stopped it.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    return 0;
}
