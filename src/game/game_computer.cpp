// The computer's turn: both boards searched, one move played on one of them, check and mate of
// the human's king announced, the move handed back.
#include "computer/move_search.h"
#include "game/game.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

namespace {

// The searches run inside the event handler; they show the window once and keep the clock going.
class TurnHooks final : public SearchHooks {
  public:
    explicit TurnHooks(Game& game) : game_(game) {}
    void repaint() override { game_.window.surface.refresh(); }
    void clockTick() override { game_.Timer1_Timer(); }

  private:
    Game& game_;
};

constexpr bool foundMove(const SearchResult& r) {
    return r.toFile >= 1 && r.toFile <= boardSize && r.toRank >= 1 && r.toRank <= boardSize;
}

}  // namespace

void Game::com_ban() {
    // The human's move is on disk before the search starts: a game cut off while the computer
    // thinks continues with the computer to move.
    autosave();
    startMoveTimer(window.menu.isChecked(MenuItem::KEIKA));
    showThinking();

    SearchResult right;
    SearchResult left;
    TurnHooks hooks(*this);
    std::int16_t boardId = searchComputerTurn(state, computer, right, left, &hooks);
    thinking_ = false;
    // A board whose search found nothing legal has no move to play; the other board's is used,
    // and with nothing on either board the computer has lost.
    if (!foundMove(boardId == rightBoardId ? right : left))
        boardId = boardId == rightBoardId ? leftBoardId : rightBoardId;
    const SearchResult& best = boardId == rightBoardId ? right : left;
    if (!foundMove(best)) {
        setTimer1(false);
        終了("あなた");
        return;
    }
    if (!recordHasRoomForMove()) {
        setTimer1(false);
        return;
    }
    playComputerMove(state.board(boardId), best);
}

void Game::showThinking() {
    for (const int origin : {leftBoardX, rightBoardX})
        for (int c = 4; c <= 7; ++c) screen.描画_絵(origin, options.backgroundCode, c, -1);
    const char* thinking = tr("思考中");
    for (const double shift : {0.0, 18.0}) {
        screen.描画_数値(4.5 + shift, -0.6, thinking, colorBlack, 12);
        screen.描画_数値(4.4 + shift, -0.7, thinking, options.moveTextColor, 12);
    }
    thinking_ = true;
    showGameInfo();
}

void Game::flashComputerMove(const BoardState& b, const SearchResult& best) {
    const BoardState& other = state.other(b);
    const bool drop = best.fromFile == comHandColumn;
    if (drop)
        screen.描画_駒点滅(b.boardId, best.placed, comHandColumn, 8 - best.fromRank, 2);
    else
        screen.描画_駒点滅(b.boardId, best.moved, best.fromFile, best.fromRank, 2);
    if (!drop && isManPiece(other.board[best.toFile][best.toRank])) {
        screen.描画_駒点滅(other.boardId, other.board[best.toFile][best.toRank], best.toFile,
                           best.toRank, 2);
        screen.描画_絵(other.gridOriginX, emptySquare, best.toFile, best.toRank);
        screen.描画_桝輪郭(other.gridOriginX, squareFrameColor, best.toFile, best.toRank);
    }
}

void Game::playComputerMove(BoardState& b, const SearchResult& best) {
    flashComputerMove(b, best);
    駒移動(state, b, best.fromFile, best.fromRank, best.toFile, best.toRank, best.placed, this);
    screen.描画_桝輪郭(b.gridOriginX, colorWhite, best.toFile, best.toRank);
    待ち時間(0.5);
    playSound(soundPiecePlaced);

    measureMoveClock(clock, timeNow());
    const bool drop = best.fromFile == comHandColumn;
    pendingNote_ = {b.boardId,
                    true,
                    static_cast<std::int16_t>(drop ? 0 : best.fromFile),
                    static_cast<std::int16_t>(drop ? 0 : best.fromRank),
                    best.toFile,
                    best.toRank,
                    drop ? best.placed : best.moved,
                    best.placed};
    recordPosition(clock.manTotalSeconds, clock.manTotalSeconds, clock.comTotalSeconds,
                   clock.comTotalSeconds + clock.moveSeconds);
    setTimer1(false);

    // A taken king ends the game whatever the mate test says: the survey keeps the old square
    // of a king that is gone.
    if (state.winner == state.comSide) {
        終了("ｺﾝﾋﾟｭｰﾀ");
        return;
    }
    勢力調査(b);
    if (詰めかMAN(b) == flagYes) {
        say("よし！!", "詰め ?");
    } else if (b.influence.comInfluence[b.manKingFile][b.manKingRank] > 0) {
        say("   ** 王手 **", "");
    }

    screen.描画_移動結果(moveNote(record.recordIndex), state.comSide, colorWhite);
    state.moveNumber = static_cast<std::int16_t>(state.moveNumber + 1);
    screen.描画_手数(state.moveNumber);
    finishMoveClock(clock, true, timeNow());
    state.sideToMove = state.manSide;
    if (window.menu.isChecked(MenuItem::KEIKA)) setTimer1(true);
    showGameInfo();
    autosave();
}

}  // namespace nobakuza
