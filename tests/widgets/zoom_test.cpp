// The view's zoom (presses, window sizes, kept between starts, fitted to the
// screen) and text that can be read at every size and on every background.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QScreen>
#include <QSettings>

#include "core/draw_board.h"
#include "files/open_puzzle.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::GameWindow;

// The cell a press at a point of the board picture lands on: with no word
// selected, the press lights that cell up (and the release puts it out).
std::pair<int, int> CellPressedAt(GameWindow& gw, QPointF at) {
  std::pair<int, int> cell{-1, -1};
  for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                      std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
    QMouseEvent event(type, at, at, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(gw.w.board(), &event);
    for (int y = 0; y < gw.t.s.BoardSize; ++y)
      for (int x = 0; x < gw.t.s.BoardSize; ++x)
        if (gw.t.s.CellFlag(x, y) == 2) cell = {x, y};
  }
  return cell;
}

TEST(Zoom, APressLandsOnTheSameCellAtEveryZoomEdgesIncluded) {
  for (const int n : {10, 30}) {  // cell edges on whole pixels, and between them
    GameWindow gw;
    gw.t.LoadWords(n, {"あ"});
    DrawBoard(gw.g);
    auto pressesAt = [&gw](double z) {
      std::vector<std::pair<int, int>> cells;
      for (int p = 0; p <= 251; ++p) cells.push_back(CellPressedAt(gw, QPointF(p, p) * z));
      return cells;
    };
    const auto atDesign = pressesAt(1);
    for (const double z : kZoomSteps) {
      gw.w.SetZoom(z);
      EXPECT_EQ(pressesAt(z), atDesign) << n << " x " << n << " at zoom " << z;
    }
  }
}

TEST(Zoom, TheWindowTakesItsDesignSizeTimesTheZoomAndASizeMadeByHandPicksTheZoom) {
  const QString puzzle = QStringLiteral(NUMERA_BUILD_DIR "/doubutsu.mlt");  // 5900 x 8080 twips
  GameWindow gw;
  for (const auto& [z, size] : {std::pair{1.0, QSize(393, 538)}, std::pair{1.5, QSize(590, 807)},
                                std::pair{2.0, QSize(786, 1076)}}) {
    gw.w.SetZoom(z);
    ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
    EXPECT_EQ(gw.w.size(), size) << z;
    // The word list stands where the logic laid it out, points beside words.
    for (int i = 1; i <= gw.t.s.WordCount; ++i)
      for (const auto& [label, v] : {std::pair{gw.w.la(i), gw.t.s.Formain.La(i)},
                                     std::pair{gw.w.la2(i), gw.t.s.Formain.La2(i)}})
        EXPECT_EQ(label->geometry(), Zoomed(QRect(v.Left, v.Top, v.Width, v.Height), z)) << i;
  }
  gw.w.show();
  const QSize frame = gw.w.frameGeometry().size() - gw.w.size();
  gw.w.resize(QSize(1000, 1000) - frame);  // by hand: the height decides, the rest is background
  EXPECT_DOUBLE_EQ(gw.w.zoom(), 1000 / 538.0);
  EXPECT_EQ(gw.w.board()->size(), QSize(467, 467));
  EXPECT_NEAR(gw.win.ScaleWidth(), (1000 - frame.width()) / gw.w.zoom(), 1);  // design pixels
  // Every open sets the size again, at the zoom the player chose.
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  EXPECT_EQ(gw.w.frameGeometry().size(), QSize(730, 1000));
  EXPECT_EQ(MainWindow().zoom(), gw.w.zoom());  // what the next start finds
}

TEST(Zoom, CtrlPlusAndMinusStepThroughTheStepsFromAnyZoom) {
  const struct {
    double (*step)(double);
    double from, to;
  } cases[] = {{ZoomIn, 1, 1.25},  {ZoomIn, 1.43, 1.5},   {ZoomIn, 2.5, 3},  {ZoomIn, 3, 3},
               {ZoomIn, 3.5, 3.5}, {ZoomOut, 1.43, 1.25}, {ZoomOut, 2, 1.5}, {ZoomOut, 1, 1}};
  for (const auto& c : cases) EXPECT_EQ(c.step(c.from), c.to) << c.from;
}

