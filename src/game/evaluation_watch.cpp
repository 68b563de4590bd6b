#include "game/evaluation_watch.h"

#include <chrono>
#include <cstdlib>

#include "computer/self_play.h"
#include "game/game.h"

namespace nobakuza {

namespace {

Evaluation fromSearch(int scoreForMover, bool humanMoves) {
    const int human = humanMoves ? scoreForMover : -scoreForMover;
    Evaluation e{human, 0};
    if (std::abs(human) >= wonScore) e.forcedWinBy = human > 0 ? 1 : -1;
    return e;
}

}  // namespace

std::uint64_t evaluationKey(const GameState& g) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::int64_t v) {
        h ^= static_cast<std::uint64_t>(v);
        h *= 1099511628211ull;
    };
    for (const BoardState* b : {&g.left, &g.right}) {
        for (const auto& file : b->board)
            for (const std::int16_t c : file) mix(c);
        for (int k = 0; k < 8; ++k) mix(b->manHand[k] * 64 + b->comHand[k]);
    }
    mix(g.sideToMove);
    mix(g.gameMode);
    return h;
}

EvaluationWatch::EvaluationWatch(Game& game, GameShared& shared) : game_(game), s_(shared) {}

EvaluationWatch::~EvaluationWatch() {
    stop();
}

bool EvaluationWatch::wanted() const {
    const GameState& g = s_.state;
    // A review under way has both cores and will judge every position itself.
    return evaluationShown(s_.settings) && !s_.ended && g.sideToMove != noSide &&
           g.winner == noSide && g.kifuMode == flagNo && !game_.review().running();
}

void EvaluationWatch::positionShown() {
    if (!wanted()) {
        stop();
        return;
    }
    const std::uint64_t key = evaluationKey(s_.state);
    if ((value_ && key == judgedKey_) || (searching() && key == searchedKey_)) return;
    stop();
    start(key);
}

void EvaluationWatch::start(std::uint64_t key) {
    if (!engine_) engine_ = std::make_unique<GameTreeSearch>();
    if (!position_) position_ = std::make_unique<GameState>();
    // The search finds the top side's move; the bottom side's is searched on the boards turned
    // around, as the hint does.
    topToMove_ = s_.state.sideToMove == s_.state.comSide;
    if (topToMove_)
        *position_ = s_.state;
    else
        turnAround(s_.state, *position_);
    SearchRules rules{.topLosesByMate = false, .bottomLosesByMate = false};
    if (s_.state.gameMode == modeVsComputer) rules = topToMove_ ? computerTurnRules : hintRules;
    SearchLimits limits;
    if (depth_ > 0)
        limits.depth = depth_;
    else
        limits.seconds = levelSeconds(quickSearchLevel);
    limits.stop = &stop_;
    searchedKey_ = key;
    stop_.store(false);
    finished_.store(false);
    WakeUp* wake = s_.window.wakeUp;
    worker_ = std::thread([this, rules, limits, wake] {
        found_ = searchTopMove(*position_, rules, limits, *engine_);
        finished_.store(true);
        if (wake != nullptr) wake->wakeFromAnyThread();
    });
}

void EvaluationWatch::takeResult() {
    worker_.join();
    if (found_.move.boardId == 0) return;  // no move at all: the game ends without a judgement
    value_ = fromSearch(found_.score, !topToMove_);
    judgedKey_ = searchedKey_;
}

void EvaluationWatch::stop() {
    if (!worker_.joinable()) return;
    // A search that has already ended by itself keeps its value.
    if (finished_.load()) {
        takeResult();
        return;
    }
    stop_.store(true);
    worker_.join();
}

void EvaluationWatch::waitForSearch() {
    while (worker_.joinable() && !finished_.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void EvaluationWatch::backgroundWorkDone() {
    if (!worker_.joinable() || !finished_.load()) return;
    takeResult();
    if (!wanted() || judgedKey_ != evaluationKey(s_.state)) return;
    draw();
    game_.showGameInfo();
    s_.window.surface.refresh();
}

void EvaluationWatch::computerSearched(int scoreForComputer) {
    stop();
    value_ = fromSearch(scoreForComputer, false);
    judgedKey_ = evaluationKey(s_.state);
    draw();
}

void EvaluationWatch::forget() {
    stop();
    value_.reset();
    judgedKey_ = 0;
}

void EvaluationWatch::draw() {
    if (evaluationShown(s_.settings)) s_.screen.drawEvaluationBar(value_, s_.tr("詰み"));
}

std::string EvaluationWatch::statusText() const {
    if (!evaluationShown(s_.settings) || !value_) return {};
    return s_.tr.format("形勢 {0}", {evaluationText(*value_, s_.tr("詰み"))});
}

}  // namespace nobakuza
