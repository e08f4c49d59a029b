#include "messages.h"

#include <algorithm>

#include "two_digits.h"

namespace {
// An export that fails for the whole folder would otherwise list 38 names.
constexpr std::size_t MaxNamesListed = 10;
} // namespace

std::string NotEightBitRecordMessage(int slot)
{
    return "No." + TwoDigits(slot) + "のデータは、２５６色(8ﾋﾞｯﾄ)でないので扱えません";
}

std::string OversizedRecordMessage(int recordNumber)
{
    return "No." + TwoDigits(recordNumber) + "のデータは、大きいので扱えません";
}

std::string BaseMissingMessage(const std::string &fileName)
{
    return "基本データ[" + fileName + "]が見つかりませんでした\n現在表示中のデータを使用します";
}

std::string TooLargeMessage()
{
    return "このデータは、大きいので扱えません";
}

std::string PartNotEightBitMessage(const std::string &fileName)
{
    return fileName + "\nこのデータは、２５６色(8ﾋﾞｯﾄ)でないので扱えません";
}

std::string MaskMissingMessage(const std::string &fileName)
{
    return "マスクデータ[" + fileName +
           "]が見つかりませんでした\n現在表示中のマスクデータを使用します\n但し、表示が異常になる可能性があり"
           "ます";
}

std::string ExportFailedMessage(const std::vector<std::string> &fileNames)
{
    std::string message = "部品データが書き込めませんでした";
    const std::size_t listed = std::min(fileNames.size(), MaxNamesListed);
    for (std::size_t i = 0; i < listed; ++i)
        message += "\n" + fileNames[i];
    if (fileNames.size() > listed)
        message += "\n他" + std::to_string(fileNames.size() - listed) + "件";
    return message;
}

std::string OverwriteQuestion()
{
    return "同名のFILEが既に存在します\n上書きしますか？";
}

std::string InvalidFileNameMessage(const std::string &name)
{
    return "FILE名[" + name + "]は使えません";
}

std::string PackageNotSavedMessage(const std::string &fileName)
{
    return "FILE[" + fileName + "]に書き込めませんでした\nFILEは何も変更されていません";
}
