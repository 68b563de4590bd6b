#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "computer/play_signature.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "search/game_tree_search.h"
#include "search/level_search.h"
#include "search/move_generator.h"
#include "search/search_evaluation.h"

namespace nobakuza {
namespace {

// The value of the tree the search looks at, by a textbook alpha-beta over a full window that
// shares none of the search's machinery (no table, no null windows and re-searches, an order of
// its own): every move to the depth, then the captures (every move while a king is attacked, for
// the first few plies) until standing pat is better, under the same end rules: a mate on the
// board just moved on ends the game (judged by the game's own test near the root and by trying
// every move of that board deeper), and otherwise a king that can be taken is taken. A minimax
// without any cut-off would be plainer, but the captures make its trees far too wide to walk.
class WholeTree {
  public:
    int value(const SearchPosition& root, const SearchRules& rules, int depth) {
        p_ = root;
        rules_ = rules;
        lastBoard_[0] = -1;
        return node(depth, -winScore, winScore, 0);
    }

  private:
    static constexpr int none = -32000;
    static constexpr int gameMateTestPlies = 2;
    static constexpr int evasionPlies = 4;

    bool matedByLastMove(int ply) {
        const int board = lastBoard_[static_cast<std::size_t>(ply)];
        const int side = p_.sideToMove;
        if (board < 0 || !rules_.losesByMate(side)) return false;
        if (p_.kings[board][side] == 0 || !p_.attacks(board, p_.kings[board][side], side ^ 1))
            return false;
        if (ply <= gameMateTestPlies) {
            storePosition(p_, *mateBoard_);
            BoardState& b = mateBoard_->board(board == 0 ? leftBoardId : rightBoardId);
            勢力調査(b);
            return (side == topSide ? 詰めかCOM(b) : 詰めかMAN(b)) == flagYes;
        }
        MoveList& list = lists_[static_cast<std::size_t>(ply)];
        list.count = 0;
        generateMoves(p_, board, MoveKinds::all, list);
        SearchPosition::Undo u{};
        for (int i = 0; i < list.count; ++i) {
            const TreeMove m = list.moves[static_cast<std::size_t>(i)].move;
            p_.makeMove(m, u);
            const bool safe = !p_.attacks(board, p_.kings[board][side], side ^ 1);
            p_.unmakeMove(m, u);
            if (safe) return false;
        }
        return true;
    }

    int node(int depth, int alpha, int beta, int ply) {
        if (matedByLastMove(ply)) return -(winScore - ply);
        if (p_.canTakeKing(p_.sideToMove)) return winScore - (ply + 1);
        if (depth <= 0) return captures(alpha, beta, ply, 0);
        if (ply >= maxSearchPly) return evaluate(p_);
        MoveList& list = lists_[static_cast<std::size_t>(ply)];
        list.count = 0;
        generateMoves(p_, MoveKinds::all, list);
        mostValuableVictimFirst(list);
        SearchPosition::Undo u{};
        int best = none;
        for (int i = 0; i < list.count && best < beta; ++i) {
            const TreeMove m = list.moves[static_cast<std::size_t>(i)].move;
            if (isNeedlessNonPromotion(p_, m)) continue;
            p_.makeMove(m, u);
            lastBoard_[static_cast<std::size_t>(ply + 1)] = moveBoard(m);
            best = std::max(best, -node(depth - 1, -beta, -std::max(alpha, best), ply + 1));
            p_.unmakeMove(m, u);
        }
        return best == none ? 0 : best;  // no move at all: neither side wins
    }

    // The order changes nothing but how soon the window closes.
    void mostValuableVictimFirst(MoveList& list) const {
        for (int i = 0; i < list.count; ++i) {
            ScoredMove& s = list.moves[static_cast<std::size_t>(i)];
            const TreeMove m = s.move;
            s.score = 0;
            if (isDrop(m)) continue;
            const int b = moveBoard(m);
            const int to = moveTo(m);
            if (const Piece here = p_.cells[b][to]; here != 0)
                s.score += boardValueOf(typeOf(here));
            if (const Piece across = p_.cells[b ^ 1][to]; ownedBy(across, p_.sideToMove ^ 1))
                s.score += boardValueOf(typeOf(across));
            s.score = s.score * 16 - boardValueOf(typeOf(p_.cells[b][moveFrom(m)])) / 16;
        }
        std::sort(list.moves.begin(), list.moves.begin() + list.count,
                  [](const ScoredMove& a, const ScoredMove& b) { return a.score > b.score; });
    }

