// Input: a request target (path and query) as a client sends it; the
// server answers it as it would over the network, with every route: the
// observation id, the search text, the ping parameters, the files.
#include "FuzzChecks.h"
#include "services/HttpRequest.h"
#include "services/HttpResponse.h"
#include "services/ServicesServer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

// The server over the sample data, in a folder of its own that goes at exit.
struct Fixture {
    Fixture() {
        folder = std::filesystem::temp_directory_path() /
                 ("nimbora-fuzz-services-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "packs");
        std::ofstream(folder / "packs" / "Alpine.wxs") << "pack";
        std::ofstream(folder / "catalogue.ini") << "[Alpine.wxs]\nshow = t\nsel_yes = 202\n";
        ServerConfig config;
        config.port = 0;
        config.gazetteerPath = NIMBORA_FUZZ_GAZETTEER;
        config.webFolder = NIMBORA_FUZZ_WEB;
        config.packsFolder = (folder / "packs").string();
        config.catalogueFile = (folder / "catalogue.ini").string();
        config.pingDatabase = ":memory:";
        config.cycle = "cycle-B";
        server = std::make_unique<ServicesServer>(
            config, [] { return 1700000000; }, [](const std::string&) {});
        std::string error;
        if (!server->load(error)) {
            std::abort();
        }
    }
    ~Fixture() {
        server.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::unique_ptr<ServicesServer> server;
};

ServicesServer& server() {
    static Fixture fixture;
    return *fixture.server;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz_checks::require;
    HttpRequest request;
    request.method = "GET";
    request.remoteAddress = "127.0.0.1";
    if (!parseRequestTarget(std::string(reinterpret_cast<const char*>(data), size), request)) {
        return 0;
    }
    HttpResponse response;
    server().answer(request, response);
    require(response.status == 200 || response.status == 400 || response.status == 403 ||
            response.status == 404);
    if (request.path == "/search/search") {
        require(fuzz_checks::xmlWithRoot(response.body, "search") ||
                fuzz_checks::xmlWithRoot(response.body, "error"));
    }
    if (response.status == 200 && request.path.starts_with("/wxdata/obs/")) {
        require(fuzz_checks::xmlWithRoot(response.body, "observation"));
    }
    // Whatever was stored is text a reader can take whole.
    for (const Ping& ping : server().pings().recent(1)) {
        require(PingStore::storableText(ping.code) && PingStore::storableText(ping.installId) &&
                PingStore::storableText(ping.cobrand) && PingStore::storableText(ping.skin));
    }
    return 0;
}
