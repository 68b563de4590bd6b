// The review of a game: the marks a move gets from the values before and after it, and the review
// of a played game, which at a fixed depth must not depend on how many threads share it.
#include "review/game_review.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include "board/move_execution.h"
#include "search/match.h"

namespace nobakuza {
namespace {

TEST(ReviewMarks, PawnsLostAndForcedEndsLetSlipOrWalkedInto) {
    struct Case {
        int before;
        int after;
        ReviewMark mark;
    };
    const int winIn3 = winScore - 3;
    const Case cases[] = {
        {50, -99, ReviewMark::none},      // 1.49 pawns
        {50, -100, ReviewMark::dubious},  // 1.5
        {0, -299, ReviewMark::dubious},
        {-200, -500, ReviewMark::blunder},  // 3
        {100, 900, ReviewMark::none},       // a gain
        // A forced win let slip, even into a position still far ahead.
        {winIn3, 2000, ReviewMark::blunder},
        // A forced loss walked into from a position that was merely bad.
        {-800, -winIn3, ReviewMark::blunder},
        // A longer forced win, a forced loss already there, a forced win found: no mark.
        {winIn3, wonScore, ReviewMark::none},
        {-wonScore, -winScore, ReviewMark::none},
        {-100, winIn3, ReviewMark::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.after);
        EXPECT_EQ(markOf(c.before, c.after), c.mark);
    }
    EXPECT_TRUE(isForcedWin(winIn3) && isMateScore(-winIn3) && !isMateScore(wonScore - 1));
    EXPECT_EQ(pliesToEnd(-winIn3), 3);
}

// A short game of LEVEL4 against LEVEL3 at a fixed depth, as a record.
std::unique_ptr<GameRecord> playedGame(MatchGameResult& played) {
    MatchGameConfig config;
    config.seed = 5;
    config.topLevel = 4;
    config.bottomLevel = 3;
    config.fixedDepth = 3;
    config.maxMoves = 120;
    auto top = std::make_unique<MatchPlayer>();
    auto bottom = std::make_unique<MatchPlayer>();
    played = playMatchGame(config, *top, *bottom);

    auto game = std::make_unique<GameState>();
    auto record = std::make_unique<GameRecord>();
    setInitialPosition(game->left.board);
    setInitialPosition(game->right.board);
    storeStartPosition(*record, *game);
    for (const Move& m : played.played) {
        駒移動(*game, game->board(m.boardId), m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
        EXPECT_FALSE(手順保存(*record, *game, 0, 0, 0, 0).has_value());
    }
    return record;
}

TEST(GameReview, AFixedDepthReviewsAlikeOnOneThreadAndTwoAndJudgesTheEnd) {
    MatchGameResult played;
    const auto record = playedGame(played);
    ASSERT_EQ(winnerOf(played.end), 1) << "the game must end with a win of the top side";
    const int plies = static_cast<int>(played.played.size());

    ReviewOptions options;
    options.depth = 2;
    options.hashBits = 16;
    options.rules = SearchRules{};  // a match: a mate ends it for either side
    const GameReview one = reviewGame(*record, options);
    options.jobs = 2;
    std::vector<std::pair<int, int>> progress;
    options.progress = [&](int done, int total) { progress.emplace_back(done, total); };
    const GameReview two = reviewGame(*record, options);

    ASSERT_EQ(one.moves.size(), static_cast<std::size_t>(plies));
    ASSERT_EQ(two.moves.size(), one.moves.size());
    EXPECT_TRUE(one.complete && two.complete);
    EXPECT_EQ(one.positions, plies + 1);  // the moves alternate: one search a position
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::make_pair(plies + 1, plies + 1));
    for (std::size_t i = 1; i < progress.size(); ++i)
        EXPECT_GT(progress[i].first, progress[i - 1].first);

    int marked = 0;
    for (std::size_t i = 0; i < one.moves.size(); ++i) {
        const ReviewedMove& a = one.moves[i];
        const ReviewedMove& b = two.moves[i];
        SCOPED_TRACE(testing::Message() << "ply " << a.ply);
        EXPECT_EQ(a.ply, static_cast<int>(i) + 1);
        EXPECT_EQ(a.topMoved, i % 2 == 0);  // the top side opens a match
        EXPECT_TRUE(a.evaluated);
        EXPECT_EQ(a.note.boardId, played.played[i].boardId);
        EXPECT_EQ(a.note.toFile, played.played[i].toFile);
        EXPECT_EQ(a.note.toRank, played.played[i].toRank);
        EXPECT_EQ(a.scoreBefore, b.scoreBefore);
        EXPECT_EQ(a.scoreAfter, b.scoreAfter);
        EXPECT_EQ(a.mark, b.mark);
        EXPECT_EQ(a.preferred.boardId, b.preferred.boardId);
        EXPECT_EQ(a.preferred.toFile, b.preferred.toFile);
        EXPECT_EQ(a.preferred.toRank, b.preferred.toRank);
        EXPECT_EQ(a.preferred.placed, b.preferred.placed);
        // The value after a move is the value before the next one, seen from the other side.
        if (i + 1 < one.moves.size()) {
            EXPECT_EQ(a.scoreAfter, -one.moves[i + 1].scoreBefore);
        }
        if (a.mark != ReviewMark::none) ++marked;
    }
    EXPECT_GT(marked, 0) << "LEVEL3 against a search makes no mistake at all?";

    // Each value is what a search with a fresh table finds in that position: nothing that the
    // positions searched before on the same thread left behind counts.
    GameTreeSearch fresh(16);
    auto game = std::make_unique<GameState>();
    for (const ReviewedMove& m : one.moves) {
        if (m.ply == plies) break;  // the game's end is judged without a search
        SCOPED_TRACE(testing::Message() << "ply " << m.ply);
        restoreSnapshot(*record, m.ply - 1, *game);
        refreshKingsAndPawnFiles(game->left);
        refreshKingsAndPawnFiles(game->right);
        SearchPosition root;
        loadPosition(*game, m.topMoved ? topSide : bottomSide, root);
        fresh.clearHash();
        SearchLimits limits;
        limits.depth = options.depth;
        const TreeSearchResult r = fresh.search(root, options.rules, limits);
        EXPECT_EQ(m.scoreBefore, r.score);
        const Move best = moveOf(root, r.move);
        EXPECT_TRUE(best.boardId == m.preferred.boardId && best.toFile == m.preferred.toFile &&
                    best.toRank == m.preferred.toRank && best.placed == m.preferred.placed);
    }
    // The last move ended the game: won there and then, for the side that made it.
    EXPECT_EQ(one.moves.back().scoreAfter, winScore);
    EXPECT_TRUE(isForcedWin(one.moves.back().scoreBefore));

    // Stopped before it starts: nothing searched, nothing judged.
    std::atomic<bool> stop{true};
    options.stop = &stop;
    const GameReview stopped = reviewGame(*record, options);
    EXPECT_FALSE(stopped.complete);
    EXPECT_EQ(stopped.positions, 0);
    for (const ReviewedMove& m : stopped.moves) EXPECT_FALSE(m.evaluated);
}

}  // namespace
}  // namespace nobakuza
