#include "package_loading.h"

#include "command_error.h"
#include "paths.h"
#include "store/file_system.h"
#include "store/package_file.h"
#include "store/read_reporter.h"
#include "core/two_digits.h"

namespace {

class WarningReporter : public PackageReadReporter {
  public:
    explicit WarningReporter(std::ostream &warnings) : warnings_(warnings) {}

    void ReportNotEightBit(int slot) override
    {
        warnings_ << "tavipac: warning: the base image No." << TwoDigits(slot) << " is not 8-bit\n";
    }
    void ReportOversizedRecord(int recordNumber) override
    {
        warnings_ << "tavipac: warning: record No." << TwoDigits(recordNumber)
                  << " is larger than a slot and was skipped\n";
    }

  private:
    std::ostream &warnings_;
};

} // namespace

std::unique_ptr<LoadedPackage> LoadPackage(const std::string &storePath, std::ostream &warnings)
{
    BufferedFileSource file = OpenPackageFile(storePath);
    if (!file.IsOpen()) {
        throw CommandError("cannot open " + ShownPath(storePath));
    }
    auto package = std::make_unique<LoadedPackage>();
    WarningReporter reporter(warnings);
    ReadPackageHeader(file, package->header);
    ReadPackageRecords(file, package->banks.WorkBase, package->banks.WorkMask, reporter);
    package->banks.CopyWorkingToSaved();
    return package;
}
