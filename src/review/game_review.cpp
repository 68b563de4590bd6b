#include "review/game_review.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

ReviewMark markOf(int scoreBefore, int scoreAfter) {
    if (isForcedWin(scoreBefore) && !isForcedWin(scoreAfter)) return ReviewMark::blunder;
    if (isForcedLoss(scoreAfter) && !isForcedLoss(scoreBefore)) return ReviewMark::blunder;
    // A longer win, a loss already forced, or a forced end reached or escaped: nothing to mark.
    if (isMateScore(scoreBefore) || isMateScore(scoreAfter)) return ReviewMark::none;
    const int drop = scoreBefore - scoreAfter;
    if (drop >= blunderDrop) return ReviewMark::blunder;
    if (drop >= dubiousDrop) return ReviewMark::dubious;
    return ReviewMark::none;
}

const char* markText(ReviewMark mark) {
    switch (mark) {
        case ReviewMark::blunder:
            return "悪手";
        case ReviewMark::dubious:
            return "疑問手";
        default:
            return "";
    }
}

ReviewCounts countMarks(const GameReview& review) {
    ReviewCounts c;
    for (const ReviewedMove& m : review.moves) {
        if (m.mark == ReviewMark::blunder) ++(m.topMoved ? c.topBlunders : c.bottomBlunders);
        if (m.mark == ReviewMark::dubious) ++(m.topMoved ? c.topDubious : c.bottomDubious);
    }
    return c;
}

namespace {

// One position to search: a snapshot with a side to move.
struct ReviewTask {
    int snapshot = 0;
    int side = topSide;
};

struct PositionValue {
    bool known = false;
    int score = 0;  // for the side to move
    Move best{};
    int depth = 0;
};

// Whether the game has ended in `g` with `side` to move, after a move on `movedBoard` (0: none
// known): -1 lost (its king taken, or mated where the rules count it), +1 won (the other king
// taken), 0 not ended. The game's own order: a king taken, then the mate by the last move.
int endedFor(GameState& g, int side, std::int16_t movedBoard, const SearchRules& rules,
             const SearchPosition& p) {
    if (p.kings[0][side] == 0 || p.kings[1][side] == 0) return -1;
    if (p.kings[0][side ^ 1] == 0 || p.kings[1][side ^ 1] == 0) return 1;
    if (movedBoard == 0 || !rules.losesByMate(side)) return 0;
    BoardState& b = g.board(movedBoard);
    勢力調査(b);
    return (side == topSide ? 詰めかCOM(b) : 詰めかMAN(b)) == flagYes ? -1 : 0;
}

bool sameMove(const MoveNote& a, const MoveNote& b) {
    return a.boardId == b.boardId && a.fromFile == b.fromFile && a.fromRank == b.fromRank &&
           a.toFile == b.toFile && a.toRank == b.toRank && a.placed == b.placed;
}

// The calling thread's scheduling priority lowered (Linux keeps one per thread): a busy core is
// then the window's first.
void lowerThisThreadsPriority() {
    constexpr int yieldingNice = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), yieldingNice);
}

}  // namespace

