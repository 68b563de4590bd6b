// The computer's turn: both boards searched, one move played on one of them, check and mate of
// the human's king announced, the move handed back. Levels 4 and 5, and the hint, search the game
// tree on a thread of their own.
#include "game/computer_turn.h"

#include <atomic>
#include <memory>
#include <thread>

#include "board/geometry.h"
#include "computer/move_search.h"
#include "computer/self_play.h"
#include "game/game.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"

namespace nobakuza {

ComputerTurn::ComputerTurn(Game& game, GameShared& shared) : game_(game), s_(shared) {}
ComputerTurn::~ComputerTurn() = default;

namespace {

// The searches run inside the event handler; they show the window once and keep the clock going.
class TurnHooks final : public SearchHooks {
  public:
    explicit TurnHooks(Game& game, WindowSystem& window) : game_(game), window_(window) {}
    void repaint() override { window_.surface.refresh(); }
    void clockTick() override { game_.Timer1_Timer(); }

  private:
    Game& game_;
    WindowSystem& window_;
};

constexpr bool foundMove(const SearchResult& r) {
    return r.toFile >= 1 && r.toFile <= boardSize && r.toRank >= 1 && r.toRank <= boardSize;
}

}  // namespace

// Once the computer's move is chosen: with nothing to move on either board the computer has lost,
// and a full record stops the game; otherwise the move may be played.
bool ComputerTurn::computerMayPlay(bool moveFound) {
    if (!moveFound) {
        s_.setTimer1(false);
        game_.終了(s_.state.manSide, GameEndReason::noMove);
        return false;
    }
    if (!game_.records().hasRoomForMove()) {
        s_.setTimer1(false);
        return false;
    }
    return true;
}

void ComputerTurn::com_ban() {
    // The human's move is on disk before the search starts: a game cut off while the computer
    // thinks continues with the computer to move.
    game_.keeper().autosave();
    s_.startMoveTimer(s_.clocksShown());
    // The evaluation bar's search gives way to the computer's own.
    game_.evaluation().stop();
    showThinking();
    if (s_.state.comLevel >= quickSearchLevel) {
        searchedComputerTurn();
        return;
    }

    SearchResult right;
    SearchResult left;
    TurnHooks hooks(game_, s_.window);
    std::int16_t boardId = searchComputerTurn(s_.state, computer_, right, left, &hooks);
    thinking_ = false;
    // A board whose search found nothing legal has no move to play; the other board's is used,
    // and with nothing on either board the computer has lost.
    if (!foundMove(boardId == rightBoardId ? right : left))
        boardId = boardId == rightBoardId ? leftBoardId : rightBoardId;
    const SearchResult& best = boardId == rightBoardId ? right : left;
    if (!computerMayPlay(foundMove(best))) return;
    playComputerMove(best.move(boardId));
}

bool ComputerTurn::runTreeSearch(const GameState& position, const SearchRules& rules,
                                 double seconds, LevelMove& found) {
    if (!treeSearch_) treeSearch_ = std::make_unique<GameTreeSearch>();
    s_.window.surface.refresh();  // what was drawn before the search shows while it runs
    std::atomic<bool> finished{false};
    std::atomic<bool> stop{false};
    SearchLimits limits;
    limits.seconds = seconds;
    limits.stop = &stop;
    std::thread worker([&] {
        found = searchTopMove(position, rules, limits, *treeSearch_);
        finished.store(true);
    });
    // The clock keeps moving, one tick per wait, as the timer would move it.
    bool endAsked = false;
    while (!finished.load()) {
        if (!s_.window.clock.pauseUntil(finished, clockTickMilliseconds / 1000.0)) {
            stop.store(true);
            endAsked = true;
            break;
        }
        if (!finished.load()) game_.Timer1_Timer();
    }
    worker.join();
    if (endAsked) game_.shutDown();
    return !endAsked;
}

void ComputerTurn::searchedComputerTurn() {
    const auto position = std::make_unique<GameState>(s_.state);
    LevelMove found;
    if (!runTreeSearch(*position, computerTurnRules, levelSeconds(s_.state.comLevel), found))
        return;
    thinking_ = false;
    if (!computerMayPlay(found.move.boardId != 0)) return;
    playComputerMove(found.move);
    if (!s_.ended && s_.state.winner == noSide && s_.state.sideToMove == s_.state.manSide)
        game_.evaluation().computerSearched(found.score);
}

void ComputerTurn::HINT_Click() {
    // Only the human's turn of a game against the computer has a move to suggest.
    const bool inGame = s_.state.gameMode == modeVsComputer && s_.state.sideToMove != noSide &&
                        s_.state.kifuMode == flagNo;
    if (!inGame || s_.state.sideToMove != s_.state.manSide) {
        s_.playSound(s_.sounds.forbidden);
        s_.window.dialogs.messageBox(inGame ? s_.tr("COMの番です") : s_.tr("COM対局中だけ使えます"),
                                     s_.tr("ヒント"), MessageButtons::ok, false);
        return;
    }
    // The human's move is the top side's move on the boards turned around.
    auto turned = std::make_unique<GameState>();
    turnAround(s_.state, *turned);
    LevelMove found;
    if (!runTreeSearch(*turned, hintRules, levelSeconds(quickSearchLevel), found)) return;
    if (found.move.boardId == 0) return;
    const Move m = turnedBack(found.move);
    const BoardState& b = s_.state.board(m.boardId);
    s_.screen.描画_桝輪郭(b.gridOriginX, colorHint, m.fromFile, m.fromRank);
    s_.screen.描画_桝輪郭(b.gridOriginX, colorHint, m.toFile, m.toRank);
    // Written as the move would be once played, in the player's language.
    s_.screen.描画_移動結果(noteOf(m), s_.state.manSide, colorHintText);
}

void ComputerTurn::showThinking() {
    for (const int origin : {leftBoardX, rightBoardX})
        for (int c = 4; c <= 7; ++c) s_.screen.描画_絵(origin, s_.options.backgroundCode, c, -1);
    const char* thinking = s_.tr("思考中");
    for (const int shift : {boardColumnShift(leftBoardId), boardColumnShift(rightBoardId)}) {
        s_.screen.描画_数値(4.5 + shift, -0.6, thinking, colorBlack, 12);
        s_.screen.描画_数値(4.4 + shift, -0.7, thinking, s_.options.moveTextColor, 12);
    }
    thinking_ = true;
    game_.showGameInfo();
}

void ComputerTurn::flashComputerMove(const Move& best) {
    const BoardState& b = s_.state.board(best.boardId);
    const BoardState& other = s_.state.other(b);
    const bool drop = best.drop();
    if (drop)
        s_.screen.描画_駒点滅(b.boardId, best.placed, comHandColumn, comHandRow(best.fromRank), 2);
    else
        s_.screen.描画_駒点滅(b.boardId, best.moved, best.fromFile, best.fromRank, 2);
    if (!drop && isManPiece(other.board[best.toFile][best.toRank])) {
        s_.screen.描画_駒点滅(other.boardId, other.board[best.toFile][best.toRank], best.toFile,
                              best.toRank, 2);
        s_.screen.描画_絵(other.gridOriginX, emptySquare, best.toFile, best.toRank);
        s_.screen.描画_桝輪郭(other.gridOriginX, squareFrameColor, best.toFile, best.toRank);
    }
}

void ComputerTurn::playComputerMove(const Move& best) {
    BoardState& b = s_.state.board(best.boardId);
    flashComputerMove(best);
    駒移動(s_.state, b, best.fromFile, best.fromRank, best.toFile, best.toRank, best.placed,
           &s_.painter);
    s_.screen.描画_桝輪郭(b.gridOriginX, colorWhite, best.toFile, best.toRank);
    game_.待ち時間(0.5);
    s_.playSound(s_.sounds.piecePlaced);

    measureMoveClock(s_.clock, s_.timeNow());
    game_.records().recordMove(noteOf(best), s_.clock.manTotalSeconds, s_.clock.manTotalSeconds,
                               s_.clock.comTotalSeconds,
                               s_.clock.comTotalSeconds + s_.clock.moveSeconds);
    s_.setTimer1(false);

    // A taken king ends the game whatever the mate test says: the survey keeps the old square
    // of a king that is gone.
    if (s_.state.winner == s_.state.comSide) {
        game_.終了(s_.state.comSide, GameEndReason::kingTaken);
        return;
    }
    勢力調査(b);
    if (詰めかMAN(b) == flagYes) {
        s_.say("よし！!", "詰め ?");
    } else if (b.influence.comInfluence[b.manKingFile][b.manKingRank] > 0) {
        s_.say("   ** 王手 **", "");
    }

    s_.screen.描画_移動結果(game_.texts().moveNote(s_.record.recordIndex), s_.state.comSide,
                            colorWhite);
    s_.state.moveNumber = static_cast<std::int16_t>(s_.state.moveNumber + 1);
    s_.screen.描画_手数(s_.state.moveNumber);
    finishMoveClock(s_.clock, true, s_.timeNow());
    s_.state.sideToMove = s_.state.manSide;
    if (s_.clocksShown()) s_.setTimer1(true);
    game_.showGameInfo();
    game_.keeper().autosave();
}

}  // namespace nobakuza
