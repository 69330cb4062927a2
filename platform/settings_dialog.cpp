#include "platform/settings_dialog.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

#include "platform/app_icon.h"
#include "platform/dialog_window.h"
#include "platform/main_window.h"
#include "platform/qt_colour.h"
#include "platform/zoom.h"

namespace numera {

namespace {

constexpr Colour kPlainText = -1;  // the label keeps the window's text colour

QRect Twips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

// The window's inside at zoom 1.
const QSize kDesignSize(5580 / kTwipsPerPixel, 4140 / kTwipsPerPixel);

void SetTextColour(QWidget* w, Colour c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, ToQColor(c));
  w->setPalette(pal);
}

struct LabelText {
  const char* Text;
  Colour Color;
};

struct FrameDesign {
  const char* Caption;
  int Left, Top, Width, Height;
  std::vector<LabelText> Labels;
};

// The design of the window (twips). Frames 0..3 hold the option groups
// Option1..Option4, frame 4 the sound check boxes.
const std::array<FrameDesign, 5>& Design() {
  static const std::array<FrameDesign, 5> frames{{
      {"ばつの種類",
       120,
       120,
       1215,
       2055,
       {{"×", colour::kRed},
        {"■", kPlainText},
        {"なし", kPlainText},
        {"偽物", kPlainText},
        {"", kPlainText}}},
      {"背景色",
       120,
       2280,
       1215,
       1695,
       {{"青", 0x008000}, {"紫", 0x800080}, {"適当", kPlainText}, {"夜空", 0x800000}}},
      {"フォント",
       1440,
       120,
       2175,
       1695,
       {{"ＭＳ ゴシック", kPlainText},
        {"ＭＳ 明朝", kPlainText},
        {"@ＭＳゴシック", kPlainText},
        {"レインボー", kPlainText}}},
      {"メッセージ",
       3720,
       2280,
       1815,
       1695,
       {{"標準", kPlainText},
        {"なし", kPlainText},
        {"しつこい", kPlainText},
        {"もふり", kPlainText}}},
      {"音",
       3720,
       120,
       1815,
       2055,
       {{"メッセージ", kPlainText},
        {"選択時", kPlainText},
        {"クリア", kPlainText},
        {"移動", kPlainText},
        {"その他", kPlainText}}},
  }};
  return frames;
}

// Inside a frame: button or check box i, and its label to the right.
QRect ButtonRect(int i) {
  return Twips(120, 240 + 360 * i, 255, 255);
}
QRect LabelRect(const FrameDesign& frame, int i) {
  return Twips(480, 240 + 360 * i, frame.Width - 480 - 120, 255);
}

MainWindow* TheMainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<MainWindow*>(w)) return main;
  }
  return nullptr;
}

}  // namespace

SettingsDialog::SettingsDialog(Game& g, QWidget* parent, double zoom)
    : QDialog(parent), g_(g), zoom_(zoom) {
  setObjectName(QStringLiteral("Formain2"));
  setWindowTitle(QStringLiteral("詳細設定"));
  setWindowIcon(parent ? parent->windowIcon() : NumeraIcon());
  setModal(true);
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPointSizeF(9 * zoom);
  setFont(font);
  // Frame captions sit on the frame's top line, so the first row of buttons
  // (16 pixels down) stands clear inside the frame.
  const auto px = [zoom](int v) { return QString::number(std::lround(v * zoom)); };
  QString style =
      QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); margin-top: %1px; }"
          "QGroupBox::title { subcontrol-origin: margin; left: %1px; padding: 0 %2px; }")
          .arg(px(6), px(2));
  // Zoomed in, the round and square marks grow with the rest.
  if (zoom > 1)
    style += QStringLiteral(
                 "QRadioButton::indicator, QCheckBox::indicator"
                 " { width: %1px; height: %1px; }")
                 .arg(px(13));
  setStyleSheet(style);
  setFixedSize(Zoomed(kDesignSize, zoom));
  BuildControls();
  MakeDialogOf(*this, parent);
  Formain2_Load(g_, state_);
  Refresh();
}

