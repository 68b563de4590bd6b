// The drawing routines of the game window: board squares, hands, background tiles, labels,
// numbers, move texts, blinking and move guidance. They decide what goes where on the layout
// grid and hand each primitive to the window's surface.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "board/board_model.h"
#include "records/replay.h"
#include "settings/settings_file.h"
#include "text/translation.h"
#include "ui/evaluation_bar.h"
#include "ui/layout.h"
#include "ui/window_system.h"

namespace nobakuza {

// Palette colours the drawing routines use by name.
inline constexpr int colorBlack = paletteBlack;
inline constexpr int colorLightRed = paletteLightRed;
inline constexpr int colorYellow = paletteYellow;
inline constexpr int colorWhite = paletteWhite;

// The legal-destination outlines while guidance is on: dark enough to stand out at least 3:1
// against the boxwood of the squares and pieces (white does not), and apart from the green grid
// and the white outline of the computer's move.
inline constexpr int colorGuide = paletteMagenta;

// The hint's outlines: dark, so they stand out at least 3:1 on the light yellow and red tints
// of the last moves (a yellow one vanished on the human's yellow tint), and apart from the
// guidance outlines. The hint's move text, on the background, stays yellow.
inline constexpr int colorHint = paletteNavy;
inline constexpr int colorHintText = colorYellow;

// Palette index the legal-destination outlines are drawn in: colorGuide while guidance is on,
// otherwise the square-frame green (so they are invisible).
inline int guideColorFor(const Settings& s) {
    return s.moveGuidance ? colorGuide : squareFrameColor;
}

// Display state that changes with the options.
struct ScreenOptions {
    int backgroundCode = backgroundGreen;  // the tile every wipe repaints
    int gridColor = squareFrameColor;      // full board grid, and wiping guidance outlines
    int guideColor = squareFrameColor;     // squares a picked piece may reach
    int moveTextColor = paletteWhite;
    std::int16_t moveGuidanceOn = flagNo;
    // The boards have been turned around an odd number of times: the labels turn with them.
    bool turned = false;
    // 盤を回す: both boards shown from the other side. Only the picture and the clicks turn;
    // the position does not, and no file keeps it.
    bool viewTurned = false;
};

// A square marked as part of a side's last move: tinted over its picture, so the mark stays
// through the outlines of picking and guidance.
struct SquareTint {
    std::int16_t boardId = 0;
    int file = 0;
    int rank = 0;
    int colour = 0;
    double alpha = 0;
    bool operator==(const SquareTint&) const = default;
};
inline constexpr double tintTargetAlpha = 0.38;
inline constexpr double tintOriginAlpha = 0.2;
inline constexpr int manMoveTint = paletteYellow;
inline constexpr int comMoveTint = paletteLightRed;

// A cell of a board as the game names it (squares 1..9, the hand columns), under a point of
// the window; boardId 0 between the boards.
struct BoardCell {
    std::int16_t boardId = 0;
    int c = 0;
    int r = 0;
};

class Screen {
  public:
    Screen(WindowSystem& window, const GameState& game, ScreenOptions& options,
           const Translator& tr)
        : window_(window), game_(game), options_(options), tr_(tr) {}

    // --- pictures and outlines, at grid cells of a board origin; a board's squares and hand
    // cells go where the view shows them (盤を回す)
    void 描画_絵(double originX, int code, double c, double r);
    void 描画_桝輪郭(double originX, int colour, double c, double r);
    // The frame of the cell at this place of the screen, whichever cell the view shows there:
    // mends what a tile painted beside it covered.
    void repairFrame(double originX, double c, double r);
    // The board cell a click at (x, y) twips falls on, as the view shows the boards.
    BoardCell boardCellAt(double x, double y) const;
    // All 81 squares of a board, each painted and outlined; other ids draw nothing.
    void 描画_盤(int boardId);
    void 描画_将棋盤桝(double originX);
    void 描画_背景(int code);
    void 描画_自持盤(const BoardState& b);
    void 描画_敵持盤(const BoardState& b);

    // --- text, at grid positions relative to the left board's origin
    // mode 0: plain decimal; any other mode: the kanji numeral of 1..9, nothing otherwise.
    void 描画_数値(double x, double y, int value, int colour, int mode, int size);
    // Text printed as it stands, the same way.
    void 描画_数値(double x, double y, std::string_view text, int colour, int size);
    void 描画_移動駒種類(double x, double y, std::string_view text, int colour);
    void 描画_文字列(double x, double y, int code, int colour, int size);

    void 描画_桝_数値(int boardId);
    void 描画_手数(int n);
    void 描画_移動結果(int boardId, int side, int column, int row, Code piece, int colour);
    // The same for a whole move: in English it reads "7g-7f", which needs the origin too.
    void 描画_移動結果(const MoveNote& move, int side, int colour);
    void 消去_移動結果(int side);
    // Blinks a square `times` times: empty, then `code`, repainting before each 0.2 s pause.
    void 描画_駒点滅(int boardId, Code code, int column, int row, int times);
    // Wipes every guidance outline of both boards; then, while guidance is on, outlines in
    // `colour` each square of the board for which `mayMoveTo(file, rank)` answers flagYes.
    void 描画_移動可能桝色(int boardId, int colour,
                           const std::function<std::int16_t(int, int)>& mayMoveTo);
    void 描画_メッセージ(int code);
    void チェック設定(int backgroundCode);

    // --- labels of the level and the handicap
    void 描画_レベル(int level);
    void 描画_ハンデレベル(int level);

    // --- the evaluation bar between the boards: the human's share from the bottom, the score
    // under it; with no value yet, an even bar and no score. `mateWord` reads a forced win.
    void drawEvaluationBar(const std::optional<Evaluation>& e, std::string_view mateWord);
    // The background again where the bar and its score stood.
    void wipeEvaluationBar();

    // --- the record file panel
    void 描画_可視(bool driveVisible, bool folderVisible, bool fileVisible);
    // Mode 0 shows the save fields; any other mode empties and hides them.
    void 描画_棋譜_IO(int mode);

    // Every text printed after the first coordinate labels is bold; nothing sets it back.
    bool bold() const { return bold_; }

    // The squares tinted from now on; the squares whose tint changes are painted again.
    void setTints(const std::vector<SquareTint>& tints);
    const std::vector<SquareTint>& tints() const { return tints_; }

  private:
    void print(double x, double y, std::string_view text, int size, int colour);
    // A label or count: outlined in black so it reads on every background.
    void printLabel(double x, double y, std::string_view text, int size, int colour);
    void repaintSquare(std::int16_t boardId, int file, int rank);
    // Wipes both boards' move-text strips of a side; the shadow row of its text, 0 for no side.
    double wipeMoveText(int side);
    void tintSquareIfMarked(double originX, int code, double c, double r);
    // Where a board's cell is shown: itself, or its mirror while the view is turned.
    struct Place {
        double c, r;
        bool turned;
    };
    Place shownAt(double originX, double c, double r) const;
    void tintCell(double originX, double c, double r, int colour, double alpha);
    // One hand cell (c, r, as the game names it) with its count beside it as shown.
    void drawHandCell(const BoardState& b, int c, int r, Code code, int count);
    // The background tile at a cell of a board origin.
    void tile(double originX, double c, double r) {
        描画_絵(originX, options_.backgroundCode, c, r);
    }

    WindowSystem& window_;
    const GameState& game_;
    ScreenOptions& options_;
    const Translator& tr_;
    bool bold_ = false;
    std::vector<SquareTint> tints_;
};

}  // namespace nobakuza