    // Beyond the depth: standing pat or the best capture; every move while a king is attacked.
    int captures(int alpha, int beta, int ply, int qply) {
        if (matedByLastMove(ply)) return -(winScore - ply);
        if (p_.canTakeKing(p_.sideToMove)) return winScore - (ply + 1);
        if (ply >= maxSearchPly) return evaluate(p_);
        const bool evasions = qply < evasionPlies && p_.canTakeKing(p_.sideToMove ^ 1);
        int best = none;
        if (!evasions) {
            best = evaluate(p_);
            if (best >= beta) return best;
            alpha = std::max(alpha, best);
        }
        MoveList& list = lists_[static_cast<std::size_t>(ply)];
        list.count = 0;
        generateMoves(p_, evasions ? MoveKinds::all : MoveKinds::captures, list);
        mostValuableVictimFirst(list);
        SearchPosition::Undo u{};
        for (int i = 0; i < list.count && best < beta; ++i) {
            const TreeMove m = list.moves[static_cast<std::size_t>(i)].move;
            if (isNeedlessNonPromotion(p_, m)) continue;
            p_.makeMove(m, u);
            lastBoard_[static_cast<std::size_t>(ply + 1)] = moveBoard(m);
            best = std::max(best, -captures(-beta, -alpha, ply + 1, qply + 1));
            p_.unmakeMove(m, u);
            alpha = std::max(alpha, best);
        }
        if (best == none) return evasions ? -(winScore - ply) : evaluate(p_);
        return best;
    }

    SearchPosition p_{};
    SearchRules rules_{};
    std::vector<MoveList> lists_ = std::vector<MoveList>(maxSearchPly + 1);
    std::array<int, maxSearchPly + 1> lastBoard_{};
    std::unique_ptr<GameState> mateBoard_ = std::make_unique<GameState>();
};

// Alpha-beta, the table's bounds and the re-searches of a null window change how much of the tree
// is looked at, never its value: without the prunings whose values depend on the move order, a
// depth gives the value of the tree searched in full, without the table and with it: fresh, full
// of the same search, and full of the search one move before, whose entries are met again one ply
// nearer the root under other windows. Ties between moves may go either way: only values count.
TEST(SearchMinimax, TheSearchFindsTheValueOfTheWholeTreeWithTheTableAndWithout) {
    const std::vector<GameState> corpus = selfPlayCorpus(1, 24);
    ASSERT_GE(corpus.size(), 14u);
    GameTreeSearch with(16);
    GameTreeSearch without(16);
    with.options = GameTreeSearch::exact;
    without.options = GameTreeSearch::exact;
    without.setHashEnabled(false);
    WholeTree whole;
    auto expectWholeTreeValue = [&](GameTreeSearch& engine, const SearchPosition& p,
                                    const SearchRules& rules, int depth) {
        SearchLimits limits;
        limits.depth = depth;
        const TreeSearchResult r = engine.search(p, rules, limits);
        // A forced win found early ends the deepening: compared at the depth reached.
        EXPECT_GE(r.depth, 1);
        EXPECT_EQ(r.score, whole.value(p, rules, r.depth)) << "depth " << depth;
        return r.score;
    };
    for (std::size_t i = 4; i < corpus.size(); i += 3) {
        SCOPED_TRACE(i);
        SearchPosition root;
        loadPosition(corpus[i], topSide, root);
        const SearchRules rules = i % 2 == 0 ? computerTurnRules : SearchRules{};
        with.clearHash();
        expectWholeTreeValue(without, root, rules, 3);
        expectWholeTreeValue(with, root, rules, 3);
        expectWholeTreeValue(with, root, rules, 3);
        // Every move of the root, searched one ply less on what the table learnt above.
        MoveList list;
        generateMoves(root, MoveKinds::all, list);
        SearchPosition::Undo u{};
        for (int k = 0; k < list.count; ++k) {
            const TreeMove m = list.moves[static_cast<std::size_t>(k)].move;
            if (isNeedlessNonPromotion(root, m)) continue;
            root.makeMove(m, u);
            expectWholeTreeValue(with, root, rules, 2);
            root.unmakeMove(m, u);
        }
    }
}

}  // namespace
}  // namespace nobakuza