QRadioButton* SettingsDialog::option(int group, int i) const {
  return options_.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(i));
}

QLabel* SettingsDialog::optionLabel(int group, int i) const {
  return option_labels_.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(i));
}

void SettingsDialog::BuildControls() {
  const auto& design = Design();
  for (int f = 0; f < 5; ++f) {
    const FrameDesign& d = design[static_cast<std::size_t>(f)];
    auto* frame = new QGroupBox(QString::fromUtf8(d.Caption), this);
    frame->setGeometry(Zoomed(Twips(d.Left, d.Top, d.Width, d.Height), zoom_));
    frames_[static_cast<std::size_t>(f)] = frame;
    for (int i = 0; i < static_cast<int>(d.Labels.size()); ++i) {
      const LabelText& text = d.Labels[static_cast<std::size_t>(i)];
      auto* label = new QLabel(QString::fromUtf8(text.Text), frame);
      label->setFont(font());  // inside a frame the window's font would not reach it
      label->setGeometry(Zoomed(LabelRect(d, i), zoom_));
      if (text.Color != kPlainText) SetTextColour(label, text.Color);
      if (f < 4) {
        // The option buttons carry no text; the label beside them does.
        auto* button = new QRadioButton(frame);
        button->setGeometry(Zoomed(ButtonRect(i), zoom_));
        connect(button, &QRadioButton::clicked, this, [this, f, i] { OptionClicked(f, i); });
        options_[static_cast<std::size_t>(f)].push_back(button);
        option_labels_[static_cast<std::size_t>(f)].push_back(label);
      } else {
        auto* box = new QCheckBox(frame);
        box->setGeometry(Zoomed(ButtonRect(i), zoom_));
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool checked) { Check1_Click(state_, i, checked); });
        checks_[static_cast<std::size_t>(i)] = box;
        check_labels_[static_cast<std::size_t>(i)] = label;
      }
    }
  }
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setGeometry(Zoomed(Twips(1920, 3360, 1455, 375), zoom_));
  ok_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void SettingsDialog::OptionClicked(int group, int index) {
  switch (group) {
    case 0:
      Option1_Click(g_, state_, index);
      break;
    case 1:
      Option2_Click(g_, state_, index);
      break;
    case 2:
      Option3_Click(g_, state_, index);
      break;
    default:
      Option4_Click(g_, state_, index);
      break;
  }
  // A click can end with another option checked (the font fallback).
  Refresh();
}

void SettingsDialog::Command1_Click() {
  numera::Command1_Click(g_, state_);
  if (state_.Closed) accept();
}

void SettingsDialog::Refresh() {
  const int checked[4] = {state_.Option1, state_.Option2, state_.Option3, state_.Option4};
  for (int group = 0; group < 4; ++group) {
    const auto& buttons = options_[static_cast<std::size_t>(group)];
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
      QRadioButton* b = buttons[static_cast<std::size_t>(i)];
      const QSignalBlocker blocker(b);
      // Unchecking needs the group's exclusivity lifted for a moment.
      b->setAutoExclusive(false);
      b->setChecked(i == checked[group]);
      b->setAutoExclusive(true);
    }
  }
  for (int i = 0; i < kSoundChecks; ++i) {
    QCheckBox* box = checks_[static_cast<std::size_t>(i)];
    const QSignalBlocker blocker(box);
    box->setChecked(state_.Check1[static_cast<std::size_t>(i)]);
  }
  SetTextColour(rainbowLabel(), state_.RainbowLabelColor);
}

// Closing the window any other way than by "OK" (close box, Escape) simply
// closes it: option choices already clicked stay in the settings variables,
// neither applied nor saved, and check-box changes are dropped.
void RunSettingsDialog(Game& g) {
  MainWindow* main = TheMainWindow();
  SettingsDialog dialog(g, main, main ? main->DialogZoom(kDesignSize) : 1.0);
  dialog.exec();
}

}  // namespace numera
