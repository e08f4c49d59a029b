#include "reply_json.h"

#include "web/session/text_forms.h"

using nlohmann::json;

namespace {
json TextsJson(const std::vector<std::string> &texts)
{
    json list = json::array();
    for (const std::string &text : texts)
        list.push_back(Utf8FromCp932Lenient(text));
    return list;
}

json GroupJson(const PartGroup &group, const SortedBox &combo)
{
    return {{"comboId", group.comboId},
            {"keySlot", group.KeySlot()},
            {"slots", std::vector<int>(group.ExportOrder().begin(), group.ExportOrder().end())},
            {"entries", TextsJson(combo.Entries())},
            {"selected", combo.Selected()},
            {"enabled", combo.Enabled()}};
}

json PreviewJson(int slot, const PreviewControl &preview)
{
    return {{"slot", slot},
            {"visible", preview.visible},
            {"width", preview.width},
            {"height", preview.height},
            {"version", preview.version}};
}

const char *QuestionName(QuestionId id)
{
    return id == QuestionId::Shrink ? "shrink" : "overwrite";
}

json ComposeJson(const ComposeOpening &opening)
{
    return {{"choices", TextsJson(opening.choices)},
            {"fileName", Utf8FromCp932Lenient(opening.fileName)},
            {"name", Utf8FromCp932Lenient(opening.name)},
            {"remarks", Utf8FromCp932Lenient(opening.remarks)},
            {"author", Utf8FromCp932Lenient(opening.author)}};
}
} // namespace

json StateJson(const EditorSession &session)
{
    json groups = json::array();
    for (std::size_t group = 0; group < PartGroups.size(); ++group)
        groups.push_back(GroupJson(PartGroups[group], session.Groups()[group]));
    json previews = json::array();
    for (int slot = 0; slot < SlotCount; ++slot)
        previews.push_back(PreviewJson(slot, session.Previews()[static_cast<std::size_t>(slot)]));
    const std::array<std::string, 3> &texts = session.TextFields();
    return {{"ready", true},
            {"mode", static_cast<int>(session.Mode())},
            {"rooms", TextsJson(session.Rooms().Entries())},
            {"selectedRoom", session.Rooms().Selected()},
            {"autoDisplay", session.AutoDisplay()},
            {"fileName", Utf8FromCp932Lenient(session.FileNameField())},
            {"name", Utf8FromCp932Lenient(texts[NameText])},
            {"remarks", Utf8FromCp932Lenient(texts[RemarksText])},
            {"author", Utf8FromCp932Lenient(texts[AuthorText])},
            {"buttons",
             {{"display", session.DisplayEnabled()},
              {"output", session.OutputEnabled()},
              {"compose", session.ComposeEnabled()}}},
            {"groups", std::move(groups)},
            {"previews", std::move(previews)}};
}

json ReplyJson(const SessionReply &reply, const EditorSession &session)
{
    json messages = json::array();
    for (const std::string &message : reply.messages)
        messages.push_back({{"text", Utf8FromCp932Lenient(message)}});
    json downloads = json::array();
    for (const SessionDownload &download : reply.downloads)
        downloads.push_back({{"name", download.name}, {"path", download.path}});
    json question = nullptr;
    if (reply.question)
        question = {{"id", QuestionName(reply.question->id)},
                    {"text", Utf8FromCp932Lenient(reply.question->text)}};
    return {{"messages", std::move(messages)},
            {"question", std::move(question)},
            {"downloads", std::move(downloads)},
            {"composeDone", reply.composeDone},
            {"compose", reply.compose ? ComposeJson(*reply.compose) : json(nullptr)},
            {"state", StateJson(session)}};
}
