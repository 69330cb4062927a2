#include "platform/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>

#include "core/draw_board.h"
#include "diversions/background.h"
#include "files/closing.h"
#include "files/open_puzzle.h"
#include "files/save_puzzle.h"
#include "platform/app_icon.h"
#include "platform/fonts.h"
#include "platform/readable_text.h"
#include "platform/zoom.h"
#include "play/clearing.h"
#include "play/navigation.h"
#include "play/placement.h"
#include "play/shifting.h"
#include "play/word_selection.h"
#include "settings/settings_window.h"
#include "settings/version_help.h"

namespace numera {

namespace {
// While a held key keeps moving the selection the keys are looked at often,
// so the repeat stays close to one move per 80 ms pause; otherwise less often,
// which is still quick to notice a new press and costs far less.
constexpr int kKeyPollBusyMs = 15;
constexpr int kKeyPollIdleMs = 40;

void SetTextColour(QWidget* w, Colour c) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, ToQColor(c));
  w->setPalette(pal);
}
}  // namespace

void GameLabel::mousePressEvent(QMouseEvent* event) {
  if (on_press) on_press(GameButton(event->button()));
}

void GameLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (on_release) on_release(GameButton(event->button()));
}

void GameLabel::SetOutline(std::optional<QColor> outline) {
  if (outline == outline_) return;
  outline_ = outline;
  update();
}

void GameLabel::paintEvent(QPaintEvent* event) {
  if (!outline_) return QLabel::paintEvent(event);
  // Where QLabel would print: left, centred top to bottom.
  const QFontMetricsF metrics(font());
  const QRectF inside = contentsRect();
  const qreal baseline = inside.top() + (inside.height() - metrics.height()) / 2 + metrics.ascent();
  QPainterPath path;
  path.addText(QPointF(inside.left(), baseline), font(), text());
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  // A halo of about a pixel at the design size: the letters keep their own
  // colour, which tells the player what state a word is in.
  const qreal width = std::max(1.5, font().pixelSize() / 10.0);
  p.strokePath(path, QPen(*outline_, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(path, palette().color(QPalette::WindowText));
}

void Background::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void Background::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click && on_click) on_click();
}

MainWindow::MainWindow() {
  setObjectName(QStringLiteral("Formain"));
  setWindowTitle(QStringLiteral("ぬめら"));
  setWindowIcon(NumeraIcon());
  setFont(GameFont(QStringLiteral("ＭＳ ゴシック"), 9));
  BuildMenus();
  BuildControls();
  // Zoom keys only: the menu tree stays as the game has it.
  AddZoomKeys({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, ZoomIn);
  AddZoomKeys({QKeySequence::ZoomOut}, ZoomOut);
  AddZoomKeys({QKeySequence(Qt::CTRL | Qt::Key_0)}, [](double) { return kZoomSteps[0]; });
  zoom_ = wanted_zoom_ = StoredZoom();
  ApplyZoom();
  key_timer_.setInterval(kKeyPollIdleMs);
  connect(&key_timer_, &QTimer::timeout, this, &MainWindow::PollKeysOnce);
}

QAction* MainWindow::AddAction(QMenu* menu, const QString& name, const QString& caption,
                               std::function<void(Game&)> handler) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  connect(a, &QAction::triggered, this, [this, handler] { Dispatch(handler); });
  actions_[name] = a;
  return a;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル"));
  file->setObjectName(QStringLiteral("ファイル"));
  AddAction(file, QStringLiteral("ファイルを開く"), QStringLiteral("開く..."),
            ファイルを開く_Click);
  AddAction(file, QStringLiteral("上書き保存する"), QStringLiteral("上書き保存..."),
            上書き保存する_Click);
  AddAction(file, QStringLiteral("名前が付いて保存"), QStringLiteral("名前が付いて保存..."),
            名前が付いて保存_Click);
  file->addSeparator()->setObjectName(QStringLiteral("区分線2"));
  AddAction(file, QStringLiteral("終了"), QStringLiteral("終了"), 終了_Click);

  QMenu* other = menuBar()->addMenu(QStringLiteral("その他"));
  other->setObjectName(QStringLiteral("その他"));
  AddAction(other, QStringLiteral("設定"), QStringLiteral("設定"), 設定_Click);
  other->addSeparator()->setObjectName(QStringLiteral("区分線1"));
  move_menu_ = other->addMenu(QStringLiteral("移動"));
  move_menu_->setObjectName(QStringLiteral("移動"));
  AddAction(move_menu_, QStringLiteral("上へ移動する"), QStringLiteral("上へ移動"),
            [](Game& g) { Co_Click(g, shift_direction::kUp); });
  AddAction(move_menu_, QStringLiteral("下へ移動する"), QStringLiteral("下へ移動"),
            [](Game& g) { Co_Click(g, shift_direction::kDown); });
  AddAction(move_menu_, QStringLiteral("左へ移動する"), QStringLiteral("左へ移動"),
            [](Game& g) { Co_Click(g, shift_direction::kLeft); });
  AddAction(move_menu_, QStringLiteral("右へ移動する"), QStringLiteral("右へ移動"),
            [](Game& g) { Co_Click(g, shift_direction::kRight); });
  AddAction(other, QStringLiteral("すべてクリア"), QStringLiteral("クリア"), Coc_Click);
  other->addSeparator()->setObjectName(QStringLiteral("区分線3"));
  AddAction(other, QStringLiteral("ヘルプ"), QStringLiteral("ヘルプ"), ヘルプ_Click);
  AddAction(other, QStringLiteral("バージョン"), QStringLiteral("バージョン情報"),
            バージョン_Click);
}

