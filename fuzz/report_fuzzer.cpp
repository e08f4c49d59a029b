// Arbitrary bytes as a package for tavipac's report: the report read from
// memory, then written as "info" writes it (table and JSON) and as "check"
// writes it. The report must account for every byte of the input.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "fuzz_check.h"
#include "package_report.h"
#include "report_output.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MemorySource source(std::span(data, size));
    const PackageReport report = InspectPackage(source, "fuzz.pac");
    Check(report.fileLength <= size);
    Check(report.headerBytesRead == std::min(size, HeaderSize));
    std::ostringstream out;
    WriteReportTable(report, out);
    WriteReportJson(report, out);
    Check(WriteProblemLines(report, out) == report.HasProblems());
    return 0;
}