TEST(Zoom, AWindowTooLargeForTheScreenTakesTheLargestStepBelowThatFitsButNeverLessThanOne) {
  const struct {
    double wanted;
    QSize design, available;
    double shown;
  } cases[] = {
      {3, {393, 538}, {1366, 768}, 1.25},  // 10 x 10 with its frame: 1.5 would be 807 high
      {1.25, {393, 538}, {1366, 768}, 1.25},
      {1.43, {393, 538}, {1366, 768}, 1.25},      // a zoom made by hand is lowered to a step
      {1.4275, {393, 538}, {1366, 768}, 1.4275},  // ... unless it fits: 768 high exactly
      {2, {393, 538}, {1920, 1080}, 2},
      {3, {811, 538}, {1920, 1080}, 2},        // 30 x 30, 90 words: 2.5 would be 2028 wide
      {3, {484, 62}, {1366, 768}, 2.5},        // the long start-up box
      {2.5, {484, 62}, {1210, 155}, 2.5},      // exactly as large as the screen
      {3, {372, 276}, {1366, 768 - 25}, 2.5},  // the settings window, less a title bar
      {2, {1216, 807}, {1366, 768}, 1},        // too large even at the design size: stays at it
  };
  for (const auto& c : cases)
    EXPECT_EQ(FittingZoom(c.wanted, c.design, c.available), c.shown)
        << c.wanted << " " << c.design.width() << " x " << c.design.height();
}

// The offscreen screen is 2560 x 1600; doubutsu's window is 538 high at zoom
// 1, 1345 at 2.5, 1614 at 3.
TEST(Zoom, ZoomingInStopsWhereTheWindowFitsAndAStoredZoomTooLargeIsLoweredForTheRunOnly) {
  const QString puzzle = QStringLiteral(NUMERA_BUILD_DIR "/doubutsu.mlt");
  GameWindow gw;
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  gw.w.show();
  gw.w.move(2400, 1500);  // grown at its corner, it must come back inside
  QApplication::processEvents();
  QAction* zoom_in = nullptr;
  for (QAction* a : gw.w.actions())
    if (a->shortcuts().contains(QKeySequence::ZoomIn)) zoom_in = a;
  ASSERT_NE(zoom_in, nullptr);
  for (int press = 0; press < 5; ++press) zoom_in->trigger();
  QApplication::processEvents();
  EXPECT_EQ(gw.w.zoom(), 2.5);
  EXPECT_EQ(StoredZoom(), 2.5);
  const QRect screen = gw.w.screen()->availableGeometry();
  EXPECT_EQ(gw.w.frameGeometry().size(), QSize(983, 1345));
  EXPECT_EQ(gw.w.frameGeometry().bottomRight(), screen.bottomRight());
  EXPECT_EQ(gw.w.DialogZoom(QSize(484, 62)), 2.5);  // a box takes the window's zoom
  EXPECT_EQ(gw.w.DialogZoom(QSize(1200, 62)), 2);   // unless it would not fit

  // A stored zoom out of range (the settings file edited by hand) is brought in.
  for (const auto& [stored, shown] :
       {std::pair<QVariant, double>{0.5, 1.0}, {9.0, kMaxZoom}, {"big", 1.0}}) {
    QSettings(QStringLiteral("numera"), QStringLiteral("numera")).setValue("zoom", stored);
    EXPECT_EQ(MainWindow().zoom(), shown) << stored.toString().toStdString();
  }
  StoreZoom(3);
  MainWindow again;
  EXPECT_EQ(again.zoom(), 3);  // the narrow strip fits
  GameState s;
  s.Formain.WidthTwips = 5900;  // doubutsu's size
  s.Formain.HeightTwips = 8080;
  s.Formain.OuterSizeSets = 1;
  again.Sync(s);
  EXPECT_EQ(again.zoom(), 2.5);
  EXPECT_EQ(StoredZoom(), 3);
}

