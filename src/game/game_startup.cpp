// Start-up, the initial setup, the end of a game and the shutdown of the program.
#include <string>
#include <utility>

#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

Game::Game(WindowSystem& w)
    : window(w),
      screen(w, state, options, tr),
      sound(
          w.sound,
          [this](std::string_view text) {
              // A file that cannot be read comes worded already; the library that does not
              // start is the sound side's own text.
              const std::string shown =
                  text == soundStartFailure ? tr(soundStartFailure.data()) : std::string(text);
              window.dialogs.messageBox(shown, soundLibraryTitle, MessageButtons::ok, true);
          },
          translator()) {}

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
    if (localeFolder.empty()) localeFolder = findLocaleFolder();
    // Japanese whatever the system's locale, unless the player chose English; without the
    // English texts the window stays Japanese.
    tr.setLanguage(languageOf(settings), localeFolder);
    applyLanguageToWindow();
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
    // The default file could not be written before the language was known: tried once more,
    // so that what is told is told in the player's words.
    std::string why;
    if (!settingsErrorAtStart_.empty() &&
        !書込_環境設定ファイル(settingsFileName, settings, &why, translator()))
        tellSettingsNotSaved(why);
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
    window.dialogs.messageBox(tr.format("設定を保存できませんでした。\n{0}", {why}), tr("ｵﾌﾟｼｮﾝ"),
                              MessageButtons::ok, true);
}

void Game::applySettingsMarks() {
    screen.チェック設定(settings.backgroundCode);
    window.menu.setChecked(MenuItem::SIDOU, settings.moveGuidance);
    window.menu.setChecked(MenuItem::KEIKA, settings.elapsedTime);
    window.menu.setChecked(MenuItem::BGM, settings.bgm);
    window.menu.setChecked(MenuItem::NIHONGO, tr.language() == Language::japanese);
    window.menu.setChecked(MenuItem::EIGO, tr.language() == Language::english);
    window.menu.setChecked(MenuItem::TEJUN, panels() != nullptr && panels()->moveListVisible());
}

void Game::初期設定() {
    // A game with moves that is put aside for a new one is kept among the finished games.
    if (!gameKept_) archiveCurrentGame();
    gameKept_ = false;
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
    options.turned = false;
    snapshotTurned = {};
    liveNotes_ = {};
    shownHeader = RecordHeader{};
    lastRefusal.clear();
    screen.setTints({});
    画面_再描画();
    showGameInfo();
}

void Game::終了(std::string_view winnerName) {
    // The finished game is kept before anything is asked: the answer may end the program.
    archiveCurrentGame();
    gameKept_ = true;
    removeAutosave();
    showGameInfo();
    // The winner's names are literals.
    window.dialogs.messageBox(tr.format("{0}の勝ちです", {tr(winnerName.data())}), tr("終了"),
                              MessageButtons::ok, false);
    if (say("続けますか？", "再ゲーム", MessageButtons::yesNo) == MessageAnswer::yes) {
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

MessageAnswer Game::say(const char* text, const char* title, MessageButtons buttons) {
    return window.dialogs.messageBox(tr(text), tr(title), buttons, false);
}

void Game::refuse(const std::string& text, const char* title, bool withSound) {
    if (withSound) playSound(soundForbidden);
    lastRefusal = text;
    showGameInfo();
    window.dialogs.messageBox(text, tr(title), MessageButtons::ok, false);
}

void Game::playSound(std::int32_t buffer) {
    window.sound.dsPlay(buffer);
}

void Game::setTimer1(bool on) {
    clock.timerEnabled = on;
    window.timer.setTimerEnabled(on);
}

}  // namespace nobakuza
