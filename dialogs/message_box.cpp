#include "dialogs/message_box.h"

#include <algorithm>

#include "core/draw_board.h"
#include "core/sound.h"

namespace numera {

namespace {
int ButtonWidthFor(const QString& caption) {
  return std::max(89, 14 * static_cast<int>(caption.size()) + 5);
}
}  // namespace

MessageBoxRequest LayoutMessageBox(const QString& message, const QString& title, int count,
                                   const QString& caption1, const QString& caption2,
                                   const QString& caption3) {
  MessageBoxRequest box;
  box.Message = message;
  box.Title = title;
  box.Count = count;
  const QString captions[3] = {caption1, caption2, caption3};
  for (int i = 0; i < 3; ++i) {
    box.ButtonWidth[i] = i < count ? ButtonWidthFor(captions[i]) : 0;
    if (i < count) box.Captions << captions[i];
  }
  const int w0 = box.ButtonWidth[0], w1 = box.ButtonWidth[1], w2 = box.ButtonWidth[2];
  box.ClientWidth =
      std::max(12 * static_cast<int>(message.size()) + 16, w0 + w1 + w2 + 8 * count + 9);
  box.ClientHeight = 62;
  const double W = box.ClientWidth;
  for (int i = 0; i < count; ++i) {
    const double u = count >= 2 ? (w1 + 8) / 2.0 : 0.0;
    const double v = count >= 3 ? (w2 + 8) / 2.0 : 0.0;
    const double w = i >= 1 ? w0 + 8 : 0;
    const double z = i >= 2 ? w1 + 8 : 0;
    box.ButtonLeft[i] = (W - w0) / 2.0 - u - v + w + z;
  }
  box.ButtonTop = box.ClientHeight - 25;
  box.ButtonHeight = 24;
  box.LabelWidth = box.ClientWidth - 16;
  return box;
}

void ShowLaidOutBox(Game& g, const MessageBoxRequest& box) {
  // The board behind the box is brought up to date first.
  DrawBoard(g);
  PlaySlot(g, sound_slot::kMessageBox);
  const int pressed = g.p.Messages.Show(box);
  g.s.MsgResult = static_cast<Byte>(pressed);
}

void ShowMessage(Game& g, const QString& message, const QString& title, int count,
                 const QString& caption1, const QString& caption2, const QString& caption3) {
  ShowLaidOutBox(g, LayoutMessageBox(message, title, count, caption1, caption2, caption3));
}

}  // namespace numera
