#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace numera {

namespace {
const QStringList kGothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                             QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")};
const QStringList kMincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho"),
                             QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP")};
}  // namespace

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), kGothic);
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), kGothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), kMincho);
  QFont::insertSubstitutions(QStringLiteral("MS Mincho"), kMincho);
}

bool IsVerticalFontName(const QString& name) {
  return name.startsWith(QLatin1Char('@'));
}

QFont GameFont(const QString& name, double points) {
  const QString family = IsVerticalFontName(name) ? name.mid(1) : name;
  QFont font(family);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 4.0 / 3.0))));
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

bool JapaneseGothicInstalled() {
  const QStringList families = QFontDatabase::families();
  for (const QString& f : kGothic)
    if (families.contains(f)) return true;
  return false;
}

}  // namespace numera
