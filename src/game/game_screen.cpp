// The full redraw, the clocks and the drawing a move makes.
#include "game/game.h"

namespace nobakuza {

void Game::drawBoardsAndHands() {
    s_.screen.描画_自持盤(s_.state.left);
    s_.screen.描画_敵持盤(s_.state.left);
    s_.screen.描画_自持盤(s_.state.right);
    s_.screen.描画_敵持盤(s_.state.right);
    s_.screen.描画_盤(leftBoardId);
    s_.screen.描画_盤(rightBoardId);
}

void Game::redrawEverything() {
    画面_再描画();
    if (s_.state.moveNumber > 0 || s_.state.sideToMove != noSide)
        s_.screen.描画_手数(s_.state.moveNumber);
    texts_.drawLastMoveTexts();
    if (s_.state.kifuMode == flagYes) records_.printRecordHeader();
    texts_.showGameInfo();
}

void Game::画面_再描画() {
    s_.screen.描画_背景(s_.options.backgroundCode);
    s_.screen.描画_桝_数値(leftBoardId);
    s_.screen.描画_桝_数値(rightBoardId);
    drawBoardsAndHands();
    描画_所有時間(s_.state.comSide, s_.clock.comTotalSeconds);
    描画_所有時間(s_.state.manSide, s_.clock.manTotalSeconds);
    if (s_.state.gameMode == modeVsComputer) s_.screen.描画_レベル(s_.state.comLevel);
    if (s_.state.handicapSet == flagYes) s_.screen.描画_ハンデレベル(s_.state.handicapLevel);
    s_.screen.描画_絵(leftBoardX, titlePictureCode, 11.8, -1);
    evaluation_.draw();
}

bool Game::clockOnTheLeft(std::int16_t side) const {
    // The clocks turn with the view: each stays beside its own side's pieces.
    return (side == s_.state.comSide) != s_.options.viewTurned;
}

void Game::描画_所有時間(std::int16_t side, float seconds) {
    if (!s_.clocksShown()) return;
    const std::string text = 調査_時間秒追加結果(seconds);
    消去_所有時間(side);
    const ClockPlace place = clockPlaceFor(clockOnTheLeft(side));
    s_.screen.描画_数値(place.shadowX, place.shadowY, text, colorBlack, 12);
    s_.screen.描画_数値(place.textX, place.textY, text, colorWhite, 12);
    if (place.reoutlineSquare19) s_.screen.repairFrame(leftBoardX, 1, 9);
}

void Game::消去_所有時間(std::int16_t side) {
    const ClockPlace place = clockPlaceFor(clockOnTheLeft(side));
    const double origin = boardOriginX(place.wipeBoardId);
    // The computer's clock starts a fifth of a column left of the first wiped cell; the tile
    // before that cell takes away the head of its first digit.
    if (clockOnTheLeft(side))
        s_.screen.描画_絵(origin, s_.options.backgroundCode, place.wipeColumns.front() - 1,
                          place.wipeRow);
    for (const int c : place.wipeColumns)
        s_.screen.描画_絵(origin, s_.options.backgroundCode, c, place.wipeRow);
    if (place.reoutlineSquare19) s_.screen.repairFrame(leftBoardX, 1, 9);
}

void Game::Timer1_Timer() {
    if (s_.ended) return;
    const auto shown =
        clockTick(s_.clock, static_cast<float>(s_.window.clock.secondsSinceMidnight()),
                  s_.state.sideToMove, s_.state.comSide, s_.state.manSide);
    if (!shown) return;
    描画_所有時間(shown->side, shown->seconds);
    s_.window.surface.refresh();
}

void Game::待ち時間(double seconds) {
    s_.window.clock.pause(seconds);
}

}  // namespace nobakuza
