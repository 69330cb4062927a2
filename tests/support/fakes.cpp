#include "tests/support/fakes.h"

#include <cmath>
#include <string>

namespace numera::testing {

int ScriptedMessageHost::Show(const MessageBoxRequest& box) {
  boxes.push_back(box);
  if (on_show) on_show(box);
  if (answers_.empty()) {
    if (always_first_) return 0;
    throw std::runtime_error("unexpected message box: " + box.Message.toStdString());
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  if (a.Caption.isEmpty()) {
    if (a.Index < 0 || a.Index >= box.Count)
      throw std::runtime_error("no button " + std::to_string(a.Index) +
                               " in: " + box.Message.toStdString());
    return a.Index;
  }
  const int index = static_cast<int>(box.Captions.indexOf(a.Caption));
  if (index < 0) {
    throw std::runtime_error("no button \"" + a.Caption.toStdString() +
                             "\" in: " + box.Message.toStdString() + " [" +
                             box.Captions.join("|").toStdString() + "]");
  }
  return index;
}

QStringList ScriptedMessageHost::Messages() const {
  QStringList out;
  for (const auto& b : boxes) out << b.Message;
  return out;
}

QStringList ScriptedMessageHost::Titles() const {
  QStringList out;
  for (const auto& b : boxes) out << b.Title;
  return out;
}

const RecordingCanvas::PrintRec* RecordingCanvas::PrintAt(int x, int y, int n) const {
  const double px = (width - 1.0) * x / n + 1;
  const double py = (width - 1.0) * y / n + 1;
  for (const auto& p : prints)
    if (std::abs(p.X - px) < 1e-9 && std::abs(p.Y - py) < 1e-9) return &p;
  return nullptr;
}

void TestGame::LoadWords(int n, const QStringList& words) {
  s.BoardSize = static_cast<Integer>(n);
  s.WordCount = static_cast<Integer>(words.size());
  int longest = 0;
  for (int i = 1; i <= s.WordCount; ++i) {
    s.Words(i) = words[i - 1];
    s.WordPoints(i) = 10 * i;
    s.Formain.La(i).Caption = words[i - 1];
    s.Formain.La(i).Visible = true;
    s.Formain.La2(i).Visible = true;
    longest = std::max(longest, static_cast<int>(words[i - 1].size()));
  }
  s.MaxWordLength = static_cast<Integer>(longest);
  s.Formain.MenusEnabled = true;
}

}  // namespace numera::testing
