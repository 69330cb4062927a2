// File names as the player meets them. A name on disk is bytes; the game
// shows it as text, and must never let two names that show alike be taken
// for each other.
#pragma once

#include <QByteArray>
#include <QString>

namespace numera {

// The file name of a path for a message box: a long name is shortened in the
// middle ("…"), so a box that names it still fits the screen.
QString ShownFileName(const QString& path);
inline constexpr int kLongestShownName = 40;

// Whether the bytes of a name come back unchanged from its text (they do
// not when they are not UTF-8).
bool NameRoundTrips(const QByteArray& name);

// Whether the text of a path names one file only: false when its folder
// holds another name, not UTF-8, that shows as the same text.
bool NameIsUnambiguous(const QString& path);

// The file a name typed into the open dialog means: the name as typed when
// such a file exists, else the name with the default extension added.
QString TypedFileName(const QString& typed, const QString& extension);

// The one-line refusal of such a name, naming it as it shows.
QString UnrepresentableNameMessage(const QString& shown);

}  // namespace numera
