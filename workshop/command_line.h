// numera-puzzle's command line: one table of the commands and their
// options. The parser accepts exactly what the table lists and the help is
// printed from it, so the help never leaves an option out.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <type_traits>
#include <vector>

namespace numera::workshop {

struct Option {
  QString Name;   // "--size"
  QString Value;  // what follows it in the help ("N"); empty for a switch
  QString Help;
  bool Required = false;
  QString Alias;  // a short spelling ("-h"), or empty
};

struct Command {
  QString Name;
  QString Synopsis;  // the arguments after the name
  QString Summary;
  int LeastFiles = 0;  // the arguments that are not options
  int MostFiles = 0;
  std::vector<Option> Options;  // --help last
  QString Details;              // what follows the options in the help
};

const std::vector<Command>& Commands();
const Command* FindCommand(const QString& name);

// numera-puzzle --help, and numera-puzzle CMD --help.
QString ToolHelp();
QString CommandHelp(const Command& command);

// A command's arguments: options with a value, switches, and the rest (file
// names), in order.
struct Args {
  QStringList Files;
  QMap<QString, QString> Values;
  QStringList Switches;
  int Exit = 0;  // when parsing ends the command: 0 after the help, 2 after a mistake
  bool Has(const char* name) const { return Switches.contains(QLatin1String(name)); }
  QString Value(const char* name) const { return Values.value(QLatin1String(name)); }
};

// Reads the arguments after the command's name by its table. False when
// the command ends here: the help was asked for (printed on standard
// output) or the line is wrong (a message and the usage on standard error).
bool ParseArgs(const QString& command, const QStringList& args, Args* out);

// The line's mistake as the parser reports it, with the command's usage;
// returns 2.
int Misuse(const Command& command, const QString& problem);

// A number option within its range; the default when it is not given.
bool NumberIn(const Args& args, const char* name, double low, double high, bool whole,
              double* value);
template <typename T>
bool Number(const Args& args, const char* name, T low, T high, T* value) {
  double v = static_cast<double>(*value);
  if (!NumberIn(args, name, static_cast<double>(low), static_cast<double>(high),
                std::is_integral_v<T>, &v))
    return false;
  *value = static_cast<T>(v);
  return true;
}

}  // namespace numera::workshop
