#include "platform/controls/drop_target.h"

#include <QDropEvent>
#include <QMimeData>

namespace quorvin::platform {

QString DroppedFilesText(const QStringList& paths) {
  if (paths.size() == 1) return paths.front();
  QString text;
  for (const QString& path : paths) text += path + QStringLiteral("\r\n");
  return text;
}

QStringList LocalFiles(const QList<QUrl>& urls) {
  QStringList paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  return paths;
}

DropTarget::DropTarget(const ControlSpec& desc, QObject* parent)
    : QObject(parent), acceptFiles_(desc.acceptFiles) {}

void DropTarget::RegisterOn(QWidget& window) {
  if (window_) window_->removeEventFilter(this);
  window_ = &window;
  // A drag over a control that takes no drops itself goes to the nearest ancestor that does:
  // the window.
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      const bool files =
          drag->mimeData() != nullptr && !LocalFiles(drag->mimeData()->urls()).isEmpty();
      if (acceptFiles_ && files) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths =
          drop->mimeData() != nullptr ? LocalFiles(drop->mimeData()->urls()) : QStringList();
      if (!acceptFiles_ || paths.isEmpty()) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      // Handled once the drag-and-drop exchange is over, as the system posts its drop message.
      const QString text = DroppedFilesText(paths);
      QMetaObject::invokeMethod(
          this,
          [this, text] {
            Raise(Event::kFilesDropped, {0, 0, text});
          },
          Qt::QueuedConnection);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace quorvin::platform
