#include "board/board_model.h"

#include <cstdlib>

namespace nobakuza {

int kindIndexOf(Code c) {
    switch (std::abs(c)) {
        case 10:
        case 11:
            return 1;
        case 20:
        case 21:
            return 2;
        case 30:
        case 31:
            return 3;
        case 100:
        case 101:
            return 4;
        case 110:
        case 111:
            return 5;
        case 800:
        case 801:
            return 6;
        case 900:
        case 901:
            return 7;
        default:
            return 0;
    }
}

void setInitialPosition(Table& board) {
    for (auto& file : board) file.fill(emptySquare);
    static constexpr std::array<Code, 10> backRank = {0,         manLance, manKnight, manSilver,
                                                      manGold,   manKing,  manGold,   manSilver,
                                                      manKnight, manLance};
    for (int f = 1; f <= boardSize; ++f) {
        board[f][7] = manPawn;
        board[f][9] = backRank[f];
    }
    board[2][8] = manBishop;
    board[8][8] = manRook;
    // The computer's half is the human's turned through 180 degrees.
    for (int g = 5; g <= boardSize; ++g)
        for (int f = 1; f <= boardSize; ++f)
            board[10 - f][10 - g] = static_cast<Code>(-board[f][g]);
}

void findKings(BoardState& b) {
    b.manKingFile = b.manKingRank = b.comKingFile = b.comKingRank = 0;
    for (std::int16_t f = 1; f <= boardSize; ++f) {
        for (std::int16_t r = 1; r <= boardSize; ++r) {
            if (b.board[f][r] == manKing) {
                b.manKingFile = f;
                b.manKingRank = r;
            } else if (b.board[f][r] == comKing) {
                b.comKingFile = f;
                b.comKingRank = r;
            }
        }
    }
}

void recountHandTotals(BoardState& b) {
    b.manHandTotal = 0;
    b.comHandTotal = 0;
    for (int k = 1; k <= handKinds; ++k) {
        if (b.manHand[k] > 0)
            b.manHandTotal = static_cast<std::int16_t>(b.manHandTotal + b.manHand[k]);
        if (b.comHand[k] > 0)
            b.comHandTotal = static_cast<std::int16_t>(b.comHandTotal + b.comHand[k]);
    }
}

}  // namespace nobakuza
