// The chain walker: drives one command through every button of every box it
// shows and writes down what happened, as plain text a person reads once and
// a test compares from then on.
//
// A box that belongs to a chain is one node however often the walk reaches
// it (chains loop); every other box is a node of its own path. Each node is
// printed once with its buttons, and each button with what follows it: the
// sounds, pauses, dialogs and other outside events, the changes of the game
// state, and the next box or the end of the command. Where a chain box is
// reached again by another path, the walker checks that it leads on exactly
// as before, so a node never hides a difference.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "tests/support/fakes.h"

namespace numera::testing {

struct Scenario {
  Scenario(QString title, std::function<void(TestGame&)> setup,
           std::function<void(TestGame&)> command, std::vector<int> only = {})
      : Title(std::move(title)),
        Setup(std::move(setup)),
        Command(std::move(command)),
        Only(std::move(only)) {}
  QString Title;
  std::function<void(TestGame&)> Setup;    // runs first, in a fresh game
  std::function<void(TestGame&)> Command;  // the command walked
  // When given, only these buttons are pressed at the first boxes, in order
  // (for commands whose paths multiply, such as the story builder).
  std::vector<int> Only;
};

// The game state as the transcripts show it, a line to each part.
QString Describe(const GameState& s);

// The transcript of one scenario.
QString Walk(const Scenario& scenario);

// Compares `text` with the golden file tests/golden/<name>.txt and returns
// an empty string when they agree, else their whole difference as a unified
// diff. With the environment variable NUMERA_REWRITE_GOLDEN=1 a file that
// differs is written instead, and the answer says so (the test still fails).
QString CompareWithGolden(const QString& name, const QString& text);

}  // namespace numera::testing
