#include "platform/formain3.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <cmath>

#include "platform/fonts.h"
#include "platform/formain.h"
#include "platform/zoom.h"

namespace numera {

namespace {
// A Qt window's size is its client area, so the box gets exactly the
// width the layout computed and its 62 pixels of height, whatever the frame.
void SetClientSize(QWidget& window, QSize size) {
  window.setFixedSize(size);
}
}  // namespace

Formain3::Formain3(const MessageBoxRequest& box, QWidget* parent, double zoom) : QDialog(parent) {
  setObjectName(QStringLiteral("Formain3"));
  setWindowTitle(box.Title);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
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
  Formain3 dialog(box, owner_, owner_ ? owner_->zoom() : 1.0);
  while (dialog.pressed() < 0) dialog.exec();
  return dialog.pressed();
}

}  // namespace numera
