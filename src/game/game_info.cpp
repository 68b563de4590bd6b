// What the window shows around the picture: the status line under it, the list of moves beside
// it, and the tinted squares of each side's last move on it.
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

MoveNote Game::moveNote(int n) const {
    if (n < 1 || n > record.lastRecordIndex) return {};
    if (liveNotes_[static_cast<std::size_t>(n)].boardId != 0)
        return liveNotes_[static_cast<std::size_t>(n)];
    const auto at = [&](int i) { return snapshotTurned[static_cast<std::size_t>(i)]; };
    return describeMove(record, n, at(n) != at(n - 1));
}

Game::LastMoves Game::lastMoves() const {
    // Up to the position shown, newest first.
    LastMoves last;
    for (int n = record.recordIndex; n >= 1; --n) {
        const MoveNote note = moveNote(n);
        if (note.boardId == 0) continue;
        if (last.onBoard[note.boardId].boardId == 0) last.onBoard[note.boardId] = note;
        const int side = note.topPiece ? 1 : 0;
        if (last.bySide[side].boardId == 0) {
            last.bySide[side] = note;
            last.turnedAt[side] = snapshotTurned[static_cast<std::size_t>(n)];
        }
    }
    return last;
}

void Game::showLastMoveTints(const LastMoves& last) {
    // The target strongly, the origin lightly. A mark made before the boards were turned
    // around turns with them.
    std::vector<SquareTint> tints;
    for (int side = 0; side < 2; ++side) {
        const MoveNote& m = last.bySide[side];
        if (m.boardId == 0) continue;
        const bool flip = last.turnedAt[side] != options.turned;
        auto square = [&](int f, int r, double alpha) {
            tints.push_back({m.boardId, flip ? 10 - f : f, flip ? 10 - r : r,
                             side == 0 ? manMoveTint : comMoveTint, alpha});
        };
        if (!m.drop()) square(m.fromFile, m.fromRank, tintOriginAlpha);
        square(m.toFile, m.toRank, tintTargetAlpha);
    }
    screen.setTints(tints);
}

std::string Game::statusLine(const LastMoves& last) const {
    std::string status;
    auto add = [&](const std::string& part) {
        if (part.empty()) return;
        if (!status.empty()) status += separator;
        status += part;
    };
    if (state.kifuMode == flagYes) {
        add(tr("棋譜ﾓｰﾄﾞ"));
    } else if (state.sideToMove == noSide) {
        add(tr("対局前"));
    } else if (state.gameMode == modeVsComputer) {
        add(tr(state.sideToMove == state.manSide ? "あなたの番" : "ｺﾝﾋﾟｭｰﾀの番"));
    } else {
        add(tr(state.sideToMove == senteSide ? "先手の番" : "後手の番"));
    }
    if (state.gameMode == modeVsComputer)
        add(tr.format("LEVEL{0}", {std::to_string(state.comLevel)}));
    if (state.handicapSet == flagYes) add(tr(handicapText(state.handicapLevel).data()));
    for (const std::int16_t boardId : {leftBoardId, rightBoardId}) {
        const MoveNote& m = last.onBoard[boardId];
        if (m.boardId == 0) continue;
        add(std::string(tr(boardWord(boardId))) + " " + moverMark(m) +
            moveNotation(m, options.turned, tr.language()));
    }
    if (thinking_) add(tr("思考中"));
    add(lastRefusal);
    return status;
}

std::vector<std::string> Game::moveListLines() const {
    std::vector<std::string> lines;
    for (int n = 1; n <= record.lastRecordIndex; ++n) {
        const MoveNote m = moveNote(n);
        std::string line = std::to_string(n);
        line.insert(0, line.size() < 3 ? 3 - line.size() : 0, ' ');
        if (m.boardId == 0) {
            line += "  ?";
        } else {
            line += "  " + std::string(tr(boardWord(m.boardId))) + " " + moverMark(m) +
                    moveNotation(m, snapshotTurned[static_cast<std::size_t>(n)], tr.language());
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void Game::showGameInfo() {
    const LastMoves last = lastMoves();
    showLastMoveTints(last);
    if (panels() == nullptr) return;
    panels()->setStatusLine(statusLine(last));
    panels()->setMoveList(moveListLines(), record.recordIndex - 1);
}

void Game::redrawEverything() {
    画面_再描画();
    if (state.moveNumber > 0 || state.sideToMove != noSide) screen.描画_手数(state.moveNumber);
    // The last move of each side, under and over the boards, as the moves left them.
    bool shown[2]{};
    for (int n = record.recordIndex; n >= 1 && !(shown[0] && shown[1]); --n) {
        const MoveNote m = moveNote(n);
        if (m.boardId == 0 || shown[m.topPiece ? 1 : 0]) continue;
        shown[m.topPiece ? 1 : 0] = true;
        // Drawn in the orientation of its own time, as it was when the move was made.
        const bool now = options.turned;
        options.turned = snapshotTurned[static_cast<std::size_t>(n)];
        screen.描画_移動結果(m, m.topPiece ? state.comSide : state.manSide, options.moveTextColor);
        options.turned = now;
    }
    if (state.kifuMode == flagYes) printRecordHeader();
    showGameInfo();
}

}  // namespace nobakuza
