#include "computer/self_play.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "board/move_legality.h"
#include "board/piece_movement.h"

namespace nobakuza {
namespace {

TEST(SelfPlay, EveryMoveOfBothSidesIsLegalWhereItIsPlayed) {
    auto start = std::make_unique<GameState>();
    setInitialPosition(start->left.board);
    setInitialPosition(start->right.board);
    std::vector<Move> moves;
    listLegalMoves(*start, true, moves);
    EXPECT_EQ(moves.size(), 60u);  // 30 on each board
    listLegalMoves(*start, false, moves);
    EXPECT_EQ(moves.size(), 60u);

    // The start position looks the same from the other side.
    auto turned = std::make_unique<GameState>();
    turnAround(*start, *turned);
    EXPECT_EQ(turned->left.board, start->left.board);
    EXPECT_EQ(turned->right.board, start->right.board);

    // A game of searched moves for both sides: each move, mapped back from the turned-around
    // boards for the bottom side, must be one the side to move could make before it.
    SelfPlayConfig config;
    config.seed = 11;
    config.randomPlies = 6;
    config.maxMoves = 60;
    SelfPlayGame game(config);
    auto before = std::make_unique<GameState>();
    int searched = 0;
    while (game.end() == SelfPlayEnd::none) {
        *before = game.game();
        const bool top = game.topToMove();
        searched += game.nextIsSearched() ? 1 : 0;
        game.playMove();
        const Move& m = game.lastMove();
        listLegalMoves(*before, top, moves);
        bool found = false;
        for (const Move& l : moves) {
            if (l.boardId == m.boardId && l.fromFile == m.fromFile && l.fromRank == m.fromRank &&
                l.toFile == m.toFile && l.toRank == m.toRank &&
                (l.placed == m.placed || std::abs(l.placed) + 1 == std::abs(m.placed)))
                found = true;
        }
        EXPECT_TRUE(found) << "move " << game.moves() << (top ? " top" : " bottom");
        EXPECT_EQ(top ? m.placed > 0 : m.placed < 0, true);
    }
    EXPECT_GT(searched, 0);

    // The search's shape filter never hides a move the move test allows, for any piece.
    for (const BoardState* b :
         {&game.game().left, &game.game().right, static_cast<const BoardState*>(&start->left)})
        for (int c = 10; c <= 950; ++c) {
            if (kindIndexOf(static_cast<Code>(c)) == 0 && c != comKing) continue;
            for (const Code code : {static_cast<Code>(c), static_cast<Code>(-c)})
                for (int ff = 1; ff <= 9; ++ff)
                    for (int fr = 1; fr <= 9; ++fr)
                        for (int tf = 1; tf <= 9; ++tf)
                            for (int tr = 1; tr <= 9; ++tr)
                                if (移動チェック(*b, ff, fr, tf, tr, code) == flagYes) {
                                    ASSERT_TRUE(shapeAllows(code, tf - ff, tr - fr)) << code;
                                }
        }
    EXPECT_LE(game.moves(), 60);

    // The same seed plays the same game.
    SelfPlayGame replay(config);
    while (replay.playMove() == SelfPlayEnd::none) {
    }
    EXPECT_EQ(replay.moves(), game.moves());
    EXPECT_EQ(replay.game().left.board, game.game().left.board);
    EXPECT_EQ(replay.game().right.board, game.game().right.board);
}

}  // namespace
}  // namespace nobakuza
