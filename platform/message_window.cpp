#include "platform/message_window.h"

#include <X11/keysym.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <cmath>

#include "platform/dialog_window.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/x11_window.h"
#include "platform/zoom.h"

namespace numera {

namespace {
// A Qt window's size is its client area, so the box gets exactly the
// width the layout computed and its 62 pixels of height, whatever the frame.
void SetClientSize(QWidget& window, QSize size) {
  window.setFixedSize(size);
}

bool IsAnswerKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Which of Enter and Space are down. The X server knows, whichever window had
// the press; and its auto-repeat reaches Qt as presses and releases that are
// not always marked as repeats. Elsewhere (Wayland, offscreen) the presses
// and releases that the game's own windows were given count, and there the
// toolkit marks the repeats it makes itself.
class AnswerKeyState : public QObject {
 public:
  explicit AnswerKeyState(QObject* parent) : QObject(parent) {
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
      display_ = x11->display();
    if (!display_) qApp->installEventFilter(this);
  }
  bool Down(int key) const {
    if (!display_) return down_.count(key) != 0;
    return X11KeysymDown(display_, key == Qt::Key_Return  ? XK_Return
                                   : key == Qt::Key_Enter ? XK_KP_Enter
                                                          : XK_space);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (!key->isAutoRepeat() && IsAnswerKey(key->key())) {
        if (type == QEvent::KeyPress)
          down_.insert(key->key());
        else
          down_.erase(key->key());
      }
    } else if (type == QEvent::ApplicationDeactivate) {
      down_.clear();  // released elsewhere, unseen
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void* display_ = nullptr;
  std::set<int> down_;
};

AnswerKeyState& AnswerKeys() {
  static QPointer<AnswerKeyState> keys;
  if (!keys) keys = new AnswerKeyState(qApp);
  return *keys;
}
}  // namespace

MessageWindow::MessageWindow(const MessageBoxRequest& box, QWidget* parent, double zoom)
    : QDialog(parent) {
  setObjectName(QStringLiteral("Formain3"));
  setWindowTitle(box.Title);
  if (parent) setWindowIcon(parent->windowIcon());
  setFont(GameFont(QStringLiteral("ＭＳ ゴシック"), 9 * zoom));
  setModal(true);
  // The layout is in design pixels; the box shows it at the main window's zoom.
  SetClientSize(*this, Zoomed(QSize(box.ClientWidth, box.ClientHeight), zoom));

  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label1"));
  // Messages name files and words as they are written, never as markup.
  label_->setTextFormat(Qt::PlainText);
  label_->setText(box.Message);
  label_->setGeometry(
      Zoomed(QRect(box.LabelLeft, box.LabelTop, box.LabelWidth, box.LabelHeight), zoom));
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("Command1_%1").arg(i));
    // Enter presses the focused button, as Space does.
    b->setAutoDefault(true);
    b->installEventFilter(this);
    buttons_[static_cast<std::size_t>(i)] = b;
    if (i < box.Count) {
      b->setText(box.Captions.value(i));
      // Fractional lefts are rounded to the nearest pixel.
      const auto k = static_cast<std::size_t>(i);
      b->setGeometry(Zoomed(
          QRectF(box.ButtonLeft[k], box.ButtonTop, box.ButtonWidth[k], box.ButtonHeight), zoom));
      connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    } else {
      b->hide();
    }
  }
  if (box.Count > 0) buttons_[0]->setFocus();
  MakeDialogOf(*this, parent);
}

void MessageWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  held_.clear();
  for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
    if (AnswerKeys().Down(key)) held_.insert(key);
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
  // One press, one answer: a key held while box after box appears must not
  // run on through them. Enter answers on its press, Space on its release.
  const bool press = event->type() == QEvent::KeyPress;
  if (press || event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    if (IsAnswerKey(k)) {
      if (key->isAutoRepeat()) return true;
      if (press && held_.count(k) != 0) return true;  // still the press from before the box
      if (!press) {
        if (AnswerKeys().Down(k)) return true;  // a repeat: the key is still down
        held_.erase(k);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void MessageWindow::Command1_Click(int index) {
  pressed_ = index;
  for (QPushButton* b : buttons_) b->hide();
  answered_ = true;
  done(QDialog::Accepted);
}

void MessageWindow::closeEvent(QCloseEvent* event) {
  // The close box, the system menu and Alt+F4 do nothing: only a button
  // answers the box.
  if (!answered_) event->ignore();
  answered_ = false;
}

QtMessageHost::QtMessageHost(MainWindow* owner) : owner_(owner) {
  AnswerKeys();  // watched from the start, so the first box knows what is held
}

int QtMessageHost::Show(const MessageBoxRequest& box) {
  const QSize design(box.ClientWidth, box.ClientHeight);
  MessageWindow dialog(box, owner_, owner_ ? owner_->DialogZoom(design) : 1.0);
  while (dialog.pressed() < 0) dialog.exec();
  return dialog.pressed();
}

}  // namespace numera