GameReview reviewGame(const GameRecord& record, const ReviewOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    GameReview review;
    const int last = std::clamp<int>(record.lastRecordIndex, 0, maxRecordIndex);

    // Who made each move; a move the snapshots do not show is taken to alternate with its
    // neighbours.
    std::vector<MoveNote> notes(static_cast<std::size_t>(last + 1));
    std::vector<int> mover(static_cast<std::size_t>(last + 2), bottomSide);
    for (int n = 1; n <= last; ++n)
        notes[static_cast<std::size_t>(n)] = describeMove(record, n, false);
    for (int n = last; n >= 1; --n) {
        const MoveNote& note = notes[static_cast<std::size_t>(n)];
        if (note.boardId != 0)
            mover[static_cast<std::size_t>(n)] = note.topPiece ? topSide : bottomSide;
        else
            mover[static_cast<std::size_t>(n)] = mover[static_cast<std::size_t>(n + 1)] ^ 1;
    }
    for (int n = 2; n <= last; ++n)
        if (notes[static_cast<std::size_t>(n)].boardId == 0)
            mover[static_cast<std::size_t>(n)] = mover[static_cast<std::size_t>(n - 1)] ^ 1;

    // Snapshot k is searched for the mover of move k + 1 (the value before it) and for the side
    // that did not make move k (the value after it); in a game of turns that is one search.
    std::vector<ReviewTask> tasks;
    for (int k = 0; k <= last; ++k) {
        std::array<bool, 2> wanted{};
        if (k < last)
            wanted[static_cast<std::size_t>(mover[static_cast<std::size_t>(k + 1)])] = true;
        if (k > 0) wanted[static_cast<std::size_t>(mover[static_cast<std::size_t>(k)] ^ 1)] = true;
        for (int side : {topSide, bottomSide})
            if (wanted[static_cast<std::size_t>(side)]) tasks.push_back({k, side});
    }
    const int total = static_cast<int>(tasks.size());
    std::vector<std::array<PositionValue, 2>> values(static_cast<std::size_t>(last + 1));

    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;
    int done = 0;
    int running = 0;
    auto stopped = [&] { return options.stop != nullptr && options.stop->load(); };

    auto work = [&] {
        if (options.yieldToOthers) lowerThisThreadsPriority();
        GameTreeSearch engine(options.hashBits);
        auto game = std::make_unique<GameState>();
        SearchPosition root;
        for (;;) {
            ReviewTask task;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (next >= total || stopped()) break;
                task = tasks[static_cast<std::size_t>(next++)];
            }
            *game = GameState{};
            restoreSnapshot(record, task.snapshot, *game);
            refreshKingsAndPawnFiles(game->left);
            refreshKingsAndPawnFiles(game->right);
            loadPosition(*game, task.side, root);
            const std::int16_t movedBoard =
                task.snapshot > 0 &&
                        mover[static_cast<std::size_t>(task.snapshot)] == (task.side ^ 1)
                    ? notes[static_cast<std::size_t>(task.snapshot)].boardId
                    : std::int16_t{0};
            PositionValue value;
            if (const int end = endedFor(*game, task.side, movedBoard, options.rules, root)) {
                value.known = true;
                value.score = end * winScore;
            } else {
                SearchLimits limits;
                if (options.depth > 0) {
                    limits.depth = options.depth;
                    engine.clearHash();  // what another position left must not change this one
                } else {
                    // A level that does not search by time gets LEVEL4's, never no limit.
                    const double seconds = levelSeconds(options.level);
                    limits.seconds = seconds > 0 ? seconds : levelSeconds(quickSearchLevel);
                }
                limits.stop = options.stop;
                const TreeSearchResult r = engine.search(root, options.rules, limits);
                value.known = !stopped();
                value.score = r.score;
                value.depth = r.depth;
                if (r.move != noTreeMove) value.best = moveOf(root, r.move);
            }
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (!value.known) break;
                values[static_cast<std::size_t>(task.snapshot)]
                      [static_cast<std::size_t>(task.side)] = value;
                ++done;
            }
            changed.notify_one();
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            --running;
        }
        changed.notify_one();
    };

    const int jobs = std::max(1, std::min(options.jobs, std::max(total, 1)));
    std::vector<std::thread> threads;
    running = jobs;
    for (int j = 0; j < jobs; ++j) threads.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(mutex);
        int reported = 0;
        while (running > 0 || reported < done) {
            changed.wait(lock, [&] { return running == 0 || done != reported; });
            if (done != reported) {
                reported = done;
                if (options.progress) {
                    lock.unlock();
                    options.progress(reported, total);
                    lock.lock();
                }
            }
        }
    }
    for (std::thread& t : threads) t.join();

    review.positions = done;
    review.complete = done == total;
    review.moves.resize(static_cast<std::size_t>(last));
    for (int n = 1; n <= last; ++n) {
        ReviewedMove& m = review.moves[static_cast<std::size_t>(n - 1)];
        const int side = mover[static_cast<std::size_t>(n)];
        const PositionValue& before =
            values[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(side)];
        const PositionValue& after =
            values[static_cast<std::size_t>(n)][static_cast<std::size_t>(side ^ 1)];
        m.ply = n;
        m.note = notes[static_cast<std::size_t>(n)];
        m.topMoved = side == topSide;
        m.evaluated = before.known && after.known;
        m.scoreBefore = before.score;
        m.scoreAfter = -after.score;
        m.preferred = before.best;
        m.depth = before.depth;
        // The search's own choice is not marked: a drop after it is only the search seeing
        // further from the next position.
        if (m.evaluated && m.note.boardId != 0 && !sameMove(m.note, noteOf(m.preferred)))
            m.mark = markOf(m.scoreBefore, m.scoreAfter);
    }
    review.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return review;
}

}  // namespace nobakuza
