#pragma once

#include <cstddef>
#include <string>

// Everything the server reads from its configuration file; the defaults
// give an offline server on 127.0.0.1:8790.
struct ServerConfig {
    // [server]
    std::string bindAddress = "127.0.0.1";
    int port = 8790;
    std::string publicBase; // base of dlurl/imgurl; empty: http://<bind>:<port>
    int threads = 8;        // for work that may wait: upstream weather, the ping database
    int ioThreads = 0;      // serving connections; 0: one per processor
    int maxConnections = 8192;
    int listenBacklog = 1024;
    int headerTimeoutSeconds = 10; // a request's headers must be in by then
    int idleTimeoutSeconds = 30;   // a connection with no traffic at all is closed

    // [data]; relative paths are taken from the configuration file's folder
    std::string gazetteerPath;
    std::string packsFolder;
    std::string catalogueFile;
    std::string webFolder;
    std::string pingDatabase;

    // [key]
    std::string cycle = "nimbora-cycle-1";
    std::string previousCycle;
    bool checkKey = true;

    // [weather]
    std::string provider = "simulated";
    int cacheSeconds = 600;
    int staleSeconds = 3600; // how long a last good value may stand in for a failing upstream
    std::string nwsBase = "https://api.weather.gov";
    std::string nwsUserAgent = "nimbora-services/0.1 (nimbora-screensaver; operator@localhost)";
    std::string openMeteoBase = "https://api.open-meteo.com";
    int upstreamTimeoutMs = 5000;
    std::size_t upstreamMaxBytes = 1024 * 1024;

    std::string effectivePublicBase() const;
};

// Reads the file at path over the defaults already in config. False with a
// message when the file cannot be read or holds an invalid value.
bool loadServerConfig(const std::string& path, ServerConfig& config, std::string& error);

// Checks the values that the code relies on (known provider, port range...).
bool validateServerConfig(const ServerConfig& config, std::string& error);
