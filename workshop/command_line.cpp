#include "workshop/command_line.h"

#include "workshop/tool_io.h"

namespace numera::workshop {

namespace {

Option Switch(const QString& name, const QString& help) {
  return {name, {}, help, false, {}};
}

Option Valued(const QString& name, const QString& value, const QString& help,
              bool required = false) {
  return {name, value, help, required, {}};
}

Option HelpOption() {
  return {QStringLiteral("--help"),
          {},
          QStringLiteral("この説明を表示します"),
          false,
          QStringLiteral("-h")};
}

std::vector<Command> MakeTable() {
  const QString seconds = QStringLiteral("探す時間の上限（秒、0.01〜86400、既定 10）");
  const QString seed = QStringLiteral("乱数の種（既定 1）。同じ種からは同じ結果になります");
  const QString json = QStringLiteral("--json");
  std::vector<Command> table = {
      {QStringLiteral("info"),
       QStringLiteral("FILE.mlt"),
       QStringLiteral("パズルを JSON で標準出力に表示します。"),
       1,
       1,
       {},
       QStringLiteral("ゲームが開けないファイルには、ゲームと同じ理由を示して 1 で終わります。")},
      {QStringLiteral("pack"),
       QStringLiteral("SOURCE.json OUT.mlt"),
       QStringLiteral("JSON からパズルファイルを作ります。"),
       2,
       2,
       {},
       QStringLiteral("JSON は info が表示するものと同じ形です。盤の大きさ board_size\n"
                      "（1〜30）と単語の配列 words（それぞれ text と points、置いた単語には\n"
                      "used・x・y・dir）を書きます。ゲームが開けない内容なら、理由を示して\n"
                      "何も書きません。")},
      {QStringLiteral("check"),
       QStringLiteral("FILE.mlt [--json]"),
       QStringLiteral("保存された置き方をゲームの決まりどおりに置き直し、盤が完成しているか\n"
                      "確かめます。"),
       1,
       1,
       {Switch(json, QStringLiteral("同じことを JSON で表示します"))},
       QStringLiteral("完成していないときは、いちばん大きな文字のかたまりとつながっていない\n"
                      "文字、端の閉じていない並び、置けない単語を、その文字と単語で示します。\n"
                      "盤の行と列には左上を 1 とする番号を付け、問題のある行に「<」、列に「^」を\n"
                      "付けます。終了コード: 0 完成、1 完成していない、2 開けないファイルか\n"
                      "コマンドの誤り。")},
      {QStringLiteral("solve"),
       QStringLiteral("FILE.mlt [オプション]"),
       QStringLiteral("盤が完成する置き方のうち、得点のいちばん高いものを探します。"),
       1,
       1,
       {Valued(QStringLiteral("--seconds"), QStringLiteral("S"), seconds),
        Valued(QStringLiteral("--seed"), QStringLiteral("K"), seed),
        Valued(QStringLiteral("--threads"), QStringLiteral("T"),
               QStringLiteral("探すスレッドの数（1〜64、既定 2）")),
        Valued(QStringLiteral("--write"), QStringLiteral("OUT.mlt"),
               QStringLiteral("見つけた盤を置いたパズルを書き出します")),
        Switch(json, QStringLiteral("結果を JSON で表示します"))},
       QStringLiteral("ファイルに保存された置き方は使わず、空の盤から探します。")},
      {QStringLiteral("make"),
       QStringLiteral("(WORDS.txt | --dictionary) --size N [オプション] OUT.mlt"),
       QStringLiteral("すべての単語がひとつの完成した盤に並ぶパズル OUT.mlt と、その盤を\n"
                      "置いた OUT.solution.mlt を作ります。"),
       1,
       2,
       {Valued(QStringLiteral("--size"), QStringLiteral("N"), QStringLiteral("盤の大きさ（1〜30）"),
               true),
        Valued(
            QStringLiteral("--words"), QStringLiteral("K"),
            QStringLiteral("使う単語の数（1〜90）。ファイルからは種で選びます。辞書では既定 20")),
        Valued(QStringLiteral("--seed"), QStringLiteral("K"), seed),
        Valued(QStringLiteral("--seconds"), QStringLiteral("S"), seconds),
        Switch(QStringLiteral("--dictionary"),
               QStringLiteral("単語を mecab-ipadic の名詞の読み（ひらがな）から選びます")),
        Switch(QStringLiteral("--drop"),
               QStringLiteral("並ばない単語を外してパズルを作り、外した単語を示します"))},
       QStringLiteral("単語のファイル（UTF-8）:\n"
                      "  1 行に 1 語。単語のあとにタブと点数を書けます（書かなければ\n"
                      "  文字数 × 10 点）。空の行は飛ばします。例:\n"
                      "    ねこ\n"
                      "    りんご<タブ>50\n"
                      "同じ単語が 2 回以上あるとき、盤より長い単語や、ほかのどの単語とも\n"
                      "同じ文字がない単語があるときは、探す前にその単語を示してやめます\n"
                      "（--drop なら外して続けます）。文字が盤に入りきらないとき、シフト JIS で\n"
                      "書けない文字があるときもやめます。ひらがなとカタカナのほかの文字、\n"
                      "ひらがなとカタカナの混ざった一覧、0 以下か 9999 を超える点数には\n"
                      "注意を示します。すべての単語が並ぶ盤が見つからないときは、外す単語が\n"
                      "いちばん少なくて済む組を示します。")},
      {QStringLiteral("print"),
       QStringLiteral("PUZZLE.mlt... -o OUT.pdf [オプション]"),
       QStringLiteral(
           "パズルを印刷用の PDF にします。1 つのパズルが 1 ページで、題（ファイル名）、\n"
           "空の盤と単語の一覧（点数つき）を載せます。"),
       1,
       10000,
       {Valued(QStringLiteral("-o"), QStringLiteral("OUT.pdf"), QStringLiteral("書き出す PDF"),
               true),
        Switch(QStringLiteral("--solution"),
               QStringLiteral("答えのページを最後に加えます（保存された盤、なければ solve の盤）")),
        Valued(QStringLiteral("--copies"), QStringLiteral("N"),
               QStringLiteral("問題のページを N 枚ずつ（1〜100、既定 1）")),
        Valued(QStringLiteral("--paper"), QStringLiteral("a4|letter"),
               QStringLiteral("用紙の大きさ（既定 a4）")),
        Valued(QStringLiteral("--seconds"), QStringLiteral("S"),
               QStringLiteral("答えを探す時間の上限（秒、0.01〜86400、既定 10）"))},
       QStringLiteral("文字は IPA フォントを埋め込んだ本物の文字なので、選んだり探したり\n"
                      "できます。")},
  };
  for (Command& c : table) c.Options.push_back(HelpOption());
  return table;
}

QString OptionLabel(const Option& o) {
  QString label = o.Alias.isEmpty() ? o.Name : o.Alias + QStringLiteral(", ") + o.Name;
  if (!o.Value.isEmpty()) label += QLatin1Char(' ') + o.Value;
  return label;
}

QString UsageLine(const Command& c) {
  return QStringLiteral("使い方: numera-puzzle %1 %2").arg(c.Name, c.Synopsis);
}

const Option* FindOption(const Command& c, const QString& arg) {
  for (const Option& o : c.Options)
    if (arg == o.Name || (!o.Alias.isEmpty() && arg == o.Alias)) return &o;
  return nullptr;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> table = MakeTable();
  return table;
}

const Command* FindCommand(const QString& name) {
  for (const Command& c : Commands())
    if (c.Name == name) return &c;
  return nullptr;
}

QString ToolHelp() {
  QStringList lines{QStringLiteral("使い方: numera-puzzle コマンド [引数...]"),
                    QStringLiteral("ぬめらのパズルを作る人のための道具です。"), QString(),
                    QStringLiteral("コマンド:")};
  for (const Command& c : Commands()) {
    lines << QStringLiteral("  %1 %2").arg(c.Name, c.Synopsis);
    lines << QStringLiteral("      ") + c.Summary.split(QLatin1Char('\n')).join(QString());
  }
  lines << QString() << QStringLiteral("コマンドごとの説明: numera-puzzle コマンド --help");
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString CommandHelp(const Command& c) {
  QStringList lines{UsageLine(c), c.Summary, QString(), QStringLiteral("オプション:")};
  int width = 0;
  for (const Option& o : c.Options)
    width = std::max(width, static_cast<int>(OptionLabel(o).size()));
  for (const Option& o : c.Options) {
    QString help = o.Help;
    if (o.Required) help += QStringLiteral("。必ず指定します");
    lines << QStringLiteral("  %1  %2").arg(OptionLabel(o), -width).arg(help);
  }
  lines << QString() << c.Details;
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int Misuse(const Command& c, const QString& problem) {
  tool::Err(problem + QLatin1Char('\n') + UsageLine(c) +
            QStringLiteral("\n詳しくは numera-puzzle %1 --help を見てください。").arg(c.Name));
  return 2;
}

bool ParseArgs(const QString& name, const QStringList& args, Args* out) {
  const Command& c = *FindCommand(name);
  for (const QString& a : args) {
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      out->Exit = tool::Print(CommandHelp(c).toUtf8()) ? 0 : 1;
      return false;
    }
  }
  out->Exit = 2;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const Option* o = FindOption(c, a);
    if (o && !o->Value.isEmpty()) {
      if (i + 1 == args.size()) {
        Misuse(c, QStringLiteral("「%1」のあとに %2 を書いてください。").arg(a, o->Value));
        return false;
      }
      out->Values[o->Name] = args[++i];
    } else if (o) {
      out->Switches << o->Name;
    } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
      Misuse(c, QStringLiteral("「%1」は %2 のオプションにありません。").arg(a, c.Name));
      return false;
    } else {
      out->Files << a;
    }
  }
  for (const Option& o : c.Options) {
    if (o.Required && !out->Values.contains(o.Name)) {
      Misuse(c, QStringLiteral("「%1 %2」を指定してください。").arg(o.Name, o.Value));
      return false;
    }
  }
  if (out->Files.size() < c.LeastFiles || out->Files.size() > c.MostFiles) {
    Misuse(c, QStringLiteral("ファイルの数が合いません（%1 個あります）。").arg(out->Files.size()));
    return false;
  }
  out->Exit = 0;
  return true;
}

bool NumberIn(const Args& args, const char* name, double low, double high, bool whole,
              double* value) {
  const auto it = args.Values.find(QLatin1String(name));
  if (it == args.Values.end()) return true;
  bool ok = false;
  const double v = it->toDouble(&ok);
  // Written so that "nan" is out of every range.
  if (!ok || !(v >= low && v <= high) ||
      (whole && v != static_cast<double>(static_cast<long long>(v)))) {
    tool::Err(QStringLiteral("%1 には %2 から %3 までの数を書いてください。")
                  .arg(QLatin1String(name))
                  .arg(low)
                  .arg(high));
    return false;
  }
  *value = v;
  return true;
}

}  // namespace numera::workshop