TEST(ReadableText, BoardLettersKeepTheirDesignSizeWhereReadableElseFillTheirCells) {
  const struct {
    const char* puzzle;
    double zoom;
    int least, most;  // letter pixels on the screen
  } cases[] = {
      {"doubutsu.mlt", 1, 20, 20},  // 10 x 10: 15 points by design
      {"tabemono.mlt", 1, 15, 15},  // 15 x 15: 11.25 points
      {"nihongo.mlt", 1, 6, 8},     // 30 x 30: no size by design; the cell is 8 pixels
      {"nihongo.mlt", 2, 11, 16},   // a cell of 16 pixels: dakuten can be read
  };
  for (const auto& c : cases) {
    GameWindow gw;
    gw.w.SetZoom(c.zoom);
    ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, QStringLiteral(NUMERA_BUILD_DIR "/") + c.puzzle));
    EXPECT_GE(gw.w.board()->letter_pixels(), c.least) << c.puzzle << " " << c.zoom;
    EXPECT_LE(gw.w.board()->letter_pixels(), c.most) << c.puzzle << " " << c.zoom;
  }
}

TEST(ReadableText, LabelsGetAnOutlineOnlyWhereTheBackgroundSwallowsThem) {
  const std::optional<QColor> none, black = QColor(Qt::black), white = QColor(Qt::white);
  const struct {
    Colour text, back;
    QColor shown;  // the text's own colour, kept
    std::optional<QColor> outline;
  } cases[] = {
      {colour::kBlack, 0x400000, QColor(0, 0, 0), white},              // 夜空
      {colour::kBlack, 0x800080, QColor(0, 0, 0), white},              // 紫
      {colour::kBlack, 0x008000, QColor(0, 0, 0), none},               // the standard green
      {colour::kWhite, 0x008000, QColor(255, 255, 255), none},         // a placed word
      {colour::kLightBlue, 0x400000, QColor(0x80, 0x80, 0xFF), none},  // selected, at night
      {colour::kRed, 0x008000, QColor(255, 0, 0), black},              // NOW: when incomplete
      {colour::kWhite, 0x19F0F0, QColor(255, 255, 255), black},        // a light random one
  };
  testing::EnsureApp();
  MainWindow w;
  GameState s;
  auto* lg2 = w.findChild<GameLabel*>(QStringLiteral("Lg2"));
  for (const auto& c : cases) {
    s.Formain.Lg2 = LabelView{"NOW:120", 8, 376, 241, 33, true, c.text};
    s.Formain.BackColor = c.back;
    w.Sync(s);
    EXPECT_EQ(lg2->text(), "NOW:120");
    EXPECT_TRUE(lg2->isVisibleTo(w.centralWidget()));
    EXPECT_EQ(lg2->palette().color(QPalette::WindowText), c.shown);
    EXPECT_EQ(lg2->outline(), c.outline) << std::hex << c.text << " on " << c.back;
    EXPECT_EQ(w.grab().toImage().pixelColor(w.centralWidget()->mapTo(&w, QPoint(3, 3))),
              ToQColor(c.back));
    // And it is painted: black letters with a light edge, or without.
    const QImage image = lg2->grab().toImage();
    int light = 0, top = image.height(), bottom = 0;  // the edge's rows: where QLabel prints
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) > 200) ++light, top = std::min(top, y), bottom = y;
    EXPECT_TRUE(c.text != colour::kBlack || (light > 20) == c.outline.has_value()) << light;
    EXPECT_TRUE(c.text != colour::kBlack || !c.outline || std::abs(top + bottom - 33) <= 4)
        << top << " to " << bottom;
  }
}

}  // namespace
}  // namespace numera
