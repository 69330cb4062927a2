// Writes the game's icon as PNG files for the desktop: one
// <size>x<size>/apps/numera.png per usual size under the folder given, laid
// out as an icon theme expects. The pictures come from the same drawing the
// window uses, so the desktop and the game show one icon.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "platform/app_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT_FOLDER\n");
    return 2;
  }
  // No display is needed to draw into an image.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString path = folder + QStringLiteral("/numera.png");
    const QImage image = numera::DrawNumeraIcon(size);
    if (!QDir().mkpath(folder) || image.size() != QSize(size, size) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
