#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/event_source.h"

namespace quorvin::platform {

// 拖放对象: takes files dropped anywhere over the window it is registered on, its controls
// included. kFilesDropped passes one text: the full path of the file, or for several files every
// path followed by CR LF. It is raised after the drop has finished, from the event loop, so a
// handler may show a message box.
class DropTarget final : public QObject, public EventSource {
 public:
  explicit DropTarget(const ControlSpec& desc, QObject* parent = nullptr);

  // Makes `window` (a top-level widget) accept drops and hands them to this target.
  void RegisterOn(QWidget& window);
  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool accept) { acceptFiles_ = accept; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  bool acceptFiles_;
};

// The text of a files-dropped event for these local paths; empty for none.
QString DroppedFilesText(const QStringList& paths);
// The local files among dropped URLs.
QStringList LocalFiles(const QList<QUrl>& urls);

}  // namespace quorvin::platform
