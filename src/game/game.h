// The game window's behaviour: all game state as plain data, and every event handler of the
// window. The handlers live in several files by subject (start-up and end, the screen, the
// menus, and the play itself); the window system is reached only through WindowSystem.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_model.h"
#include "board/move_execution.h"
#include "clock/clock.h"
#include "computer/computer_state.h"
#include "computer/move_search.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "records/replay.h"
#include "records/saved_game.h"
#include "search/level_search.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "text/translation.h"
#include "ui/screen.h"
#include "ui/window_system.h"

namespace nobakuza {

inline constexpr int leftButton = 1;
inline constexpr int rightButton = 2;
inline constexpr int escapeKey = 27;

// The sound files, found by bare name in the current folder, and their load flags.
inline constexpr const char* soundOtherFile = "その他.wav";
inline constexpr const char* soundForbiddenFile = "禁止.wav";
inline constexpr const char* soundPiecePlacedFile = "駒打音.wav";
inline constexpr const char* soundBgmFile = "BGM.wav";
inline constexpr std::int32_t soundEffectFlags = 3;
inline constexpr std::int32_t soundMusicFlags = 1;

class Game final : public MovePainter {
  public:
    explicit Game(WindowSystem& window);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- window events (game_startup.cpp, game_input.cpp, game_menus.cpp)
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

    // --- start-up and the end of a game (game_startup.cpp)
    void 初期設定();
    void 終了(std::string_view winnerName);
    void 終了処理();
    // The program has been shut down; the window ignores every further event.
    bool ended() const { return ended_; }

    // --- the screen (game_screen.cpp)
    void 画面_再描画();
    // Both boards and all four hands as the state holds them.
    void drawBoardsAndHands();
    void 描画_所有時間(std::int16_t side, float seconds);
    void 消去_所有時間(std::int16_t side);
    // Waits without taking input; the window repaints.
    void 待ち時間(double seconds);

    // --- the drawing a move makes, through the same routines
    void 描画_絵(int gridOriginX, Code code, int file, int rank) override;
    void 描画_桝輪郭(int gridOriginX, int colour, int file, int rank) override;
    void 描画_自持盤(const BoardState& b) override;
    void 描画_敵持盤(const BoardState& b) override;

    // --- menu commands (game_menus.cpp)
    void OWARI_Click();
    void CANCEL_Click();
    void LEVEL_Click(int level);
    void レベル_設定(int level);
    void optionClick(OptionItem item);
    void KAISETU_Click();
    void VER_Click();
    // Hides the record lists and the save fields: opening most menus, and any click.
    void closeFilePanel();
    // 言語: every text of the window in the chosen language, at once.
    void chooseLanguage(Language language);
    // 指し手一覧: shows or hides the move list.
    void TEJUN_Click();
    // A line of the move list was clicked: in record mode the position after move n is shown,
    // as 戻 and 進 show it.
    void moveListClicked(int n);

    // --- game records: the file panel, saving and loading (game_records.cpp)
    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    // The panel's "RETURN" button: saves snapshots 0..recordIndex.
    void Command1_Click();
    // A file picked in the file list, by its name inside the panel's folder: loads it.
    void File1_Click(const std::string& fileName);
    // A drive or a folder chosen in the panel's lists.
    void Drive1_Change(const std::string& path);
    void Dir1_Change(const std::string& path);

    // --- stepping through the record and turning the boards (game_replay.cpp)
    void REPLAY_Click();
    void AFTER_Click();
    void REVERSE_Click();
    // Puts snapshot n into the boards and hands and draws it, with the clocks of that moment.
    void showSnapshot(int n);

    // --- the game kept on disk (game_autosave.cpp)
    // At start-up, once the window is shown: a game the last run left unfinished is offered
    // ("前回の対局を続けますか？"); はい puts it back, いいえ keeps it among the finished games.
    void resumeInterruptedGame();
    // Writes the game in progress when it has changed since it was last written, or removes
    // the files once no game is in progress. Every event handler ends with it.
    void autosave();
    // The finished games' folder, beside the settings file.
    static constexpr const char* archiveFolder = "棋譜";
    static constexpr int archiveLimit = 200;

    // --- around the picture (game_info.cpp)
    // The status line, the move list and the marks of the last moves, from the game's state.
    void showGameInfo();
    // The move that led to snapshot n (boardId 0 for none).
    MoveNote moveNote(int n) const;
    // Each board's and each side's last move up to the position shown, and whether the boards
    // stood turned when the side made it.
    struct LastMoves {
        MoveNote onBoard[3]{};  // by board id
        MoveNote bySide[2]{};   // bottom, top
        bool turnedAt[2]{};
    };
    LastMoves lastMoves() const;
    void showLastMoveTints(const LastMoves& last);
    std::string statusLine(const LastMoves& last) const;
    std::vector<std::string> moveListLines() const;
    // The whole window again: picture, move number, last move texts, header names, captions.
    void redrawEverything();

    void playSound(std::int32_t buffer);
    void setTimer1(bool on);

    // --- the game's state
    WindowSystem& window;
    Translator tr;
    // The compiled catalogues; found beside the program when left empty.
    std::string localeFolder;
    GameState state;
    GameRecord record;
    ScreenOptions options;
    Screen screen;
    Sound sound;
    Settings settings;
    ClockState clock;
    std::string startDirectory;
    // Per snapshot: the boards had been turned around (反転) an odd number of times.
    std::array<bool, recordSlots> snapshotTurned{};
    // The names of a loaded record, printed around the left board while it is stepped through.
    RecordHeader shownHeader;
    // The last refusal, shown in the status line until the next move or command.
    std::string lastRefusal;

    std::int32_t soundOther = 0;
    std::int32_t soundForbidden = 0;
    std::int32_t soundPiecePlaced = 0;
    std::int32_t soundBgm = 0;

