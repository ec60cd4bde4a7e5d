#include "platform/scripted_dialogs.h"

#include "platform/qt_dialogs.h"

namespace quorvin::platform {

std::optional<QString> ScriptedDialogs::ChooseFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers_.empty()) {
    ++unansweredFileDialogs;
    return std::nullopt;
  }
  std::optional<QString> answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  if (answer) return WithDefaultExtension(*answer, request.defaultExtension);
  return answer;
}

std::optional<ColourValue> ScriptedDialogs::ChooseColour(ColourValue initial) {
  colourRequests.push_back(initial);
  if (colourAnswers_.empty()) {
    ++unansweredColourDialogs;
    return std::nullopt;
  }
  const std::optional<ColourValue> answer = colourAnswers_.front();
  colourAnswers_.pop_front();
  return answer;
}

}  // namespace quorvin::platform
