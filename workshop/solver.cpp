#include "workshop/solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

#include "workshop/builder.h"
#include "workshop/solver_improve.h"

namespace numera::workshop {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A found board and where it stands in the fixed order that breaks ties.
struct Found {
  Long Score = 0;
  std::vector<Placement> Board;
  long Rank = std::numeric_limits<long>::max();
  bool Any = false;
};

void Keep(Found& best, Long score, std::vector<Placement> board, long rank) {
  if (!best.Any || score > best.Score || (score == best.Score && rank < best.Rank)) {
    best = {score, std::move(board), rank, true};
  }
}

// What the threads share. Only the best score and the counters move while
// they run; the boards are gathered when they are done.
struct Shared {
  Shared(const std::vector<Word>& w, int n, const SolveOptions& o)
      : words(w), boardSize(n), options(o), start(SteadyClock::now()) {
    for (const Word& word : words) {
      const bool fits = !word.Text.empty() && static_cast<int>(word.Text.size()) <= n;
      // A word without letters is never placed here, but the game would
      // take it, so its points stay in the bound.
      if (fits || word.Text.empty()) upper += std::max<Long>(0, word.Points);
      if (fits) reachable += std::max<Long>(0, word.Points);
    }
    bound = upper;
  }
  double Elapsed() const {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
  }
  // A complete board of this score with this many words was found.
  void Raise(Long score, std::size_t placed) {
    const double now = Elapsed();
    std::lock_guard<std::mutex> lock(timesMutex);
    if (placed > 0 && firstAt < 0) firstAt = now;
    if (placed == words.size() && allAt < 0) allAt = now;
    if (score > best) {
      best = score;
      bestPlaced = static_cast<int>(placed);
      bestAt = now;
    }
  }
  SolveProgress Progress() {
    std::lock_guard<std::mutex> lock(timesMutex);
    return {best, nodes, Elapsed(), std::max<Long>(best, bound), bestPlaced};
  }

  const std::vector<Word>& words;
  int boardSize;
  const SolveOptions& options;
  SteadyClock::time_point start;
  Long upper = 0;      // every word of positive points that the game could take
  Long reachable = 0;  // of those, the ones with letters that fit the board
  std::atomic<bool> stop{false};
  std::atomic<std::uint64_t> nodes{0};
  std::atomic<Long> best{0};
  std::atomic<Long> bound{0};  // no complete board scores more
  std::mutex timesMutex;
  double firstAt = -1, allAt = -1, bestAt = -1;
  int bestPlaced = 0;
};

// ---- Stage one: a greedy board, improved step by step. ----

// The lowest step at which some thread reached the upper bound: every thread
// still makes its steps up to it, so the winner does not depend on which
// thread got there first.
struct BuildStage {
  std::atomic<long> fullAt{std::numeric_limits<long>::max()};
  std::mutex mutex;
  Found best;
};

void BuildWorker(Shared& sh, BuildStage& stage, int thread) {
  Improver improver(
      sh.words, sh.boardSize,
      sh.options.Seed * 0x2545F4914F6CDD1DULL + static_cast<std::uint64_t>(thread) + 1);
  const long steps =
      static_cast<long>(sh.options.StepsPerWord) * static_cast<long>(sh.words.size());
  Found mine;
  for (long step = 0; step < steps && !sh.stop && step <= stage.fullAt; ++step) {
    std::uint64_t nodes = 0;
    improver.Step(&nodes);
    sh.nodes += nodes;
    const Long score = improver.Score();
    if (mine.Any && score <= mine.Score) continue;
    std::vector<Placement> board = improver.OnBoard();
    sh.Raise(score, board.size());
    Keep(mine, score, std::move(board), step * 64 + thread);
    if (score == sh.reachable && sh.reachable == sh.upper) {
      long seen = stage.fullAt.load();
      while (step < seen && !stage.fullAt.compare_exchange_weak(seen, step)) {
      }
    }
  }
  std::lock_guard<std::mutex> lock(stage.mutex);
  if (mine.Any) Keep(stage.best, mine.Score, mine.Board, mine.Rank);
}

// ---- Stage two: the exhaustive search. ----

// Figures already searched from this first word, by a hash of their
// placements (the frame fixes where every figure lies). Full, it stops
// remembering, which costs time but never a board.
class Seen {
 public:
  Seen() : slots_(std::size_t{1} << 20, 0) {}
  bool Insert(std::uint64_t key) {
    if (key == 0) key = 1;
    if (used_.size() * 10 > slots_.size() * 7) return true;
    std::size_t i = static_cast<std::size_t>(key) & (slots_.size() - 1);
    while (slots_[i] != 0) {
      if (slots_[i] == key) return false;
      i = (i + 1) & (slots_.size() - 1);
    }
    slots_[i] = key;
    used_.push_back(i);
    return true;
  }
  void Clear() {
    for (const std::size_t i : used_) slots_[i] = 0;
    used_.clear();
  }

