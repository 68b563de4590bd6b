#include "ui/screen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "board/geometry.h"
#include "ui/notation.h"
#include "ui/texts.h"

namespace nobakuza {

namespace {

// Columns of the right board's texts are given relative to the left board's origin.
double textShift(const BoardState& b) {
    return boardColumnShift(b.boardId);
}

}  // namespace

Screen::Place Screen::shownAt(double originX, double c, double r) const {
    const bool board = originX == leftBoardX || originX == rightBoardX;
    const bool whole = c == std::floor(c) && r == std::floor(r);
    if (options_.viewTurned && board && whole &&
        turnsWithView(static_cast<int>(c), static_cast<int>(r)))
        return {10 - c, 10 - r, true};
    return {c, r, false};
}

BoardCell Screen::boardCellAt(double x, double y) const {
    const int column = screenColumnAt(x);
    const int row = gridRowAt(y);
    // Column 13 lies between the boards.
    if (column == 13) return {};
    BoardCell cell{column < 13 ? leftBoardId : rightBoardId,
                   column < 13 ? column : column - rightBoardColumns, row};
    if (options_.viewTurned && turnsWithView(cell.c, cell.r)) {
        cell.c = 10 - cell.c;
        cell.r = 10 - cell.r;
    }
    return cell;
}

void Screen::描画_絵(double originX, int code, double c, double r) {
    // Codes without a picture (the gold aliases among them) leave the cell as it was.
    if (pictureSize(code).width == 0) return;
    const Place at = shownAt(originX, c, r);
    // Seen from the other side, each piece is drawn as the other side's piece of its kind is.
    const bool piece = code != emptySquare && isBoardCode(code);
    window_.surface.paintPicture(cellX(originX, at.c), cellY(at.r),
                                 at.turned && piece ? -code : code);
    tintSquareIfMarked(originX, code, c, r);
}

void Screen::tintCell(double originX, double c, double r, int colour, double alpha) {
    const Place at = shownAt(originX, c, r);
    window_.surface.tintRect(cellX(originX, at.c), cellY(at.r), cellX(originX, at.c + 1),
                             cellY(at.r + 1), colour, alpha);
}

void Screen::tintSquareIfMarked(double originX, int code, double c, double r) {
    // Only a square's own picture carries its tint; a background tile reaching into it does not.
    if (tints_.empty() || !isPiecePictureCode(code)) return;
    for (const SquareTint& t : tints_) {
        if (boardOriginX(t.boardId) == originX && t.file == c && t.rank == r)
            tintCell(originX, c, r, t.colour, t.alpha);
    }
}

void Screen::repaintSquare(std::int16_t boardId, int file, int rank) {
    const double origin = boardOriginX(boardId);
    if (origin == 0 || file < 1 || file > boardSize || rank < 1 || rank > boardSize) return;
    描画_絵(origin, game_.board(boardId).board[file][rank], file, rank);
    描画_桝輪郭(origin, squareFrameColor, file, rank);
}

void Screen::setTints(const std::vector<SquareTint>& tints) {
    if (tints == tints_) return;
    const std::vector<SquareTint> old = std::exchange(tints_, tints);
    // A square that loses its tint is painted again (taking any new tint with it); a square
    // that only gains one is tinted over, so its outline (the computer's white one) stays.
    std::vector<SquareTint> repainted;
    for (const SquareTint& t : old) {
        if (std::find(tints_.begin(), tints_.end(), t) != tints_.end()) continue;
        repaintSquare(t.boardId, t.file, t.rank);
        repainted.push_back(t);
    }
    for (const SquareTint& t : tints_) {
        if (std::find(old.begin(), old.end(), t) != old.end()) continue;
        const bool done = std::any_of(repainted.begin(), repainted.end(), [&](const SquareTint& r) {
            return r.boardId == t.boardId && r.file == t.file && r.rank == t.rank;
        });
        const double origin = boardOriginX(t.boardId);
        if (done || origin == 0) continue;
        tintCell(origin, t.file, t.rank, t.colour, t.alpha);
    }
}

void Screen::描画_桝輪郭(double originX, int colour, double c, double r) {
    const Place at = shownAt(originX, c, r);
    window_.surface.outlineRect(cellX(originX, at.c), cellY(at.r), cellX(originX, at.c + 1),
                                cellY(at.r + 1), colour);
}

void Screen::repairFrame(double originX, double c, double r) {
    window_.surface.outlineRect(cellX(originX, c), cellY(r), cellX(originX, c + 1), cellY(r + 1),
                                squareFrameColor);
}

void Screen::描画_盤(int boardId) {
    if (boardId != leftBoardId && boardId != rightBoardId) return;
    const BoardState& b = game_.board(static_cast<std::int16_t>(boardId));
    const double origin = boardOriginX(boardId);
    for (int i = 1; i <= boardSize; ++i) {
        for (int j = 1; j <= boardSize; ++j) {
            描画_絵(origin, b.board[i][j], i, j);
            描画_桝輪郭(origin, squareFrameColor, i, j);
        }
    }
}

void Screen::描画_将棋盤桝(double originX) {
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j) 描画_桝輪郭(originX, options_.gridColor, i, j);
}

