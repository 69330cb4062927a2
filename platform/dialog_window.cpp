#include "platform/dialog_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include "platform/x11_window.h"

namespace numera {

namespace {
// A box minimized would leave the game waiting for an answer nobody can see,
// and a window manager may take the owner down with it (openbox offers to
// minimize every dialog, whatever the dialog asks). So the dialog and its
// owner come straight back.
class StayShown : public QObject {
 public:
  StayShown(QWidget* dialog, QWidget* owner) : QObject(dialog), dialog_(dialog), owner_(owner) {
    dialog->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange && dialog_->isMinimized()) {
      QTimer::singleShot(0, dialog_, [this] {
        if (owner_ && owner_->isVisible()) owner_->showNormal();
        dialog_->showNormal();
        dialog_->activateWindow();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* dialog_;
  QWidget* owner_;
};
}  // namespace

void MakeDialogOf(QWidget& dialog, QWidget* owner) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  if (owner) owner = owner->window();
  new StayShown(&dialog, owner);
  // Made now, the native window is transient for the owner's (which Qt
  // makes too, should the owner not be shown yet) and can be marked.
  const WId window = dialog.winId();
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->display()) X11SkipTaskbar(x11->display(), window);
}

}  // namespace numera
