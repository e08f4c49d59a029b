// Room loading and parts display: the room list's selection and the
// display-parts command, as the editor's main dialog does them.
#include "editor_session.h"

#include "core/messages.h"
#include "store/package_file.h"

namespace {
constexpr int EmptyEntry = 0;

// A field shows its text up to the first zero byte.
std::string AsShown(const std::string &text)
{
    return text.substr(0, text.find('\0'));
}
} // namespace

void EditorSession::EnableCommandButtons(bool enable)
{
    displayEnabled_ = outputEnabled_ = composeEnabled_ = enable;
}

std::array<std::string, 3> EditorSession::HeaderTexts() const
{
    std::array<std::string, 3> texts;
    for (const HeaderTextField field : {NameText, RemarksText, AuthorText})
        texts[field] = AsShown(GetHeaderText(header_, field));
    return texts;
}

// Selecting the empty entry this way chooses nothing: no part is restored.
void EditorSession::ResetPartCombos(bool enable)
{
    for (SortedBox &combo : groups_) {
        combo.Enable(enable);
        combo.Select(EmptyEntry);
    }
}

SessionReply EditorSession::SelectRoom(int index)
{
    BeginCall();
    if (index >= 0 && static_cast<std::size_t>(index) < rooms_.Entries().size()) {
        rooms_.Select(index);
        LoadRoom();
    }
    return EndCall();
}

// The package reader's reports are shown as reading goes on. A package that
// cannot be opened leaves the fields, the banks and the previews as they
// were, with every command disabled.
void EditorSession::LoadRoom()
{
    class Reporter : public PackageReadReporter {
      public:
        explicit Reporter(EditorSession &session) : session_(session) {}
        void ReportNotEightBit(int slot) override { session_.Show(NotEightBitRecordMessage(slot)); }
        void ReportOversizedRecord(int record) override { session_.Show(OversizedRecordMessage(record)); }

      private:
        EditorSession &session_;
    };
    if (mode_ == EditorMode::PartsDisplay) {
        HidePartPreviews();
        ResetPartCombos(false);
    }
    mode_ = EditorMode::NothingLoaded;
    EnableCommandButtons(false);
    const std::string fileName = rooms_.SelectedText();
    BufferedFileSource file = OpenPackageFile(packageFolder_ + fileName);
    if (file.IsOpen()) {
        fileNameField_ = currentPackageName_ = fileName;
        ReadPackageHeader(file, header_);
        textFields_ = HeaderTexts();
        Reporter reporter(*this);
        ReadPackageRecords(file, banks_->WorkBase, banks_->WorkMask, reporter);
        banks_->CopyWorkingToSaved();
        mode_ = EditorMode::PackageLoaded;
        RedrawPreviews(RoomSlot);
        displayEnabled_ = true;
    }
    if (autoDisplay_)
        DisplayPartsNow();
}

SessionReply EditorSession::DisplayParts()
{
    BeginCall();
    DisplayPartsNow();
    return EndCall();
}

// Every replacement made since the package was read or saved is discarded.
void EditorSession::DisplayPartsNow()
{
    if (!displayEnabled_)
        return;
    mode_ = EditorMode::PartsDisplay;
    banks_->CopySavedToWorking();
    RedrawPreviews(AllSlots);
    RedrawPreviews(RoomSlot);
    EnableCommandButtons(true);
    ResetPartCombos(true);
}
