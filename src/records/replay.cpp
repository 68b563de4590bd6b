#include "records/replay.h"

#include <utility>

#include "board/move_execution.h"

namespace nobakuza {

void reverseBoard(Table& board) {
    const Table old = board;
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = old[f][r];
            board[10 - f][10 - r] = (isManPiece(c) || isComPiece(c)) ? static_cast<Code>(-c) : c;
        }
    }
}

void reverseBoards(GameState& game) {
    for (BoardState* b : {&game.left, &game.right}) {
        reverseBoard(b->board);
        std::swap(b->manHand, b->comHand);
        recountHandTotals(*b);
        refreshKingsAndPawnFiles(*b);
    }
}

void refreshKingsAndPawnFiles(BoardState& b) {
    findKings(b);
    調査_2歩フラグ設定(b);
}

}  // namespace nobakuza
