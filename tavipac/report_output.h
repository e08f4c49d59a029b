// What "info" and "check" print of a package report: the table, the JSON
// object, and the problem lines.
#pragma once

#include <ostream>

#include "package_report.h"

void WriteReportTable(const PackageReport &report, std::ostream &out);
void WriteReportJson(const PackageReport &report, std::ostream &out);
// One line per problem, or "PATH: ok"; true when there were any.
bool WriteProblemLines(const PackageReport &report, std::ostream &out);
