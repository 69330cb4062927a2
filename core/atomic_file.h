#pragma once

#include <QByteArray>
#include <QString>

namespace numera {

// Replaces the file at path with bytes in one step: the new content goes to a
// temporary file beside it, which is renamed over the old one only once every
// byte is known to be on disk. On failure the old file stays as it was.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace numera
