#include "computer/self_play.h"

#include <chrono>
#include <cstddef>
#include <iterator>

#include "board/move_execution.h"
#include "board/move_legality.h"
#include "computer/board_evaluation.h"
#include "computer/move_search.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

std::uint64_t SeededRandom::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint32_t SeededRandom::below(std::uint32_t n) {
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t v;
    do {
        v = next();
    } while (v >= limit);
    return static_cast<std::uint32_t>(v % n);
}

void listLegalMoves(GameState& g, bool topSide, std::vector<Move>& out) {
    out.clear();
    for (BoardState* b : {&g.left, &g.right}) {
        調査_2歩フラグ設定(*b);
        for (int ff = 1; ff <= boardSize; ++ff)
            for (int fr = 1; fr <= boardSize; ++fr) {
                const Code c = b->board[ff][fr];
                if (topSide ? !isComPiece(c) : !isManPiece(c)) continue;
                for (int tf = 1; tf <= boardSize; ++tf)
                    for (int tr = 1; tr <= boardSize; ++tr) {
                        if (移動チェック(*b, ff, fr, tf, tr, c) != flagYes) continue;
                        Code placed = c;
                        if (移動後チェック(tr, c) == flagNo)
                            placed = static_cast<Code>(c > 0 ? c + 1 : c - 1);
                        out.push_back({b->boardId, static_cast<std::int16_t>(ff),
                                       static_cast<std::int16_t>(fr), static_cast<std::int16_t>(tf),
                                       static_cast<std::int16_t>(tr), placed, c});
                    }
            }
        const Hand& hand = topSide ? b->comHand : b->manHand;
        for (int k = 1; k <= handKinds; ++k) {
            if (hand[k] < 1) continue;
            const Code c = static_cast<Code>(topSide ? kindCode[k] : -kindCode[k]);
            const int fromFile = topSide ? comHandColumn : manHandColumn;
            const int fromRank = topSide ? k : k + 2;
            for (int tf = 1; tf <= boardSize; ++tf)
                for (int tr = 1; tr <= boardSize; ++tr)
                    if (移動チェック(*b, fromFile, fromRank, tf, tr, c) == flagYes)
                        out.push_back({b->boardId, static_cast<std::int16_t>(fromFile),
                                       static_cast<std::int16_t>(fromRank),
                                       static_cast<std::int16_t>(tf), static_cast<std::int16_t>(tr),
                                       c});
        }
    }
}

void turnAround(const GameState& from, GameState& to) {
    to = from;
    for (const std::int16_t id : {leftBoardId, rightBoardId}) {
        const BoardState& a = from.board(id);
        BoardState& b = to.board(id);
        for (int f = 1; f <= boardSize; ++f)
            for (int r = 1; r <= boardSize; ++r)
                b.board[f][r] = static_cast<Code>(-a.board[10 - f][10 - r]);
        b.manHand = a.comHand;
        b.comHand = a.manHand;
        b.manHandTotal = a.comHandTotal;
        b.comHandTotal = a.manHandTotal;
        auto turned = [](std::int16_t v) { return static_cast<std::int16_t>(v ? 10 - v : 0); };
        b.manKingFile = turned(a.comKingFile);
        b.manKingRank = turned(a.comKingRank);
        b.comKingFile = turned(a.manKingFile);
        b.comKingRank = turned(a.manKingRank);
    }
}

const char* selfPlayEndName(SelfPlayEnd end) {
    // In the order of the enumeration.
    static constexpr const char* names[] = {
        "none",        "king-taken-by-top", "king-taken-by-bottom", "mate-by-top", "mate-by-bottom",
        "record-full", "no-move",
    };
    const auto i = static_cast<std::size_t>(end);
    return i < std::size(names) ? names[i] : names[0];
}

SelfPlayGame::SelfPlayGame(const SelfPlayConfig& config) : config_(config), random_(config.seed) {
    for (BoardState* b : {&game_.left, &game_.right}) {
        setInitialPosition(b->board);
        勢力調査(*b);  // the kings' squares
    }
    game_.comLevel = config.level;
    game_.manSide = goteSide;
    game_.comSide = senteSide;
    legal_.reserve(2 * (40 * 20 + 7 * 81));
}

void SelfPlayGame::searchView(GameState& out) const {
    if (topToMove_) {
        out = game_;
    } else {
        turnAround(game_, out);
    }
}

Move SelfPlayGame::randomMove() {
    listLegalMoves(game_, topToMove_, legal_);
    if (legal_.empty()) return Move{};
    return legal_[random_.below(static_cast<std::uint32_t>(legal_.size()))];
}

Move turnedBack(const Move& m) {
    Move t = m;
    // The computer's hand becomes the human's, whose rows are the kind index plus 2.
    if (m.fromFile == comHandColumn) {
        t.fromFile = manHandColumn;
        t.fromRank = static_cast<std::int16_t>(m.fromRank + 2);
    } else {
        t.fromFile = static_cast<std::int16_t>(10 - m.fromFile);
        t.fromRank = static_cast<std::int16_t>(10 - m.fromRank);
    }
    t.toFile = static_cast<std::int16_t>(10 - m.toFile);
    t.toRank = static_cast<std::int16_t>(10 - m.toRank);
    t.placed = static_cast<Code>(-m.placed);
    t.moved = static_cast<Code>(-m.moved);
    return t;
}

Move computerTurnMove(GameState& view, ComputerState& computer) {
    SearchResult right, left;
    std::int16_t chosen = searchComputerTurn(view, computer, right, left);
    // A board with nothing legal has no move to play: the other board's is played, as the
    // window's turn does.
    if ((chosen == rightBoardId ? right : left).score <= scoreNothingLegal)
        chosen = chosen == rightBoardId ? leftBoardId : rightBoardId;
    const SearchResult& r = chosen == rightBoardId ? right : left;
    if (r.score <= scoreNothingLegal) return Move{};
    return r.move(chosen);
}

Move SelfPlayGame::searchedMove() {
    searchView(view_);
    const auto start = std::chrono::steady_clock::now();
    const Move m = computerTurnMove(view_, computer_);
    searchMilliseconds_ +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (m.boardId == 0 || topToMove_) return m;
    // Back from the turned-around boards.
    return turnedBack(m);
}

SelfPlayEnd SelfPlayGame::playMove() {
    if (end_ != SelfPlayEnd::none) return end_;
    const Move m = nextIsSearched() ? searchedMove() : randomMove();
    if (m.boardId == 0) {
        end_ = SelfPlayEnd::noMove;
        return end_;
    }
    BoardState& b = game_.board(m.boardId);
    駒移動(game_, b, m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
    last_ = m;
    ++moves_;

    if (game_.winner != noSide) {
        end_ = topToMove_ ? SelfPlayEnd::kingTakenByTop : SelfPlayEnd::kingTakenByBottom;
    } else {
        勢力調査(b);
        if (topToMove_ ? 詰めかMAN(b) == flagYes : 詰めかCOM(b) == flagYes)
            end_ = topToMove_ ? SelfPlayEnd::mateByTop : SelfPlayEnd::mateByBottom;
        // The computer's mate test leaves the tables of a trial position behind.
        勢力調査(b);
    }
    if (end_ == SelfPlayEnd::none && moves_ >= config_.maxMoves) end_ = SelfPlayEnd::recordFull;
    topToMove_ = !topToMove_;
    return end_;
}

}  // namespace nobakuza
