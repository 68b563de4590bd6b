// Start-up, the initial setup, the end of a game and the shutdown of the program.
#include <string>
#include <utility>

#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

Game::Game(WindowSystem& w)
    : s_(w),
      sound_(
          w.sound,
          [this](std::string_view text) {
              // A file that cannot be read comes worded already; the library that does not
              // start is the sound side's own text.
              const std::string shown =
                  text == soundStartFailure ? s_.tr(soundStartFailure.data()) : std::string(text);
              s_.window.dialogs.messageBox(shown, soundLibraryTitle, MessageButtons::ok, true);
          },
          s_.translator()) {}

void Game::Form_Load() {
    loadBeforeFirstFrame();
    loadAfterFirstFrame();
}

void Game::loadBeforeFirstFrame() {
    s_.state.comLevel = 3;
    s_.window.menu.setChecked(MenuItem::LEVEL3, true);
    s_.state.comSide = senteSide;
    s_.state.manSide = goteSide;
    s_.state.kifuMode = flagNo;
    s_.options = ScreenOptions{};
    s_.record.lastRecordIndex = 0;
    s_.startDirectory = currentDirectory();

    s_.window.surface.fillRect(0, 0, windowWidth, windowHeight, squareFrameColor);

    const SettingsLoad load = 読込_環境設定ファイル(settingsFileName);
    s_.settings = load.settings;
    if (s_.localeFolder.empty()) s_.localeFolder = findLocaleFolder();
    // Japanese whatever the system's locale, unless the player chose English; without the
    // English texts the window stays Japanese.
    s_.tr.setLanguage(languageOf(s_.settings), s_.localeFolder);
    applyLanguageToWindow();
    applySettingsMarks();
    s_.screen.描画_背景(s_.settings.backgroundCode);
    s_.options.backgroundCode = s_.settings.backgroundCode;
    s_.options.moveGuidanceOn = s_.settings.moveGuidance ? flagYes : flagNo;
    s_.options.guideColor = guideColorFor(s_.settings);
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
        !書込_環境設定ファイル(settingsFileName, s_.settings, &why, s_.translator()))
        tellSettingsNotSaved(why);
}

void Game::startSound() {
    sound_.soundInit(s_.window.windowHandle);
    SoundHandles& h = s_.sounds;
    h.other = sound_.soundLoad(soundOtherFile, soundEffectFlags);
    h.forbidden = sound_.soundLoad(soundForbiddenFile, soundEffectFlags);
    h.piecePlaced = sound_.soundLoad(soundPiecePlacedFile, soundEffectFlags);
    h.bgm = sound_.soundLoad(soundBgmFile, soundMusicFlags);
    // The file asked for music; a player who has switched it off since keeps it off.
    if (musicAtSoundStart_ && s_.settings.bgm) s_.window.sound.dsPlayLooping(s_.sounds.bgm);
}

void Game::tellSettingsNotSaved(const std::string& why) {
    if (settingsFailureTold_) return;
    settingsFailureTold_ = true;
    s_.window.dialogs.messageBox(s_.tr.format("設定を保存できませんでした。\n{0}", {why}),
                                 s_.tr("ｵﾌﾟｼｮﾝ"), MessageButtons::ok, true);
}

void Game::applySettingsMarks() {
    s_.screen.チェック設定(s_.settings.backgroundCode);
    s_.window.menu.setChecked(MenuItem::SIDOU, s_.settings.moveGuidance);
    s_.window.menu.setChecked(MenuItem::KEIKA, s_.settings.elapsedTime);
    s_.window.menu.setChecked(MenuItem::BGM, s_.settings.bgm);
    s_.window.menu.setChecked(MenuItem::NARI, asksPromotion(s_.settings));
    s_.window.menu.setChecked(MenuItem::NIHONGO, s_.tr.language() == Language::japanese);
    s_.window.menu.setChecked(MenuItem::EIGO, s_.tr.language() == Language::english);
    s_.window.menu.setChecked(MenuItem::KEISEI, evaluationShown(s_.settings));
    s_.window.menu.setChecked(MenuItem::TEJUN,
                              s_.panels() != nullptr && s_.panels()->moveListVisible());
}

