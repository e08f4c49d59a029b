#include "import_failure_message.h"

#include "core/messages.h"

std::string ImportFailureMessage(const ImportFailure &failure)
{
    switch (failure.problem) {
    case ImportProblem::Unreadable: return PictureUnreadableMessage(failure.fileName);
    case ImportProblem::Broken: return PictureBrokenMessage(failure.fileName);
    case ImportProblem::TooLarge: return PictureTooLargeMessage(failure.fileName);
    case ImportProblem::UnusableName: return InvalidFileNameMessage(failure.fileName);
    case ImportProblem::NotWritten: return ImportNotWrittenMessage(failure.fileName);
    case ImportProblem::TooLargeForSlot: break;
    }
    return {};
}
