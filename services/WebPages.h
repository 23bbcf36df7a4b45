#pragma once

#include "services/PingStore.h"

#include <string>
#include <utility>
#include <vector>

// The addresses of the program's links and the page file answering each.
const std::vector<std::pair<std::string, std::string>>& webPageRoutes();

// The report of the recorded pings: counts per day and code, latest pings.
std::string pingReportPage(const std::vector<PingCount>& counts, const std::vector<Ping>& latest);
