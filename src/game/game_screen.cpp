// The full redraw, the clocks and the drawing a move makes.
#include "game/game.h"

namespace nobakuza {

void Game::drawBoardsAndHands() {
    screen.描画_自持盤(state.left);
    screen.描画_敵持盤(state.left);
    screen.描画_自持盤(state.right);
    screen.描画_敵持盤(state.right);
    screen.描画_盤(leftBoardId);
    screen.描画_盤(rightBoardId);
}

void Game::画面_再描画() {
    screen.描画_背景(options.backgroundCode);
    screen.描画_桝_数値(leftBoardId);
    screen.描画_桝_数値(rightBoardId);
    drawBoardsAndHands();
    描画_所有時間(state.comSide, clock.comTotalSeconds);
    描画_所有時間(state.manSide, clock.manTotalSeconds);
    if (state.gameMode == modeVsComputer) screen.描画_レベル(state.comLevel);
    if (state.handicapSet == flagYes) screen.描画_ハンデレベル(state.handicapLevel);
    screen.描画_絵(leftBoardX, titlePictureCode, 11.8, -1);
}

void Game::描画_所有時間(std::int16_t side, float seconds) {
    if (!window.menu.isChecked(MenuItem::KEIKA)) return;
    const std::string text = 調査_時間秒追加結果(seconds);
    消去_所有時間(side);
    const ClockPlace place = clockPlaceFor(side == state.comSide);
    screen.描画_数値(place.shadowX, place.shadowY, text, colorBlack, 12);
    screen.描画_数値(place.textX, place.textY, text, colorWhite, 12);
    if (place.reoutlineSquare19) screen.描画_桝輪郭(leftBoardX, squareFrameColor, 1, 9);
}

void Game::消去_所有時間(std::int16_t side) {
    const ClockPlace place = clockPlaceFor(side == state.comSide);
    const double origin = boardOriginX(place.wipeBoardId);
    // The computer's clock starts a fifth of a column left of the first wiped cell; the tile
    // before that cell takes away the head of its first digit.
    if (side == state.comSide)
        screen.描画_絵(origin, options.backgroundCode, place.wipeColumns.front() - 1,
                       place.wipeRow);
    for (const int c : place.wipeColumns)
        screen.描画_絵(origin, options.backgroundCode, c, place.wipeRow);
    if (place.reoutlineSquare19) screen.描画_桝輪郭(leftBoardX, squareFrameColor, 1, 9);
}

void Game::Timer1_Timer() {
    if (ended_) return;
    const auto shown = clockTick(clock, static_cast<float>(window.clock.secondsSinceMidnight()),
                                 state.sideToMove, state.comSide, state.manSide);
    if (!shown) return;
    描画_所有時間(shown->side, shown->seconds);
    window.surface.refresh();
}

void Game::待ち時間(double seconds) {
    window.clock.pause(seconds);
}

void Game::描画_絵(int gridOriginX, Code code, int file, int rank) {
    screen.描画_絵(gridOriginX, code, file, rank);
}

void Game::描画_桝輪郭(int gridOriginX, int colour, int file, int rank) {
    screen.描画_桝輪郭(gridOriginX, colour, file, rank);
}

void Game::描画_自持盤(const BoardState& b) {
    screen.描画_自持盤(b);
}

void Game::描画_敵持盤(const BoardState& b) {
    screen.描画_敵持盤(b);
}

}  // namespace nobakuza
