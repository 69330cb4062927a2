#include "dialogs/chain.h"

#include <stdexcept>

namespace numera {

Chain::Chain(std::initializer_list<ChainStep> steps) {
  for (const ChainStep& step : steps) {
    if (step.Captions.isEmpty() || step.Captions.size() > 3 ||
        step.Next.size() != static_cast<std::size_t>(step.Captions.size())) {
      throw std::logic_error("chain step " + std::to_string(step.Id) + " is malformed");
    }
    steps_.emplace(step.Id, step);
  }
}

const ChainStep& Chain::Step(int id) const {
  const auto it = steps_.find(id);
  if (it == steps_.end()) throw std::logic_error("no chain step " + std::to_string(id));
  return it->second;
}

int Chain::Run(Game& g, int first) const {
  int id = first;
  while (id > 0) {
    const ChainStep& step = Step(id);
    MessageBoxRequest box =
        LayoutMessageBox(step.Message, step.Title, step.Captions.size(), step.Captions.value(0),
                         step.Captions.value(1), step.Captions.value(2));
    box.Chain = this;
    box.Step = id;
    ShowLaidOutBox(g, box);
    id = step.Next.at(g.s.MsgResult);
  }
  return id;
}

}  // namespace numera
