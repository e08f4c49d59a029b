// How the package reader tells the user about records it cannot handle.
// The dialog implements it with its message box; the store shows no UI.
#pragma once

class PackageReadReporter {
public:
    virtual ~PackageReadReporter() = default;
    // A base record (slot 0 to 19) whose image is not 8 bits per pixel.
    virtual void ReportNotEightBit(int slot) = 0;
    // A record larger than a slot, skipped. Base records are numbered by
    // slot (0 to 19), mask records by slot + 20.
    virtual void ReportOversizedRecord(int recordNumber) = 0;
};
