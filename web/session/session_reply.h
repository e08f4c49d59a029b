// What one call of the page gets back besides the editor's state: the
// messages to show, a question to answer, files to download, and what the
// compose dialog needs. Texts are code page 932; paths and download names
// are UTF-8, as the module's file system names its files.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class QuestionId { Shrink, Overwrite };

struct SessionQuestion {
    QuestionId id;
    std::string text;
};

struct SessionDownload {
    std::string name; // saved under this name
    std::string path; // read from here
};

// The compose dialog as it opens.
struct ComposeOpening {
    std::vector<std::string> choices; // the file-name box's entries, in its order
    std::string fileName;
    std::string name;
    std::string remarks;
    std::string author;
};

struct SessionReply {
    std::vector<std::string> messages;
    // Asked after the messages; the page calls again with the answer.
    std::optional<SessionQuestion> question;
    std::vector<SessionDownload> downloads;
    // The compose dialog closes: the package is written.
    bool composeDone = false;
    std::optional<ComposeOpening> compose;
};
