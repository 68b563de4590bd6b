// What the window shows around the picture: the status line under it, the list of moves beside
// it, and the tinted squares of each side's last move on it.
#include "game/game_texts.h"

#include <string>
#include <vector>

#include "game/game.h"
#include "ui/notation.h"
#include "ui/texts.h"

namespace nobakuza {

namespace {

constexpr const char* separator = "   |   ";

const char* boardWord(std::int16_t boardId) {
    return boardId == rightBoardId ? "右" : "左";
}

}  // namespace

MoveNote GameTexts::moveNote(int n) const {
    if (n < 1 || n > s_.record.lastRecordIndex) return {};
    if (s_.liveNotes[static_cast<std::size_t>(n)].boardId != 0)
        return s_.liveNotes[static_cast<std::size_t>(n)];
    const auto at = [&](int i) { return s_.snapshotTurned[static_cast<std::size_t>(i)]; };
    return describeMove(s_.record, n, at(n) != at(n - 1));
}

GameTexts::LastMoves GameTexts::lastMoves() const {
    // Up to the position shown, newest first.
    LastMoves last;
    for (int n = s_.record.recordIndex; n >= 1; --n) {
        const MoveNote note = moveNote(n);
        if (note.boardId == 0) continue;
        if (last.onBoard[note.boardId].boardId == 0) {
            last.onBoard[note.boardId] = note;
            last.onBoardTurnedAt[note.boardId] = s_.snapshotTurned[static_cast<std::size_t>(n)];
        }
        const int side = note.topPiece ? 1 : 0;
        if (last.bySide[side].boardId == 0) {
            last.bySide[side] = note;
            last.turnedAt[side] = s_.snapshotTurned[static_cast<std::size_t>(n)];
        }
    }
    return last;
}

void GameTexts::showLastMoveTints(const LastMoves& last) {
    // The target strongly, the origin lightly. A mark made before the boards were turned
    // around turns with them.
    std::vector<SquareTint> tints;
    for (int side = 0; side < 2; ++side) {
        const MoveNote& m = last.bySide[side];
        if (m.boardId == 0) continue;
        const bool flip = last.turnedAt[side] != s_.options.turned;
        auto square = [&](int f, int r, double alpha) {
            tints.push_back({m.boardId, flip ? 10 - f : f, flip ? 10 - r : r,
                             side == 0 ? manMoveTint : comMoveTint, alpha});
        };
        if (!m.drop()) square(m.fromFile, m.fromRank, tintOriginAlpha);
        square(m.toFile, m.toRank, tintTargetAlpha);
    }
    s_.screen.setTints(tints);
}

std::string GameTexts::winnerName() const {
    const std::int16_t w = s_.gameEnd.winner;
    if (s_.state.gameMode == modeVsComputer)
        return s_.tr(w == s_.state.manSide ? "あなた" : "ｺﾝﾋﾟｭｰﾀ");
    return s_.tr(w == senteSide ? "先手" : "後手");
}

std::string GameTexts::endOfGame() const {
    switch (s_.gameEnd.how) {
        case GameEndReason::kingTaken:
            return s_.tr.format("{0}の勝ち：王を取りました", {winnerName()});
        case GameEndReason::mate:
            return s_.tr.format("{0}の勝ち：詰みです", {winnerName()});
        case GameEndReason::noMove:
            return s_.tr.format("{0}の勝ち：相手に指す手がありません", {winnerName()});
        case GameEndReason::none:
            break;
    }
    return {};
}

std::string GameTexts::turnText() const {
    if (s_.state.sideToMove == noSide) return s_.tr("対局前");
    if (s_.state.gameMode == modeVsComputer)
        return s_.tr(s_.state.sideToMove == s_.state.manSide ? "あなたの番" : "ｺﾝﾋﾟｭｰﾀの番");
    return s_.tr(s_.state.sideToMove == senteSide ? "先手の番" : "後手の番");
}

std::string GameTexts::statusLine(const LastMoves& last) const {
    std::string status;
    auto add = [&](const std::string& part) {
        if (part.empty()) return;
        if (!status.empty()) status += separator;
        status += part;
    };
    if (s_.state.kifuMode == flagYes) add(s_.tr("棋譜ﾓｰﾄﾞ"));
    // A finished game names its winner where the side to move stood.
    if (s_.gameEnd.winner != noSide) {
        add(endOfGame());
    } else if (s_.state.kifuMode == flagNo) {
        add(turnText());
    }
    if (s_.state.gameMode == modeVsComputer)
        add(s_.tr.format("LEVEL{0}", {std::to_string(s_.state.comLevel)}));
    if (s_.state.handicapSet == flagYes) add(s_.tr(handicapText(s_.state.handicapLevel).data()));
    for (const std::int16_t boardId : {leftBoardId, rightBoardId}) {
        const MoveNote& m = last.onBoard[boardId];
        if (m.boardId == 0) continue;
        // The note's squares are those of the boards as they stood then; named in that
        // orientation they are the squares the labels name now, as in the move list.
        add(std::string(s_.tr(boardWord(boardId))) + " " + moverMark(m) +
            moveNotation(m, last.onBoardTurnedAt[boardId], s_.tr.language()));
    }
    add(game_.evaluation().statusText());
    add(game_.review().progressText());
    if (game_.computerTurn().thinking()) add(s_.tr("思考中"));
    if (s_.unpromotedMove) add(s_.tr("成らずに指しました（右クリックで成れます）"));
    add(s_.lastRefusal);
    return status;
}

std::vector<std::string> GameTexts::moveListLines() const {
    std::vector<std::string> lines;
    for (int n = 1; n <= s_.record.lastRecordIndex; ++n) {
        const MoveNote m = moveNote(n);
        std::string line = std::to_string(n);
        line.insert(0, line.size() < 3 ? 3 - line.size() : 0, ' ');
        if (m.boardId == 0) {
            line += "  ?";
        } else {
            line +=
                "  " + std::string(s_.tr(boardWord(m.boardId))) + " " + moverMark(m) +
                moveNotation(m, s_.snapshotTurned[static_cast<std::size_t>(n)], s_.tr.language());
        }
        const std::string mark = game_.review().markText(n);
        if (!mark.empty()) line += "  " + mark;
        lines.push_back(std::move(line));
    }
    return lines;
}

void GameTexts::showGameInfo() {
    const LastMoves last = lastMoves();
    showLastMoveTints(last);
    if (s_.panels() == nullptr) return;
    s_.panels()->setStatusLine(statusLine(last));
    s_.panels()->setMoveList(moveListLines(), s_.record.recordIndex - 1);
}

void GameTexts::drawLastMoveTexts() {
    bool shown[2]{};
    for (int n = s_.record.recordIndex; n >= 1 && !(shown[0] && shown[1]); --n) {
        const MoveNote m = moveNote(n);
        if (m.boardId == 0 || shown[m.topPiece ? 1 : 0]) continue;
        shown[m.topPiece ? 1 : 0] = true;
        // Drawn in the orientation of its own time, as it was when the move was made.
        const bool now = s_.options.turned;
        s_.options.turned = s_.snapshotTurned[static_cast<std::size_t>(n)];
        s_.screen.描画_移動結果(m, m.topPiece ? s_.state.comSide : s_.state.manSide,
                                s_.options.moveTextColor);
        s_.options.turned = now;
    }
}

}  // namespace nobakuza
