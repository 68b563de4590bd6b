// The handicap ladder: △ takes the computer's pieces off (or gives the human's back), ▽ the other
// way round, one square on both boards per step, before the first move of a game only.
#include <array>

#include "game/game.h"
#include "ui/texts.h"

namespace nobakuza {

namespace {

struct HandicapStep {
    std::int16_t file;
    std::int16_t rank;
    Code piece;
};

// Step n (1..10) of the ladder, for the computer's side; the human's step is the same square
// turned through 180 degrees with the sign changed.
constexpr std::array<HandicapStep, 11> comSteps = {{
    {0, 0, emptySquare},
    {8, 2, comBishop},
    {2, 2, comRook},
    {9, 1, comLance},
    {1, 1, comLance},
    {8, 1, comKnight},
    {2, 1, comKnight},
    {7, 1, comSilver},
    {3, 1, comSilver},
    {6, 1, comGold},
    {4, 1, comGold},
}};

constexpr HandicapStep manStep(int n) {
    const HandicapStep& s = comSteps[static_cast<std::size_t>(n)];
    return {static_cast<std::int16_t>(10 - s.file), static_cast<std::int16_t>(10 - s.rank),
            static_cast<Code>(-s.piece)};
}

constexpr int maxHandicap = 10;

}  // namespace

void Game::LBEL_UP_Click() {
    changeHandicap(+1);
}

void Game::LEBEL_DOWN_Click() {
    changeHandicap(-1);
}

void Game::changeHandicap(int direction) {
    records_.closeFilePanel();
    int refusal = 0;
    if (s_.state.kifuMode == flagYes)
        refusal = 1;
    else if (s_.record.recordIndex > 0)
        refusal = 2;
    else if (s_.state.boardsReversed == flagYes)
        refusal = 3;
    if (refusal != 0) {
        s_.playSound(s_.sounds.forbidden);
        s_.lastRefusal = s_.tr(refusalText(refusal).data());
        texts_.showGameInfo();
        s_.screen.描画_メッセージ(refusal);
        return;
    }
    s_.record.lastRecordIndex = 0;

    const int from = s_.state.handicapLevel;
    const int to = from + direction;
    if (to >= -maxHandicap && to <= maxHandicap) {
        s_.state.handicapLevel = static_cast<std::int16_t>(to);
        s_.screen.描画_ハンデレベル(to);
        // Moving away from 0 takes a piece off; moving back towards 0 puts it back.
        HandicapStep square{};
        Code placed = emptySquare;
        if (to > 0 && to > from) {
            square = comSteps[static_cast<std::size_t>(to)];
        } else if (to < 0 && to < from) {
            square = manStep(-to);
        } else if (from > 0) {
            square = comSteps[static_cast<std::size_t>(from)];
            placed = square.piece;
        } else {
            square = manStep(-from);
            placed = square.piece;
        }
        for (BoardState* b : {&s_.state.left, &s_.state.right}) {
            b->board[square.file][square.rank] = placed;
            s_.screen.描画_絵(b->gridOriginX, placed, square.file, square.rank);
            s_.screen.描画_桝輪郭(b->gridOriginX, squareFrameColor, square.file, square.rank);
        }
        s_.playSound(s_.sounds.piecePlaced);
        // The game starts from this position: stepping back to the start must show it.
        storeStartPosition(s_.record, s_.state);
    }
    s_.state.handicapSet = flagYes;
}

}  // namespace nobakuza