void Game::初期設定() {
    keeper_.beforeNewGame();
    evaluation_.forget();
    review_.forget();
    s_.state.handicapLevel = 0;
    s_.state.handicapSet = flagNo;
    s_.state.gameMode = modeTwoHumans;
    s_.state.winner = noSide;
    s_.state.sideToMove = noSide;
    s_.record.recordIndex = 0;
    s_.state.moveNumber = 0;
    s_.state.boardsReversed = flagNo;
    s_.setTimer1(false);
    resetClock(s_.clock);
    s_.state.resumePending = flagNo;
    s_.state.kifuMode = flagNo;
    s_.dropSelections();

    for (BoardState* b : {&s_.state.left, &s_.state.right}) {
        b->manHand = {};
        b->comHand = {};
    }
    setInitialPosition(s_.state.left.board);
    s_.state.right.board = s_.state.left.board;
    for (BoardState* b : {&s_.state.left, &s_.state.right}) {
        recountHandTotals(*b);
        // Kings stand on their starting squares; a king square left over from the last game
        // would point the move routines at the wrong square.
        b->manKingFile = 5;
        b->manKingRank = 9;
        b->comKingFile = 5;
        b->comKingRank = 1;
    }

    storeStartPosition(s_.record, s_.state);
    s_.options.turned = false;
    s_.snapshotTurned = {};
    s_.liveNotes = {};
    s_.shownHeader = RecordHeader{};
    s_.lastRefusal.clear();
    s_.gameEnd = {};
    s_.unpromotedMove = false;
    s_.screen.setTints({});
    画面_再描画();
    texts_.showGameInfo();
}

void Game::終了(std::int16_t winnerSide, GameEndReason how) {
    evaluation_.stop();
    s_.gameEnd = {winnerSide, how};
    settleFinishedGame();
    // The finished game is kept before anything is asked: the answer may end the program.
    keeper_.keepFinishedGame();
    texts_.showGameInfo();
    s_.window.dialogs.messageBox(s_.tr.format("{0}の勝ちです", {texts_.winnerName()}),
                                 s_.tr("終了"), MessageButtons::ok, false);
    switch (s_.say("続けますか？", "再ゲーム", MessageButtons::yesNoView)) {
        case MessageAnswer::yes:
            初期設定();
            break;
        case MessageAnswer::view:
            lookAtFinishedGame();
            break;
        case MessageAnswer::review:
            lookAtFinishedGame();
            review_.KENTOU_Click();
            break;
        default:
            shutDown();
            break;
    }
}

void Game::settleFinishedGame() {
    s_.setTimer1(false);
    s_.dropSelections();
    // The move that ended the game is counted and written like any other (the computer's
    // winning move stops before either), and its text takes the place of "思考中".
    s_.state.moveNumber = s_.record.recordIndex;
    s_.screen.描画_手数(s_.state.moveNumber);
    texts_.drawLastMoveTexts();
    // The winner made the last move.
    s_.state.sideToMove = static_cast<std::int16_t>(-s_.gameEnd.winner);
}

void Game::lookAtFinishedGame() {
    s_.state.kifuMode = flagYes;
    // A position stepped back to plays on as any record's does: no king is missing there.
    s_.state.winner = noSide;
    s_.state.resumePending = flagYes;
    redrawEverything();
}

void Game::終了処理() {
    evaluation_.stop();
    // Released once, whichever way out comes first.
    if (soundsReleased_) return;
    soundsReleased_ = true;
    SoundApi& api = s_.window.sound;
    for (const std::int32_t buffer :
         {s_.sounds.other, s_.sounds.forbidden, s_.sounds.piecePlaced, s_.sounds.bgm})
        api.dsFree(buffer);
    sound_.soundTerminate();
}

void Game::shutDown() {
    evaluation_.stop();
    review_.forget();
    終了処理();
    if (s_.ended) return;
    // Written once more with the time of the move under way, so the clocks go on from it.
    keeper_.autosave(true);
    s_.ended = true;
    s_.setTimer1(false);
    s_.window.program.endProgram();
}

void Game::Form_Unload() {
    shutDown();
}

void Game::resumeInterruptedGame() {
    keeper_.resumeInterruptedGame();
}

void Game::Form_MouseDown(int button, int shift, double x, double y) {
    if (s_.ended) return;
    input_.mouseDown(button, shift, x, y);
    afterEvent();
}

void Game::Form_KeyPress(int keyCode) {
    if (s_.ended) return;
    if (keyCode != escapeKey) return;
    // Escape closes what is open: a review under way, the record panel; with nothing open it
    // ends the program, and the autosave keeps the game.
    if (review_.running()) {
        review_.stop();
        return;
    }
    if (records_.filePanelOpen()) {
        records_.closeFilePanel();
        return;
    }
    shutDown();
}

void Game::cancelFilePanel() {
    if (s_.ended) return;
    records_.closeFilePanel();
}

void Game::OWARI_Click() {
    shutDown();
}

void Game::refuse(const std::string& text, const char* title, bool withSound) {
    if (withSound) s_.playSound(s_.sounds.forbidden);
    s_.lastRefusal = text;
    texts_.showGameInfo();
    s_.window.dialogs.messageBox(text, s_.tr(title), MessageButtons::ok, false);
}

}  // namespace nobakuza