void Screen::描画_背景(int code) {
    for (int c = -3; c <= 40; ++c) {
        for (int r = -2; r <= 25; ++r) {
            // The left board's squares are skipped; the right board's are repainted afterwards.
            if (c >= 1 && c <= 9 && r >= 1 && r <= 9) continue;
            描画_絵(leftBoardX, code, c, r);
        }
    }
}

void Screen::drawHandCell(const BoardState& b, int c, int r, Code code, int count) {
    const double origin = b.gridOriginX;
    const double shift = textShift(b);
    // The count stands right of the cell where the view shows it.
    const Place at = shownAt(origin, c, r);
    const bool leftOfBoard = at.c == comHandColumn;
    const int row = static_cast<int>(at.r);
    描画_絵(origin, emptySquare, c, r);
    tile(origin, leftOfBoard ? 0 : manHandColumn + 1, row);
    描画_桝輪郭(origin, squareFrameColor, c, r);
    if (count > 0) {
        描画_絵(origin, code, c, r);
        描画_桝輪郭(origin, squareFrameColor, c, r);
        描画_数値(shift + (leftOfBoard ? 0.1 : 12.1), row + 0.3, count, colorBlack, 0, 14);
        printLabel(shift + (leftOfBoard ? 0 : 12), row + 0.2, std::to_string(count), 14,
                   colorLightRed);
    }
    // The tile at column 0 overlaps the board's first column.
    if (leftOfBoard) repairFrame(origin, 1, row);
}

void Screen::描画_自持盤(const BoardState& b) {
    for (int k = 1; k <= handKinds; ++k)
        drawHandCell(b, manHandColumn, manHandRow(k), static_cast<Code>(-kindCode[k]),
                     b.manHand[k]);
}

void Screen::描画_敵持盤(const BoardState& b) {
    for (int k = 1; k <= handKinds; ++k) {
        const int n = kindOfComHandRow(k);
        drawHandCell(b, comHandColumn, k, kindCode[n], b.comHand[n]);
    }
}

void Screen::print(double x, double y, std::string_view text, int size, int colour) {
    window_.surface.printText(cellX(leftBoardX, x), cellY(y), text, size, colour, bold_);
}

void Screen::printLabel(double x, double y, std::string_view text, int size, int colour) {
    window_.surface.printHaloText(cellX(leftBoardX, x), cellY(y), text, size, colour, bold_,
                                  colorBlack);
}

void Screen::描画_数値(double x, double y, int value, int colour, int mode, int size) {
    if (mode == 0) {
        print(x, y, std::to_string(value), size, colour);
        return;
    }
    const std::string_view numeral = kanjiNumeral(value);
    if (!numeral.empty()) print(x, y, numeral, size, colour);
}

void Screen::描画_数値(double x, double y, std::string_view text, int colour, int size) {
    print(x, y, text, size, colour);
}

void Screen::描画_移動駒種類(double x, double y, std::string_view text, int colour) {
    print(x, y, text, 12, colour);
}

void Screen::描画_文字列(double x, double y, int code, int colour, int size) {
    const std::string_view text = handicapText(code);
    if (text.empty()) return;
    // The table's texts are literals, so the view's characters end in a NUL.
    window_.surface.printText(cellX(leftBoardX, x) + 120, cellY(y) + 160, tr_(text.data()), size,
                              colour, bold_);
}

