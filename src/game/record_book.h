// The game's record: each move stored as the next snapshot, the 棋譜 menu's file panel, saving to
// and loading from ".棋譜" files, stepping through the record (戻, 進, the move list) and turning
// both boards around (反転).
#pragma once

#include <string>

#include "game/game_shared.h"

namespace nobakuza {

class Game;

// Where the header of a record being stepped through is printed, in twips: the players' names
// and the game's name (12 point), from the left edge of the hands' column.
inline constexpr double recordHeaderX = leftBoardX - 2 * squareWidth;
inline constexpr double recordTopNameY = 100;
inline constexpr double recordBottomNameY = 6400;
inline constexpr double recordGameNameY = 6760;

class RecordBook {
  public:
    RecordBook(Game& game, GameShared& shared) : game_(game), s_(shared) {}

    // The names of the record loaded (or of the game put back), shown around the left board.
    const RecordHeader& shownHeader() const { return s_.shownHeader; }
    // The boards stood turned around (反転) when snapshot n was stored.
    bool turnedAt(int n) const { return s_.snapshotTurned[static_cast<std::size_t>(n)]; }

    // Refused with a box when the record is full.
    bool hasRoomForMove();
    // Stores the position after a move, with the move as it was made and the clock totals.
    void recordMove(const MoveNote& note, float manTimeBefore, float manTimeAfter,
                    float comTimeBefore, float comTimeAfter);

    void KIFU_READ_Click();
    void KIFU_WRITE_Click();
    // The panel's "RETURN" button: saves snapshots 0..recordIndex.
    void Command1_Click();
    // A file picked in the file list, by its name inside the panel's folder: loads it.
    void File1_Click(const std::string& fileName);
    // A drive or a folder chosen in the panel's lists.
    void Dir1_Change(const std::string& path);
    // Hides the record lists and the save fields.
    void closeFilePanel();
    bool filePanelOpen() const { return panelOpen_; }
    // The names of a loaded record around the left board.
    void printRecordHeader();

    void REPLAY_Click();
    void AFTER_Click();
    void REVERSE_Click();
    // 待った: in a game against the computer, on the human's turn, the human's last move and the
    // computer's reply are taken back; in a game of two, one move. The position is the record's
    // snapshot from before them, as 戻 shows it, and the record ends there. The clocks keep
    // their totals: time is not given back. Refused with a box when there is nothing to take
    // back or the computer is thinking.
    void takeBack();
    // A line of the move list was clicked: in record mode the position after move n is shown,
    // as 戻 and 進 show it.
    void moveListClicked(int n);
    // Puts snapshot n into the boards and hands and draws it, with the clocks of that moment.
    void showSnapshot(int n);

  private:
    void saveRecord();
    // The record format holds neither turned boards nor a handicap: refused with a box.
    bool recordCanHoldBoards();
    void loadRecord(const std::string& fileName);
    void openPanelFolderFirstTime();
    // The strips over and under the boards where the move texts stand.
    void wipeMoveTexts();

    Game& game_;
    GameShared& s_;
    bool panelFolderChosen_ = false;
    bool panelOpen_ = false;
};

}  // namespace nobakuza
