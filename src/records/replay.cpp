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

MoveNote describeMove(const GameRecord& record, int n, bool turnedBetween) {
    MoveNote note;
    if (n < 1 || n > maxRecordIndex) return note;
    for (const std::int16_t boardId : {leftBoardId, rightBoardId}) {
        const auto& history =
            boardId == leftBoardId ? record.leftBoardHistory : record.rightBoardHistory;
        Table before = history[n - 1];
        if (turnedBetween) reverseBoard(before);
        const Table& after = history[n];
        // The target is the one square that holds a new piece; a capture across only empties.
        int targets = 0;
        MoveNote found;
        for (std::int16_t f = 1; f <= boardSize; ++f) {
            for (std::int16_t r = 1; r <= boardSize; ++r) {
                if (after[f][r] == before[f][r] || after[f][r] == emptySquare) continue;
                ++targets;
                found.boardId = boardId;
                found.toFile = f;
                found.toRank = r;
                found.placed = after[f][r];
            }
        }
        if (targets != 1) continue;
        found.topPiece = isComPiece(found.placed);
        for (std::int16_t f = 1; f <= boardSize; ++f) {
            for (std::int16_t r = 1; r <= boardSize; ++r) {
                const Code was = before[f][r];
                if (after[f][r] != emptySquare || was == emptySquare) continue;
                if (isComPiece(was) != found.topPiece) continue;
                found.fromFile = f;
                found.fromRank = r;
                found.moved = was;
            }
        }
        if (found.fromFile == 0) {
            const int kind = kindIndexOf(found.placed);
            found.moved = found.topPiece ? kindCode[kind] : static_cast<Code>(-kindCode[kind]);
        }
        note = found;
    }
    return note;
}

MoveNote noteOf(const Move& m) {
    MoveNote note;
    note.boardId = m.boardId;
    note.topPiece = isComPiece(m.placed);
    if (!m.drop()) {
        note.fromFile = m.fromFile;
        note.fromRank = m.fromRank;
    }
    note.toFile = m.toFile;
    note.toRank = m.toRank;
    note.moved = m.drop() ? m.placed : m.moved;
    note.placed = m.placed;
    return note;
}

}  // namespace nobakuza
