// The main window (historic name Formain, kept as its objectName): menus,
// the board picture (Pimain), the word list (La, La2), the score labels
// (Lg1-Lg3) and the buttons (Co, Coc), all at their design positions times
// the view's zoom. It shows MainWindowState and hands every user event to
// the game's handlers. docs/architecture.md has the glossary.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/platform.h"
#include "platform/board_view.h"

namespace numera {

// A word or score label that reports presses and releases with the game's
// button numbers. Words come from files: they show as written, never as
// markup.
class GameLabel : public QLabel {
  Q_OBJECT
 public:
  explicit GameLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }
  std::function<void(int button)> on_press;
  std::function<void(int button)> on_release;
  // A thin outline around the text, for a colour that the background
  // behind it would swallow; none by default.
  void SetOutline(std::optional<QColor> outline);
  std::optional<QColor> outline() const { return outline_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<QColor> outline_;
};

// The window's own background; a left click on it is the window's Click.
class Background : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  std::function<void()> on_click;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow();

  // Binds the window to the game; events are ignored before this.
  void Attach(Game* game);
  // Copies the state onto the widgets (only what changed).
  void Sync(const GameState& s);
  // Starts the key poll of the main loop.
  void StartKeyPoll();
  // One pass of the key poll now (when it may run at all).
  void PollKeysNow() { PollKeysOnce(); }
  // The view's zoom. The player's choice is remembered between sessions;
  // the window shows it where the whole window fits the screen, else the
  // largest step below it that fits (for this run only). Changing it resizes
  // the window to its design size times the zoom.
  double zoom() const { return zoom_; }
  void SetZoom(double z);
  // The zoom for a dialog of this design size (its inside) over the window:
  // the window's own, lowered where the dialog, with a frame like the
  // window's, would not fit the screen.
  double DialogZoom(QSize design) const;

  BoardView* board() const { return board_; }
  QAction* action(const QString& name) const { return actions_.at(name); }
  QMenu* moveMenu() const { return move_menu_; }
  GameLabel* la(int i) const { return la_.at(static_cast<std::size_t>(i - 1)); }
  GameLabel* la2(int i) const { return la2_.at(static_cast<std::size_t>(i - 1)); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Runs one handler the way the main loop would: while it runs the key poll
  // waits; afterwards the board and labels are redrawn.
  void Dispatch(const std::function<void(Game&)>& handler);
  QAction* AddAction(QMenu* menu, const QString& name, const QString& caption,
                     std::function<void(Game&)> handler);
  void BuildMenus();
  void BuildControls();
  void PollKeysOnce();
  void UpdateKeyPoll();
  void SyncLabel(GameLabel* label, const LabelView& view, LabelView& shown);
  // Places, sizes and letters every control for the zoom.
  void ApplyZoom();
  void AddZoomKeys(QList<QKeySequence> keys, double (*step)(double));
  // The frame around the inside: zero until a window manager has framed it.
  QSize FrameMargins() const;
  // Sizes the window so that, frame included, it is outer_.
  void FitOuterSize();
  // The zoom and the size for the design size and the player's zoom, on the
  // screen the window is on; a shown window is moved back inside the screen.
  void Refit();
  QRect AvailableGeometry() const;

  Game* game_ = nullptr;
  int depth_ = 0;
  Background* background_ = nullptr;
  BoardView* board_ = nullptr;
  std::vector<GameLabel*> la_, la2_;
  std::vector<LabelView> la_shown_, la2_shown_;
  GameLabel* lg_[3] = {};
  LabelView lg_shown_[3];
  QLabel* picgra_[3] = {};
  PictureView picgra_shown_[3];
  std::vector<std::pair<QWidget*, QRect>> buttons_;  // with their design places
  QLabel* piccheck_ = nullptr;
  QLineEdit* text1_ = nullptr;
  std::map<QString, QAction*> actions_;
  QMenu* move_menu_ = nullptr;
  QTimer key_timer_;
  bool polling_ = false;
  Colour back_color_ = -1;
  int outer_sets_ = -1;
  QSize design_outer_;            // the outer size the logic set, in design pixels
  QSize outer_;                   // the same at the zoom
  double zoom_ = 1.0;             // shown
  double wanted_zoom_ = 1.0;      // the player's, kept between sessions
  QSize margins_;                 // the frame the last fit allowed for
  std::vector<QSize> requested_;  // the last inside sizes the game asked for
};

}  // namespace numera
