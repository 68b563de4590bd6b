#include "records/game_record.h"

namespace nobakuza {
namespace {

void storeSnapshot(GameRecord& record, int n, const GameState& game) {
    record.leftBoardHistory[n] = game.left.board;
    record.rightBoardHistory[n] = game.right.board;
    record.manHandLeftHistory[n] = game.left.manHand;
    record.comHandLeftHistory[n] = game.left.comHand;
    record.manHandRightHistory[n] = game.right.manHand;
    record.comHandRightHistory[n] = game.right.comHand;
}

}  // namespace

void storeStartPosition(GameRecord& record, const GameState& game) {
    record.recordIndex = 0;
    record.lastRecordIndex = 0;
    storeSnapshot(record, 0, game);
    record.manTimeBefore[0] = record.manTimeAfter[0] = 0;
    record.comTimeBefore[0] = record.comTimeAfter[0] = 0;
}

std::optional<RecordError> 手順保存(GameRecord& record, const GameState& game, float manTimeBefore,
                                    float manTimeAfter, float comTimeBefore, float comTimeAfter) {
    if (record.recordIndex < 0 || record.recordIndex >= maxRecordIndex) {
        return RecordError{"棋譜は " + std::to_string(maxRecordIndex) + " 手までしか記録できません",
                           0};
    }
    const int n = record.recordIndex + 1;
    record.recordIndex = static_cast<std::int16_t>(n);
    record.manTimeBefore[n] = manTimeBefore;
    record.manTimeAfter[n] = manTimeAfter;
    record.comTimeBefore[n] = comTimeBefore;
    record.comTimeAfter[n] = comTimeAfter;
    storeSnapshot(record, n, game);
    record.lastRecordIndex = record.recordIndex;
    return std::nullopt;
}

void 調査_移動結果(const GameRecord& record, int n, std::int16_t& boardId, Code& code,
                   std::int16_t& file, std::int16_t& rank) {
    if (n < 1 || n > maxRecordIndex) return;
    const Table& leftBefore = record.leftBoardHistory[n - 1];
    const Table& rightBefore = record.rightBoardHistory[n - 1];
    const Table& leftAfter = record.leftBoardHistory[n];
    const Table& rightAfter = record.rightBoardHistory[n];
    for (std::int16_t i = 1; i <= boardSize; ++i) {
        for (std::int16_t j = 1; j <= boardSize; ++j) {
            if (leftAfter[i][j] != leftBefore[i][j] && leftAfter[i][j] != emptySquare) {
                boardId = leftBoardId;
                code = leftAfter[i][j];
                file = i;
                rank = j;
            }
            if (rightAfter[i][j] != rightBefore[i][j] && rightAfter[i][j] != emptySquare) {
                boardId = rightBoardId;
                code = rightAfter[i][j];
                file = i;
                rank = j;
            }
        }
    }
}

void restoreSnapshot(const GameRecord& record, int n, GameState& game) {
    if (n < 0 || n > maxRecordIndex) return;
    game.left.board = record.leftBoardHistory[n];
    game.right.board = record.rightBoardHistory[n];
    game.left.manHand = record.manHandLeftHistory[n];
    game.left.comHand = record.comHandLeftHistory[n];
    game.right.manHand = record.manHandRightHistory[n];
    game.right.comHand = record.comHandRightHistory[n];
    recountHandTotals(game.left);
    recountHandTotals(game.right);
    // The move routines keep the king squares; a restored position must not leave stale ones.
    findKings(game.left);
    findKings(game.right);
}

Hand deriveManHand(const Table& board, const Hand& comHand) {
    Hand man = fullPieceSet;
    man[0] = 0;
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            const int k = kindIndexOf(board[f][r]);
            if (k != 0) --man[k];
        }
    }
    for (int k = 1; k <= handKinds; ++k) man[k] = static_cast<std::int16_t>(man[k] - comHand[k]);
    return man;
}

}  // namespace nobakuza
