// "info": the flags, texts and forty records of one package.
#include <cstdio>

#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "json_writer.h"
#include "package_report.h"
#include "paths.h"
#include "shown_text.h"
#include "text_conversion.h"
#include "ui/portable/two_digits.h"

const std::u8string_view InfoHelp = u8R"HELP(usage: tavipac info PACKAGE [--json]

Shows a room package: the flag bytes 16 and 19 and what the editor's two room
tests make of them, the name, remarks and author texts, and for each of the
forty records its slot, base or mask, record size, the image's own file-size
field, width, height, bits per pixel and any problem.

  --json   one JSON object instead of the table

Exit code 0 also when the package has problems (see "check").
)HELP";

namespace {

const std::vector<OptionRule> InfoOptions = {{"--json", "", false, false}};

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

void WriteTable(const PackageReport &report, std::ostream &out)
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

void WriteJson(const PackageReport &report, std::ostream &out)
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

} // namespace

int RunInfo(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, InfoOptions);
    parsed.ExpectPositional(1, 1, "the package to show");
    const PackageReport report = InspectPackage(StorePath(parsed.Positional()[0]));
    if (parsed.Has("--json")) {
        WriteJson(report, console.out);
    } else {
        WriteTable(report, console.out);
    }
    return ExitSuccess;
}