 private:
  std::vector<std::uint64_t> slots_;
  std::vector<std::size_t> used_;
};

std::uint64_t PlacementKey(const Placement& p) {
  Rng mix((static_cast<std::uint64_t>(p.Word) << 32) ^ (static_cast<std::uint64_t>(p.Dir) << 24) ^
          (static_cast<std::uint64_t>(p.Y) << 12) ^ static_cast<std::uint64_t>(p.X));
  return mix.Next();
}

struct ExactStage {
  explicit ExactStage(const Shared& sh)
      : finished(sh.words.size() + 1, 0), after(sh.words.size() + 1, 0) {
    // What the boards whose lowest word is w or a later one can score at most.
    for (std::size_t w = sh.words.size(); w-- > 0;) {
      const Word& word = sh.words[w];
      const bool counts = word.Text.empty() || static_cast<int>(word.Text.size()) <= sh.boardSize;
      after[w] = after[w + 1] + (counts ? std::max<Long>(0, word.Points) : 0);
    }
    finished.back() = 1;
  }
  // The root's boards are all searched: the bound falls to what the roots
  // not yet searched could give.
  void Finish(Shared& sh, int root) {
    std::lock_guard<std::mutex> lock(mutex);
    finished[static_cast<std::size_t>(root)] = 1;
    std::size_t first = 0;
    while (!finished[first]) ++first;
    Long seen = sh.bound.load();
    while (after[first] < seen && !sh.bound.compare_exchange_weak(seen, after[first])) {
    }
  }

  Long greedyBest = 0;  // boards of this score or less never win
  std::atomic<int> nextRoot{0};
  std::atomic<bool> interrupted{false};
  std::mutex mutex;
  Found best;
  std::vector<char> finished;  // by root, and one past the last
  std::vector<Long> after;     // by root
};

class Searcher {
 public:
  Searcher(Shared& sh, ExactStage& stage)
      : sh_(sh),
        stage_(stage),
        layout_(sh.words, sh.boardSize),
        marks_{RingGrid<std::uint32_t>(layout_.Frame()), RingGrid<std::uint32_t>(layout_.Frame())},
        zoneMark_(layout_.Frame()),
        witness_(sh.words.size()) {}

  void Run() {
    for (int root = stage_.nextRoot++; root < static_cast<int>(sh_.words.size());
         root = stage_.nextRoot++) {
      if (!SearchFrom(root)) {
        stage_.interrupted = true;
        break;
      }
      stage_.Finish(sh_, root);
    }
    sh_.nodes += nodes_ % 256;
  }

 private:
  // All complete boards whose lowest word is root, lying across.
  bool SearchFrom(int root) {
    root_ = root;
    found_ = Found{};
    seen_.Clear();
    layout_.Clear();
    const Placement first = layout_.Root(root);
    if (!layout_.CanPlace(first)) return true;
    alive_.assign(1, std::vector<char>(sh_.words.size(), 1));
    for (Placement& w : witness_) w = Placement{-1, 0, 0, 0};
    layout_.Place(first);
    hash_ = PlacementKey(first);
    const bool done = Grow(1);
    layout_.Undo();
    if (found_.Any) {
      std::lock_guard<std::mutex> lock(stage_.mutex);
      Keep(stage_.best, found_.Score, found_.Board, root);
    }
    return done;
  }

