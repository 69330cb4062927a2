// The settings window 詳細設定 (historic name Formain2, kept as its
// objectName), as a Qt dialog. It builds its controls (Frame1, Option1 to
// Option4, Check1, Command1) at the design positions (twips divided by 15,
// times the view's zoom), runs the load step of the settings logic and
// afterwards only forwards clicks and shows SettingsWindowState.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <vector>

#include "core/platform.h"
#include "settings/settings_window.h"

namespace numera {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  // Builds the window at a zoom of the view and runs its load step (which
  // may already show a box).
  SettingsDialog(Game& g, QWidget* parent, double zoom = 1.0);

  const SettingsWindowState& state() const { return state_; }
  // Frame1(0..4): ばつの種類, 背景色, フォント, メッセージ, 音.
  QGroupBox* frame(int i) const { return frames_.at(static_cast<std::size_t>(i)); }
  // Option1..Option4 as group 0..3 of frames 0..3.
  QRadioButton* option(int group, int i) const;
  QLabel* optionLabel(int group, int i) const;
  QCheckBox* check(int i) const { return checks_.at(static_cast<std::size_t>(i)); }
  QLabel* checkLabel(int i) const { return check_labels_.at(static_cast<std::size_t>(i)); }
  QPushButton* okButton() const { return ok_; }
  QLabel* rainbowLabel() const { return optionLabel(2, 3); }

 private:
  void BuildControls();
  void OptionClicked(int group, int index);
  void Command1_Click();
  // Copies the state onto the controls without raising their signals.
  void Refresh();

  Game& g_;
  double zoom_;
  SettingsWindowState state_;
  std::array<QGroupBox*, 5> frames_{};
  std::array<std::vector<QRadioButton*>, 4> options_;
  std::array<std::vector<QLabel*>, 4> option_labels_;
  std::array<QCheckBox*, 5> checks_{};
  std::array<QLabel*, 5> check_labels_{};
  QPushButton* ok_ = nullptr;
};

// Loads the settings window (running its load step), shows it modally over
// the main window and returns once it has closed.
void RunSettingsDialog(Game& g);

}  // namespace numera
