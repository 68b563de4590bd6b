// What must hold of the boards whatever moves were made or whatever file was read: the checks a
// long run of games makes after every move, and the record-file fuzzer after every file it read.
// Each returns the first fault found, in words, or nothing. They apply to even games: a handicap
// takes pieces off both boards, so a handicap game has fewer than the full set by design.
#pragma once

#include <optional>
#include <string>

#include "board/board_model.h"

namespace nobakuza {

// One board: row and column 0 unused, every square a board code, hand counts within 0..the full
// set of their kind, both hand totals equal to the sums of their counts, every kind of piece
// complete between the squares and the two hands (so 40 pieces with the two kings), at most one
// king of each side, and the stored human king square holding the human king when it is there.
// While `kingCaptureAllowed` is false both kings must stand on the board. Once a king has been
// taken it is missing, and the capturer's total on that board may be one more than its counts
// (the king was counted without entering the hand).
std::optional<std::string> checkBoardInvariants(const BoardState& b, bool kingCaptureAllowed);

// Both boards of a game; a king may be missing only after `winner` was set, and only the
// loser's.
std::optional<std::string> checkGameInvariants(const GameState& g);

// Whether a move about to be made on board `b` is one the rules allow: the piece is the mover's
// and stands on the from-square (or a drop: fromFile is the mover's hand column, the kind is in
// hand and `placed` is its unpromoted code), 移動チェック allows it with the two-pawn flags
// recomputed from the board, and a `placed` code other than the moved piece is the promotion
// 調査_駒成 allows. `computer`: the computer (top pieces) moves, otherwise the human.
std::optional<std::string> checkMoveAllowed(const BoardState& b, bool computer, int fromFile,
                                            int fromRank, int toFile, int toRank, Code placed);

}  // namespace nobakuza