void MainWindow::BuildControls() {
  background_ = new Background(this);
  background_->setObjectName(QStringLiteral("FormainClient"));
  background_->setAutoFillBackground(true);
  setCentralWidget(background_);
  background_->on_click = [this] { Dispatch(Form_Click); };

  const GameState design;  // every control starts at its design position
  const MainWindowState& w = design.Formain;

  board_ = new BoardView(background_);
  board_->setObjectName(QStringLiteral("Pimain"));
  board_->setGeometry(w.Pimain.Left, w.Pimain.Top, w.Pimain.Width, w.Pimain.Height);
  board_->on_press = [this](int button, float x, float y) {
    Dispatch([=](Game& g) { Pimain_MouseDown(g, static_cast<Integer>(button), x, y); });
  };
  board_->on_release = [this] { Dispatch([](Game& g) { Pimain_MouseUp(g); }); };

  const QFont word_font = GameFont(QStringLiteral("ＭＳ ゴシック"), 12);
  for (int i = 1; i <= 90; ++i) {
    for (int which = 0; which < 2; ++which) {
      auto* label = new GameLabel(background_);
      const LabelView& view = which == 0 ? w.La(i) : w.La2(i);
      label->setObjectName(QStringLiteral("%1_%2").arg(which == 0 ? "La" : "La2").arg(i));
      label->setFont(word_font);
      label->setGeometry(view.Left, view.Top, view.Width, view.Height);
      label->setContextMenuPolicy(Qt::PreventContextMenu);
      label->hide();
      const auto index = static_cast<Integer>(i);
      using Handler = void (*)(Game&, Integer, Integer);
      const Handler down = which == 0 ? La_MouseDown : La2_MouseDown;
      const Handler up = which == 0 ? La_MouseUp : La2_MouseUp;
      label->on_press = [this, index, down](int b) {
        Dispatch([=](Game& g) { down(g, index, static_cast<Integer>(b)); });
      };
      label->on_release = [this, index, up](int b) {
        Dispatch([=](Game& g) { up(g, index, static_cast<Integer>(b)); });
      };
      (which == 0 ? la_ : la2_).push_back(label);
      (which == 0 ? la_shown_ : la2_shown_).push_back(view);
    }
  }

  const QFont score_font = GameFont(QStringLiteral("ＭＳ ゴシック"), 18);
  const LabelView* lg_design[3] = {&w.Lg1, &w.Lg2, &w.Lg3};
  for (int k = 0; k < 3; ++k) {
    lg_[k] = new GameLabel(background_);
    lg_[k]->setObjectName(QStringLiteral("Lg%1").arg(k + 1));
    lg_[k]->setFont(score_font);
    lg_[k]->setGeometry(lg_design[k]->Left, lg_design[k]->Top, lg_design[k]->Width,
                        lg_design[k]->Height);
    lg_[k]->hide();
    lg_shown_[k] = *lg_design[k];
  }

  auto* coc = new QPushButton(QStringLiteral("Cleaｒ"), background_);
  coc->setObjectName(QStringLiteral("Coc"));
  buttons_.emplace_back(coc, QRect(16, 272, 73, 41));
  connect(coc, &QPushButton::clicked, this, [this] { Dispatch(Coc_Click); });
  const struct {
    const char* caption;
    QRect rect;
  } co[4] = {{"←", {152, 296, 49, 25}},
             {"→", {200, 296, 49, 25}},
             {"↑", {176, 272, 49, 25}},
             {"↓", {176, 320, 49, 25}}};
  for (int d = 0; d < 4; ++d) {
    auto* b = new QPushButton(QString::fromUtf8(co[d].caption), background_);
    b->setObjectName(QStringLiteral("Co_%1").arg(d));
    buttons_.emplace_back(b, co[d].rect);
    connect(b, &QPushButton::clicked, this,
            [this, d] { Dispatch([d](Game& g) { Co_Click(g, static_cast<Integer>(d)); }); });
  }

  for (int i = 0; i < 3; ++i) {
    picgra_[i] = new QLabel(background_);
    picgra_[i]->setObjectName(QStringLiteral("PicGra_%1").arg(i));
    picgra_shown_[i] = w.PicGra(i);
    picgra_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
    picgra_[i]->hide();
  }
  piccheck_ = new QLabel(background_);
  piccheck_->setObjectName(QStringLiteral("PicCheck"));
  piccheck_->setGeometry(w.PicCheck.Left, w.PicCheck.Top, w.PicCheck.Width, w.PicCheck.Height);
  piccheck_->hide();  // never shown: its size is the board check's business
  text1_ = new QLineEdit(background_);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setGeometry(0, 0, 57, 41);
  text1_->hide();
}

