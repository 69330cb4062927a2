// libFuzzer target for Data.dat. Any bytes at all: the settings read from
// them, written back as the settings window's OK does, must give a record
// that keeps every byte after the first 48, reads back the same settings,
// and equals the file itself when the file held a whole record.
#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace numera;
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  GameState read;
  ApplyDataDat(read, bytes);
  const QByteArray record = DataDatRecord(read, bytes);
  if (record.size() != std::max<qsizetype>(bytes.size(), kDataDatSize)) __builtin_trap();
  if (record.mid(kDataDatSize) != bytes.mid(kDataDatSize)) __builtin_trap();
  if (bytes.size() >= kDataDatSize && record != bytes) __builtin_trap();
  GameState again;
  ApplyDataDat(again, record);
  if (again.CrossKind != read.CrossKind || again.BackgroundKind != read.BackgroundKind ||
      again.FontKind != read.FontKind || again.MessageMode != read.MessageMode ||
      again.SoundSwitch != read.SoundSwitch)
    __builtin_trap();
  return 0;
}
