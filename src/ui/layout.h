// The window's layout grid, picture codes and palette.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "board/board_model.h"

namespace nobakuza {

// The logical window, in twips.
inline constexpr int windowWidth = 14900;
inline constexpr int windowHeight = 7400;
inline constexpr int twipsPerPixel = 15;  // at 96 dots per inch

// Picture codes besides the piece codes (0 is the empty square).
inline constexpr int titlePictureCode = 1;
inline constexpr int backgroundGreen = 2;
inline constexpr int backgroundTatami = 3;
inline constexpr int backgroundBamboo = 4;
inline constexpr int backgroundSpace = 5;
inline constexpr int backgroundBrick = 6;

// Picture sizes in pixels at 96 dots per inch; a picture is painted at its own size, so it
// reaches into its right and lower neighbours.
inline constexpr int piecePictureWidth = 28;
inline constexpr int piecePictureHeight = 32;
inline constexpr int tilePictureWidth = 29;
inline constexpr int tilePictureHeight = 33;
inline constexpr int titlePictureWidth = 105;
inline constexpr int titlePictureHeight = 55;

inline constexpr bool isBackgroundCode(int code) {
    return code >= backgroundGreen && code <= backgroundBrick;
}

// True for the codes that have a piece picture (the empty square included).
inline constexpr bool isPiecePictureCode(int code) {
    return isBoardCode(code);
}

struct PictureSize {
    int width = 0;  // pixels; 0 for a code without a picture
    int height = 0;
};

inline constexpr PictureSize pictureSize(int code) {
    if (code == titlePictureCode) return {titlePictureWidth, titlePictureHeight};
    if (isBackgroundCode(code)) return {tilePictureWidth, tilePictureHeight};
    if (isPiecePictureCode(code)) return {piecePictureWidth, piecePictureHeight};
    return {};
}

struct Rgb {
    std::uint8_t r, g, b;
};

// The fixed sixteen-colour palette.
inline constexpr std::array<Rgb, 16> palette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

inline constexpr Rgb paletteRgb(int index) {
    return palette[static_cast<unsigned>(index) & 15u];
}

// Grid cell (c, r) of a board origin, in twips; c and r may be negative or fractional.
inline constexpr double cellX(double originX, double c) {
    return originX + squareWidth * c;
}
inline constexpr double cellY(double r) {
    return boardTop + squareHeight * r;
}

// The right board's grid starts this many columns right of the left board's.
inline constexpr int rightBoardColumns = (rightBoardX - leftBoardX) / squareWidth;  // 18
static_assert(rightBoardColumns * squareWidth + leftBoardX == rightBoardX);
// How far a board's grid columns lie right of the left board's: 0 or rightBoardColumns.
inline constexpr int boardColumnShift(int boardId) {
    return boardId == rightBoardId ? rightBoardColumns : 0;
}

// The grid origin of a board id; 0 for an id that names no board.
inline constexpr int boardOriginX(int boardId) {
    return boardId == leftBoardId ? leftBoardX : boardId == rightBoardId ? rightBoardX : 0;
}

// The screen column and grid row under a point of the window (left-board columns; the right
// board's columns are rightBoardColumns further).
inline int screenColumnAt(double x) {
    return static_cast<int>(std::floor((x - leftBoardX) / squareWidth));
}
inline int gridRowAt(double y) {
    return static_cast<int>(std::floor((y - boardTop) / squareHeight));
}

// 盤を回す shows a board from the other side: its squares and the cells of its two hands take
// the places the point reflection through the board's centre, (c, r) -> (10 - c, 10 - r), gives
// them. The reflection takes each hand to the other's place kind for kind; no other cell moves.
inline constexpr bool turnsWithView(int c, int r) {
    return (c >= 1 && c <= boardSize && r >= 1 && r <= boardSize) ||
           (c == comHandColumn && r >= 1 && r <= handKinds) ||
           (c == manHandColumn && r >= 3 && r <= handKinds + 2);
}

// Where a side's clock goes, in grid units relative to the left board's origin (printed with
// 描画_数値 mode 0, size 12: black shadow first, then white text). `wipeCells` are cells of
// `wipeBoardId`'s grid, painted with background tiles before printing.
struct ClockPlace {
    float shadowX, shadowY;
    float textX, textY;
    std::int16_t wipeBoardId;
    std::array<int, 3> wipeColumns;
    int wipeRow;
    bool reoutlineSquare19;  // the computer's wipe touches left-board square (1, 9)
};
inline constexpr ClockPlace clockPlaceFor(bool computerSide) {
    if (computerSide) return {-2.1f, 9.3f, -2.2f, 9.2f, leftBoardId, {-2, -1, 0}, 9, true};
    return {31.2f, 9.3f, 31.1f, 9.2f, rightBoardId, {13, 14, 15}, 9, false};
}

}  // namespace nobakuza
