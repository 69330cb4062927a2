#include "tests/support/walker.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <optional>
#include <stdexcept>

#include "core/draw_board.h"
#include "files/puzzle_file.h"

namespace numera::testing {

namespace {

using Snapshot = std::vector<std::pair<QString, QString>>;

QString ColourName(Colour c) {
  static const std::map<Colour, const char*> names{{colour::kBlack, "black"},
                                                   {colour::kWhite, "white"},
                                                   {colour::kRed, "red"},
                                                   {colour::kOrange, "orange"},
                                                   {colour::kGreen, "green"},
                                                   {colour::kYellow, "yellow"},
                                                   {colour::kLightBlue, "light blue"},
                                                   {colour::kNearWhite, "near white"}};
  const auto it = names.find(c);
  return it != names.end() ? QString::fromLatin1(it->second)
                           : QStringLiteral("%1").arg(c, 6, 16, QLatin1Char('0')).toUpper();
}

QString LabelText(const LabelView& l) {
  return QStringLiteral("\"%1\" at (%2, %3) %4×%5 %6, %7")
      .arg(l.Caption)
      .arg(l.Left)
      .arg(l.Top)
      .arg(l.Width)
      .arg(l.Height)
      .arg(l.Visible ? QStringLiteral("shown") : QStringLiteral("hidden"), ColourName(l.ForeColor));
}

QString FileText(const QByteArray& bytes) {
  if (bytes.size() > 64) {
    return QStringLiteral("%1 bytes, md5 %2")
        .arg(bytes.size())
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(12)));
  }
  return QStringLiteral("%1 bytes %2")
      .arg(bytes.size())
      .arg(QString::fromLatin1(bytes.toHex(' ')))
      .trimmed();
}

// The bytes a text was read with, where they are not what the text would
// be written as today.
QString BytesAsRead(const QString& text, const QByteArray& bytes) {
  if (bytes == EncodeCp932(text)) return QString();
  return QStringLiteral(" (read as %1)").arg(QString::fromLatin1(bytes.toHex(' ')));
}

template <typename T, typename Marked>
QString Cells(const CheckedGrid<T>& grid, Marked marked) {
  QStringList cells;
  for (int y = CheckedGrid<T>::kLo; y <= CheckedGrid<T>::kHi; ++y)
    for (int x = CheckedGrid<T>::kLo; x <= CheckedGrid<T>::kHi; ++x)
      if (marked(grid(x, y))) cells << QStringLiteral("(%1, %2)").arg(x).arg(y);
  return cells.join(' ');
}

// Where the printed board differs from the letters (the end marks as the
// cross setting draws them).
QString ShownOtherwise(const GameState& s) {
  QStringList cells;
  for (int y = -1; y <= 30; ++y)
    for (int x = -1; x <= 30; ++x)
      if (s.BoardShown(x, y) != s.Board(x, y))
        cells << QStringLiteral("(%1, %2) \"%3\"").arg(x).arg(y).arg(s.BoardShown(x, y));
  return cells.join(' ');
}

// Take() describes every field of the game state; this count goes up with a
// new field only together with its description there.
struct AnyField {
  template <typename U>
  operator U() const;
};
template <typename T, typename... Fields>
constexpr std::size_t FieldCount() {
  using Any = AnyField;
  if constexpr (requires { T{Fields{}..., Any{}}; })
    return FieldCount<T, Fields..., Any>();
  else
    return sizeof...(Fields);
}
static_assert(FieldCount<GameState>() == 42,
              "GameState has a new field: describe it in Take() and count it here");