void Screen::描画_桝_数値(int boardId) {
    const double origin = boardOriginX(boardId);
    if (origin == 0) return;
    const bool right = boardId == rightBoardId;
    bold_ = true;
    // Seen from the other side, each label names the square it now stands over.
    const bool turned = options_.turned != options_.viewTurned;
    for (int i = 1; i <= boardSize; ++i) {
        tile(origin, i, 0);
        // The labels name the squares under them, also after the boards were turned around.
        const std::string file = std::to_string(fileLabel(i, turned));
        const double fileX = right ? i + rightBoardColumns + 0.2 : i;
        描画_数値(fileX + 0.1, 0.5, file, colorBlack, 12);
        printLabel(fileX, 0.4, file, 12, colorYellow);
        tile(origin, 10, i);
        // The rank numeral in kanji; in English the rank's letter.
        const std::string_view numeral = kanjiNumeral(rankLabel(i, turned));
        const std::string rank = tr_(numeral.data());
        const double rankX = right ? 28.2 : 10.1;
        描画_数値(rankX + 0.1, i + 0.4, rank, colorBlack, 10);
        printLabel(rankX, i + 0.3, rank, 10, colorYellow);
        repairFrame(origin, 9, i);
    }
}

void Screen::wipeEvaluationBar() {
    for (int c = 13; c <= 15; ++c)
        for (int r = 4; r <= 10; ++r) tile(leftBoardX, c, r);
}

