// Start-up, the initial setup, the end of a game and the shutdown of the program.
#include <string>

#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

Game::Game(WindowSystem& w)
    : window(w),
      screen(w, state, options),
      sound(w.sound, [&dialogs = w.dialogs](std::string_view text) {
          dialogs.messageBox(text, soundLibraryTitle, MessageButtons::ok, true);
      }) {}

void Game::Form_Load() {
    loadBeforeFirstFrame();
    loadAfterFirstFrame();
}

void Game::loadBeforeFirstFrame() {
    state.comLevel = 3;
    window.menu.setChecked(MenuItem::LEVEL3, true);
    state.comSide = senteSide;
    state.manSide = goteSide;
    state.kifuMode = flagNo;
    options = ScreenOptions{};
    record.lastRecordIndex = 0;
    startDirectory = currentDirectory();

    window.surface.fillRect(0, 0, windowWidth, windowHeight, squareFrameColor);

    const SettingsLoad load = 読込_環境設定ファイル(settingsFileName);
    settings = load.settings;
    applySettingsMarks();
    screen.描画_背景(settings.backgroundCode);
    options.backgroundCode = settings.backgroundCode;
    options.moveGuidanceOn = settings.moveGuidance ? flagYes : flagNo;
    options.guideColor = guideColorFor(settings);
    musicAtSoundStart_ = load.startMusic;
    settingsErrorAtStart_ = load.writeError;

    初期設定();
}

void Game::loadAfterFirstFrame() {
    startSound();
    if (!settingsErrorAtStart_.empty()) tellSettingsNotSaved(settingsErrorAtStart_);
}

void Game::startSound() {
    sound.soundInit(window.windowHandle);
    soundOther = sound.soundLoad(soundOtherFile, soundEffectFlags);
    soundForbidden = sound.soundLoad(soundForbiddenFile, soundEffectFlags);
    soundPiecePlaced = sound.soundLoad(soundPiecePlacedFile, soundEffectFlags);
    soundBgm = sound.soundLoad(soundBgmFile, soundMusicFlags);
    // The file asked for music; a player who has switched it off since keeps it off.
    if (musicAtSoundStart_ && settings.bgm) window.sound.dsPlayLooping(soundBgm);
}

void Game::tellSettingsNotSaved(const std::string& why) {
    if (settingsFailureTold_) return;
    settingsFailureTold_ = true;
    window.dialogs.messageBox("設定を保存できませんでした。\n" + why, "ｵﾌﾟｼｮﾝ", MessageButtons::ok,
                              true);
}

void Game::applySettingsMarks() {
    screen.チェック設定(settings.backgroundCode);
    window.menu.setChecked(MenuItem::SIDOU, settings.moveGuidance);
    window.menu.setChecked(MenuItem::KEIKA, settings.elapsedTime);
    window.menu.setChecked(MenuItem::BGM, settings.bgm);
}

void Game::初期設定() {
    state.handicapLevel = 0;
    state.handicapSet = flagNo;
    state.gameMode = modeTwoHumans;
    state.winner = noSide;
    state.sideToMove = noSide;
    record.recordIndex = 0;
    state.moveNumber = 0;
    state.boardsReversed = flagNo;
    setTimer1(false);
    resetClock(clock);
    state.resumePending = flagNo;
    state.kifuMode = flagNo;
    state.left.selectionState = 0;
    state.right.selectionState = 0;

    for (BoardState* b : {&state.left, &state.right}) {
        b->manHand = {};
        b->comHand = {};
    }
    setInitialPosition(state.left.board);
    state.right.board = state.left.board;
    for (BoardState* b : {&state.left, &state.right}) {
        recountHandTotals(*b);
        // Kings stand on their starting squares; a king square left over from the last game
        // would point the move routines at the wrong square.
        b->manKingFile = 5;
        b->manKingRank = 9;
        b->comKingFile = 5;
        b->comKingRank = 1;
    }

    storeStartPosition(record, state);
    画面_再描画();
}

void Game::終了(std::string_view winnerName) {
    std::string text(winnerName);
    text += "の勝ちです";
    window.dialogs.messageBox(text, "終了", MessageButtons::ok, false);
    if (window.dialogs.messageBox("続けますか？", "再ゲーム", MessageButtons::yesNo, false) ==
        MessageAnswer::yes) {
        初期設定();
    } else {
        shutDown();
    }
}

void Game::終了処理() {
    // Released once, whichever way out comes first.
    if (soundsReleased_) return;
    soundsReleased_ = true;
    SoundApi& api = window.sound;
    api.dsFree(soundOther);
    api.dsFree(soundForbidden);
    api.dsFree(soundPiecePlaced);
    api.dsFree(soundBgm);
    sound.soundTerminate();
}

void Game::shutDown() {
    終了処理();
    if (ended_) return;
    ended_ = true;
    setTimer1(false);
    window.program.endProgram();
}

void Game::Form_Unload() {
    shutDown();
}

void Game::Form_KeyPress(int keyCode) {
    if (ended_) return;
    if (keyCode == escapeKey) shutDown();
}

void Game::OWARI_Click() {
    shutDown();
}

void Game::playSound(std::int32_t buffer) {
    window.sound.dsPlay(buffer);
}

void Game::setTimer1(bool on) {
    clock.timerEnabled = on;
    window.timer.setTimerEnabled(on);
}

}  // namespace nobakuza
