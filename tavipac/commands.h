// The commands of tavipac. Each takes the arguments after its name and
// returns the exit code; CommandError and UsageError end it with code 2.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console.h"

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments &arguments, Console &console);
int RunList(const Arguments &arguments, Console &console);
int RunCheck(const Arguments &arguments, Console &console);
int RunExport(const Arguments &arguments, Console &console);
int RunCompose(const Arguments &arguments, Console &console);
int RunPreview(const Arguments &arguments, Console &console);
int RunConvert(const Arguments &arguments, Console &console);
int RunImport(const Arguments &arguments, Console &console);

extern const std::u8string_view InfoHelp;
extern const std::u8string_view ListHelp;
extern const std::u8string_view CheckHelp;
extern const std::u8string_view ExportHelp;
extern const std::u8string_view ComposeHelp;
extern const std::u8string_view PreviewHelp;
extern const std::u8string_view ConvertHelp;
extern const std::u8string_view ImportHelp;
