// The message boxes and the settings window are dialogs of the game's window,
// not windows of their own.
#pragma once

class QWidget;

namespace numera {

// Makes `dialog`, not yet shown, a dialog of `owner`: transient for it (a
// box shown before the window belongs to it all the same), typed as a
// dialog, with a title and a close box but no minimize or maximize button,
// and no task-bar entry; minimized, it comes back with its owner.
void MakeDialogOf(QWidget& dialog, QWidget* owner);

}  // namespace numera
