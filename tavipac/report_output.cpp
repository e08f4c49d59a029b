// What "info" and "check" print of a package report.
#include "report_output.h"

#include <cstdio>

#include "json_writer.h"
#include "paths.h"
#include "shown_text.h"
#include "text_conversion.h"

namespace {

const char *YesNo(bool value)
{
    return value ? "yes" : "no";
}

std::string Joined(const std::vector<std::string> &parts)
{
    std::string joined;
    for (const std::string &part : parts) {
        joined += (joined.empty() ? "" : "; ") + part;
    }
    return joined;
}

std::string RecordRow(const RecordReport &record)
{
    char row[96];
    if (!record.present) {
        std::snprintf(row, sizeof row, "%02d   %02d   %-4s  %8s", record.number, record.slot,
                      record.isMask ? "mask" : "base", "-");
        return std::string(row) + "  missing";
    }
    std::snprintf(row, sizeof row, "%02d   %02d   %-4s  %8u  %9u  %6d  %6d  %4u", record.number, record.slot,
                  record.isMask ? "mask" : "base", record.recordSize, record.fileSize, record.width,
                  record.height, record.bitCount);
    std::string line = row;
    if (!record.problems.empty()) {
        line += "  " + Joined(record.problems);
    }
    return line;
}

} // namespace

void WriteReportTable(const PackageReport &report, std::ostream &out)
{
    out << "file: " << ShownPath(report.path) << " (" << report.fileLength << " bytes)\n";
    out << "flag byte 16: " << int{report.FlagByte(RoomFlagOffset)} << "\n";
    out << "flag byte 19: " << int{report.FlagByte(RoomListFlagOffset)} << "\n";
    out << "room list: " << YesNo(report.roomListProbe) << "\n";
    out << "compose list: " << YesNo(report.composeListProbe) << "\n";
    out << "name: " << ShownText(report.Text(NameText)) << "\n";
    out << "remarks: " << ShownText(report.Text(RemarksText)) << "\n";
    out << "author: " << ShownText(report.Text(AuthorText)) << "\n";
    out << "no.  slot  kind    record  file size   width  height  bits  problems\n";
    for (const RecordReport &record : report.records) {
        out << RecordRow(record) << "\n";
    }
    for (const std::string &problem : report.problems) {
        out << "problem: " << problem << "\n";
    }
}

namespace {

void WriteProblems(JsonWriter &json, const std::vector<std::string> &problems)
{
    json.BeginArray();
    for (const std::string &problem : problems) {
        json.String(problem);
    }
    json.EndArray();
}

void WriteRecordJson(JsonWriter &json, const RecordReport &record)
{
    json.BeginObject();
    json.Key("number");
    json.Number(record.number);
    json.Key("slot");
    json.Number(record.slot);
    json.Key("kind");
    json.String(record.isMask ? "mask" : "base");
    json.Key("present");
    json.Bool(record.present);
    json.Key("recordSize");
    json.Number(record.recordSize);
    json.Key("fileSize");
    json.Number(record.fileSize);
    json.Key("width");
    json.Number(record.width);
    json.Key("height");
    json.Number(record.height);
    json.Key("bitCount");
    json.Number(record.bitCount);
    json.Key("problems");
    WriteProblems(json, record.problems);
    json.EndObject();
}

void WriteTextJson(JsonWriter &json, const char *key, const std::string &text)
{
    json.Key(key);
    json.String(Cp932ToUtf8(text.substr(0, text.find('\0'))));
}

} // namespace

void WriteReportJson(const PackageReport &report, std::ostream &out)
{
    JsonWriter json(out);
    json.BeginObject();
    json.Key("file");
    json.String(ShownPath(report.path));
    json.Key("fileLength");
    json.Number(static_cast<std::int64_t>(report.fileLength));
    json.Key("flagByte16");
    json.Number(report.FlagByte(RoomFlagOffset));
    json.Key("flagByte19");
    json.Number(report.FlagByte(RoomListFlagOffset));
    json.Key("roomList");
    json.Bool(report.roomListProbe);
    json.Key("composeList");
    json.Bool(report.composeListProbe);
    WriteTextJson(json, "name", report.Text(NameText));
    WriteTextJson(json, "remarks", report.Text(RemarksText));
    WriteTextJson(json, "author", report.Text(AuthorText));
    json.Key("records");
    json.BeginArray();
    for (const RecordReport &record : report.records) {
        WriteRecordJson(json, record);
    }
    json.EndArray();
    json.Key("problems");
    WriteProblems(json, report.problems);
    json.EndObject();
    out << "\n";
}

// Writes the package's problem lines; true when there were any.
bool WriteProblemLines(const PackageReport &report, std::ostream &out)
{
    const std::string shown = ShownPath(report.path);
    for (const RecordReport &record : report.records) {
        for (const std::string &problem : record.problems) {
            out << shown << ": " << RecordName(record) << ": " << problem << "\n";
        }
    }
    for (const std::string &problem : report.problems) {
        out << shown << ": " << problem << "\n";
    }
    if (!report.HasProblems()) {
        out << shown << ": ok\n";
    }
    return report.HasProblems();
}