void MainWindow::Attach(Game* game) {
  game_ = game;
  Sync(game->s);
}

void MainWindow::StartKeyPoll() {
  polling_ = true;
  UpdateKeyPoll();
}

void MainWindow::UpdateKeyPoll() {
  // The arrow keys only ever move an existing selection, so with none the
  // poll would find nothing to do: the timer sleeps and an idle game costs
  // nothing.
  const GameState& s = game_->s;
  const bool wanted = polling_ && s.SelectedIndex >= 1 && s.SelectedIndex <= s.WordCount;
  if (wanted && !key_timer_.isActive()) key_timer_.start();
  if (!wanted && key_timer_.isActive()) key_timer_.stop();
}

void MainWindow::Dispatch(const std::function<void(Game&)>& handler) {
  if (!game_) return;
  ++depth_;
  handler(*game_);
  --depth_;
  DrawBoard(*game_);
  UpdateKeyPoll();
}

void MainWindow::PollKeysOnce() {
  // The main loop polls only between handlers: while a handler (or a box it
  // opened) runs, the loop is suspended inside it. An open menu holds the
  // loop too, so arrows used in a menu don't also move the selection.
  if (!game_ || depth_ > 0 || QApplication::activePopupWidget()) return;
  const Long before = game_->s.SelectedIndex;
  ++depth_;
  PollKeys(*game_);
  --depth_;
  const bool moved = game_->s.SelectedIndex != before;
  if (moved) DrawBoard(*game_);
  key_timer_.setInterval(moved ? kKeyPollBusyMs : kKeyPollIdleMs);
  UpdateKeyPoll();
}

