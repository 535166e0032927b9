#pragma once

#include <ostream>

#include "tools/quorvel/check_report.h"

namespace quorvel::app {

// Writes the report as CheckReportJson(report).dump(2) writes it, and a line end,
// straight from the kept problems: a report on a model at the format's limits holds
// millions of them, which as one JSON document in memory would take gigabytes.
void WriteCheckReportJson(const CheckReport& report, std::ostream& out);

}  // namespace quorvel::app
