#include "services/WebPages.h"

#include "net/XmlEscape.h"
#include "services/UtcText.h"

const std::vector<std::pair<std::string, std::string>>& webPageRoutes() {
    static const std::vector<std::pair<std::string, std::string>> routes = {
        {"/", "index.html"},
        {"/index.html", "index.html"},
        {"/services/screensaver/faq.html", "faq.html"},
        {"/registration/myprofile/step1", "profile.html"},
        {"/do_not_know.html", "weather-method.html"},
        {"/services/screensaver/screensaver_email_lp.html", "more-packs.html"},
        {"/photos/index.html", "photos.html"},
        {"/community/choosefile", "community.html"},
    };
    return routes;
}

namespace {

std::string cell(const std::string& text) {
    return "<td>" + xmlEscape(text) + "</td>";
}

} // namespace

std::string pingReportPage(const std::vector<PingCount>& counts, const std::vector<Ping>& latest) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<title>Nimbora Screensaver pings</title>"
                       "<link rel=\"stylesheet\" href=\"/web/style.css\"></head><body>\n"
                       "<h1>Pings</h1>\n<h2>Per day and code (UTC)</h2>\n"
                       "<table><tr><th>Day</th><th>Code</th><th>Count</th></tr>\n";
    for (const auto& count : counts) {
        html += "<tr>" + cell(count.day) + cell(count.code) + cell(std::to_string(count.count)) +
                "</tr>\n";
    }
    html += "</table>\n<h2>Latest</h2>\n<table><tr><th>Time (UTC)</th><th>Code</th>"
            "<th>Install id</th><th>Cobrand</th><th>Skin</th><th>Address</th></tr>\n";
    for (const auto& ping : latest) {
        html += "<tr>" + cell(utcDateTime(ping.time)) + cell(ping.code) + cell(ping.installId) +
                cell(ping.cobrand) + cell(ping.skin) + cell(ping.address) + "</tr>\n";
    }
    return html + "</table>\n</body></html>\n";
}
