#include "platform/formain3.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <cmath>

#include "platform/fonts.h"

namespace numera {

namespace {
// A Qt window's size is its client area, so the box gets exactly the
// width the layout computed and its 62 pixels of height, whatever the frame.
void SetClientSize(QWidget& window, int width, int height) {
  window.setFixedSize(width, height);
}
}  // namespace

Formain3::Formain3(const MessageBoxRequest& box, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Formain3"));
  setWindowTitle(box.Title);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  if (parent) setWindowIcon(parent->windowIcon());
  setFont(GameFont(QStringLiteral("ＭＳ ゴシック"), 9));
  setModal(true);
  SetClientSize(*this, box.ClientWidth, box.ClientHeight);

  label_ = new QLabel(box.Message, this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setGeometry(box.LabelLeft, box.LabelTop, box.LabelWidth, box.LabelHeight);
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
      b->setGeometry(static_cast<int>(std::lround(box.ButtonLeft[static_cast<std::size_t>(i)])),
                     box.ButtonTop, box.ButtonWidth[static_cast<std::size_t>(i)], box.ButtonHeight);
      connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    } else {
      b->hide();
    }
  }
  if (box.Count > 0) buttons_[0]->setFocus();
}

bool Formain3::eventFilter(QObject* watched, QEvent* event) {
  // Like Space, a held Enter answers one box only: the repeats of the key
  // must not run on through the boxes that follow.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
      return true;
  }
  return QDialog::eventFilter(watched, event);
}

void Formain3::Command1_Click(int index) {
  pressed_ = index;
  for (QPushButton* b : buttons_) b->hide();
  answered_ = true;
  done(QDialog::Accepted);
}

void Formain3::closeEvent(QCloseEvent* event) {
  // The close box, the system menu and Alt+F4 do nothing: only a button
  // answers the box.
  if (!answered_) event->ignore();
  answered_ = false;
}

int QtMessageHost::Show(const MessageBoxRequest& box) {
  Formain3 dialog(box, owner_);
  while (dialog.pressed() < 0) dialog.exec();
  return dialog.pressed();
}

}  // namespace numera
