#include "services/ServerConfig.h"

#include "services/IniFile.h"

#include <filesystem>

namespace {

std::string resolvePath(const std::filesystem::path& folder, const std::string& value,
                        const std::string& fallback) {
    if (value.empty()) {
        return fallback;
    }
    const std::filesystem::path path(value);
    return path.is_absolute() ? value : (folder / path).lexically_normal().string();
}

} // namespace

std::string ServerConfig::effectivePublicBase() const {
    if (!publicBase.empty()) {
        std::string base = publicBase;
        while (!base.empty() && base.back() == '/') {
            base.pop_back();
        }
        return base;
    }
    const std::string host = bindAddress == "0.0.0.0" ? "127.0.0.1" : bindAddress;
    return "http://" + host + ":" + std::to_string(port);
}

bool loadServerConfig(const std::string& path, ServerConfig& config, std::string& error) {
    IniFile ini;
    if (!ini.load(path, error)) {
        return false;
    }
    const auto folder = std::filesystem::absolute(path).parent_path();
    config.bindAddress = ini.get("server", "bind", config.bindAddress);
    config.port = static_cast<int>(ini.getInt("server", "port", config.port));
    config.publicBase = ini.get("server", "public_base", config.publicBase);
    config.threads = static_cast<int>(ini.getInt("server", "threads", config.threads));
    config.ioThreads = static_cast<int>(ini.getInt("server", "io_threads", config.ioThreads));
    config.maxConnections =
        static_cast<int>(ini.getInt("server", "max_connections", config.maxConnections));
    config.listenBacklog =
        static_cast<int>(ini.getInt("server", "listen_backlog", config.listenBacklog));
    config.headerTimeoutSeconds =
        static_cast<int>(ini.getInt("server", "header_timeout", config.headerTimeoutSeconds));
    config.idleTimeoutSeconds =
        static_cast<int>(ini.getInt("server", "idle_timeout", config.idleTimeoutSeconds));

    config.gazetteerPath = resolvePath(folder, ini.get("data", "gazetteer"), config.gazetteerPath);
    config.packsFolder = resolvePath(folder, ini.get("data", "packs"), config.packsFolder);
    config.catalogueFile = resolvePath(folder, ini.get("data", "catalogue"), config.catalogueFile);
    config.webFolder = resolvePath(folder, ini.get("data", "web"), config.webFolder);
    config.pingDatabase = resolvePath(folder, ini.get("data", "pings"), config.pingDatabase);

    config.cycle = ini.get("key", "cycle", config.cycle);
    config.previousCycle = ini.get("key", "previous_cycle", config.previousCycle);
    config.checkKey = ini.getBool("key", "check", config.checkKey);

    config.provider = ini.get("weather", "provider", config.provider);
    config.cacheSeconds =
        static_cast<int>(ini.getInt("weather", "cache_seconds", config.cacheSeconds));
    config.staleSeconds =
        static_cast<int>(ini.getInt("weather", "stale_seconds", config.staleSeconds));
    config.nwsBase = ini.get("weather", "nws_base", config.nwsBase);
    config.nwsUserAgent = ini.get("weather", "nws_user_agent", config.nwsUserAgent);
    config.openMeteoBase = ini.get("weather", "open_meteo_base", config.openMeteoBase);
    config.upstreamTimeoutMs =
        static_cast<int>(ini.getInt("weather", "timeout_ms", config.upstreamTimeoutMs));
    return validateServerConfig(config, error);
}

bool validateServerConfig(const ServerConfig& config, std::string& error) {
    if (config.port < 0 || config.port > 65535) {
        error = "port must be 0-65535";
        return false;
    }
    if (config.threads < 1 || config.threads > 256) {
        error = "threads must be 1-256";
        return false;
    }
    if (config.ioThreads < 0 || config.ioThreads > 64) {
        error = "io_threads must be 0-64";
        return false;
    }
    if (config.maxConnections < 1 || config.maxConnections > 1000000 || config.listenBacklog < 1 ||
        config.listenBacklog > 65535) {
        error = "max_connections must be 1-1000000, listen_backlog 1-65535";
        return false;
    }
    if (config.headerTimeoutSeconds < 1 || config.headerTimeoutSeconds > 3600 ||
        config.idleTimeoutSeconds < 1 || config.idleTimeoutSeconds > 3600) {
        error = "header_timeout and idle_timeout must be 1-3600 seconds";
        return false;
    }
    if (config.provider != "simulated" && config.provider != "nws" &&
        config.provider != "open-meteo") {
        error = "unknown weather provider '" + config.provider + "' (simulated, nws or open-meteo)";
        return false;
    }
    if (config.cacheSeconds < 0 || config.staleSeconds < 0 || config.upstreamTimeoutMs <= 0) {
        error = "cache_seconds and stale_seconds must be >= 0, timeout_ms > 0";
        return false;
    }
    if (config.cycle.empty()) {
        error = "the key cycle value must not be empty";
        return false;
    }
    return true;
}
