// The computer's one-ply search on each board, and the choice of the board it plays on.
#pragma once

#include <cstdint>

#include "board/board_model.h"
#include "board/move.h"
#include "computer/computer_state.h"

namespace nobakuza {

// The game's side of a search: the search runs inside the window's event handler, so it keeps the
// time display moving and repaints once itself. Either may be left out (nullptr).
class SearchHooks {
  public:
    virtual ~SearchHooks() = default;
    virtual void repaint() = 0;    // once, before the long loops
    virtual void clockTick() = 0;  // Timer1_Timer, before each from-file and each hand kind
};

// The seven results of one board's search. A search writes the score at its start and the other
// six only when a candidate becomes the best, so a search that finds nothing legal leaves them as
// the caller passed them (and the score at -99999).
struct SearchResult {
    double score = -99999;
    std::int16_t fromFile = 0;  // 1..9, or -1 for a drop
    std::int16_t fromRank = 0;  // 1..9, or the hand kind index of a drop
    std::int16_t toFile = 0;
    std::int16_t toRank = 0;
    Code moved = 0;   // board moves only; a drop that becomes the best leaves it alone
    Code placed = 0;  // the code that stands on the destination after the move
    // The best is a board move that takes a human king on this board or across on the other.
    bool capturesKing = false;

    // The best as a move on board `boardId`; `moved` is 0 for a drop.
    Move move(std::int16_t boardId) const {
        const bool drop = fromFile == comHandColumn;
        return {boardId, fromFile, fromRank, toFile, toRank, placed, drop ? Code{0} : moved};
    }
};

// The preparation that a board's search runs first: the copy of the board, the escape marks
// cleared, the two-pawn flags, the human king's escape count (from the board's previous survey),
// a survey, the bishop-drop and immobile marks, and the saved hand total and tables.
void prepareSearch(BoardState& b, ComputerState& cs);

// The best move of the computer on board `b` (g.left or g.right). Every trial move is made in
// place and taken back; the board is left as it was, its influence tables as the last candidate
// left them.
void com_ban(GameState& g, BoardState& b, ComputerState& cs, SearchResult& result,
             SearchHooks* hooks = nullptr);

inline void com_ban_左(GameState& g, ComputerState& cs, SearchResult& result,
                       SearchHooks* hooks = nullptr) {
    com_ban(g, g.left, cs, result, hooks);
}
inline void com_ban_右(GameState& g, ComputerState& cs, SearchResult& result,
                       SearchHooks* hooks = nullptr) {
    com_ban(g, g.right, cs, result, hooks);
}

// Which board the computer plays on (leftBoardId or rightBoardId), from both searches' results
// and the tables of each board's latest survey: a king capture first (right board first), then a
// computer king under attack (right board first), then the better score, ties to the right.
std::int16_t chooseComputerBoard(const GameState& g, const SearchResult& right,
                                 const SearchResult& left);

// The searching half of the computer's turn: surveys both boards, searches the right board and
// then the left board, surveying each again once its search has restored it, and chooses the
// board. Makes no move.
std::int16_t searchComputerTurn(GameState& g, ComputerState& cs, SearchResult& right,
                                SearchResult& left, SearchHooks* hooks = nullptr);

}  // namespace nobakuza
