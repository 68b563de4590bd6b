// What the parts of the game share: the window, the position and its record, the screen and its
// options, the settings, the clocks and the notes of the moves. Game owns one; each part gets it
// by reference and keeps to itself what is its alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "board/board_model.h"
#include "board/move_execution.h"
#include "clock/clock.h"
#include "records/game_record.h"
#include "records/record_file.h"
#include "records/replay.h"
#include "settings/settings_file.h"
#include "text/translation.h"
#include "ui/screen.h"
#include "ui/window_system.h"

namespace nobakuza {

inline constexpr int leftButton = 1;
inline constexpr int rightButton = 2;
inline constexpr int escapeKey = 27;

// The sound buffers of the four sounds; 0 for one that did not load.
struct SoundHandles {
    std::int32_t other = 0;
    std::int32_t forbidden = 0;
    std::int32_t piecePlaced = 0;
    std::int32_t bgm = 0;
};

// The drawing a move makes, on the screen.
class ScreenPainter final : public MovePainter {
  public:
    explicit ScreenPainter(Screen& screen) : screen_(screen) {}
    void 描画_絵(int gridOriginX, Code code, int file, int rank) override {
        screen_.描画_絵(gridOriginX, code, file, rank);
    }
    void 描画_桝輪郭(int gridOriginX, int colour, int file, int rank) override {
        screen_.描画_桝輪郭(gridOriginX, colour, file, rank);
    }
    void 描画_自持盤(const BoardState& b) override { screen_.描画_自持盤(b); }
    void 描画_敵持盤(const BoardState& b) override { screen_.描画_敵持盤(b); }

  private:
    Screen& screen_;
};

// How a finished game ended; a review of the game starts from here.
enum class GameEndReason { none, kingTaken, mate, noMove };
struct GameEnd {
    std::int16_t winner = noSide;
    GameEndReason how = GameEndReason::none;
};

struct GameShared {
    explicit GameShared(WindowSystem& w) : window(w), screen(w, state, options, tr) {}
    GameShared(const GameShared&) = delete;
    GameShared& operator=(const GameShared&) = delete;

    WindowSystem& window;
    Translator tr;
    // The compiled catalogues; found beside the program when left empty.
    std::string localeFolder;
    std::string startDirectory;
    GameState state;
    GameRecord record;
    ScreenOptions options;
    Screen screen;
    ScreenPainter painter{screen};
    Settings settings;
    ClockState clock;
    SoundHandles sounds;
    // Per snapshot: the boards had been turned around (反転) an odd number of times.
    std::array<bool, recordSlots> snapshotTurned{};
    // The moves made here, as they were made; a loaded or restored record has none, and its
    // moves are read from the snapshots.
    std::array<MoveNote, recordSlots> liveNotes{};
    // The names of a loaded record, printed around the left board while it is stepped through.
    RecordHeader shownHeader;
    // Set when a game ends, kept while it is looked at; cleared when play starts again.
    GameEnd gameEnd;
    // The last refusal, shown in the status line until the next move or command.
    std::string lastRefusal;
    // The human's last move could have promoted and did not (a left click): the status line
    // says how to promote until the human moves again.
    bool unpromotedMove = false;
    // The program has been shut down; the window ignores every further event.
    bool ended = false;

    // A box in the player's language; `text` and `title` are Japanese source texts.
    MessageAnswer say(const char* text, const char* title,
                      MessageButtons buttons = MessageButtons::ok);
    void playSound(std::int32_t buffer);
    void setTimer1(bool on);
    float timeNow();
    // The move clock starts; the timer too when the clocks are to be shown.
    void startMoveTimer(bool timerWanted);
    // 経過時間: the players' clocks are shown.
    bool clocksShown() const;
    // The record files' refusals in the player's language.
    TranslateText translator() const;
    InfoPanels* panels() const { return window.panels; }
    // Both boards forget a picked piece.
    void dropSelections();
};

}  // namespace nobakuza
