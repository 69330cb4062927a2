#include "play/board_check.h"

#include <vector>

namespace numera {

namespace {

enum class Pixel { kWhite, kBlack, kRed };

// The work picture of the check, one pixel per cell: black a letter, red an
// end mark, white an empty cell. Sized (N + 2) x (N + 2).
class CheckPicture {
 public:
  explicit CheckPicture(int n) : side_(n + 2), pixels_(static_cast<std::size_t>(side_ * side_)) {}
  void FillWhite() { std::fill(pixels_.begin(), pixels_.end(), Pixel::kWhite); }
  Pixel& At(int px, int py) { return pixels_[static_cast<std::size_t>(py * side_ + px)]; }

 private:
  int side_;
  std::vector<Pixel> pixels_;
};

const QString kCross = QStringLiteral("×");

bool IsLetter(const QString& cell) {
  return !cell.isEmpty() && cell != kCross;
}

// SAIKR's picture lives only for the duration of one check.
CheckPicture* g_picture = nullptr;

}  // namespace

void SAIKR(GameState& s, int x, int y) {
  const int n = s.BoardSize;
  CheckPicture& pic = *g_picture;
  s.CheckFlag(x, y) = 1;
  s.CheckCount = static_cast<Integer>(s.CheckCount + 1);
  if (x + 1 <= n - 1 && s.CheckFlag(x + 1, y) == 0 && pic.At(x + 1, y) == Pixel::kBlack)
    SAIKR(s, x + 1, y);
  if (y + 1 <= n - 1 && s.CheckFlag(x, y + 1) == 0 && pic.At(x, y + 1) == Pixel::kBlack)
    SAIKR(s, x, y + 1);
  if (x != 0 && s.CheckFlag(x - 1, y) == 0 && pic.At(x - 1, y) == Pixel::kBlack) SAIKR(s, x - 1, y);
  if (y != 0 && s.CheckFlag(x, y - 1) == 0 && pic.At(x, y - 1) == Pixel::kBlack) SAIKR(s, x, y - 1);
}

void BCheck(GameState& s) {
  const int n = s.BoardSize;
  s.NoRecord = 0;
  s.CheckCount = 0;
  int letters = 0;
  int lastX = 0, lastY = 0;
  CheckPicture pic(n);
  g_picture = &pic;

  // Connectivity: one pixel per cell, letters black.
  pic.FillWhite();
  for (int y = 0; y <= n - 1; ++y) {
    for (int x = 0; x <= n - 1; ++x) {
      s.CheckFlag(x, y) = 0;
      if (IsLetter(s.Board(x, y))) {
        pic.At(x, y) = Pixel::kBlack;
        ++letters;
        lastX = x;
        lastY = y;
      }
    }
  }
  if (n > 0) SAIKR(s, lastX, lastY);
  if (s.CheckCount < letters) s.NoRecord = 1;

  // Run ends: the picture shifted by one so the ring fits.
  pic.FillWhite();
  for (int y = -1; y <= n; ++y) {
    for (int x = -1; x <= n; ++x) {
      const QString& cell = s.Board(x, y);
      if (IsLetter(cell)) pic.At(x + 1, y + 1) = Pixel::kBlack;
      if (cell == kCross) pic.At(x + 1, y + 1) = Pixel::kRed;
    }
  }
  auto badRun = [](Pixel a, Pixel b, Pixel c) {
    const Pixel W = Pixel::kWhite, B = Pixel::kBlack;
    return (a == W && b == B && c == B) || (a == B && b == B && c == W);
  };
  for (int y = 0; y <= n - 1; ++y)
    for (int x = -1; x <= n - 2; ++x)
      if (badRun(pic.At(x + 1, y + 1), pic.At(x + 2, y + 1), pic.At(x + 3, y + 1))) s.NoRecord = 1;
  for (int x = 0; x <= n - 1; ++x)
    for (int y = -1; y <= n - 2; ++y)
      if (badRun(pic.At(x + 1, y + 1), pic.At(x + 1, y + 2), pic.At(x + 1, y + 3))) s.NoRecord = 1;
  g_picture = nullptr;
}

}  // namespace numera