QSize MainWindow::FrameMargins() const {
  return frameGeometry().size() - size();
}

void MainWindow::FitOuterSize() {
  margins_ = FrameMargins();
  const QSize inside = outer_ - margins_;
  if (inside == size()) return;
  // Qt reports a size at once and again when the window manager has done
  // it, and one asked before the frame was known may arrive after a later
  // one: the last few are known as the game's own, not the player's.
  if (requested_.size() == 4) requested_.erase(requested_.begin());
  requested_.push_back(inside);
  resize(inside);
}

void MainWindow::AddZoomKeys(QList<QKeySequence> keys, double (*step)(double)) {
  auto* a = new QAction(this);
  a->setShortcuts(keys);
  connect(a, &QAction::triggered, this, [this, step] {
    const double z = step(zoom_);
    // Zooming in stops at the largest step at which the window fits.
    if (z > zoom_ && FittingZoom(z, design_outer_, AvailableGeometry().size()) != z) return;
    SetZoom(z);
  });
  addAction(a);
}

void MainWindow::SetZoom(double z) {
  z = std::clamp(z, kZoomSteps[0], kMaxZoom);
  if (z != wanted_zoom_) {
    wanted_zoom_ = z;
    StoreZoom(z);
  }
  Refit();
}

QRect MainWindow::AvailableGeometry() const {
  return screen()->availableGeometry();
}

double MainWindow::DialogZoom(QSize design) const {
  return FittingZoom(zoom_, design, AvailableGeometry().size() - FrameMargins());
}

void MainWindow::Refit() {
  if (design_outer_.isEmpty()) return;  // no size set yet
  const QRect screen = AvailableGeometry();
  // The size the logic sets is the outer one, frame included.
  const double z = FittingZoom(wanted_zoom_, design_outer_, screen.size());
  if (z != zoom_) {
    zoom_ = z;
    ApplyZoom();
  }
  outer_ = Zoomed(design_outer_, zoom_);
  FitOuterSize();
  if (!isVisible()) return;  // the window manager places it
  // Grown at its top-left corner, the window may reach past the screen's
  // edge: it moves back in, as far as it fits.
  const QPoint at = pos();
  const QPoint in(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - outer_.width())),
                  std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - outer_.height())));
  if (in != at) move(in);
}

void MainWindow::ApplyZoom() {
  const double z = zoom_;
  background_->setFont(GameFont(QStringLiteral("ＭＳ ゴシック"), 9 * z));
  const GameState design;
  const PictureView& pimain = design.Formain.Pimain;
  board_->move(Zoomed(QRect(pimain.Left, pimain.Top, 1, 1), z).topLeft());
  board_->SetZoom(z);
  for (const auto& [button, rect] : buttons_) button->setGeometry(Zoomed(rect, z));
  const QFont words = GameFont(QStringLiteral("ＭＳ ゴシック"), 12 * z);
  for (std::size_t i = 0; i < la_.size(); ++i) {
    for (auto [label, shown] : {std::pair{la_[i], &la_shown_[i]}, {la2_[i], &la2_shown_[i]}}) {
      label->setFont(words);
      label->setGeometry(Zoomed(QRect(shown->Left, shown->Top, shown->Width, shown->Height), z));
    }
  }
  const QFont scores = GameFont(QStringLiteral("ＭＳ ゴシック"), 18 * z);
  for (int k = 0; k < 3; ++k) {
    const LabelView& v = lg_shown_[k];
    lg_[k]->setFont(scores);
    lg_[k]->setGeometry(Zoomed(QRect(v.Left, v.Top, v.Width, v.Height), z));
  }
  const QPixmap icon = windowIcon().pixmap(Zoomed(QSize(48, 48), z));
  for (int i = 0; i < 3; ++i) {
    const PictureView& p = picgra_shown_[i];
    picgra_[i]->setPixmap(icon);
    picgra_[i]->setGeometry(Zoomed(QRect(p.Left, p.Top, p.Width, p.Height), z));
  }
}

