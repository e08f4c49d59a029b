// Composing a package: the compose dialog as it opens, and its execute
// button, with the editor's rules, messages and question.
#include "editor_session.h"

#include <algorithm>

#include "core/box_order.h"
#include "core/compose_choices.h"
#include "core/compose_rules.h"
#include "core/file_names.h"
#include "core/messages.h"
#include "core/package_saving.h"
#include "store/code_page.h"
#include "store/file_system.h"
#include "text_forms.h"

namespace {
// A field's text as the editor's edit control gives it, cut to fit a
// header text.
std::string HeaderTextOfField(const std::string &utf8)
{
    return CutToTextCapacity(WithCrLfLineBreaks(Cp932FromUtf8Lenient(utf8)));
}
} // namespace

SessionReply EditorSession::OpenCompose()
{
    BeginCall();
    if (!composeEnabled_)
        return EndCall();
    ComposeOpening opening;
    opening.choices = ComposeNameChoices(packageFolder_);
    std::stable_sort(opening.choices.begin(), opening.choices.end(), BoxOrderLess);
    opening.fileName = InitialComposeName(currentPackageName_);
    const std::array<std::string, 3> texts = HeaderTexts();
    opening.name = texts[NameText];
    opening.remarks = texts[RemarksText];
    opening.author = texts[AuthorText];
    call_.reply.compose = std::move(opening);
    return EndCall();
}

// A name that cannot be a file name is refused before anything changes; a
// package that cannot be written completely leaves every file, the header,
// the package's name and the saved banks as they were. The dialog stays
// open after a refusal or a No.
SessionReply EditorSession::ExecuteCompose(const ComposeFields &fields, std::optional<bool> answer)
{
    BeginCall(QuestionId::Overwrite, answer);
    if (!composeEnabled_)
        return EndCall();
    const std::string name = Cp932FromUtf8Lenient(fields.fileName);
    if (!IsUsableComposeName(name)) {
        Show(InvalidFileNameMessage(name));
        return EndCall();
    }
    const bool created = CreateEmptyPackageFile(PackagePath(packageFolder_, name));
    if (!created) {
        const std::optional<bool> overwrite = Ask(QuestionId::Overwrite, OverwriteQuestion());
        if (!overwrite || !*overwrite)
            return EndCall();
    }
    const PackageTexts texts{HeaderTextOfField(fields.name), HeaderTextOfField(fields.remarks),
                             HeaderTextOfField(fields.author)};
    const PackageTarget target = created ? PackageTarget::EmptyPlaceholder : PackageTarget::ExistingPackage;
    if (SavePackage(*banks_, header_, packageFolder_, name, target, texts) != PackageSaveOutcome::Saved) {
        Show(PackageNotSavedMessage(PackageFileName(name)));
        return EndCall();
    }
    currentPackageName_ = PackageFileName(name);
    call_.reply.composeDone = true;
    SelectComposedPackage();
    fileNameField_ = currentPackageName_;
    textFields_ = HeaderTexts();
    call_.reply.downloads.push_back(
        {Utf8FromCp932Lenient(currentPackageName_), DownloadPathOf(PackagePath(packageFolder_, name))});
    FollowFolders();
    return EndCall();
}

// Found without regard to letter case or added in its place, and selected
// without loading it: the banks hold what was written.
void EditorSession::SelectComposedPackage()
{
    const int found = rooms_.FindExact(currentPackageName_);
    rooms_.Select(found == SortedBox::NoSelection ? rooms_.Add(currentPackageName_) : found);
}

// The file's path in the module's file system, with the letter case it
// has there.
std::string EditorSession::DownloadPathOf(const std::string &layerPath) const
{
    std::string path = layerPath;
    const std::vector<FoundEntry> found = FindEntries(layerPath);
    if (!found.empty())
        path = layerPath.substr(0, layerPath.size() - FileNameOf(layerPath).size()) + found.front().name;
    std::string native = ConvertCp932ToUtf8(path).value_or(std::string());
    std::replace(native.begin(), native.end(), '\\', '/');
    return folders_.working + "/" + native;
}
