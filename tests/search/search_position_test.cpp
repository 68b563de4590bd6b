#include "search/search_position.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <tuple>
#include <vector>

#include "board/geometry.h"
#include "board/move_execution.h"
#include "board/move_legality.h"
#include "computer/self_play.h"
#include "search/level_search.h"
#include "search/move_generator.h"

namespace nobakuza {
namespace {

using MoveTuple = std::tuple<int, int, int, int, int, int>;  // board, from, to, placed code

MoveTuple tupleOf(const Move& m) {
    return {m.boardId, m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed};
}

// Every move the move test and the drop rules accept for one side, in each form the promotion
// rules allow: promoted where 調査_駒成 allows it, unpromoted unless 移動後チェック forbids it.
std::vector<MoveTuple> acceptedMoves(GameState& g, bool top) {
    std::vector<MoveTuple> out;
    for (BoardState* b : {&g.left, &g.right}) {
        調査_2歩フラグ設定(*b);
        for (int ff = 1; ff <= boardSize; ++ff)
            for (int fr = 1; fr <= boardSize; ++fr) {
                const Code c = b->board[ff][fr];
                if (top ? !isComPiece(c) : !isManPiece(c)) continue;
                for (int tf = 1; tf <= boardSize; ++tf)
                    for (int tr = 1; tr <= boardSize; ++tr) {
                        if (移動チェック(*b, ff, fr, tf, tr, c) != flagYes) continue;
                        if (調査_駒成(*b, ff, fr, tf, tr, c) == flagYes)
                            out.emplace_back(b->boardId, ff, fr, tf, tr, b->promotedPiece);
                        if (移動後チェック(tr, c) == flagYes)
                            out.emplace_back(b->boardId, ff, fr, tf, tr, c);
                    }
            }
        const Hand& hand = top ? b->comHand : b->manHand;
        for (int k = 1; k <= handKinds; ++k) {
            if (hand[k] < 1) continue;
            const Code c = static_cast<Code>(top ? kindCode[k] : -kindCode[k]);
            const int fromFile = top ? comHandColumn : manHandColumn;
            const int fromRank = top ? k : k + 2;
            for (int tf = 1; tf <= boardSize; ++tf)
                for (int tr = 1; tr <= boardSize; ++tr)
                    if (移動チェック(*b, fromFile, fromRank, tf, tr, c) == flagYes)
                        out.emplace_back(b->boardId, fromFile, fromRank, tf, tr, c);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<MoveTuple> generatedMoves(const GameState& g, bool top, MoveKinds kinds) {
    SearchPosition p;
    loadPosition(g, top ? topSide : bottomSide, p);
    auto list = std::make_unique<MoveList>();
    generateMoves(p, kinds, *list);
    std::vector<MoveTuple> out;
    for (int i = 0; i < list->count; ++i)
        out.push_back(tupleOf(moveOf(p, list->moves[static_cast<std::size_t>(i)].move)));
    std::sort(out.begin(), out.end());
    return out;
}

// Random games through the game's own move routine, promoting whenever it may on a coin's throw,
// so that the positions hold hands, promoted pieces and pieces deep in both camps.
template <typename Visit>
void randomGames(int games, int plies, Visit visit) {
    auto g = std::make_unique<GameState>();
    std::vector<Move> legal;
    for (int n = 0; n < games; ++n) {
        *g = GameState{};
        setInitialPosition(g->left.board);
        setInitialPosition(g->right.board);
        g->manSide = goteSide;
        g->comSide = senteSide;
        SeededRandom random(900 + static_cast<std::uint64_t>(n));
        bool top = true;
        for (int ply = 0; ply < plies && g->winner == noSide; ++ply) {
            visit(*g, top);
            listLegalMoves(*g, top, legal);
            if (legal.empty()) break;
            Move m = legal[random.below(static_cast<std::uint32_t>(legal.size()))];
            BoardState& b = g->board(m.boardId);
            if (onBoard(m.fromFile, m.fromRank) && random.below(2) == 0 &&
                調査_駒成(b, m.fromFile, m.fromRank, m.toFile, m.toRank,
                          b.board[m.fromFile][m.fromRank]) == flagYes)
                m.placed = b.promotedPiece;
            駒移動(*g, b, m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
            top = !top;
        }
    }
}

TEST(SearchMoves, TheGeneratorMakesExactlyTheMovesTheMoveTestAccepts) {
    int positions = 0, drops = 0, promotions = 0, captures = 0;
    randomGames(10, 200, [&](GameState& g, bool top) {
        ++positions;
        for (const bool side : {top, !top}) {
            const std::vector<MoveTuple> accepted = acceptedMoves(g, side);
            const std::vector<MoveTuple> generated = generatedMoves(g, side, MoveKinds::all);
            ASSERT_EQ(generated, accepted)
                << "position " << positions << (side ? " top" : " bottom");
            // The captures are the board moves that take a piece here or across.
            std::vector<MoveTuple> taking;
            for (const MoveTuple& m : accepted) {
                const auto [id, ff, fr, tf, tr, placed] = m;
                const BoardState& b = g.board(static_cast<std::int16_t>(id));
                if (!onBoard(ff, fr)) {
                    ++drops;
                    continue;
                }
                promotions += placed != b.board[ff][fr];
                const Code across = g.other(b).board[tf][tr];
                if (b.board[tf][tr] != emptySquare ||
                    (side ? isManPiece(across) : isComPiece(across)))
                    taking.push_back(m);
            }
            captures += static_cast<int>(taking.size());
            ASSERT_EQ(generatedMoves(g, side, MoveKinds::captures), taking);
            std::vector<MoveTuple> quiet;
            std::set_difference(accepted.begin(), accepted.end(), taking.begin(), taking.end(),
                                std::back_inserter(quiet));
            ASSERT_EQ(generatedMoves(g, side, MoveKinds::quiets), quiet);

            // A move remembered from elsewhere is tried exactly when the generator would make it
            // (in every eighth position: the candidates are many).
            if (positions % 8 != 0) continue;
            SearchPosition p;
            loadPosition(g, side ? topSide : bottomSide, p);
            for (int board = 0; board < 2; ++board)
                for (const int to : boardSquares) {
                    std::vector<TreeMove> candidates;
                    for (const int from : boardSquares)
                        for (const bool promote : {false, true})
                            candidates.push_back(boardMove(board, from, to, promote));
                    for (int kind = 1; kind <= handKinds; ++kind)
                        candidates.push_back(dropMove(board, kind, to));
                    for (const TreeMove m : candidates) {
                        const bool generated = std::binary_search(accepted.begin(), accepted.end(),
                                                                  tupleOf(moveOf(p, m)));
                        const bool own =
                            isDrop(m) || ownedBy(p.cells[board][moveFrom(m)], p.sideToMove);
                        ASSERT_EQ(isPseudoLegal(p, m), generated && own)
                            << board << " " << moveFrom(m) << " " << to;
                    }
                }
        }
    });
    // The positions held what the rules are about.
    EXPECT_GT(positions, 1000);
    EXPECT_GT(drops, 10000);
    EXPECT_GT(promotions, 1000);
    EXPECT_GT(captures, 10000);
}

// Long random sequences of the search's own moves: after each, the key, the material, the pawn
// files and the kings kept move by move equal a full recompute, and the boards and hands equal
// what the game's move routine makes of the same move; taking every move back restores the start.
TEST(SearchMoves, KeysAndBoardsKeptMoveByMoveMatchAFullRecomputeAndTheGamesOwnMove) {
    auto game = std::make_unique<GameState>();
    auto made = std::make_unique<GameState>();
    auto list = std::make_unique<MoveList>();
    std::vector<SearchPosition::Undo> undo(400);
    std::vector<TreeMove> line;
    int across = 0, drops = 0, promotions = 0, plies = 0;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        *game = GameState{};
        setInitialPosition(game->left.board);
        setInitialPosition(game->right.board);
        SearchPosition p;
        loadPosition(*game, topSide, p);
        const SearchPosition start = p;
        SeededRandom random(seed);
        line.clear();
        for (int ply = 0; ply < 400; ++ply) {
            // Captures half the time, so that the hands fill up; never a king, so that the
            // sequence goes on.
            auto takesKing = [&p](TreeMove c) {
                const int to = moveTo(c);
                return !isDrop(c) && (typeOf(p.cells[moveBoard(c)][to]) == kingType ||
                                      (typeOf(p.cells[moveBoard(c) ^ 1][to]) == kingType &&
                                       ownedBy(p.cells[moveBoard(c) ^ 1][to], p.sideToMove ^ 1)));
            };
            auto choices = [&](MoveKinds kinds) {
                list->count = 0;
                generateMoves(p, kinds, *list);
                list->count = static_cast<int>(
                    std::remove_if(list->moves.begin(), list->moves.begin() + list->count,
                                   [&](const ScoredMove& s) { return takesKing(s.move); }) -
                    list->moves.begin());
                return list->count;
            };
            if ((random.below(2) != 0 || choices(MoveKinds::captures) == 0) &&
                choices(MoveKinds::all) == 0)
                break;
            const TreeMove m =
                list->moves[random.below(static_cast<std::uint32_t>(list->count))].move;
            // What the game's routine makes of it, on the position before.
            storePosition(p, *game);
            const Move played = moveOf(p, m);
            BoardState& b = game->board(played.boardId);
            const Code acrossBefore = game->other(b).board[played.toFile][played.toRank];
            駒移動(*game, b, played.fromFile, played.fromRank, played.toFile, played.toRank,
                   played.placed);

            p.makeMove(m, undo[static_cast<std::size_t>(ply)]);
            line.push_back(m);
            ++plies;
            across += acrossBefore != game->other(b).board[played.toFile][played.toRank];
            drops += isDrop(m);
            promotions += isPromotion(m);
            *made = GameState{};
            storePosition(p, *made);
            ASSERT_EQ(made->left.board, game->left.board) << "seed " << seed << " ply " << ply;
            ASSERT_EQ(made->right.board, game->right.board);
            for (const std::int16_t id : {leftBoardId, rightBoardId}) {
                for (int k = 1; k <= handKinds; ++k) {
                    ASSERT_EQ(made->board(id).manHand[k], game->board(id).manHand[k]);
                    ASSERT_EQ(made->board(id).comHand[k], game->board(id).comHand[k]);
                }
            }
            SearchPosition fresh = p;
            fresh.recompute();
            ASSERT_EQ(p.key, fresh.key) << "seed " << seed << " ply " << ply;
            ASSERT_EQ(p.material, fresh.material);
            ASSERT_EQ(p.pawnFiles, fresh.pawnFiles);
            ASSERT_EQ(p.kings, fresh.kings);
        }
        for (std::size_t i = line.size(); i-- > 0;) p.unmakeMove(line[i], undo[i]);
        ASSERT_EQ(p.cells, start.cells);
        ASSERT_EQ(p.hands, start.hands);
        ASSERT_EQ(p.key, start.key);
        ASSERT_EQ(p.material, start.material);
    }
    EXPECT_GT(plies, 3000);
    EXPECT_GT(across, 100);
    EXPECT_GT(drops, 300);
    EXPECT_GT(promotions, 100);
}

}  // namespace
}  // namespace nobakuza
