// The game window's behaviour, without the window system: Game keeps the state its parts share
// (GameShared) and routes the window's events to the parts — the human's input, the computer's
// turn, the record and its replay, the game kept on disk, and the texts around the picture. What
// is left here is the start-up, the start and end of a game, the menus and the screen as a whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "game/computer_turn.h"
#include "game/evaluation_watch.h"
#include "game/game_keeper.h"
#include "game/game_shared.h"
#include "game/game_texts.h"
#include "game/human_input.h"
#include "game/record_book.h"
#include "game/window_review.h"
#include "sound/sound.h"
#include "ui/menu_items.h"

namespace nobakuza {

// The sound files, found by bare name in the current folder, and their load flags.
inline constexpr const char* soundOtherFile = "その他.wav";
inline constexpr const char* soundForbiddenFile = "禁止.wav";
inline constexpr const char* soundPiecePlacedFile = "駒打音.wav";
inline constexpr const char* soundBgmFile = "BGM.wav";
inline constexpr std::int32_t soundEffectFlags = 3;
inline constexpr std::int32_t soundMusicFlags = 1;

class Game final {
  public:
    explicit Game(WindowSystem& window);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- window events
    // The whole start-up at once: loadBeforeFirstFrame, then loadAfterFirstFrame.
    void Form_Load();
    // Start-up split for a window that shows its first frame in between: the sound library and
    // the sounds load after it, so the window appears without waiting for them.
    void loadBeforeFirstFrame();
    void loadAfterFirstFrame();
    void Form_Unload();
    void Form_KeyPress(int keyCode);
    void Form_MouseDown(int button, int shift, double x, double y);
    void Timer1_Timer();
    // A menu was opened or a command chosen.
    void menuChosen(MenuItem item);
    // The record panel's buttons (RETURN, キャンセル), a file picked in its list, a folder chosen.
    void Command1_Click();
    void cancelFilePanel();
    void File1_Click(const std::string& fileName);
    void Drive1_Change(const std::string& path);
    void Dir1_Change(const std::string& path);
    // A line of the move list was clicked.
    void moveListClicked(int n);
    // Work of another thread has ended (the window's WakeUp): its result is shown.
    void backgroundWorkDone();
    // A click on the review's graph at move `ply`.
    void graphClicked(int ply);
    // At start-up, once the window is shown: the last run's unfinished game is offered.
    void resumeInterruptedGame();
    // The program has been shut down; the window ignores every further event.
    bool ended() const { return s_.ended; }

    // --- the parts
    HumanInput& input() { return input_; }
    ComputerTurn& computerTurn() { return computer_; }
    RecordBook& records() { return records_; }
    const RecordBook& records() const { return records_; }
    GameKeeper& keeper() { return keeper_; }
    GameTexts& texts() { return texts_; }
    const GameTexts& texts() const { return texts_; }
    EvaluationWatch& evaluation() { return evaluation_; }
    WindowReview& review() { return review_; }
    const WindowReview& review() const { return review_; }
    const EvaluationWatch& evaluation() const { return evaluation_; }

    // --- the state the parts share: the position on the boards and its record (a test sets a
    // position up through them), the screen and its options, the sounds and the language
    GameState& position() { return s_.state; }
    const GameState& position() const { return s_.state; }
    GameRecord& record() { return s_.record; }
    const GameRecord& record() const { return s_.record; }
    const ScreenOptions& screenOptions() const { return s_.options; }
    const ClockState& clock() const { return s_.clock; }
    const Screen& screen() const { return s_.screen; }
    const SoundHandles& sounds() const { return s_.sounds; }
    // Who won the game just finished and how; winner noSide while no game has ended.
    const GameEnd& gameEnd() const { return s_.gameEnd; }
    Language language() const { return s_.tr.language(); }
    // Where the compiled catalogues are; found beside the program when not set before the load.
    void setLocaleFolder(const std::string& folder) { s_.localeFolder = folder; }

    // --- what the parts ask of the game as a whole
    void 初期設定();
    // The end of a game: kept, told, and a new game, the end of the program or the finished
    // game to look at (棋譜を見る), as the player answers.
    void 終了(std::int16_t winnerSide, GameEndReason how);
    void 終了処理();
    void shutDown();
    // The status line, the move list and the autosave, after every event.
    void afterEvent();
    void showGameInfo() { texts_.showGameInfo(); }
    // A refusal: its box (the text already in the player's language), the forbidden-move sound
    // when `withSound`, and the status line.
    void refuse(const std::string& text, const char* title, bool withSound = true);
    void レベル_設定(int level);
    // The whole window again: picture, move number, last move texts, header names, captions.
    void redrawEverything();
    void 画面_再描画();
    // Both boards and all four hands as the state holds them.
    void drawBoardsAndHands();
    void 描画_所有時間(std::int16_t side, float seconds);
    void 消去_所有時間(std::int16_t side);
    // 盤を回す: both boards shown from the other side, or back; the game does not change.
    void turnView();
    // Waits without taking input; the window repaints.
    void 待ち時間(double seconds);
    // Repaints the strip under the left board and the coordinate labels.
    void 描画_棋譜読込み部分消去();

  private:
    // What each menu item runs.
    struct MenuCommand {
        MenuItem item;
        void (*run)(Game&);
    };
    static std::span<const MenuCommand> menuCommands();

    // --- menu commands (game_menus.cpp, game_turn.cpp, game_level.cpp)
    void OWARI_Click();
    void CANCEL_Click();
    void LEVEL_Click(int level);
    void optionClick(OptionItem item);
    void KAISETU_Click();
    void VER_Click();
    // 言語: every text of the window in the chosen language, at once.
    void chooseLanguage(Language language);
    // 指し手一覧: shows or hides the move list.
    void TEJUN_Click();
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();
    void changeHandicap(int direction);
    void startAgainstComputer();
    // The human takes `manSide` (先手 or 後手) and the first player is to move.
    void takeSides(std::int16_t manSide);
    // A game against the computer picks up where stepping left it, with the human to move.
    void humanResumes();
    // A game has moves on the boards: 先手 and 後手 go on from it.
    bool gameUnderWay() const;
    // The status line says so.
    void tellGoingOn();
    void prepareBoardsForPlay();
    // The screen and the state as a finished game leaves them: the last move shown and counted,
    // the winner's opponent to move, nothing thinking.
    void settleFinishedGame();
    // 棋譜を見る: the finished game in record mode at its last position.
    void lookAtFinishedGame();

    // A side's clock stands left of the left board, where the computer's is unless the view is
    // turned.
    bool clockOnTheLeft(std::int16_t side) const;
    void applySettingsMarks();
    void startSound();
    // A settings file that cannot be written is told once a run; the game goes on without it.
    void tellSettingsNotSaved(const std::string& why);
    void applyLanguageToWindow();

    GameShared s_;
    Sound sound_;
    HumanInput input_{*this, s_};
    ComputerTurn computer_{*this, s_};
    RecordBook records_{*this, s_};
    GameKeeper keeper_{*this, s_};
    GameTexts texts_{*this, s_};
    EvaluationWatch evaluation_{*this, s_};
    WindowReview review_{*this, s_};

    bool soundsReleased_ = false;
    bool musicAtSoundStart_ = false;
    std::string settingsErrorAtStart_;
    bool settingsFailureTold_ = false;
};

}  // namespace nobakuza
