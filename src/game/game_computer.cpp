// The computer's turn: both boards searched, one move played on one of them, check and mate of
// the human's king announced, the move handed back. Levels 4 and 5, and the hint, search the game
// tree on a thread of their own.
#include <atomic>
#include <memory>
#include <thread>

#include "computer/move_search.h"
#include "computer/self_play.h"
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

// The hint's outlines and move text.
constexpr int hintColor = colorYellow;

constexpr bool foundMove(const SearchResult& r) {
    return r.toFile >= 1 && r.toFile <= boardSize && r.toRank >= 1 && r.toRank <= boardSize;
}

}  // namespace

// Once the computer's move is chosen: with nothing to move on either board the computer has lost,
// and a full record stops the game; otherwise the move may be played.
bool Game::computerMayPlay(bool moveFound) {
    if (!moveFound) {
        setTimer1(false);
        終了("あなた");
        return false;
    }
    if (!recordHasRoomForMove()) {
        setTimer1(false);
        return false;
    }
    return true;
}

void Game::com_ban() {
    // The human's move is on disk before the search starts: a game cut off while the computer
    // thinks continues with the computer to move.
    autosave();
    startMoveTimer(window.menu.isChecked(MenuItem::KEIKA));
    showThinking();
    if (state.comLevel >= quickSearchLevel) {
        searchedComputerTurn();
        return;
    }

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
    if (!computerMayPlay(foundMove(best))) return;
    playComputerMove(state.board(boardId), best);
}

bool Game::runTreeSearch(const GameState& position, const SearchRules& rules, double seconds,
                         LevelMove& found) {
    if (!treeSearch_) treeSearch_ = std::make_unique<GameTreeSearch>();
    window.surface.refresh();  // what was drawn before the search shows while it runs
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
        if (!window.clock.pauseUntil(finished, clockTickMilliseconds / 1000.0)) {
            stop.store(true);
            endAsked = true;
            break;
        }
        if (!finished.load()) Timer1_Timer();
    }
    worker.join();
    if (endAsked) shutDown();
    return !endAsked;
}

void Game::searchedComputerTurn() {
    const auto position = std::make_unique<GameState>(state);
    LevelMove found;
    if (!runTreeSearch(*position, computerTurnRules, levelSeconds(state.comLevel), found)) return;
    thinking_ = false;
    if (!computerMayPlay(found.move.boardId != 0)) return;
    SearchResult best;
    best.score = found.score;
    best.fromFile = found.move.fromFile;
    best.fromRank = found.move.fromRank;
    best.toFile = found.move.toFile;
    best.toRank = found.move.toRank;
    best.moved = found.moved;
    best.placed = found.move.piece;
    playComputerMove(state.board(found.move.boardId), best);
}

void Game::HINT_Click() {
    // Only the human's turn of a game against the computer has a move to suggest.
    const bool inGame =
        state.gameMode == modeVsComputer && state.sideToMove != noSide && state.kifuMode == flagNo;
    if (!inGame || state.sideToMove != state.manSide) {
        playSound(soundForbidden);
        window.dialogs.messageBox(inGame ? tr("COMの番です") : tr("COM対局中だけ使えます"),
                                  tr("ヒント"), MessageButtons::ok, false);
        return;
    }
    // The human's move is the top side's move on the boards turned around.
    auto turned = std::make_unique<GameState>();
    turnAround(state, *turned);
    LevelMove found;
    if (!runTreeSearch(*turned, hintRules, levelSeconds(quickSearchLevel), found)) return;
    if (found.move.boardId == 0) return;
    const PlayedMove m = turnedBack(found.move);
    const BoardState& b = state.board(m.boardId);
    screen.描画_桝輪郭(b.gridOriginX, hintColor, m.fromFile, m.fromRank);
    screen.描画_桝輪郭(b.gridOriginX, hintColor, m.toFile, m.toRank);
    // Written as the move would be once played, in the player's language.
    MoveNote note;
    note.boardId = m.boardId;
    const bool drop = m.fromFile == manHandColumn;
    note.fromFile = drop ? std::int16_t{0} : m.fromFile;
    note.fromRank = drop ? std::int16_t{0} : m.fromRank;
    note.toFile = m.toFile;
    note.toRank = m.toRank;
    note.moved = drop ? m.piece : b.board[m.fromFile][m.fromRank];
    note.placed = m.piece;
    screen.描画_移動結果(note, state.manSide, hintColor);
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
