// Making a move that has already been found legal: the move or drop itself, the capture on this
// board and on the same square of the other board, the hands and their totals, and the two small
// tests the move makers need first (may it promote, where are the unpromoted pawns).
#pragma once

#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// Drawing that a move causes, in the order the move makes it. The window implements it; the
// computer's trial moves and the tests pass nullptr.
class MovePainter {
  public:
    virtual ~MovePainter() = default;
    virtual void 描画_絵(int gridOriginX, Code code, int file,
                         int rank) = 0;  // code 0: empty square
    virtual void 描画_桝輪郭(int gridOriginX, int colour, int file,
                             int rank) = 0;             // colour: squareFrameColor here
    virtual void 描画_自持盤(const BoardState& b) = 0;  // repaint the human's hand of that board
    virtual void 描画_敵持盤(const BoardState& b) = 0;  // repaint the computer's hand of that board
};

// Moves `piece` (already promoted if the move promotes) from the from-square, or from a hand
// (from-file 11: the human's, from-rank = kind index + 2; from-file -1: the computer's, from-rank
// = kind index), to the to-square of board `b`. A board move also captures an enemy of the mover
// standing on the same square of the other board.
void 駒移動(GameState& g, BoardState& b, int fromFile, int fromRank, int toFile, int toRank,
            Code piece, MovePainter* painter = nullptr);

// Puts one unpromoted piece of the captured kind into the capturer's hand on board `b`; the caller
// has already raised the hand total. Capturing a king decides the game instead.
void 駒取得(GameState& g, BoardState& b, Code captured);

// flagYes when the move may promote; then b.promotedPiece holds the promoted code. On flagNo
// b.promotedPiece keeps its old value. The to-file is not read.
std::int16_t 調査_駒成(BoardState& b, int fromFile, int fromRank, int toFile, int toRank,
                       Code piece);

// Recomputes both sides' two-pawn flags of board `b` from its squares.
void 調査_2歩フラグ設定(BoardState& b);

}  // namespace nobakuza