Snapshot Take(const GameState& s) {
  Snapshot out;
  auto add = [&out](const QString& k, const QString& v) { out.emplace_back(k, v); };
  add(QStringLiteral("settings"), QStringLiteral("cross %1, background %2, font %3, messages %4")
                                      .arg(s.CrossKind)
                                      .arg(s.BackgroundKind)
                                      .arg(s.FontKind)
                                      .arg(s.MessageMode));
  QString switches;
  for (int i = 0; i <= 19; ++i) switches += QString::number(s.SoundSwitch(i)) + ' ';
  add(QStringLiteral("sound switches"), switches.trimmed());
  for (int k = 0; k <= 19; ++k) {
    if (!s.SoundData(k).startsWith("slot "))
      add(QStringLiteral("sound data %1").arg(k), QString::fromLatin1(s.SoundData(k).toHex(' ')));
  }
  add(QStringLiteral("puzzle"),
      QStringLiteral("board %1, %2 words, longest %3, version \"%4\", suffixes \"%5\" \"%6\" "
                     "(%7 and %8 bytes)")
          .arg(s.BoardSize)
          .arg(s.WordCount)
          .arg(s.MaxWordLength)
          .arg(s.FileVersion, s.CountSuffix, s.ScoreSuffix)
          .arg(s.SuffixLengths(0))
          .arg(s.SuffixLengths(1)));
  for (int i = 1; i <= 90; ++i) {
    if (s.Words(i).isEmpty() && s.WordPoints(i) == 0 && s.WordUsed(i) == 0 && s.WordX(i) == 0 &&
        s.WordY(i) == 0 && s.WordDir(i) == 0)
      continue;
    add(QStringLiteral("word %1").arg(i),
        QStringLiteral("\"%1\" %2 points, used %3 at (%4, %5) dir %6")
                .arg(s.Words(i))
                .arg(s.WordPoints(i))
                .arg(s.WordUsed(i))
                .arg(s.WordX(i))
                .arg(s.WordY(i))
                .arg(s.WordDir(i)) +
            BytesAsRead(s.Words(i), s.WordBytes(i)));
  }
  add(QStringLiteral("suffix bytes"), QStringLiteral("[%1] [%2]")
                                          .arg(QString::fromLatin1(s.CountSuffixBytes.toHex(' ')),
                                               QString::fromLatin1(s.ScoreSuffixBytes.toHex(' '))));
  add(QStringLiteral("selection"), QStringLiteral("%1 \"%2\" %3 points")
                                       .arg(s.SelectedIndex)
                                       .arg(s.SelectedWord)
                                       .arg(s.SelectedPoints));
  add(QStringLiteral("score"), QStringLiteral("placed %1, NOW %2, MAX %3, NoRecord %4")
                                   .arg(s.PlacedCount)
                                   .arg(s.Score)
                                   .arg(s.BestScore)
                                   .arg(s.NoRecord));
  const int n = std::min<int>(s.BoardSize, 30);
  if (n > 0) {
    QStringList rows;
    for (int y = -1; y <= n; ++y) {
      QString row;
      for (int x = -1; x <= n; ++x)
        row += s.Board(x, y).isEmpty() ? QStringLiteral("・") : s.Board(x, y);
      rows << row;
    }
    add(QStringLiteral("board, ring included"), rows.join('\n'));
  }
  QStringList flags;
  std::map<Colour, int> colours;
  for (int y = -1; y <= 30; ++y) {
    for (int x = -1; x <= 30; ++x) {
      if (s.CellFlag(x, y) != 0)
        flags << QStringLiteral("(%1, %2) %3").arg(x).arg(y).arg(s.CellFlag(x, y));
      if (s.CellColor(x, y) != 0) ++colours[s.CellColor(x, y)];
    }
  }
  add(QStringLiteral("cell highlights"), flags.join(QStringLiteral(", ")));
  add(QStringLiteral("board check"), QStringLiteral("%1 letters reached, marks at %2")
                                         .arg(s.CheckCount)
                                         .arg(Cells(s.CheckFlag, [](Byte b) { return b != 0; })));
  add(QStringLiteral("shown otherwise"), ShownOtherwise(s));
  QStringList colourText;
  for (const auto& [c, count] : colours)
    colourText << ColourName(c) + QStringLiteral(" ×%1").arg(count);
  add(QStringLiteral("rainbow colours"), colourText.join(QStringLiteral(", ")));
  add(QStringLiteral("fake word"), QString::number(s.FakeWordIndex));

  const MainWindowState& w = s.Formain;
  add(QStringLiteral("window"), QStringLiteral("%1 × %2 twips (set %3 times), background %4")
                                    .arg(w.WidthTwips)
                                    .arg(w.HeightTwips)
                                    .arg(w.OuterSizeSets)
                                    .arg(ColourName(w.BackColor)));
  add(QStringLiteral("fonts"), QStringLiteral("board %1 %2 pt, window %3")
                                   .arg(w.PimainFontName)
                                   .arg(w.PimainFontSize)
                                   .arg(w.FontName));
  add(QStringLiteral("puzzle commands"),
      w.MenusEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled"));
  const MainWindowState design;
  for (int i = 1; i <= 90; ++i) {
    for (const auto& [name, l, d] :
         {std::tuple{"La", w.La(i), design.La(i)}, std::tuple{"La2", w.La2(i), design.La2(i)}}) {
      if (LabelText(l) != LabelText(d))
        add(QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(i), LabelText(l));
    }
  }
  add(QStringLiteral("Lg1"), LabelText(w.Lg1));
  add(QStringLiteral("Lg2"), LabelText(w.Lg2));
  add(QStringLiteral("Lg3"), LabelText(w.Lg3));
  for (int i = 0; i <= 2; ++i) {
    const PictureView& p = w.PicGra(i);
    add(QStringLiteral("PicGra(%1)").arg(i), QStringLiteral("at (%1, %2) %3")
                                                 .arg(p.Left)
                                                 .arg(p.Top)
                                                 .arg(p.Visible ? "shown" : "hidden"));
  }
  add(QStringLiteral("PicCheck"),
      QStringLiteral("%1×%2").arg(w.PicCheck.Width).arg(w.PicCheck.Height));
  QString text1 = w.Text1;
  text1.replace(QStringLiteral("\r\n"), QStringLiteral("⏎"));
  add(QStringLiteral("status box"),
      QStringLiteral("\"%1\", caret %2").arg(text1).arg(w.Text1Caret));
  add(QStringLiteral("puzzle name"), s.PuzzleName);
  add(QStringLiteral("settings seen"), QString::number(s.SettingsSeen));
  add(QStringLiteral("message box"),
      QStringLiteral("last button %1, answered %2").arg(s.MsgResult).arg(s.MsgAnswered));

  if (!s.AppPath.isEmpty() && QDir(s.AppPath).exists()) {
    QDirIterator it(s.AppPath, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    std::map<QString, QString> files;
    while (it.hasNext()) {
      const QString path = it.next();
      QFile f(path);
      files[QDir(s.AppPath).relativeFilePath(path)] =
          f.open(QIODevice::ReadOnly) ? FileText(f.readAll()) : QStringLiteral("unreadable");
    }
    for (const auto& [name, text] : files) add(QStringLiteral("file ") + name, text);
  }
  return out;
}

QStringList Diff(const Snapshot& before, const Snapshot& after) {
  std::map<QString, QString> old(before.begin(), before.end());
  std::map<QString, QString> now(after.begin(), after.end());
  QStringList out;
  auto show = [&out](const QString& key, const QString& from, const QString& to) {
    if (to.contains('\n')) {
      out << key + ':';
      for (const QString& line : to.split('\n')) out << QStringLiteral("  ") + line;
    } else {
      out << QStringLiteral("%1: %2 → %3").arg(key, from, to);
    }
  };
  for (const auto& [key, value] : after) {
    const auto it = old.find(key);
    if (it == old.end())
      show(key, QStringLiteral("(none)"), value);
    else if (it->second != value)
      show(key, it->second, value);
  }
  for (const auto& [key, value] : before)
    if (!now.count(key)) show(key, value, QStringLiteral("(none)"));
  return out;
}

// What one run showed after its scripted answers: the events after the last
// answered box and the changes of state they made, then the next box or the
// end of the command.
struct Outcome {
  QStringList Events;
  QStringList Changes;
  std::optional<MessageBoxRequest> Next;
  bool operator==(const Outcome& o) const {
    return Events == o.Events && Changes == o.Changes && Next.has_value() == o.Next.has_value();
  }
};

// Repeated events are counted rather than listed.
QStringList Fold(const QStringList& log) {
  QStringList out;
  int repeat = 1;
  for (int i = 0; i < log.size(); ++i) {
    if (i + 1 < log.size() && log[i + 1] == log[i]) {
      ++repeat;
      continue;
    }
    out << (repeat > 1 ? QStringLiteral("%1 (×%2)").arg(log[i]).arg(repeat) : log[i]);
    repeat = 1;
  }
  return out;
}

// An icon flight is a hundred frames: the transcript gives their count, the
// first and last positions, the box they stay in and a checksum of them all,
// and counts what else happened meanwhile.
QStringList SummariseFlight(const QStringList& events) {
  const QString frame = QStringLiteral("window brought up to date, icons at ");
  qsizetype first = -1, last = -1, frames = 0;
  for (qsizetype i = 0; i < events.size(); ++i) {
    if (!events[i].startsWith(frame)) continue;
    if (first < 0) first = i;
    last = i;
    ++frames;
  }
  if (frames < 8) return events;
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  std::vector<std::pair<QString, int>> meanwhile;
  for (qsizetype i = first; i <= last; ++i) {
    if (!events[i].startsWith(frame)) {
      auto it = std::find_if(meanwhile.begin(), meanwhile.end(),
                             [&](const auto& m) { return m.first == events[i]; });
      if (it == meanwhile.end())
        meanwhile.emplace_back(events[i], 1);
      else
        ++it->second;
      continue;
    }
    static const QRegularExpression kPoint(QStringLiteral("\\((-?\\d+), (-?\\d+)\\)"));
    for (const auto& m : kPoint.globalMatch(events[i])) {
      left = std::min(left, m.captured(1).toInt()), right = std::max(right, m.captured(1).toInt());
      top = std::min(top, m.captured(2).toInt()), bottom = std::max(bottom, m.captured(2).toInt());
    }
  }
  const QByteArray span = events.mid(first, last - first + 1).join('\n').toUtf8();
  QStringList out = events.mid(0, first);
  out << QStringLiteral(
             "flight of %1 frames, icons from%2 to%3, within x %4..%5, y %6..%7, "
             "checksum %8")
             .arg(frames)
             .arg(events[first].mid(frame.size() - 1), events[last].mid(frame.size() - 1))
             .arg(left)
             .arg(right)
             .arg(top)
             .arg(bottom)
             .arg(QString::fromLatin1(
                 QCryptographicHash::hash(span, QCryptographicHash::Md5).toHex().left(8)));
  QStringList during;
  for (const auto& [text, count] : meanwhile)
    during << QStringLiteral("%1 ×%2").arg(text).arg(count);
  out << QStringLiteral("meanwhile: ") + during.join(QStringLiteral(", "));
  out << events.mid(last + 1);
  return out;
}

Outcome Run(const Scenario& sc, const std::vector<int>& answers) {
  QTemporaryDir dir;
  TestGame t;
  t.s.AppPath = dir.path();
  QDir(dir.path()).mkdir(QStringLiteral("Data"));
  if (sc.Setup) sc.Setup(t);
  DrawBoard(t.g);  // as the main loop does before every command
  for (int a : answers) t.msgs.PressIndex(a);
  const int answered = static_cast<int>(answers.size());
  Snapshot last;
  if (answered == 0) last = Take(t.s);
  t.log.clear();
  Outcome out;
  // Closes the events and changes since the last answered box.
  auto segment = [&](bool beforeBox) {
    QStringList events = t.log;
    // Every box redraws the board first: that redraw belongs to the box.
    const QStringList redraw{QStringLiteral("draw"), QStringLiteral("window brought up to date")};
    const qsizetype end = !events.isEmpty() && events.last().startsWith(QStringLiteral("sound"))
                              ? events.size() - 1
                              : events.size();  // the box's own sound comes after the redraw
    if (beforeBox && end >= 2 && events.mid(end - 2, 2) == redraw)
      events.remove(end - 2, 2);
    else if (beforeBox)
      events << QStringLiteral("(the board is not redrawn before the box)");
    out.Events = Fold(SummariseFlight(events));
    out.Changes = Diff(last, Take(t.s));
  };
  int shown = 0;
  t.msgs.on_show = [&](const MessageBoxRequest&) {
    t.log.removeLast();  // the box itself
    if (++shown == answered) {
      // The state as the answer leaves it: the button is known already.
      GameState afterAnswer = t.s;
      afterAnswer.MsgResult = static_cast<Byte>(answers.back());
      last = Take(afterAnswer);
      t.log.clear();
    } else if (shown == answered + 1) {
      segment(true);
    }
  };
  try {
    sc.Command(t);
    t.log << QStringLiteral("end");
  } catch (const UnansweredBox& e) {
    out.Next = e.box;
  } catch (const ProgramEnded&) {
  }
  if (!out.Next) segment(false);
  // The temporary folder is <AppPath> in the transcript, and a line break is ⏎.
  auto clean = [&dir](QString& text) {
    text.replace(dir.path(), QStringLiteral("<AppPath>")).replace('\n', QStringLiteral("⏎"));
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
      if (text[i].unicode() < 0x20)
        text.replace(i, 1, QStringLiteral("\\x%1").arg(text[i].unicode(), 2, 16, QLatin1Char('0')));
    }
  };
  for (QStringList* list : {&out.Events, &out.Changes})
    for (QString& line : *list) clean(line);
  if (out.Next) clean(out.Next->Message), clean(out.Next->Title);
  return out;
}

QString BoxText(const MessageBoxRequest& b) {
  return QStringLiteral("%1「%2」 [%3]")
      .arg(b.Title, b.Message, b.Captions.join(QStringLiteral(" | ")));
}

QString NodeKey(const MessageBoxRequest& b, const std::vector<int>& path) {
  if (b.Chain) return QStringLiteral("chain %1 step %2").arg(quintptr(b.Chain)).arg(b.Step);
  QString key = QStringLiteral("path");
  for (int a : path) key += QStringLiteral(" %1").arg(a);
  return key;
}

struct Node {
  MessageBoxRequest Box;
  std::vector<int> Path;
  std::vector<Outcome> Edges;
  std::vector<QString> Targets;  // node key per edge, empty at the end
};

}  // namespace

