// The 棋譜 menu: the file panel, saving the record to a ".棋譜" file and loading one back.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "game/game.h"
#include "records/record_file.h"

namespace nobakuza {
namespace {

constexpr const char* recordExtension = ".棋譜";
constexpr const char* twoSpaces = "  ";

// Characters, not bytes: the header lines are centred by their length as the player sees it.
int characterCount(std::string_view utf8) {
    int n = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

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

// Where a header line starts so that it sits centred over the left board.
double 取得_棋譜のX座標_左(std::string_view text) {
    return leftBoardX + squareWidth * ((13 - characterCount(text)) / 5.0 + 3);
}

void Game::openPanelFolderFirstTime() {
    // The panel first opens where the finished games are kept.
    if (panelFolderChosen_) return;
    panelFolderChosen_ = true;
    std::error_code ec;
    const auto folder = std::filesystem::absolute(archiveFolder, ec);
    if (!ec && std::filesystem::is_directory(folder, ec))
        window.filePanel.setFolder(folder.string());
}

void Game::KIFU_READ_Click() {
    openPanelFolderFirstTime();
    screen.描画_可視(true, true, true);
    screen.描画_棋譜_IO(1);
}

bool Game::recordCanHoldBoards() {
    if (state.boardsReversed == flagYes) {
        refuse(tr("反転後は書き込みできません"), "棋譜書込", false);
        return false;
    }
    if (state.handicapSet == flagYes) {
        refuse(tr("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"), "棋譜書込", false);
        return false;
    }
    return true;
}

void Game::KIFU_WRITE_Click() {
    if (!recordCanHoldBoards()) return;
    openPanelFolderFirstTime();
    screen.描画_可視(true, true, false);
    screen.描画_棋譜_IO(0);
}

void Game::Command1_Click() {
    if (ended_) return;
    saveRecord();
    afterEvent();
}

void Game::saveRecord() {
    Dialogs& dialogs = window.dialogs;
    const std::string name = window.filePanel.saveField(SaveField::fileName);
    if (name.empty()) {
        refuse(tr("ﾌｧｲﾙ名が入力されていません"), twoSpaces, false);
        return;
    }
    if (!usableFileName(name)) {
        refuse(tr("ﾌｧｲﾙ名に「/」は使えません。「.」だけの名前も使えません"), "棋譜保存", false);
        return;
    }
    if (record.recordIndex < 1) {
        refuse(tr("保存するデータがありません"), "棋譜保存", false);
        return;
    }
    // The save fields stay open through 反転 and the handicap steps may have come since the
    // panel was opened; the record would then no longer match the boards it is read back into.
    if (!recordCanHoldBoards()) return;

    const std::string path = inFolder(window.filePanel.folder(), name + recordExtension);
    const RecordHeader header =
        headerForSave(window.filePanel.saveField(SaveField::gameName),
                      window.filePanel.saveField(SaveField::firstPlayer),
                      window.filePanel.saveField(SaveField::secondPlayer), state.manSide);
    if (const auto error = writeRecordFile(path, header, record, translator())) {
        refuse(tr.format("棋譜は保存されませんでした\n{0}", {error->message}), "棋譜保存");
        return;
    }
    closeFilePanel();
    window.filePanel.refreshFileList();
    dialogs.messageBox(tr("棋譜を書き込みました"), twoSpaces, MessageButtons::ok, false);
}

TranslateText Game::translator() const {
    return [this](const char* japanese) { return tr(japanese); };
}

void Game::File1_Click(const std::string& fileName) {
    if (ended_) return;
    loadRecord(fileName);
    afterEvent();
}

void Game::printRecordHeader() {
    Surface& surface = window.surface;
    const RecordHeader& h = shownHeader;
    // A name of five characters or more would start left of the window and lose its head.
    surface.printText(std::max(0.0, 取得_棋譜のX座標_左(h.gameName) - 3000), 6350, h.gameName, 12,
                      colorLightRed, screen.bold());
    surface.printText(取得_棋譜のX座標_左(h.topPlayerName), 100, h.topPlayerName, 12, colorWhite,
                      screen.bold());
    surface.printText(取得_棋譜のX座標_左(h.bottomPlayerName), 6350, h.bottomPlayerName, 12,
                      colorWhite, screen.bold());
}

void Game::loadRecord(const std::string& fileName) {
    screen.描画_可視(false, false, false);
    // The whole file is read and checked before the game is touched, so a refused file leaves
    // the game as it was.
    const auto loaded = std::make_unique<LoadedRecord>();
    if (const auto error =
            readRecordFile(inFolder(window.filePanel.folder(), fileName), *loaded, translator())) {
        refuse(error->message, "棋譜");
        return;
    }

    初期設定();
    state.kifuMode = flagYes;
    record = loaded->record;
    record.recordIndex = 0;
    state.moveNumber = 0;
    shownHeader = loaded->header;
    printRecordHeader();

    if (record.lastRecordIndex == 0) {
        say("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
        return;
    }
    say(" 読み込みました", "棋譜");
    say("棋譜を '進 'で進めて下さい", "棋譜");

    // Whoever made move 1 is the first player; a top piece means the computer's side.
    std::int16_t boardId = 0, file = 0, rank = 0;
    Code mover = emptySquare;
    調査_移動結果(record, 1, boardId, mover, file, rank);
    if (isComPiece(mover)) {
        state.comSide = senteSide;
        state.manSide = goteSide;
        state.gameMode = modeVsComputer;
    } else {
        state.manSide = senteSide;
        state.comSide = goteSide;
        state.gameMode = modeTwoHumans;
    }
    state.sideToMove = senteSide;
}

void Game::Drive1_Change(const std::string& path) {
    Dir1_Change(path);
}

void Game::Dir1_Change(const std::string& path) {
    // The lists keep the folder they showed; the player may choose another one.
    if (!window.filePanel.setFolder(path)) refuse(tr("ﾃﾞﾊﾞｲｽが準備できていません"), "ｴﾗｰ", false);
}

}  // namespace nobakuza
