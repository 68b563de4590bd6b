// The review of a finished (or interrupted) game: every position of its record searched by the
// tree search, each move judged by how much it lost for the side that made it against the best
// the search found there. The window's review and `nobakuza-cli review` both run this.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "board/move.h"
#include "records/game_record.h"
#include "records/replay.h"
#include "search/game_tree_search.h"
#include "search/level_search.h"

namespace nobakuza {

// Scores are the search's: a pawn is 100. A forced win is at least wonScore (winScore less the
// plies to the end), a forced loss at most -wonScore.
inline constexpr int pawnScore = 100;
inline constexpr int dubiousDrop = 150;  // 1.5 pawns lost by a move: 疑問手
inline constexpr int blunderDrop = 300;  // 3 pawns: 悪手

constexpr bool isForcedWin(int score) {
    return score >= wonScore;
}
constexpr bool isForcedLoss(int score) {
    return score <= -wonScore;
}
constexpr bool isMateScore(int score) {
    return isForcedWin(score) || isForcedLoss(score);
}
// Plies to the end of a forced win or loss (0: the game has ended here).
constexpr int pliesToEnd(int score) {
    return winScore - (score < 0 ? -score : score);
}

enum class ReviewMark : std::uint8_t { none, dubious, blunder };

// The mark of a move from the mover's best before it and the value after it, both from the
// mover's side: a forced win let slip or a forced loss walked into is a blunder whatever the
// numbers; between two forced wins (or two forced losses) nothing is marked; otherwise the drop.
ReviewMark markOf(int scoreBefore, int scoreAfter);
// "悪手", "疑問手", or "" for none: the program's own texts (the window translates them).
const char* markText(ReviewMark mark);

struct ReviewedMove {
    int ply = 0;             // 1-based: the move from snapshot ply - 1 to snapshot ply
    MoveNote note{};         // the move played (note.boardId 0: the snapshots show no single move)
    bool topMoved = false;   // the top side (the computer's pieces) made it
    bool evaluated = false;  // both positions searched (false when the review was stopped first)
    int scoreBefore = 0;     // the best the mover had before the move, from the mover's side
    int scoreAfter = 0;      // the position after the move, from the mover's side
    Move preferred{};        // the search's move in the position before (boardId 0: none)
    ReviewMark mark = ReviewMark::none;
    int depth = 0;  // the depth the search of the position before reached
};

// The value after a move from the bottom side's (the human's) view, as a graph draws it.
constexpr int bottomScoreAfter(const ReviewedMove& m) {
    return m.topMoved ? -m.scoreAfter : m.scoreAfter;
}

struct ReviewOptions {
    int level = quickSearchLevel;  // each position gets levelSeconds(level) (LEVEL4's below 4)
    int depth = 0;  // > 0: this depth instead of the time, with a fresh table for every position,
                    // so that the review is the same every run
    int jobs = 1;   // threads, one search (and one table) each
    int hashBits = 20;
    // Who loses when the game's mate test fails for their king. A game against the computer
    // ends only by the computer's king mated (computerTurnRules); a match by either.
    SearchRules rules = computerTurnRules;
    // Called on the thread that called reviewGame, after each position searched: (done, total).
    std::function<void(int, int)> progress;
    // Set from another thread to end the review at once (every search reads it as it runs).
    const std::atomic<bool>* stop = nullptr;
    // The searches run at a lower priority than the caller's other threads (the window's review,
    // so that the window answers at once).
    bool yieldToOthers = false;
};

struct GameReview {
    std::vector<ReviewedMove> moves;  // plies 1 .. record.lastRecordIndex
    bool complete = false;            // every position searched (not stopped)
    int positions = 0;                // positions searched
    double milliseconds = 0;          // wall time of the whole review
};

// Reviews snapshots 0 .. record.lastRecordIndex of `record`. A move the search preferred itself
// is not marked. The side to move in each position
// is the one that made the next move (after the last one, the other side); a position where the
// game has ended (a king taken, or a mate the rules count on the board just moved) is judged so
// without a search. Blocks until done or stopped.
GameReview reviewGame(const GameRecord& record, const ReviewOptions& options);

struct ReviewCounts {
    int topBlunders = 0;
    int topDubious = 0;
    int bottomBlunders = 0;
    int bottomDubious = 0;
};
ReviewCounts countMarks(const GameReview& review);

}  // namespace nobakuza
