#include "search/game_tree_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "board/move_execution.h"
#include "board/move_legality.h"
#include "computer/play_signature.h"
#include "computer/self_play.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "search/level_search.h"
#include "search/move_generator.h"

namespace nobakuza {
namespace {

// Both boards empty but for what a test puts there; the top side (the computer's) to move.
struct Board {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    Board() {
        put(leftBoardId, 5, 1, comKing);
        put(rightBoardId, 5, 1, comKing);
        put(leftBoardId, 5, 9, manKing);
        put(rightBoardId, 5, 9, manKing);
    }
    Board& put(std::int16_t board, int f, int r, Code c) {
        g->board(board).board[f][r] = c;
        return *this;
    }
    Board& give(std::int16_t board, bool top, int kind) {
        BoardState& b = g->board(board);
        ++(top ? b.comHand : b.manHand)[kind];
        recountHandTotals(b);
        return *this;
    }
    LevelMove search(int depth, const SearchRules& rules = SearchRules{},
                     GameTreeSearch* engine = nullptr) const {
        GameTreeSearch fresh(16);
        SearchLimits limits;
        limits.depth = depth;
        return searchTopMove(*g, rules, limits, engine ? *engine : fresh);
    }
};

bool sameMove(const Move& a, const Move& b) {
    return a.boardId == b.boardId && a.fromFile == b.fromFile && a.fromRank == b.fromRank &&
           a.toFile == b.toFile && a.toRank == b.toRank && a.placed == b.placed;
}

// Whether the move test accepts `m` for the top side of `g`.
bool accepted(GameState& g, const Move& m) {
    BoardState& b = g.board(m.boardId);
    調査_2歩フラグ設定(b);
    const Code code = m.fromFile == comHandColumn ? m.placed : b.board[m.fromFile][m.fromRank];
    return isComPiece(code) &&
           移動チェック(b, m.fromFile, m.fromRank, m.toFile, m.toRank, code) == flagYes;
}

// Whether some human piece could take a computer king with its next move, here or across.
bool computerKingTakeable(const GameState& g) {
    for (const BoardState* b : {&g.left, &g.right})
        for (int kf = 1; kf <= boardSize; ++kf)
            for (int kr = 1; kr <= boardSize; ++kr) {
                if (b->board[kf][kr] != comKing) continue;
                for (const BoardState* from : {b, &g.other(*b)})
                    for (int f = 1; f <= boardSize; ++f)
                        for (int r = 1; r <= boardSize; ++r)
                            if (isManPiece(from->board[f][r]) &&
                                移動チェック(*from, f, r, kf, kr, from->board[f][r]) == flagYes)
                                return true;
            }
    return false;
}

TEST(GameTreeSearch, KingsAcrossTheBoardsAndAForcedWinInThree) {
    // The right board's rook reaches (5,8) there, where the left board's human king stands:
    // landing on it takes the king across.
    Board across;
    across.put(leftBoardId, 5, 9, emptySquare).put(leftBoardId, 5, 8, manKing);
    across.put(rightBoardId, 5, 9, emptySquare).put(rightBoardId, 1, 9, manKing);
    across.put(rightBoardId, 5, 4, comRook);
    const LevelMove take = across.search(1);
    EXPECT_TRUE(sameMove(take.move, {rightBoardId, 5, 4, 5, 8, comRook}) ||
                sameMove(take.move, {rightBoardId, 5, 4, 5, 8, comPromotedRook}));
    EXPECT_GE(take.score, wonScore);

    // The same threat against the computer: the human's rook on the right board reaches (5,1)
    // there, where the computer's king stands on the left board. A gold hangs to the silver, but
    // the king comes first.
    Board threat;
    threat.put(rightBoardId, 5, 1, emptySquare).put(rightBoardId, 9, 1, comKing);
    threat.put(rightBoardId, 5, 5, manRook);
    threat.put(leftBoardId, 3, 3, comSilver).put(leftBoardId, 3, 4, manGold);
    ASSERT_TRUE(computerKingTakeable(*threat.g));
    for (const int depth : {1, 3}) {
        const LevelMove guard = threat.search(depth);
        ASSERT_NE(guard.move.boardId, 0);
        GameState after = *threat.g;
        駒移動(after, after.board(guard.move.boardId), guard.move.fromFile, guard.move.fromRank,
               guard.move.toFile, guard.move.toRank, guard.move.placed);
        EXPECT_FALSE(computerKingTakeable(after)) << "depth " << depth;
    }

    // A gold dropped beside the cornered king, held there by a silver: the king has nowhere to go
    // and is taken on the third ply. As a mate it ends the game at once where mates count.
    Board corner;
    corner.put(leftBoardId, 5, 9, emptySquare).put(leftBoardId, 1, 9, manKing);
    corner.put(leftBoardId, 2, 7, comSilver).give(leftBoardId, true, goldKind);
    const Move drop{leftBoardId, comHandColumn, goldKind, 1, 8, comGold};
    GameTreeSearch engine(16);
    for (int twice = 0; twice < 2; ++twice) {  // the second time from the table's values
        const LevelMove three = corner.search(
            3, SearchRules{.topLosesByMate = false, .bottomLosesByMate = false}, &engine);
        EXPECT_TRUE(sameMove(three.move, drop));
        EXPECT_EQ(three.score, winScore - 3);  // drop, any reply, take the king
    }
    const LevelMove mate = corner.search(3);
    EXPECT_TRUE(sameMove(mate.move, drop));
    EXPECT_EQ(mate.score, winScore - 1);
}

TEST(GameTreeSearch, KeepsItsRookOutOfAOneMoveCapture) {
    // The rook on (5,5) is attacked by a defended pawn; a pawn on (2,6) hangs. Taking it with the
    // silver loses the rook; the rook must move (or be guarded) first.
    Board b;
    b.put(leftBoardId, 5, 5, comRook)
        .put(leftBoardId, 5, 6, manPawn)
        .put(leftBoardId, 5, 7, manGold);
    b.put(leftBoardId, 2, 6, manPawn).put(leftBoardId, 2, 5, comSilver);
    for (const int depth : {1, 2, 3}) {
        SCOPED_TRACE(depth);
        const LevelMove m = b.search(depth);
        ASSERT_NE(m.move.boardId, 0);
        // After the move, no human piece can reach the rook (wherever it now stands), on its
        // board or across from the other.
        auto after = std::make_unique<GameState>(*b.g);
        BoardState& board = after->board(m.move.boardId);
        board.board[m.move.toFile][m.move.toRank] = m.move.placed;
        if (m.move.fromFile >= 1) board.board[m.move.fromFile][m.move.fromRank] = emptySquare;
        int rooks = 0;
        for (int f = 1; f <= boardSize; ++f)
            for (int r = 1; r <= boardSize; ++r) {
                const Code c = after->left.board[f][r];
                if (c != comRook && c != comPromotedRook) continue;
                ++rooks;
                for (const BoardState* from : {&after->left, &after->right})
                    for (int hf = 1; hf <= boardSize; ++hf)
                        for (int hr = 1; hr <= boardSize; ++hr) {
                            const Code h = from->board[hf][hr];
                            if (!isManPiece(h)) continue;
                            EXPECT_EQ(移動チェック(*from, hf, hr, f, r, h), flagNo)
                                << "rook on " << f << "," << r << " taken from " << hf << "," << hr;
                        }
            }
        EXPECT_EQ(rooks, 1);
    }
}

// Near the root a mate is judged as the game judges it, and before anything else the move allows.
// The rook comes down to (5,9) and checks the cornered human king along the last rank, its steps
// held by its own pawns. Where the bottom king loses by mate (the hint's rules), that wins, though
// a gold on the other board could take the rook across.
TEST(GameTreeSearch, AMateNearTheRootIsTheGamesMate) {
    auto corner = [] {
        Board b;
        b.put(leftBoardId, 5, 9, emptySquare).put(leftBoardId, 1, 9, manKing);
        b.put(rightBoardId, 5, 9, emptySquare).put(rightBoardId, 9, 9, manKing);
        b.put(rightBoardId, 6, 9, manGold);
        for (int f = 1; f <= 4; ++f) b.put(leftBoardId, f, 8, manPawn);
        b.put(leftBoardId, 5, 3, comRook);
        return b;
    };
    auto expectMate = [](const Board& b) {
        const LevelMove m = b.search(1, hintRules);
        EXPECT_EQ(m.move.boardId, leftBoardId);
        EXPECT_EQ(m.move.toFile, 5);
        EXPECT_EQ(m.move.toRank, 9);
        EXPECT_EQ(m.score, winScore - 1);
    };
    {
        SCOPED_TRACE("a pawn in hand, but the two-pawn rule forbids every block");
        Board b = corner();
        b.give(leftBoardId, false, pawnKind);
        expectMate(b);
    }
    {
        SCOPED_TRACE("the rook leaves its own king to the human rook on rank 3");
        Board b = corner();
        b.put(leftBoardId, 5, 1, emptySquare).put(leftBoardId, 9, 3, comKing);
        b.put(leftBoardId, 1, 3, manRook);
        expectMate(b);
    }
}

// The search ends a game where the game ends it and for the same side. Over self-play positions
// near and at their ends, every move the search can make is played by the game's own move and
// judged by the game's own checks in the game's order: the king taken, then the mate test of the
// board just moved (where the rules count a mate). A depth-1 search must score a won game exactly
// where one of those moves wins it, and play one of them.
TEST(GameTreeSearch, ItEndsTheGameWhereTheGameDoesMoveByMove) {
    // The last positions of self-play games, where kings can be taken and mated, each searched
    // for either side to move.
    std::vector<GameState> corpus;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SelfPlayConfig config;
        config.seed = seed;
        config.randomPlies = 6;
        SelfPlayGame game(config);
        std::vector<GameState> seen;
        while (game.end() == SelfPlayEnd::none) {
            seen.emplace_back();
            game.searchView(seen.back());
            game.playMove();
        }
        const std::size_t kept = std::min<std::size_t>(seen.size(), 12);
        corpus.insert(corpus.end(), seen.end() - static_cast<std::ptrdiff_t>(kept), seen.end());
    }
    GameTreeSearch engine(16);
    auto after = std::make_unique<GameState>();
    auto list = std::make_unique<MoveList>();
    std::vector<TreeMove> ending;
    int kingsTaken = 0;
    int mates = 0;
    for (const SearchRules& rules : {SearchRules{}, computerTurnRules, hintRules}) {
        for (std::size_t i = 0; i < corpus.size(); ++i) {
            for (const int side : {topSide, bottomSide}) {
                const GameState& p = corpus[i];
                SearchPosition root;
                loadPosition(p, side, root);
                list->count = 0;
                generateMoves(root, MoveKinds::all, *list);
                ending.clear();
                for (int k = 0; k < list->count; ++k) {
                    const TreeMove tm = list->moves[static_cast<std::size_t>(k)].move;
                    const Move m = moveOf(root, tm);
                    *after = p;
                    BoardState& b = after->board(m.boardId);
                    駒移動(*after, b, m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
                    bool ends = false;
                    if (after->winner != noSide) {
                        EXPECT_EQ(after->winner, side == topSide ? p.comSide : p.manSide);
                        ends = true;
                        ++kingsTaken;
                    } else if (rules.losesByMate(side ^ 1)) {
                        勢力調査(b);
                        ends = (side == topSide ? 詰めかMAN(b) : 詰めかCOM(b)) == flagYes;
                        mates += ends ? 1 : 0;
                    }
                    if (ends) ending.push_back(tm);
                }
                SearchLimits limits;
                limits.depth = 1;
                const TreeSearchResult found = engine.search(root, rules, limits);
                SCOPED_TRACE(testing::Message()
                             << "position " << i << (side == topSide ? ", top" : ", bottom")
                             << " to move, top " << rules.topLosesByMate << " bottom "
                             << rules.bottomLosesByMate << " lose by mate");
                EXPECT_EQ(found.score == winScore - 1, !ending.empty()) << found.score;
                if (!ending.empty()) {
                    EXPECT_NE(std::find(ending.begin(), ending.end(), found.move), ending.end());
                }
            }
        }
    }
    EXPECT_GE(mates, 20);
    EXPECT_GE(kingsTaken, 20);
}

// The table saves work and changes nothing: with the prunings whose values depend on the move
// order off, each depth gives the same move and value with the table as without it.
TEST(GameTreeSearch, TheTableChangesNeitherTheMoveNorTheValue) {
    const std::vector<GameState> corpus = selfPlayCorpus(3, 40);
    GameTreeSearch with(16);
    GameTreeSearch without(16);
    with.options = GameTreeSearch::exact;
    without.options = GameTreeSearch::exact;
    without.setHashEnabled(false);
    int compared = 0;
    for (std::size_t i = 0; i < corpus.size(); i += corpus.size() / 10) {
        SCOPED_TRACE(i);
        with.clearHash();
        SearchLimits limits;
        limits.depth = 3;
        const LevelMove a = searchTopMove(corpus[i], computerTurnRules, limits, with);
        const LevelMove b = searchTopMove(corpus[i], computerTurnRules, limits, without);
        EXPECT_TRUE(sameMove(a.move, b.move));
        EXPECT_EQ(a.score, b.score);
        // Searched again, most of the tree is answered by the table.
        const LevelMove again = searchTopMove(corpus[i], computerTurnRules, limits, with);
        EXPECT_TRUE(sameMove(again.move, b.move));
        EXPECT_EQ(again.score, b.score);
        EXPECT_LT(again.nodes, a.nodes);
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

TEST(GameTreeSearch, AStoppedOrTimedOutSearchStillGivesALegalMove) {
    const std::vector<GameState> corpus = selfPlayCorpus(2, 120);
    ASSERT_GE(corpus.size(), 50u);
    GameTreeSearch engine(16);
    for (const std::size_t i : {std::size_t{40}, corpus.size() - 1}) {
        SCOPED_TRACE(i);
        GameState g = corpus[i];
        // A budget far too short for the first iteration.
        SearchLimits limits;
        limits.seconds = 1e-6;
        LevelMove m = searchTopMove(g, computerTurnRules, limits, engine);
        ASSERT_NE(m.move.boardId, 0);
        EXPECT_TRUE(accepted(g, m.move));
        // Stopped from another thread in the middle of a deep search.
        std::atomic<bool> stop{false};
        SearchLimits stopped;
        stopped.depth = 30;
        stopped.stop = &stop;
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            stop.store(true);
        });
        m = searchTopMove(g, computerTurnRules, stopped, engine);
        stopper.join();
        ASSERT_NE(m.move.boardId, 0);
        EXPECT_TRUE(accepted(g, m.move));
        EXPECT_LT(m.depth, 30);
    }
}

}  // namespace
}  // namespace nobakuza
