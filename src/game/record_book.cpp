// The record: each move stored, the 棋譜 menu's file panel, saving the record to a ".棋譜" file
// and loading one back, stepping through it (戻, 進) and turning both boards around (反転).
#include "game/record_book.h"

#include <algorithm>
#include <memory>
#include <string>

#include "files/file_system.h"
#include "game/game.h"
#include "records/record_file.h"
#include "records/replay.h"

namespace nobakuza {
namespace {

constexpr const char* twoSpaces = "  ";

// The typed name is a name inside the panel's folder, never a path.
bool usableFileName(const std::string& name) {
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) return false;
    return name.find_first_not_of('.') != std::string::npos;
}

std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

void RecordBook::openPanelFolderFirstTime() {
    // The panel first opens where the finished games are kept.
    if (panelFolderChosen_) return;
    panelFolderChosen_ = true;
    const std::string folder = absoluteFolder(GameKeeper::archiveFolder);
    if (!folder.empty()) s_.window.filePanel.setFolder(folder);
}

void RecordBook::closeFilePanel() {
    panelOpen_ = false;
    s_.screen.描画_可視(false, false, false);
    s_.screen.描画_棋譜_IO(1);
}

void RecordBook::KIFU_READ_Click() {
    openPanelFolderFirstTime();
    panelOpen_ = true;
    s_.screen.描画_可視(true, true, true);
    s_.screen.描画_棋譜_IO(1);
}

bool RecordBook::recordCanHoldBoards() {
    if (s_.state.boardsReversed == flagYes) {
        game_.refuse(s_.tr("反転後は書き込みできません"), "棋譜書込", false);
        return false;
    }
    if (s_.state.handicapSet == flagYes) {
        game_.refuse(s_.tr("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"), "棋譜書込", false);
        return false;
    }
    return true;
}

void RecordBook::KIFU_WRITE_Click() {
    if (!recordCanHoldBoards()) return;
    openPanelFolderFirstTime();
    panelOpen_ = true;
    s_.screen.描画_可視(true, true, false);
    s_.screen.描画_棋譜_IO(0);
}

void RecordBook::Command1_Click() {
    saveRecord();
}

void RecordBook::saveRecord() {
    Dialogs& dialogs = s_.window.dialogs;
    const std::string name = s_.window.filePanel.saveField(SaveField::fileName);
    if (name.empty()) {
        game_.refuse(s_.tr("ﾌｧｲﾙ名が入力されていません"), twoSpaces, false);
        return;
    }
    if (!usableFileName(name)) {
        game_.refuse(s_.tr("ﾌｧｲﾙ名に「/」は使えません。「.」だけの名前も使えません"), "棋譜保存",
                     false);
        return;
    }
    if (s_.record.recordIndex < 1) {
        game_.refuse(s_.tr("保存するデータがありません"), "棋譜保存", false);
        return;
    }
    // The save fields stay open through 反転 and the handicap steps may have come since the
    // panel was opened; the record would then no longer match the boards it is read back into.
    if (!recordCanHoldBoards()) return;

    const std::string path = inFolder(s_.window.filePanel.folder(), name + recordFileExtension);
    const RecordHeader header =
        headerForSave(s_.window.filePanel.saveField(SaveField::gameName),
                      s_.window.filePanel.saveField(SaveField::firstPlayer),
                      s_.window.filePanel.saveField(SaveField::secondPlayer), s_.state.manSide);
    if (const auto error = writeRecordFile(path, header, s_.record, s_.translator())) {
        game_.refuse(s_.tr.format("棋譜は保存されませんでした\n{0}", {error->message}), "棋譜保存");
        return;
    }
    closeFilePanel();
    s_.window.filePanel.refreshFileList();
    dialogs.messageBox(s_.tr("棋譜を書き込みました"), twoSpaces, MessageButtons::ok, false);
}

void RecordBook::File1_Click(const std::string& fileName) {
    loadRecord(fileName);
}

void RecordBook::printRecordHeader() {
    Surface& surface = s_.window.surface;
    const RecordHeader& h = s_.shownHeader;
    // Each line starts at the hands' column, clear of the window's edge. Over the left board the
    // computer's move text (and 思考中) takes columns 4 to 7, so the top player's name stands left
    // of it; the bottom player's name goes under the human's move text, the game's name (a kept
    // game's date) on a line of its own below.
    surface.printText(recordHeaderX, recordTopNameY, h.topPlayerName, 12, colorWhite,
                      s_.screen.bold());
    surface.printText(recordHeaderX, recordBottomNameY, h.bottomPlayerName, 12, colorWhite,
                      s_.screen.bold());
    surface.printText(recordHeaderX, recordGameNameY, h.gameName, 12, colorLightRed,
                      s_.screen.bold());
}

void RecordBook::loadRecord(const std::string& fileName) {
    panelOpen_ = false;
    s_.screen.描画_可視(false, false, false);
    // The whole file is read and checked before the game is touched, so a refused file leaves
    // the game as it was.
    const auto loaded = std::make_unique<LoadedRecord>();
    if (const auto error = readRecordFile(inFolder(s_.window.filePanel.folder(), fileName), *loaded,
                                          s_.translator())) {
        game_.refuse(error->message, "棋譜");
        return;
    }

    game_.初期設定();
    s_.state.kifuMode = flagYes;
    s_.record = loaded->record;
    s_.record.recordIndex = 0;
    s_.state.moveNumber = 0;
    s_.shownHeader = loaded->header;
    printRecordHeader();

    if (s_.record.lastRecordIndex == 0) {
        s_.say("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
        return;
    }
    s_.say(" 読み込みました", "棋譜");
    s_.say("棋譜を '進 'で進めて下さい", "棋譜");

    // Whoever made move 1 is the first player; a top piece means the computer's side.
    std::int16_t boardId = 0, file = 0, rank = 0;
    Code mover = emptySquare;
    調査_移動結果(s_.record, 1, boardId, mover, file, rank);
    if (isComPiece(mover)) {
        s_.state.comSide = senteSide;
        s_.state.manSide = goteSide;
        s_.state.gameMode = modeVsComputer;
    } else {
        s_.state.manSide = senteSide;
        s_.state.comSide = goteSide;
        s_.state.gameMode = modeTwoHumans;
    }
    s_.state.sideToMove = senteSide;
}

void RecordBook::Dir1_Change(const std::string& path) {
    // The lists keep the folder they showed; the player may choose another one.
    if (!s_.window.filePanel.setFolder(path))
        game_.refuse(s_.tr("ﾃﾞﾊﾞｲｽが準備できていません"), "ｴﾗｰ", false);
}

void RecordBook::showSnapshot(int n) {
    restoreSnapshot(s_.record, n, s_.state);
    // The position is the one stored, in the orientation it was stored in; the labels follow.
    if (s_.options.turned != s_.snapshotTurned[static_cast<std::size_t>(n)]) {
        s_.options.turned = s_.snapshotTurned[static_cast<std::size_t>(n)];
        s_.screen.描画_桝_数値(leftBoardId);
        s_.screen.描画_桝_数値(rightBoardId);
    }
    // The move routines keep the king squares and pawn files; a restored position replaces
    // the boards behind their back.
    refreshKingsAndPawnFiles(s_.state.left);
    refreshKingsAndPawnFiles(s_.state.right);
    s_.unpromotedMove = false;
    game_.drawBoardsAndHands();
    s_.playSound(s_.sounds.piecePlaced);
    game_.描画_所有時間(s_.state.comSide, s_.record.comTimeAfter[n]);
    game_.描画_所有時間(s_.state.manSide, s_.record.manTimeAfter[n]);
}

void RecordBook::AFTER_Click() {
    closeFilePanel();
    if (s_.state.sideToMove == noSide) {
        game_.refuse(s_.tr("「対局」で始めて下さい"), "開始");
        return;
    }
    if (s_.record.recordIndex >= s_.record.lastRecordIndex) {
        game_.refuse(s_.tr(s_.state.kifuMode == flagYes ? "終わり" : "できません"), "進む");
        return;
    }
    s_.dropSelections();
    s_.setTimer1(false);
    s_.state.resumePending = flagYes;

    ++s_.record.recordIndex;
    ++s_.state.moveNumber;
    s_.screen.描画_手数(s_.state.moveNumber);
    showSnapshot(s_.record.recordIndex);

    std::int16_t boardId = 0, file = 0, rank = 0;
    Code piece = emptySquare;
    調査_移動結果(s_.record, s_.record.recordIndex, boardId, piece, file, rank);
    // The square and piece are the ones the record shows; English also names the origin.
    MoveNote note = game_.texts().moveNote(s_.record.recordIndex);
    if (note.boardId != boardId || note.toFile != file || note.toRank != rank) {
        note = MoveNote{};
        note.boardId = boardId;
        note.toFile = file;
        note.toRank = rank;
        note.moved = note.placed = piece;
    }
    if (isComPiece(piece)) {
        s_.screen.描画_移動結果(note, s_.state.comSide, s_.options.moveTextColor);
    } else if (isManPiece(piece)) {
        s_.screen.描画_移動結果(note, s_.state.manSide, s_.options.moveTextColor);
    }

    s_.state.sideToMove = static_cast<std::int16_t>(-s_.state.sideToMove);
    s_.screen.描画_手数(s_.state.moveNumber);
}

void RecordBook::wipeMoveTexts() {
    for (const int origin : {leftBoardX, rightBoardX}) {
        for (int c = 4; c <= 7; ++c) {
            s_.screen.描画_絵(origin, s_.options.backgroundCode, c, 11);
            s_.screen.描画_絵(origin, s_.options.backgroundCode, c, -1);
        }
    }
}

void RecordBook::REPLAY_Click() {
    closeFilePanel();
    if (s_.record.recordIndex < 1) {
        game_.refuse(s_.tr("できません"), "戻る");
        return;
    }
    wipeMoveTexts();
    s_.dropSelections();
    s_.setTimer1(false);
    s_.state.resumePending = flagYes;

    --s_.record.recordIndex;
    --s_.state.moveNumber;
    showSnapshot(s_.record.recordIndex);
    s_.screen.消去_移動結果(s_.state.comSide);
    s_.screen.消去_移動結果(s_.state.manSide);

    s_.state.sideToMove = static_cast<std::int16_t>(-s_.state.sideToMove);
    s_.screen.描画_手数(s_.state.moveNumber);
}

void RecordBook::takeBack() {
    closeFilePanel();
    if (game_.computerTurn().thinking()) {
        game_.refuse(s_.tr("コンピュータが考えています"), "待った");
        return;
    }
    const bool vsComputer = s_.state.gameMode == modeVsComputer;
    // Against the computer its reply goes with the move, so the human is to move again.
    const int moves = vsComputer ? 2 : 1;
    const bool playing = s_.state.kifuMode == flagNo && s_.state.sideToMove != noSide;
    const bool humansTurn = !vsComputer || s_.state.sideToMove == s_.state.manSide;
    if (!playing || !humansTurn || s_.record.recordIndex < moves) {
        game_.refuse(s_.tr("待ったできる手がありません"), "待った");
        return;
    }
    const int n = s_.record.recordIndex - moves;
    wipeMoveTexts();
    // A pick waiting for its square goes with the moves, and its outlines with it.
    s_.dropSelections();
    s_.screen.描画_将棋盤桝(leftBoardX);
    s_.screen.描画_将棋盤桝(rightBoardX);
    s_.screen.消去_移動結果(s_.state.comSide);
    s_.screen.消去_移動結果(s_.state.manSide);
    s_.record.recordIndex = static_cast<std::int16_t>(n);
    s_.record.lastRecordIndex = static_cast<std::int16_t>(n);
    s_.state.moveNumber = static_cast<std::int16_t>(n);
    showSnapshot(n);
    game_.描画_所有時間(s_.state.comSide, s_.clock.comTotalSeconds);
    game_.描画_所有時間(s_.state.manSide, s_.clock.manTotalSeconds);
    if (!vsComputer) s_.state.sideToMove = static_cast<std::int16_t>(-s_.state.sideToMove);
    game_.texts().drawLastMoveTexts();
    s_.screen.描画_手数(s_.state.moveNumber);
}

void RecordBook::REVERSE_Click() {
    if (s_.state.kifuMode == flagYes) {
        game_.refuse(s_.tr("棋譜ﾓｰﾄﾞではできません"), "反転");
        return;
    }
    s_.state.boardsReversed = flagYes;
    s_.options.turned = !s_.options.turned;
    s_.dropSelections();
    reverseBoards(s_.state);
    game_.画面_再描画();
    s_.screen.描画_手数(s_.state.moveNumber);
    if (s_.state.handicapSet == flagYes) {
        s_.state.handicapLevel = static_cast<std::int16_t>(-s_.state.handicapLevel);
        s_.screen.描画_ハンデレベル(s_.state.handicapLevel);
    }
    s_.playSound(s_.sounds.piecePlaced);
    s_.state.sideToMove = static_cast<std::int16_t>(-s_.state.sideToMove);
}

void RecordBook::moveListClicked(int n) {
    // Only a record being stepped through jumps; a game in play keeps its position.
    if (s_.state.kifuMode == flagYes && n >= 0 && n <= s_.record.lastRecordIndex &&
        n != s_.record.recordIndex) {
        closeFilePanel();
        // As many steps of 進 or 戻 would: the side to move swaps once per step.
        if ((n - s_.record.recordIndex) % 2 != 0)
            s_.state.sideToMove = static_cast<std::int16_t>(-s_.state.sideToMove);
        s_.dropSelections();
        s_.setTimer1(false);
        s_.state.resumePending = flagYes;
        wipeMoveTexts();
        s_.screen.消去_移動結果(s_.state.comSide);
        s_.screen.消去_移動結果(s_.state.manSide);
        s_.record.recordIndex = static_cast<std::int16_t>(n);
        s_.state.moveNumber = static_cast<std::int16_t>(n);
        showSnapshot(n);
        const MoveNote note = game_.texts().moveNote(n);
        if (note.boardId != 0)
            s_.screen.描画_移動結果(note, note.topPiece ? s_.state.comSide : s_.state.manSide,
                                    s_.options.moveTextColor);
        s_.screen.描画_手数(s_.state.moveNumber);
    }
}

bool RecordBook::hasRoomForMove() {
    if (s_.record.recordIndex < maxRecordIndex) return true;
    game_.refuse(
        s_.tr.format("棋譜は {0} 手までしか記録できません", {std::to_string(maxRecordIndex)}),
        "棋譜");
    return false;
}

void RecordBook::recordMove(const MoveNote& note, float manTimeBefore, float manTimeAfter,
                            float comTimeBefore, float comTimeAfter) {
    // Room was asked for before the move, so the snapshot is always taken.
    手順保存(s_.record, s_.state, manTimeBefore, manTimeAfter, comTimeBefore, comTimeAfter);
    const auto n = static_cast<std::size_t>(s_.record.recordIndex);
    s_.snapshotTurned[n] = s_.options.turned;
    s_.liveNotes[n] = note;
    s_.lastRefusal.clear();
}

}  // namespace nobakuza
