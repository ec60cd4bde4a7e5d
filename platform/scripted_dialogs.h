#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace quorvin::platform {

// A stand-in for the real dialogs in tests: records every message and request, and answers file
// and colour choices from queues filled beforehand. An empty queue answers "cancelled".
class ScriptedDialogs final : public Dialogs {
 public:
  // What the user types or picks in the next file dialog. A name without an extension gets the
  // request's default extension, as the system dialog adds it.
  void AnswerFile(std::optional<QString> typed) { fileAnswers_.push_back(std::move(typed)); }
  void AnswerColour(std::optional<ColourValue> colour) { colourAnswers_.push_back(colour); }

  void ShowMessage(const QString& text) override { messages.push_back(text); }
  std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
  std::optional<ColourValue> ChooseColour(ColourValue initial) override;

  QStringList messages;                         // every message shown, in order
  std::vector<FileDialogRequest> fileRequests;  // every file dialog opened, in order
  std::vector<ColourValue> colourRequests;      // the initial colour of every colour dialog
  int unansweredFileDialogs = 0;                // dialogs opened with an empty queue
  int unansweredColourDialogs = 0;

 private:
  std::deque<std::optional<QString>> fileAnswers_;
  std::deque<std::optional<ColourValue>> colourAnswers_;
};

}  // namespace quorvin::platform