    // --- playing a game (game_turn.cpp, game_click.cpp, game_computer.cpp, game_level.cpp)
    void START_Click();
    void SENTE_Click();
    void GOTE_Click();
    // The first part of every board click; false when the click goes no further.
    bool turnGate();
    void clickBoardLeft(int button, int shift, int file, int rank);
    void clickBoardRight(int button, int shift, int file, int rank);
    // The computer's turn: searches both boards and plays one move.
    void com_ban();
    // Shows the move the quick search suggests for the human, on the human's turn.
    void HINT_Click();
    void LBEL_UP_Click();
    void LEBEL_DOWN_Click();
    // Repaints the strip under the left board and the coordinate labels.
    void 描画_棋譜読込み部分消去();

    // What a board's click handler remembers between clicks: the picked cell (a square or a
    // hand cell as drawn), the picked code and the square of the second click.
    struct Pick {
        std::int16_t pickFile = 0;
        std::int16_t pickRank = 0;
        Code pickPiece = emptySquare;
        std::int16_t targetFile = 0;
        std::int16_t targetRank = 0;
    };
    Pick leftPick;
    Pick rightPick;
    ComputerState computer;

    // A box in the player's language; `text` and `title` are Japanese source texts.
    MessageAnswer say(const char* text, const char* title,
                      MessageButtons buttons = MessageButtons::ok);
    // A refusal: its box (the text already in the player's language), the forbidden-move sound
    // when `withSound`, and the status line.
    void refuse(const std::string& text, const char* title, bool withSound = true);

  private:
    // What a human move took, for deciding what follows it.
    struct HumanMove {
        bool boardMove = false;  // from a square, not a drop
        Code capturedHere = emptySquare;
        Code capturedAcross = emptySquare;
        std::int16_t mover = noSide;
    };

    void mouseDown(int button, int shift, double x, double y);
    void saveRecord();
    // The record format holds neither turned boards nor a handicap: refused with a box.
    bool recordCanHoldBoards();
    void loadRecord(const std::string& fileName);
    void printRecordHeader();
    void openPanelFolderFirstTime();
    // The record files' refusals in the player's language.
    TranslateText translator() const;
    void clickBoard(BoardState& b, int button, int file, int rank);
    // The first click on a square, and the second: a move, a new pick or a refusal.
    void pickUp(BoardState& b, int file, int rank);
    void putDown(BoardState& b, int button, int file, int rank);
    void playHumanMove(BoardState& b, int button, int file, int rank);
    // The end of the game, the computer's reply or the other player's turn.
    void afterHumanMove(BoardState& b, const HumanMove& move);
    void clickOutsideBoard(BoardState& b, int file, int rank);
    Pick& pickOf(const BoardState& b);
    bool pickStillValid(const BoardState& b) const;
    bool ownsPiece(std::int16_t side, Code code) const;
    // Outlines the squares the board's pick may reach in `colour`, after wiping all outlines.
    void showReachable(const BoardState& b, int colour);
    // The computer's turn in steps: "思考中", the flashing, the move and what follows it.
    void showThinking();
    void flashComputerMove(const BoardState& b, const SearchResult& best);
    void playComputerMove(BoardState& b, const SearchResult& best);
    // Levels 4 and 5: the tree search finds the move.
    void searchedComputerTurn();
    // Runs the tree search on a thread of its own while the window repaints and the clock ticks;
    // false, with the program ended, when the player asked for the end meanwhile.
    bool runTreeSearch(const GameState& position, const SearchRules& rules, double seconds,
                       LevelMove& found);
    void startAgainstComputer();
    // The human takes `manSide` (先手 or 後手) and the first player is to move.
    void takeSides(std::int16_t manSide);
    // A game against the computer picks up where stepping left it, with the human to move.
    void humanResumes();
    void prepareBoardsForPlay();
    void startMoveTimer(bool timerWanted);
    float timeNow();
    void changeHandicap(int direction);
    bool recordHasRoomForMove();
    bool computerMayPlay(bool moveFound);
    void recordPosition(float manTimeBefore, float manTimeAfter, float comTimeBefore,
                        float comTimeAfter);

    void shutDown();
    void applySettingsMarks();
    void startSound();
    // A settings file that cannot be written is told once a run; the game goes on without it.
    void tellSettingsNotSaved(const std::string& why);
    void applyLanguageToWindow();
    // The status line, the move list and the autosave, after every event.
    void afterEvent();
    // A game that ends or is given up goes into the finished games' folder.
    void archiveGame(const GameRecord& record, std::int16_t gameMode, std::int16_t manSide);
    bool gameInProgress() const;
    void restoreGame(const SavedGame& saved);
    // The game on the boards, when it was played here with moves and a record can hold it.
    void archiveCurrentGame();
    void removeAutosave();
    InfoPanels* panels() const { return window.panels; }

    // The moves made here, as they were made; a loaded or restored record has none, and its
    // moves are read from the snapshots.
    std::array<MoveNote, recordSlots> liveNotes_{};
    MoveNote pendingNote_;

    bool ended_ = false;
    bool soundsReleased_ = false;
    bool thinking_ = false;
    bool panelFolderChosen_ = false;
    bool gameKept_ = false;       // the game on the boards is already among the finished games
    bool resumeOffered_ = false;  // the last run's game has been offered (or there was none)
    // What was last written to the autosave; empty when nothing is on disk.
    std::string autosaved_;
    bool musicAtSoundStart_ = false;
    std::string settingsErrorAtStart_;
    bool settingsFailureTold_ = false;
    std::unique_ptr<GameTreeSearch> treeSearch_;  // made on first use: its table is large
};

}  // namespace nobakuza
