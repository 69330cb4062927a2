// Chains of joke boxes held as data: each step is one box (message, title,
// captions) and says where each button leads. A chain runs from a first step
// until a button leads to an exit (a value below 0), which it returns.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <map>
#include <vector>

#include "dialogs/message_box.h"

namespace numera {

struct ChainStep {
  int Id = 0;
  QString Message;
  QStringList Captions;
  std::vector<int> Next;  // one per caption: a step id (> 0) or an exit (< 0)
  QString Title = kTitle;
};

class Chain {
 public:
  Chain(std::initializer_list<ChainStep> steps);
  // Shows boxes from `first` on and returns the exit reached.
  int Run(Game& g, int first) const;
  const ChainStep& Step(int id) const;

 private:
  std::map<int, ChainStep> steps_;
};

}  // namespace numera