QString Describe(const GameState& s) {
  QString out;
  for (const auto& [key, value] : Take(s)) out += key + QStringLiteral(": ") + value + '\n';
  return out;
}

QString Walk(const Scenario& sc) {
  std::map<QString, int> index;
  std::vector<Node> nodes;
  // Path to a node, the node to expand or check, and how many more steps a
  // check may follow the new path (a chain step can hide state that only
  // shows a few boxes later).
  struct Task {
    std::vector<int> Path;
    int Node;
    int Depth;
  };
  std::deque<Task> todo;
  constexpr int kCheckDepth = 3;

  // Expanding a node may meet a chain step again by another path: that path
  // is queued once to check that the step leads on as before.
  auto reach = [&](const Outcome& o, const std::vector<int>& path, int depth) -> QString {
    if (!o.Next) return QString();
    const QString key = NodeKey(*o.Next, path);
    const auto it = index.find(key);
    if (it == index.end()) {
      index[key] = static_cast<int>(nodes.size());
      nodes.push_back({*o.Next, path, {}, {}});
      todo.push_back({path, index[key], kCheckDepth});
    } else {
      if (BoxText(nodes[it->second].Box) != BoxText(*o.Next))
        throw std::logic_error("one chain step shows two boxes: " + key.toStdString());
      if (depth > 0 && nodes[it->second].Path != path) todo.push_back({path, it->second, depth});
    }
    return key;
  };

  const Outcome start = Run(sc, {});
  const QString first = reach(start, {}, kCheckDepth);
  int checks = 0;
  while (!todo.empty()) {
    const auto [path, n, depth] = todo.front();
    todo.pop_front();
    const bool expanding = nodes[static_cast<std::size_t>(n)].Path == path &&
                           nodes[static_cast<std::size_t>(n)].Edges.empty();
    if (!expanding && ++checks > 20000) throw std::logic_error("the walk does not end");
    const int at = static_cast<int>(path.size());
    const int count = nodes[static_cast<std::size_t>(n)].Box.Count;
    for (int b = 0; b < count; ++b) {
      if (at < static_cast<int>(sc.Only.size()) && sc.Only[std::size_t(at)] != b) {
        if (expanding) {
          nodes[static_cast<std::size_t>(n)].Edges.push_back({});
          nodes[static_cast<std::size_t>(n)].Targets.push_back(QStringLiteral("(not walked)"));
        }
        continue;
      }
      std::vector<int> next = path;
      next.push_back(b);
      const Outcome o = Run(sc, next);
      const QString target = reach(o, next, expanding ? kCheckDepth : depth - 1);
      Node& node = nodes[static_cast<std::size_t>(n)];
      if (expanding) {
        node.Edges.push_back(o);
        node.Targets.push_back(target);
      } else if (!(node.Edges[static_cast<std::size_t>(b)] == o) ||
                 node.Targets[static_cast<std::size_t>(b)] != target) {
        throw std::logic_error("a chain step leads on differently on another path: " +
                               BoxText(node.Box).toStdString());
      }
    }
  }

  auto label = [&](const QString& key) { return QStringLiteral("#%1").arg(index.at(key) + 1); };
  auto edgeText = [&](const QString& head, const Outcome& o, const QString& target) {
    QStringList events = o.Events;
    const QString ending = target.isEmpty() ? events.takeLast() : label(target);
    // A long run of events (a flight) reads best one to a line.
    const bool listed = events.size() > 8;
    QStringList out{
        head + (events.isEmpty() || listed ? QString() : ' ' + events.join(QStringLiteral("; "))) +
        QStringLiteral(" → ") + ending};
    for (const QString& e : listed ? events : QStringList()) out << QStringLiteral("      ") + e;
    for (const QString& c : o.Changes) out << QStringLiteral("      ") + c;
    return out;
  };

  QStringList out{QStringLiteral("== ") + sc.Title};
  out << edgeText(QStringLiteral("start:"), start, first);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const Node& node = nodes[i];
    out << QStringLiteral("#%1 %2").arg(i + 1).arg(BoxText(node.Box));
    for (std::size_t b = 0; b < node.Edges.size(); ++b) {
      if (node.Targets[b] == QStringLiteral("(not walked)")) continue;
      out << edgeText(QStringLiteral("   ") + node.Box.Captions.value(static_cast<int>(b)) + ':',
                      node.Edges[b], node.Targets[b]);
    }
  }
  return out.join('\n') + '\n';
}