  // Whether the word still fits anywhere the figure's box allows; fits only
  // ever go away as the board fills, so a word without a place stays out.
  bool HasPlace(int w) {
    Placement& seen = witness_[static_cast<std::size_t>(w)];
    if (seen.Word == w && layout_.CanPlace(seen)) return true;
    const int n = sh_.boardSize;
    const int len = static_cast<int>(sh_.words[static_cast<std::size_t>(w)].Text.size());
    for (int dir = 0; dir < 2; ++dir) {
      const int x0 = std::max(0, layout_.MaxX() - n + 1), y0 = std::max(0, layout_.MaxY() - n + 1);
      const int x1 = std::min(layout_.Frame() - 1, layout_.MinX() + n - 1);
      const int y1 = std::min(layout_.Frame() - 1, layout_.MinY() + n - 1);
      for (int y = y0; y <= y1 - (len - 1) * dir; ++y) {
        for (int x = x0; x <= x1 - (len - 1) * (1 - dir); ++x) {
          const Placement p{w, x, y, dir};
          if (layout_.CanPlace(p)) {
            seen = p;
            return true;
          }
        }
      }
    }
    return false;
  }

  struct Move {
    Placement P;
    int Crossings;
  };

  // Every placement of a later word with a letter on or beside the figure.
  std::vector<Move> Moves(const std::vector<char>& alive) {
    std::vector<int> zone;
    ++zoneStamp_;
    for (const int cell : layout_.LetterCells()) {
      const int x = CellX(cell), y = CellY(cell);
      const int around[5][2] = {{x, y}, {x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
      for (const auto& c : around) {
        if (c[0] < 0 || c[1] < 0 || c[0] >= layout_.Frame() || c[1] >= layout_.Frame()) continue;
        if (zoneMark_(c[0], c[1]) == zoneStamp_) continue;
        zoneMark_(c[0], c[1]) = zoneStamp_;
        zone.push_back(PackCell(c[0], c[1]));
      }
    }
    std::vector<Move> moves;
    for (int w = root_ + 1; w < static_cast<int>(sh_.words.size()); ++w) {
      if (layout_.IsPlaced(w) || !alive[static_cast<std::size_t>(w)]) continue;
      const int len = static_cast<int>(sh_.words[static_cast<std::size_t>(w)].Text.size());
      ++stamp_;
      for (const int cell : zone) {
        for (int dir = 0; dir < 2; ++dir) {
          for (int k = 0; k < len; ++k) {
            const Placement p{w, CellX(cell) - k * (1 - dir), CellY(cell) - k * dir, dir};
            if (p.X < 0 || p.Y < 0) continue;
            std::uint32_t& mark = marks_[dir](p.X, p.Y);
            if (mark == stamp_) continue;
            mark = stamp_;
            if (layout_.CanPlace(p)) moves.push_back({p, layout_.Crossings(p)});
          }
        }
      }
    }
    std::stable_sort(moves.begin(), moves.end(), [this](const Move& a, const Move& b) {
      if (a.Crossings != b.Crossings) return a.Crossings > b.Crossings;
      return sh_.words[static_cast<std::size_t>(a.P.Word)].Points >
             sh_.words[static_cast<std::size_t>(b.P.Word)].Points;
    });
    return moves;
  }

  // False when the search was stopped.
  bool Grow(std::size_t depth) {
    if (++nodes_ % 256 == 0) {
      sh_.nodes += 256;
      if (sh_.stop) return false;
    }
    const Long score = layout_.Score();
    if ((!found_.Any || score > found_.Score) && score > stage_.greedyBest && score >= sh_.best &&
        layout_.Complete()) {
      Keep(found_, score, layout_.OnBoard(), 0);
      sh_.Raise(score, layout_.Placed().size());
      if (score == sh_.reachable) sh_.stop = true;
    }
    if (alive_.size() <= depth) alive_.resize(depth + 1);
    alive_[depth] = alive_[depth - 1];
    std::vector<char>& alive = alive_[depth];
    Long bound = score;
    for (int w = root_ + 1; w < static_cast<int>(sh_.words.size()); ++w) {
      const Long points = sh_.words[static_cast<std::size_t>(w)].Points;
      if (layout_.IsPlaced(w) || !alive[static_cast<std::size_t>(w)]) continue;
      if (points > 0 && sh_.words[static_cast<std::size_t>(w)].Text.empty()) {
        bound += points;  // never placed here, but it keeps the bound honest
      } else if (!HasPlace(w)) {
        alive[static_cast<std::size_t>(w)] = 0;
      } else if (points > 0) {
        bound += points;
      }
    }
    if ((found_.Any && bound <= found_.Score) || bound <= stage_.greedyBest || bound < sh_.best)
      return true;
    if (!seen_.Insert(hash_)) return true;
    for (const Move& m : Moves(alive)) {
      layout_.Place(m.P);
      hash_ ^= PlacementKey(m.P);
      const bool go = Grow(depth + 1);
      hash_ ^= PlacementKey(m.P);
      layout_.Undo();
      if (!go) return false;
    }
    return true;
  }

  Shared& sh_;
  ExactStage& stage_;
  Layout layout_;
  RingGrid<std::uint32_t> marks_[2];
  RingGrid<std::uint32_t> zoneMark_;
  std::uint32_t stamp_ = 0, zoneStamp_ = 0;
  std::vector<Placement> witness_;
  std::vector<std::vector<char>> alive_;
  Seen seen_;
  Found found_;
  int root_ = 0;
  std::uint64_t hash_ = 0;
  std::uint64_t nodes_ = 0;
};

// Runs one stage on every thread and waits for it, reporting progress and
// stopping it at the deadline.
void RunStage(Shared& sh, const std::function<void(int)>& work) {
  std::mutex mutex;
  std::condition_variable done;
  int running = sh.options.Threads;
  std::vector<std::thread> threads;
  for (int t = 0; t < sh.options.Threads; ++t) {
    threads.emplace_back([&, t] {
      work(t);
      std::lock_guard<std::mutex> lock(mutex);
      --running;
      done.notify_all();
    });
  }
  const auto deadline = sh.start + std::chrono::duration_cast<SteadyClock::duration>(
                                       std::chrono::duration<double>(sh.options.Seconds));
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (running > 0) {
      done.wait_until(lock,
                      std::min(deadline, SteadyClock::now() + std::chrono::milliseconds(200)));
      if (SteadyClock::now() >= deadline) sh.stop = true;
      if (sh.options.Progress && running > 0) sh.options.Progress(sh.Progress());
    }
  }
  for (std::thread& t : threads) t.join();
}

}  // namespace

SolveResult Solve(const std::vector<Word>& words, int boardSize, const SolveOptions& options) {
  Shared sh(words, boardSize, options);
  BuildStage greedy;
  RunStage(sh, [&](int t) { BuildWorker(sh, greedy, t); });

  ExactStage exact(sh);
  exact.greedyBest = greedy.best.Any ? greedy.best.Score : 0;
  const bool full = greedy.best.Any && greedy.best.Score == sh.reachable;
  const bool exactRan = !full && !sh.stop;
  if (exactRan) {
    RunStage(sh, [&](int) {
      Searcher searcher(sh, exact);
      searcher.Run();
    });
  }

  SolveResult result;
  if (greedy.best.Any) Keep(exact.best, greedy.best.Score, greedy.best.Board, -1);
  if (exact.best.Any && exact.best.Score > 0) {
    result.Placements = exact.best.Board;
    result.Score = exact.best.Score;
  }
  // A word without letters is never placed here, though the game would
  // take it (it only writes its two marks): with points to give, the
  // search proves nothing.
  const bool letterless = sh.upper > sh.reachable;
  result.Proven = !letterless && (result.Score == sh.reachable || (exactRan && !exact.interrupted));
  // Boards searched to the end leave the letterless words' points on top of
  // the best one, whichever stage happened to find it first.
  result.Bound = result.Proven
                     ? result.Score
                     : std::max(result.Score + (sh.upper - sh.reachable), sh.bound.load());
  result.Nodes = sh.nodes;
  result.Elapsed = sh.Elapsed();
  result.FirstBoardAt = sh.firstAt;
  result.AllWordsAt = sh.allAt;
  result.BestAt = result.Score > 0 ? sh.bestAt : -1;
  return result;
}

double GapPercent(const SolveResult& result) {
  if (result.Bound <= 0 || result.Bound <= result.Score) return 0;
  return 100.0 * static_cast<double>(result.Bound - result.Score) /
         static_cast<double>(result.Bound);
}

}  // namespace numera::workshop
