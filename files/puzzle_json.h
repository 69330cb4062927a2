// Puzzles as JSON, for the puzzle authors' tool numera-puzzle: `info` shows
// a file in this form and `pack` builds a file from it, so that info then
// pack gives back the same bytes.
//
// {"layout": "version2" | "old", "board_size", "word_count",
//  "max_word_length", "suffix_lengths": [count, score], "count_suffix",
//  "score_suffix", "placed_count", "score",
//  "words": [{"text", "points", "used", "x", "y", "dir"}, ...]}
//
// A text whose bytes would not come back the same from its characters (a
// byte sequence that is no character, or one of the code page's second
// spellings) also carries its bytes in hexadecimal: "bytes" in a word,
// "count_suffix_bytes" / "score_suffix_bytes" for the suffixes.
#pragma once

#include <QByteArray>
#include <QString>

#include "files/puzzle_file.h"

namespace numera {

// Every stored entry (90 or 60), in file order.
QByteArray PuzzleToJson(const PuzzleFile& puzzle);

// Builds a puzzle from JSON, filling in what is left out: layout version2,
// word_count the number of words given, max_word_length the longest of those
// words, suffixes "　", suffix_lengths their byte counts, counters and
// placements 0, missing entries empty. Refuses, with a sentence in *problem,
// malformed JSON, unknown keys, values out of range, and any puzzle the game
// would refuse to open.
bool PuzzleFromJson(const QByteArray& json, PuzzleFile* out, QString* problem);

}  // namespace numera