void Screen::drawEvaluationBar(const std::optional<Evaluation>& e, std::string_view mateWord) {
    wipeEvaluationBar();
    Surface& s = window_.surface;
    const double left = cellX(leftBoardX, evaluationBarLeft);
    const double right = cellX(leftBoardX, evaluationBarRight);
    const double top = cellY(evaluationBarTop);
    const double bottom = cellY(evaluationBarBottom);
    // The human's pieces are the bottom ones, so their share grows from the bottom.
    const double split = bottom - (bottom - top) * (e ? evaluationShare(*e) : 0.5);
    if (split > top) s.fillRect(left, top, right, split, colorBlack);
    if (split < bottom) s.fillRect(left, split, right, bottom, colorWhite);
    s.outlineRect(left, top, right, bottom, paletteBrown);
    // The even mark, on both sides of the bar.
    const double middle = (top + bottom) / 2;
    s.fillRect(left - 90, middle - 8, left - 15, middle + 8, colorYellow);
    s.fillRect(right + 15, middle - 8, right + 90, middle + 8, colorYellow);
    if (!e) return;
    const std::string text = evaluationText(*e, mateWord);
    // Centred under the bar by its width in half-width cells (a kanji takes two).
    int cells = 0;
    for (const char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            cells += static_cast<unsigned char>(ch) < 0x80 ? 1 : 2;
    const double centre = (evaluationBarLeft + evaluationBarRight) / 2;
    printLabel(centre - cells * 0.17, evaluationTextRow, text, 12, colorWhite);
}

void Screen::描画_手数(int n) {
    tile(leftBoardX, 13, 3);
    tile(leftBoardX, 14, 3);
    repairFrame(leftBoardX, 11, 3);
    // Right-aligned by the number's width.
    const double x = n < 10 ? 13.2 : n < 100 ? 13.1 : 13.0;
    描画_数値(x + 0.1, 3.5, n, colorBlack, 0, 12);
    描画_数値(x, 3.4, n, colorWhite, 0, 12);
    描画_文字列(13.9, 3.2, 99, colorBlack, 10);
    描画_文字列(13.8, 3.1, 99, colorWhite, 10);
}

double Screen::wipeMoveText(int side) {
    消去_移動結果(side);
    if (side == game_.manSide) {
        for (int c = 4; c <= 7; ++c) {
            tile(leftBoardX, c, 11);
            tile(rightBoardX, c, 11);
        }
        return 11.3;
    }
    if (side == game_.comSide) {
        for (int c = 4; c <= 7; ++c) {
            tile(leftBoardX, c, -1);
            tile(rightBoardX, c, -1);
        }
        return -0.6;
    }
    return 0;
}

void Screen::描画_移動結果(int boardId, int side, int column, int row, Code piece, int colour) {
    const double shadowRow = wipeMoveText(side);
    if (shadowRow == 0) return;
    if (boardId != leftBoardId && boardId != rightBoardId) return;
    const double d = boardColumnShift(boardId);
    const double textRow = shadowRow - 0.1;
    const std::string_view fileText = 文字列変換(fileLabel(column, options_.turned));
    const std::string_view rankText = 文字列変換(1000 + rankLabel(row, options_.turned));
    const std::string_view pieceText = 文字列変換(piece);
    描画_移動駒種類(4.5 + d, shadowRow, fileText, colorBlack);
    描画_移動駒種類(4.4 + d, textRow, fileText, colour);
    描画_移動駒種類(5.3 + d, shadowRow, rankText, colorBlack);
    描画_移動駒種類(5.2 + d, textRow, rankText, colour);
    描画_移動駒種類(6.2 + d, shadowRow, pieceText, colorBlack);
    描画_移動駒種類(6.1 + d, textRow, pieceText, colour);
}

void Screen::描画_移動結果(const MoveNote& move, int side, int colour) {
    if (tr_.language() == Language::japanese) {
        描画_移動結果(move.boardId, side, move.toFile, move.toRank, move.placed, colour);
        return;
    }
    // The strips are wiped as for the Japanese text; the English notation takes their width.
    const double shadowRow = wipeMoveText(side);
    if (shadowRow == 0) return;
    if (move.boardId != leftBoardId && move.boardId != rightBoardId) return;
    const double d = boardColumnShift(move.boardId);
    const std::string text = moveNotation(move, options_.turned, Language::english);
    描画_移動駒種類(4.5 + d, shadowRow, text, colorBlack);
    描画_移動駒種類(4.4 + d, shadowRow - 0.1, text, colour);
}

void Screen::消去_移動結果(int side) {
    if (side == game_.comSide) {
        tile(leftBoardX, -2, 8);
        tile(leftBoardX, -1, 8);
        tile(leftBoardX, 0, 8);
        repairFrame(leftBoardX, -1, 7);
        repairFrame(leftBoardX, 1, 8);
    } else if (side == game_.manSide) {
        tile(leftBoardX, 12, 2);
        tile(leftBoardX, 13, 2);
        tile(leftBoardX, 14, 2);
    }
}

void Screen::描画_駒点滅(int boardId, Code code, int column, int row, int times) {
    const double origin = boardOriginX(boardId);
    if (origin == 0) return;
    for (int t = 0; t < times; ++t) {
        for (const Code shown : {emptySquare, code}) {
            描画_絵(origin, shown, column, row);
            描画_桝輪郭(origin, squareFrameColor, column, row);
            // The pause hands no events to the window, so show the square before it.
            window_.surface.refresh();
            window_.clock.pause(0.2);
        }
    }
}

void Screen::描画_移動可能桝色(int boardId, int colour,
                               const std::function<std::int16_t(int, int)>& mayMoveTo) {
    描画_将棋盤桝(leftBoardX);
    描画_将棋盤桝(rightBoardX);
    if (options_.moveGuidanceOn == flagNo) return;
    const double origin = boardOriginX(boardId);
    if (origin == 0) return;
    for (int i = 1; i <= boardSize; ++i)
        for (int j = 1; j <= boardSize; ++j)
            if (mayMoveTo(i, j) == flagYes) 描画_桝輪郭(origin, colour, i, j);
}

void Screen::描画_メッセージ(int code) {
    const std::string_view first = refusalText(code);
    std::string text = first.empty() ? std::string() : std::string(tr_(first.data()));
    text += "\r\r";
    text += tr_("局面→最初にして下さい");
    window_.dialogs.messageBox(text, tr_("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"), MessageButtons::ok, false);
}

void Screen::チェック設定(int backgroundCode) {
    using enum MenuItem;
    constexpr std::pair<int, MenuItem> items[] = {{backgroundGreen, MIDORI},
                                                  {backgroundBamboo, TAKE},
                                                  {backgroundTatami, TATAMI},
                                                  {backgroundSpace, UCHU},
                                                  {backgroundBrick, RENGA}};
    for (const auto& [code, item] : items) window_.menu.setChecked(item, false);
    for (const auto& [code, item] : items)
        if (code == backgroundCode) window_.menu.setChecked(item, true);
}

void Screen::描画_レベル(int level) {
    描画_数値(-1.6, 0.15, "LEVEL", colorBlack, 10);
    描画_数値(-1.7, 0.05, "LEVEL", colorWhite, 10);
    描画_数値(0.1, 0.1, level, colorBlack, 0, 12);
    描画_数値(0, 0, level, colorWhite, 0, 12);
}

void Screen::描画_ハンデレベル(int level) {
    for (int c = 11; c <= 16; ++c) tile(leftBoardX, c, 1);
    描画_文字列(11.6, 1.1, level, colorBlack, 10);
    描画_文字列(11.5, 1, level, colorWhite, 10);
}

void Screen::描画_可視(bool driveVisible, bool folderVisible, bool fileVisible) {
    window_.filePanel.setListsVisible(driveVisible, folderVisible, fileVisible);
}

void Screen::描画_棋譜_IO(int mode) {
    window_.filePanel.setSaveFieldsVisible(mode == 0);
}

}  // namespace nobakuza
