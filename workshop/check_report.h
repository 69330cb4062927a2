// The check's report as the author reads it, in words, and as JSON with the
// same facts. The text counts rows and columns from 1, as a player does;
// the JSON keeps the puzzle files' coordinates, from 0.
#pragma once

#include <QJsonObject>
#include <QString>

#include "workshop/checker.h"

namespace numera::workshop {

QString ReportText(const CheckReport& report);
QJsonObject ReportJson(const CheckReport& report);

// The board with its ring under a column ruler and beside a row ruler; rows
// and columns holding a letter of a broken run or one outside the main
// figure are marked with "<" and "^".
QStringList RuledBoard(const CheckReport& report);

}  // namespace numera::workshop
