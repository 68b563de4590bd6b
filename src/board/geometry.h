// Squares and distances on a 9 x 9 board, for every routine that walks or steps over one.
#pragma once

#include "board/board_model.h"

namespace nobakuza {

// Whether (file, rank) is one of the 81 squares; the tables' row and column 0 are not.
constexpr bool onBoard(int file, int rank) {
    return file >= 1 && file <= boardSize && rank >= 1 && rank <= boardSize;
}

// The hands as cells of the layout grid: the human's hand stands in column 11 at row kind + 2,
// the computer's in column -1 at row 8 - kind (a drop of the computer names its hand row by the
// kind index itself).
constexpr int manHandRow(int kind) {
    return kind + 2;
}
constexpr int kindOfManHandRow(int row) {
    return row - 2;
}
constexpr int comHandRow(int kind) {
    return 8 - kind;
}
constexpr int kindOfComHandRow(int row) {
    return 8 - row;
}

constexpr int absInt(int v) {
    return v < 0 ? -v : v;
}

constexpr int signOf(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace nobakuza
