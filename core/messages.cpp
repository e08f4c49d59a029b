#include "messages.h"

#include <algorithm>

#include "two_digits.h"

namespace {
// An export that fails for the whole folder would otherwise list 38 names.
constexpr std::size_t MaxNamesListed = 10;

// The first names of a list, one a line, and how many more there are.
std::string NameList(const std::vector<std::string> &fileNames)
{
    std::string list;
    const std::size_t listed = std::min(fileNames.size(), MaxNamesListed);
    for (std::size_t i = 0; i < listed; ++i)
        list += "\n" + fileNames[i];
    if (fileNames.size() > listed)
        list += "\n他" + std::to_string(fileNames.size() - listed) + "件";
    return list;
}
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
    return "部品データが書き込めませんでした" + NameList(fileNames);
}

std::string DisplayPartsFirstMessage()
{
    return "部品表示中でないので、画像を取り込めません\n先に部品表示(Ctrl+D)をして下さい";
}

std::string ShrinkQuestion()
{
    return "部品に入りきらない大きさの画像があります\n入りきる大きさに縮小して取り込みますか？";
}

std::string PictureUnreadableMessage(const std::string &fileName)
{
    return "FILE[" + fileName + "]が読み込めませんでした";
}

std::string PictureBrokenMessage(const std::string &fileName)
{
    return "FILE[" + fileName + "]は、壊れているので扱えません";
}

std::string PictureTooLargeMessage(const std::string &fileName)
{
    return "FILE[" + fileName + "]は、大きいので扱えません";
}

std::string ImportNotWrittenMessage(const std::string &fileName)
{
    return "部品データ[" + fileName + "]が書き込めませんでした\n部品集は何も変更されていません";
}

std::string UnmatchedFilesMessage(const std::vector<std::string> &fileNames)
{
    return "次のFILEは、どの部品か分からないか画像でないので扱えません" + NameList(fileNames);
}

std::string NoEditingProgramMessage(const std::string &fileName)
{
    return "FILE[" + fileName + "]を編集するプログラムが\n登録されていません";
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