bool MainWindow::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  const QEvent::Type type = event->type();
  // Qt learns the frame only once the window manager has put one around the
  // shown window; then the size is fitted again so the outer size holds.
  const bool ours = std::find(requested_.begin(), requested_.end(), size()) != requested_.end();
  if ((type == QEvent::Move || type == QEvent::Resize) && FrameMargins() != margins_) {
    FitOuterSize();
  } else if (type == QEvent::Resize && !ours && frameGeometry().size() != outer_) {
    // Resized by hand (or by the window manager): the zoom becomes the
    // largest at which the design fits; the rest is background.
    outer_ = frameGeometry().size();
    const double z = FitZoom(outer_, design_outer_);
    if (z != zoom_) {
      zoom_ = wanted_zoom_ = z;
      StoreZoom(z);
      ApplyZoom();
    }
  }
  return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!game_) return event->accept();
  Integer cancel = 0;
  Dispatch([&cancel](Game& g) { Form_Unload(g, cancel); });
  if (cancel != 0)
    event->ignore();
  else
    event->accept();
}

void MainWindow::SyncLabel(GameLabel* label, const LabelView& view, LabelView& shown) {
  if (view.Caption != shown.Caption) label->setText(view.Caption);
  if (view.Left != shown.Left || view.Top != shown.Top || view.Width != shown.Width ||
      view.Height != shown.Height)
    label->setGeometry(Zoomed(QRect(view.Left, view.Top, view.Width, view.Height), zoom_));
  if (view.ForeColor != shown.ForeColor) SetTextColour(label, view.ForeColor);
  label->SetOutline(OutlineFor(ToQColor(view.ForeColor), ToQColor(back_color_)));
  if (view.Visible != label->isVisibleTo(label->parentWidget())) label->setVisible(view.Visible);
  shown = view;
}

void MainWindow::Sync(const GameState& s) {
  const MainWindowState& w = s.Formain;
  if (w.OuterSizeSets != outer_sets_) {
    outer_sets_ = w.OuterSizeSets;
    design_outer_ = QSize(w.WidthTwips / kTwipsPerPixel, w.HeightTwips / kTwipsPerPixel);
    Refit();
  }
  if (w.BackColor != back_color_) {
    back_color_ = w.BackColor;
    QPalette pal = background_->palette();
    pal.setColor(QPalette::Window, ToQColor(w.BackColor));
    background_->setPalette(pal);
  }
  for (int i = 1; i <= 90; ++i) {
    SyncLabel(la(i), w.La(i), la_shown_[static_cast<std::size_t>(i - 1)]);
    SyncLabel(la2(i), w.La2(i), la2_shown_[static_cast<std::size_t>(i - 1)]);
  }
  const LabelView* lg[3] = {&w.Lg1, &w.Lg2, &w.Lg3};
  for (int k = 0; k < 3; ++k) SyncLabel(lg_[k], *lg[k], lg_shown_[k]);
  for (int i = 0; i < 3; ++i) {
    const PictureView& p = w.PicGra(i);
    const QPoint at = Zoomed(QRect(p.Left, p.Top, 1, 1), zoom_).topLeft();
    if (picgra_[i]->pos() != at) picgra_[i]->move(at);
    if (p.Visible != picgra_[i]->isVisibleTo(background_)) {
      picgra_[i]->setVisible(p.Visible);
      if (p.Visible) picgra_[i]->raise();
    }
    picgra_shown_[i] = p;
  }
  if (piccheck_->width() != w.PicCheck.Width || piccheck_->height() != w.PicCheck.Height)
    piccheck_->resize(w.PicCheck.Width, w.PicCheck.Height);
  if (text1_->text() != w.Text1) text1_->setText(w.Text1);
  for (const char* name : {"上書き保存する", "名前が付いて保存", "すべてクリア"})
    actions_.at(QString::fromUtf8(name))->setEnabled(w.MenusEnabled);
  move_menu_->menuAction()->setEnabled(w.MenusEnabled);
}

}  // namespace numera
