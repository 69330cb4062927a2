#include "workshop/word_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "workshop/word_list.h"

namespace numera::workshop {

namespace {

constexpr Long kMostUsualPoints = 9999;

bool Hiragana(char16_t c) {
  return QChar::script(c) == QChar::Script_Hiragana;
}

bool Katakana(char16_t c) {
  return QChar::script(c) == QChar::Script_Katakana;
}

// 「ねこ」、「いぬ」, each text with what follows it.
template <typename Note>
QString Named(const std::vector<Word>& words, Note note) {
  QStringList out;
  for (const Word& w : words) out << QStringLiteral("「%1」").arg(FromU16(w.Text)) + note(w);
  return out.join(QStringLiteral("、"));
}

}  // namespace

QString WordNames(const std::vector<Word>& words) {
  return Named(words, [](const Word&) { return QString(); });
}

std::vector<Word> Screened::Left() const {
  std::vector<Word> left = TooLong;
  left.insert(left.end(), Unshared.begin(), Unshared.end());
  return left;
}

Screened Screen(const std::vector<Word>& words, int boardSize) {
  Screened s;
  std::set<std::u16string> seen;
  std::vector<Word> once;
  for (const Word& w : words) (seen.insert(w.Text).second ? once : s.Repeated).push_back(w);
  std::vector<Word> fitting;
  for (const Word& w : once)
    (static_cast<int>(w.Text.size()) > boardSize ? s.TooLong : fitting).push_back(w);
  // How many of the words hold each letter.
  std::map<char16_t, int> holders;
  for (const Word& w : fitting)
    for (const char16_t c : std::set<char16_t>(w.Text.begin(), w.Text.end())) ++holders[c];
  for (const Word& w : fitting) {
    const bool shares = std::any_of(w.Text.begin(), w.Text.end(),
                                    [&holders](char16_t c) { return holders[c] > 1; });
    (shares || fitting.size() == 1 ? s.Kept : s.Unshared).push_back(w);
  }
  return s;
}

QString RepeatNames(const std::vector<Word>& repeated) {
  std::map<std::u16string, int> times;
  for (const Word& w : repeated) ++times[w.Text];
  std::vector<Word> named;
  for (const Word& w : repeated)
    if (std::none_of(named.begin(), named.end(), [&w](const Word& n) { return n.Text == w.Text; }))
      named.push_back(w);
  return Named(named, [&times](const Word& w) {
    return QStringLiteral("（%1 回）").arg(times[w.Text] + 1);
  });
}

QStringList ScreenProblems(const Screened& s, int boardSize) {
  QStringList lines;
  if (!s.Repeated.empty()) lines << QStringLiteral("2 回以上ある単語: ") + RepeatNames(s.Repeated);
  if (!s.TooLong.empty())
    lines << QStringLiteral("%1 × %1 の盤より長い単語: ").arg(boardSize) +
                 Named(s.TooLong, [](const Word& w) {
                   return QStringLiteral("（%1 文字）").arg(w.Text.size());
                 });
  if (!s.Unshared.empty())
    lines << QStringLiteral("ほかのどの単語とも同じ文字がなく、交われない単語: ") +
                 WordNames(s.Unshared);
  return lines;
}

QString RoomProblem(const std::vector<Word>& words, int boardSize) {
  const long room = 2L * boardSize * (boardSize + 1);
  std::vector<long> cells;
  for (const Word& w : words) cells.push_back(static_cast<long>(w.Text.size()) + 1);
  long total = 0;
  for (const long c : cells) total += c;
  if (total <= room) return {};
  std::sort(cells.begin(), cells.end(), std::greater<>());
  int fewer = 0;
  for (long left = total; left > room; left -= cells[static_cast<std::size_t>(fewer++)]) {
  }
  return QStringLiteral(
             "%1 語の文字とそれぞれの後ろの区切りで %2 マスですが、%3 × %3 の盤の横と縦の並びには"
             "合わせて %4 マスしかありません。少なくとも %5 語減らしてください。")
      .arg(words.size())
      .arg(total)
      .arg(boardSize)
      .arg(room)
      .arg(fewer);
}

QStringList WordWarnings(const std::vector<Word>& words) {
  auto any = [](const Word& w, auto test) {
    return std::any_of(w.Text.begin(), w.Text.end(), test);
  };
  std::vector<Word> other, low, high;
  int hiraganaOnly = 0, katakanaOnly = 0;
  for (const Word& w : words) {
    const bool hira = any(w, Hiragana), kata = any(w, Katakana);
    hiraganaOnly += hira && !kata ? 1 : 0;
    katakanaOnly += kata && !hira ? 1 : 0;
    if (any(w, [](char16_t c) { return !Hiragana(c) && !Katakana(c) && c != u'ー'; }))
      other.push_back(w);
    if (w.Points <= 0) low.push_back(w);
    if (w.Points > kMostUsualPoints) high.push_back(w);
  }
  // In a list mostly of one kana, the words holding the other.
  const bool hiraganaList = hiraganaOnly >= katakanaOnly;
  std::vector<Word> odd;
  for (const Word& w : words)
    if (any(w, hiraganaList ? Katakana : Hiragana)) odd.push_back(w);
  QStringList lines;
  if (!other.empty())
    lines << QStringLiteral("注意: ひらがなとカタカナのほかの文字がある単語: ") + WordNames(other);
  if (!odd.empty() && (hiraganaList ? hiraganaOnly : katakanaOnly) > 0)
    lines << (hiraganaList ? QStringLiteral("注意: ひらがなの一覧の中の、カタカナのある単語: ")
                           : QStringLiteral("注意: カタカナの一覧の中の、ひらがなのある単語: ")) +
                 WordNames(odd);
  auto points = [](const Word& w) { return QStringLiteral("（%1点）").arg(w.Points); };
  if (!low.empty()) lines << QStringLiteral("注意: 点数が 0 以下の単語: ") + Named(low, points);
  if (!high.empty())
    lines << QStringLiteral("注意: 点数が %1 を超える単語: ").arg(kMostUsualPoints) +
                 Named(high, points);
  return lines;
}

}  // namespace numera::workshop