QString CompareWithGolden(const QString& name, const QString& text) {
  const QString path = QStringLiteral(NUMERA_SOURCE_DIR "/tests/golden/") + name + ".txt";
  QFile golden(path);
  const QByteArray want = golden.open(QIODevice::ReadOnly) ? golden.readAll() : QByteArray();
  golden.close();
  const QByteArray got = text.toUtf8();
  if (want == got) return QString();
  if (qEnvironmentVariable("NUMERA_REWRITE_GOLDEN") == QStringLiteral("1")) {
    // A rewrite is never silent: the test fails until the new transcript
    // has been read and the run repeated without the variable.
    if (!golden.open(QIODevice::WriteOnly) || golden.write(got) != got.size())
      return QStringLiteral("cannot write ") + path;
    return QStringLiteral(
               "rewrote tests/golden/%1.txt: read `git diff tests/golden/%1.txt`, "
               "then run again without NUMERA_REWRITE_GOLDEN")
        .arg(name);
  }
  // The whole difference, as diff tells it.
  QTemporaryDir dir;
  QFile now(dir.filePath(name + ".txt"));
  if (!now.open(QIODevice::WriteOnly) || now.write(got) != got.size()) return QStringLiteral("?");
  now.close();
  QProcess diff;
  diff.start(QStringLiteral("diff"),
             {QStringLiteral("-u"), QStringLiteral("--label=tests/golden/") + name + ".txt",
              QStringLiteral("--label=this run"), path, now.fileName()});
  diff.waitForFinished(30000);
  return QStringLiteral("tests/golden/%1.txt differs (NUMERA_REWRITE_GOLDEN=1 rewrites it):\n")
             .arg(name) +
         QString::fromUtf8(diff.readAllStandardOutput());
}

}  // namespace numera::testing
