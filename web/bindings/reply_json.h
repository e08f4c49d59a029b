// The session's replies and state as the JSON the page reads, texts UTF-8.
#pragma once

#include <nlohmann/json.hpp>

#include "web/session/editor_session.h"

nlohmann::json StateJson(const EditorSession &session);
nlohmann::json ReplyJson(const SessionReply &reply, const EditorSession &session);
