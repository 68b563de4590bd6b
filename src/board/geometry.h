// Squares and distances on a 9 x 9 board, for every routine that walks or steps over one.
#pragma once

#include "board/board_model.h"

namespace nobakuza {

// Whether (file, rank) is one of the 81 squares; the tables' row and column 0 are not.
constexpr bool onBoard(int file, int rank) {
    return file >= 1 && file <= boardSize && rank >= 1 && rank <= boardSize;
}

constexpr int absInt(int v) {
    return v < 0 ? -v : v;
}

constexpr int signOf(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace nobakuza
