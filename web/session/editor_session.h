// The browser's editor session: what the editor's main dialog and compose
// dialog do, over the core, for a page that shows their controls. One
// session holds one set of image banks and one header, as the editor's
// process does. It works in a working folder of the file system (the
// module's /tavi, or a test's scratch folder), which it makes the current
// directory, through the project's file layer.
//
// Each action is one call of the page and gives a reply; a question in the
// reply is answered by calling the same action again with the answer: the
// messages the first call showed are not shown again, and nothing is
// written before the answer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/entry_mirror.h"
#include "core/preview_picture.h"
#include "core/room_listing.h"
#include "core/slot_map.h"
#include "session_reply.h"
#include "sorted_box.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

// Native paths, UTF-8.
struct SessionFolders {
    std::string working;   // the working folder, made and entered at start
    std::string downloads; // where the files to download are written
};

// A file the page wrote into the file system: its path there, its own name
// and, from a folder picker, its path inside the picked folder (UTF-8).
struct IncomingFile {
    std::string path;
    std::string name;
    std::optional<std::string> relative;
};

enum class EditorMode { NothingLoaded = 0, PackageLoaded = 1, PartsDisplay = 2 };

// A preview control: shown or not, and the picture last rendered into it,
// its pixels as bytes R, G, B, A (alpha 0 where the mask cuts out).
struct PreviewControl {
    bool visible = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    std::uint32_t version = 0;
};

class EditorSession {
  public:
    // Makes the working folder and its package folder and lists what is
    // there, as the main dialog's initialisation does.
    explicit EditorSession(SessionFolders folders);
    EditorSession(const EditorSession &) = delete;
    EditorSession &operator=(const EditorSession &) = delete;

    SessionReply Open(const std::vector<IncomingFile> &files, std::optional<bool> answer);
    SessionReply SelectRoom(int index);
    SessionReply SetAutoDisplay(bool on);
    SessionReply DisplayParts();
    SessionReply Choose(int comboId, int entry);
    // slot: the preview the pictures were dropped onto, if any.
    SessionReply Drop(std::optional<int> slot, const std::vector<IncomingFile> &files,
                      std::optional<bool> answer);
    SessionReply Export();
    SessionReply OpenCompose();
    // The texts as the page's fields give them (UTF-8, line breaks LF).
    struct ComposeFields {
        std::string fileName;
        std::string name;
        std::string remarks;
        std::string author;
    };
    SessionReply ExecuteCompose(const ComposeFields &fields, std::optional<bool> answer);

    // The state the page shows.
    EditorMode Mode() const { return mode_; }
    const SortedBox &Rooms() const { return rooms_; }
    bool AutoDisplay() const { return autoDisplay_; }
    const std::string &FileNameField() const { return fileNameField_; }
    const std::array<std::string, 3> &TextFields() const { return textFields_; }
    bool DisplayEnabled() const { return displayEnabled_; }
    bool OutputEnabled() const { return outputEnabled_; }
    bool ComposeEnabled() const { return composeEnabled_; }
    // By group, in the order of PartGroups; the empty entry first.
    const std::array<SortedBox, PartGroups.size()> &Groups() const { return groups_; }
    const std::array<PreviewControl, SlotCount> &Previews() const { return previews_; }

  private:
    // The messages and question of the call being answered.
    struct Call {
        SessionReply reply;
        std::optional<bool> answer;
        // Messages the first call of a question showed already.
        std::size_t skip = 0;
        std::size_t shown = 0;
    };
    struct PendingQuestion {
        QuestionId id;
        std::size_t messagesBefore;
    };
    // Thrown to leave an action at a question that has no answer yet.
    struct QuestionAsked {};

    void BeginCall(std::optional<QuestionId> id = std::nullopt, std::optional<bool> answer = std::nullopt);
    SessionReply EndCall();
    void Show(const std::string &message);
    // The answer of this call, or nothing after asking.
    std::optional<bool> Ask(QuestionId id, const std::string &text);

    // Room loading (room_loading.cpp).
    void LoadRoom();
    // The header's three texts as the fields show them.
    std::array<std::string, 3> HeaderTexts() const;
    void EnableCommandButtons(bool enable);
    void ResetPartCombos(bool enable);
    void DisplayPartsNow();

    // Previews (previews.cpp).
    void RedrawPreviews(int slot);
    void RenderPreview(int slot);
    void HidePartPreviews();

    // Part replacement (part_replacement.cpp).
    void ReplaceSlotGroup(int keySlot);
    void LoadPartFromCollection(int slot, const std::string &entryText);
    SortedBox &ComboOfGroup(const PartGroup &group);
    void ChooseImportedEntry(int keySlot, const std::string &entry);

    // Pictures (picture_drop.cpp).
    void ImportDropped(std::optional<int> slot, const std::vector<IncomingFile> &files);

    // Files opened into the working folder (incoming_files.cpp).
    void PlaceFiles(const std::vector<IncomingFile> &files, std::vector<IncomingFile> &pictures);
    void PlaceFromFolder(const IncomingFile &file);
    // Copies the file to the target (code page 932); false after a message.
    bool CopyIn(const IncomingFile &file, const std::string &target);
    void FindPackageFolderAgain();

    // The lists brought to the folders (folder_lists.cpp).
    void FollowFolders();

    // Export (parts_export.cpp).
    bool WriteDownload(const std::string &name, const std::optional<std::vector<std::uint8_t>> &bytes);

    // Composing (compose.cpp).
    void SelectComposedPackage();
    std::string DownloadPathOf(const std::string &cp932Path) const;

    SessionFolders folders_;
    std::unique_ptr<ImageBanks> banks_;
    PackageHeaderBlock header_;
    std::string packageFolder_;      // code page 932, ending in '\'
    bool madePackageFolder_ = false; // by the session, for single packages
    std::string currentPackageName_; // "abc.pac"
    EditorMode mode_ = EditorMode::NothingLoaded;
    bool autoDisplay_ = false;
    std::string fileNameField_;
    std::array<std::string, 3> textFields_; // name, remarks, author
    bool displayEnabled_ = false;
    bool outputEnabled_ = false;
    bool composeEnabled_ = false;
    SortedBox rooms_;
    std::array<SortedBox, PartGroups.size()> groups_;
    std::array<PreviewControl, SlotCount> previews_;
    RgbImage picture_;

    RoomListing roomListing_;
    EntryKeys keys_;
    EntryMirror roomMirror_;
    std::vector<EntryMirror> partMirrors_;

    Call call_;
    std::optional<PendingQuestion> pending_;
};
