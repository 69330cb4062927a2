#include "platform/qt_platform.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "core/file_names.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/settings_dialog.h"
#include "platform/sound_decoder.h"
#include "platform/x11_keys.h"

namespace numera {

// ---- sound ---------------------------------------------------------------

QtSound::QtSound() {
  enabled_ = !QMediaDevices::defaultAudioOutput().isNull();
}

QtSound::~QtSound() {
  if (sink_) sink_->stop();
}

void QtSound::Play(const QByteArray& wav) {
  if (!enabled_) return;
  std::optional<DecodedSound> sound = DecodeSound(wav);
  if (!sound) return;  // not a sound we can play: silence, as before

  QAudioFormat format;
  format.setSampleRate(sound->SampleRate);
  format.setChannelCount(sound->Channels);
  format.setSampleFormat(QAudioFormat::Int16);
  // A new sound replaces the one playing.
  if (sink_) sink_->stop();
  pcm_ = std::move(sound->Samples);
  buffer_ = std::make_unique<QBuffer>(&pcm_);
  buffer_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
  sink_->start(buffer_.get());
}

// ---- events --------------------------------------------------------------

void QtPump::ProcessEvents(int maxWaitMs) {
  QEventLoop loop;
  QTimer::singleShot(std::max(maxWaitMs, 1), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// ---- keys ----------------------------------------------------------------

namespace {
int VirtualKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkReturn;
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    default:
      return 0;
  }
}
}  // namespace

QtKeys::QtKeys() {
  if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
    display_ = x11->display();
  }
  qApp->installEventFilter(this);
}

std::int16_t QtKeys::GetAsyncKeyState(int virtualKey) {
  if (latched_.count(virtualKey)) return static_cast<std::int16_t>(0x8000);
  if (display_) {
    // One poll asks about nine keys in a row: one look at the keyboard serves
    // them all, so the X server is asked once per poll, not nine times.
    if (!keymap_age_.isValid() || keymap_age_.elapsed() > 2) {
      X11QueryKeymap(display_, keymap_);
      keymap_age_.start();
    }
    return X11KeyDown(display_, keymap_, virtualKey) ? static_cast<std::int16_t>(0x8000) : 0;
  }
  return down_.count(virtualKey) ? static_cast<std::int16_t>(0x8000) : 0;
}

bool QtKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      const int vk = VirtualKeyOf(key->key());
      if (vk != 0 && event->type() == QEvent::KeyRelease) {
        down_.erase(vk);
      } else if (vk != 0) {
        // A key event handed on from a widget to its parents comes by here
        // once per widget; only its first showing counts.
        const bool fresh = key->timestamp() != last_press_time_ || vk != last_press_;
        last_press_time_ = key->timestamp();
        last_press_ = vk;
        if (fresh) {
          down_.insert(vk);
          if (vk != kVkReturn && on_arrow_press) {
            latched_.insert(vk);
            on_arrow_press();
            latched_.erase(vk);
          }
        }
      }
    }
  } else if (event->type() == QEvent::ApplicationDeactivate) {
    down_.clear();
  }
  return QObject::eventFilter(watched, event);
}

// ---- random numbers ------------------------------------------------------

void QtRandom::Randomize() {
  engine_.seed(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

// ---- file dialog ---------------------------------------------------------

std::optional<OpenFileResult> QtFileDialog::GetOpenFileName(const OpenFileRequest& request) {
  QStringList filters;
  for (qsizetype i = 0; i + 1 < request.Filters.size(); i += 2) {
    const QString& name = request.Filters[i];
    QString pattern = request.Filters[i + 1];
    if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");  // every file
    filters << (name.contains(QLatin1Char('('))
                    ? name
                    : name + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  QFileDialog dialog(owner_, request.Title, request.InitialFolder);
  dialog.setObjectName(QStringLiteral("OpenFileDialog"));
  dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist is accepted
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The filter names read as the game writes them, without their patterns.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(filters);
  // No default suffix of Qt's own: it would add one even to a name that
  // exists as typed.
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = TypedFileName(dialog.selectedFiles().first(), request.DefaultExtension);
  return OpenFileResult{path, QFileInfo(path).fileName()};
}

// ---- windows -------------------------------------------------------------

void QtWindows::SyncMainWindow() {
  window_.Sync(state_);
}

void QtWindows::ShowMainWindow() {
  window_.Sync(state_);
  window_.show();
}

void QtWindows::FocusBoard() {
  window_.board()->setFocus();
}

// In design pixels, as the logic counts.
int QtWindows::ScaleWidth() {
  return static_cast<int>(window_.centralWidget()->width() / window_.zoom());
}
int QtWindows::ScaleHeight() {
  return static_cast<int>(window_.centralWidget()->height() / window_.zoom());
}

bool QtWindows::VerticalFontAvailable() {
  return JapaneseGothicInstalled();
}

void QtWindows::ShowSettingsWindow() {
  if (game_) RunSettingsDialog(*game_);
}

void QtWindows::EndProgram(int exitCode) {
  // Every window goes at once, even from inside a box or a pause; nothing is
  // saved on the way out.
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace numera
