#include "core/atomic_file.h"

#include <QSaveFile>

namespace numera {

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // commit() alone can miss a write that failed while the buffer was flushed
  // on closing (a full disk then leaves a cut file in place of the old one),
  // so the bytes are flushed and counted before the file is put in place.
  const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                       file.flush() && file.error() == QFileDevice::NoError &&
                       file.size() == bytes.size();
  if (!written) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace numera
