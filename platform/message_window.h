// The game's own message box window (historic name Formain3, kept as its
// objectName; its label is Label1, its buttons Command1(0..2)). Laid out
// entirely by the logic (MessageBoxRequest); only a button closes it, and
// Enter or Space only with a press that began while the box was shown.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <set>

#include "core/platform.h"

namespace numera {

class MessageWindow : public QDialog {
  Q_OBJECT
 public:
  // The box at a zoom of the view: its layout is in design pixels.
  MessageWindow(const MessageBoxRequest& box, QWidget* parent, double zoom = 1.0);
  int pressed() const { return pressed_; }
  QLabel* label() const { return label_; }
  QPushButton* button(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}  // Escape does not close it either
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Command1_Click(int index);

  QLabel* label_ = nullptr;
  std::array<QPushButton*, 3> buttons_{};
  int pressed_ = -1;
  bool answered_ = false;  // MsgAnswered
  std::set<int> held_;     // Enter or Space keys down when the box appeared, not yet released
};

class MainWindow;

// Shows the boxes over the main window, at its zoom where they fit the
// screen.
class QtMessageHost : public MessageHost {
 public:
  explicit QtMessageHost(MainWindow* owner);
  int Show(const MessageBoxRequest& box) override;

 private:
  MainWindow* owner_;
};

}  // namespace numera
