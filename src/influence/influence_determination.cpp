#include "influence/influence_determination.h"

#include "influence/influence_record.h"

namespace nobakuza {

using namespace influence_record;

void 勢力確定上直進(BoardState& b, Code code, int file, int rank) {
    if (code < 0)
        ray<0, -1, true>(b, code, file, rank);
    else
        ray<0, -1, false>(b, code, file, rank);
}

void 勢力確定下直進(BoardState& b, Code code, int file, int rank) {
    if (code < 0)
        ray<0, +1, true>(b, code, file, rank);
    else
        ray<0, +1, false>(b, code, file, rank);
}

void 勢力確定右直進(BoardState& b, Code code, int file, int rank) {
    if (code <= -10)
        ray<+1, 0, true>(b, code, file, rank);
    else
        ray<+1, 0, false>(b, code, file, rank);
}

void 勢力確定左直進(BoardState& b, Code code, int file, int rank) {
    if (code <= -10)
        ray<-1, 0, true>(b, code, file, rank);
    else
        ray<-1, 0, false>(b, code, file, rank);
}

void 勢力確定自角(BoardState& b, int file, int rank) {
    // A horse's diagonals count as a bishop's.
    ray<-1, -1, true>(b, manBishop, file, rank);
    ray<+1, -1, true>(b, manBishop, file, rank);
    ray<-1, +1, true>(b, manBishop, file, rank);
    ray<+1, +1, true>(b, manBishop, file, rank);
}

void 勢力確定敵角(BoardState& b, Code code, int file, int rank) {
    ray<-1, -1, false>(b, code, file, rank);
    ray<+1, -1, false>(b, code, file, rank);
    ray<-1, +1, false>(b, code, file, rank);
    ray<+1, +1, false>(b, code, file, rank);
}

void 勢力確定自金(BoardState& b, Code code, int file, int rank) {
    manSteps<ManMark::step,
             std::array<Offset, 6>{{{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 0}, {1, 0}}}>(
        b, code, file, rank);
}

void 勢力確定敵金(BoardState& b, int file, int rank) {
    // Every computer gold-mover counts as a gold, and none leaves its square behind.
    comSteps<comDefender | comStepMark,
             std::array<Offset, 6>{{{0, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}}}>(
        b, comGold, file, rank);
}

}  // namespace nobakuza
