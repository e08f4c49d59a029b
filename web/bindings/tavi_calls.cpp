#include "tavi_calls.h"

#include <memory>
#include <string>

#include "reply_json.h"

using nlohmann::json;

namespace {
constexpr char WorkingFolder[] = "/tavi";
constexpr char DownloadFolder[] = "/out";

std::unique_ptr<EditorSession> session;
// The text of the last reply, which the page reads before its next call.
std::string lastReply;

const char *Reply(const json &reply)
{
    lastReply = reply.dump();
    return lastReply.c_str();
}

// A call the page got wrong, or one before the start, changes nothing and
// says why; the page never meets an exception.
const char *Refusal(const std::string &why)
{
    json reply = {{"messages", json::array()}, {"question", nullptr}, {"downloads", json::array()},
                  {"composeDone", false},      {"compose", nullptr},  {"error", why}};
    if (session)
        reply["state"] = StateJson(*session);
    return Reply(reply);
}

json Argument(const char *text)
{
    return text && *text ? json::parse(text) : json::object();
}

std::optional<bool> AnswerOf(const json &argument)
{
    const auto found = argument.find("answer");
    if (found == argument.end() || found->is_null())
        return std::nullopt;
    return found->get<bool>();
}

std::vector<IncomingFile> FilesOf(const json &argument)
{
    std::vector<IncomingFile> files;
    for (const json &file : argument.at("files")) {
        IncomingFile incoming{file.at("path").get<std::string>(), file.at("name").get<std::string>(), {}};
        if (const auto relative = file.find("relative"); relative != file.end() && !relative->is_null())
            incoming.relative = relative->get<std::string>();
        files.push_back(std::move(incoming));
    }
    return files;
}

// Runs an action of the session on the call's argument.
template <class Action> const char *Call(const char *text, Action action)
{
    try {
        if (!session)
            return Refusal("tavi_start has not been called");
        const json argument = Argument(text);
        const SessionReply reply = action(argument);
        return Reply(ReplyJson(reply, *session));
    } catch (const std::exception &error) {
        return Refusal(error.what());
    }
}
} // namespace

// The argument may name other folders than the module's, as the native
// tests do.
const char *tavi_start(const char *text)
{
    try {
        const json argument = Argument(text);
        SessionFolders folders{argument.value("workingFolder", std::string(WorkingFolder)),
                               argument.value("downloadFolder", std::string(DownloadFolder))};
        session.reset();
        session = std::make_unique<EditorSession>(std::move(folders));
        return Reply(ReplyJson(SessionReply{}, *session));
    } catch (const std::exception &error) {
        return Refusal(error.what());
    }
}

const char *tavi_open(const char *text)
{
    return Call(text, [](const json &a) { return session->Open(FilesOf(a), AnswerOf(a)); });
}

const char *tavi_select_room(const char *text)
{
    return Call(text, [](const json &a) { return session->SelectRoom(a.at("index").get<int>()); });
}

const char *tavi_set_auto_display(const char *text)
{
    return Call(text, [](const json &a) { return session->SetAutoDisplay(a.at("on").get<bool>()); });
}

const char *tavi_display_parts(const char *text)
{
    return Call(text, [](const json &) { return session->DisplayParts(); });
}

const char *tavi_choose(const char *text)
{
    return Call(text, [](const json &a) {
        return session->Choose(a.at("comboId").get<int>(), a.at("entry").get<int>());
    });
}

const char *tavi_drop(const char *text)
{
    return Call(text, [](const json &a) {
        std::optional<int> slot;
        if (const auto found = a.find("slot"); found != a.end() && !found->is_null())
            slot = found->get<int>();
        return session->Drop(slot, FilesOf(a), AnswerOf(a));
    });
}

const char *tavi_export(const char *text)
{
    return Call(text, [](const json &) { return session->Export(); });
}

const char *tavi_compose_open(const char *text)
{
    return Call(text, [](const json &) { return session->OpenCompose(); });
}

const char *tavi_compose_execute(const char *text)
{
    return Call(text, [](const json &a) {
        const EditorSession::ComposeFields fields{
            a.value("fileName", std::string()), a.value("name", std::string()),
            a.value("remarks", std::string()), a.value("author", std::string())};
        return session->ExecuteCompose(fields, AnswerOf(a));
    });
}

const std::uint8_t *tavi_preview_pixels(int slot)
{
    if (!session || slot < 0 || slot >= SlotCount)
        return nullptr;
    const std::vector<std::uint8_t> &rgba = session->Previews()[static_cast<std::size_t>(slot)].rgba;
    return rgba.empty() ? nullptr : rgba.data();
}
