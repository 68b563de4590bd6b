#include "game/window_review.h"

#include <algorithm>
#include <chrono>

#include "game/game.h"
#include "records/replay.h"

namespace nobakuza {

namespace {

constexpr int reviewJobs = 2;  // both cores

int percentOf(int done, int total) {
    return total > 0 ? std::clamp(done * 100 / total, 0, 100) : 0;
}

}  // namespace

WindowReview::WindowReview(Game& game, GameShared& shared) : game_(game), s_(shared) {}

WindowReview::~WindowReview() {
    if (!running()) return;
    stop_.store(true);
    worker_.join();
}

void WindowReview::KENTOU_Click() {
    if (running()) return;
    if (s_.record.lastRecordIndex < 1) {
        game_.refuse(s_.tr("検討する手がありません"), "検討");
        return;
    }
    // The review reads its own copy: the game may go on meanwhile.
    if (!record_) record_ = std::make_unique<GameRecord>();
    *record_ = s_.record;
    ReviewOptions options;
    options.level = quickSearchLevel;
    options.depth = depth_;
    options.jobs = reviewJobs;
    // Against the computer only its king is lost by the mate test; two players only by taking
    // a king.
    options.rules = s_.state.gameMode == modeVsComputer
                        ? computerTurnRules
                        : SearchRules{.topLosesByMate = false, .bottomLosesByMate = false};
    options.stop = &stop_;
    options.yieldToOthers = true;
    WakeUp* wake = s_.window.wakeUp;
    options.progress = [this, wake](int done, int total) {
        done_.store(done);
        total_.store(total);
        if (wake != nullptr) wake->wakeFromAnyThread();
    };
    stop_.store(false);
    finished_.store(false);
    done_.store(0);
    total_.store(record_->lastRecordIndex + 1);
    worker_ = std::thread([this, options, wake] {
        found_ = reviewGame(*record_, options);
        finished_.store(true);
        if (wake != nullptr) wake->wakeFromAnyThread();
    });
    if (s_.panels() != nullptr) s_.panels()->setProgress(0);
}

void WindowReview::backgroundWorkDone() {
    if (!running()) return;
    if (finished_.load()) {
        finish();
        return;
    }
    if (s_.panels() != nullptr) s_.panels()->setProgress(percentOf(done_.load(), total_.load()));
    game_.showGameInfo();
}

void WindowReview::finish() {
    worker_.join();
    review_ = std::make_unique<GameReview>(found_);
    if (s_.panels() != nullptr) s_.panels()->setProgress(-1);
    game_.showGameInfo();  // the marks in the move list
    positionShown();
    s_.window.surface.refresh();
}

void WindowReview::stop() {
    if (!running()) return;
    stop_.store(true);
    finish();
}

void WindowReview::forget() {
    if (running()) {
        stop_.store(true);
        worker_.join();
    }
    const bool shown = review_ != nullptr;
    review_.reset();
    if (s_.panels() != nullptr && shown) {
        s_.panels()->setProgress(-1);
        s_.panels()->setEvaluationGraph({}, -1);
    }
}

void WindowReview::waitForReview() {
    while (running() && !finished_.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string WindowReview::markText(int ply) const {
    if (!review_ || ply < 1 || ply > static_cast<int>(review_->moves.size())) return {};
    const ReviewedMove& m = review_->moves[static_cast<std::size_t>(ply - 1)];
    if (m.mark == ReviewMark::none) return {};
    return s_.tr(nobakuza::markText(m.mark));
}

std::string WindowReview::progressText() const {
    if (!running()) return {};
    return s_.tr.format("検討中 {0}%", {std::to_string(percentOf(done_.load(), total_.load()))});
}

void WindowReview::showGraph() {
    if (s_.panels() == nullptr || !review_) return;
    std::vector<GraphPoint> points;
    for (const ReviewedMove& m : review_->moves) {
        if (!m.evaluated) continue;
        const int score = bottomScoreAfter(m);
        const int forced = isForcedWin(score) ? 1 : isForcedLoss(score) ? -1 : 0;
        points.push_back({m.ply, score, forced, static_cast<int>(m.mark)});
    }
    s_.panels()->setEvaluationGraph(points, s_.record.recordIndex);
}

void WindowReview::positionShown() {
    if (!review_) return;
    showGraph();
    // Before a marked move: what the search would have played instead, as the hint shows it.
    const int next = s_.record.recordIndex + 1;
    if (next < 1 || next > static_cast<int>(review_->moves.size()) || s_.options.turned) return;
    const ReviewedMove& m = review_->moves[static_cast<std::size_t>(next - 1)];
    if (m.mark == ReviewMark::none || m.preferred.boardId == 0) return;
    const BoardState& b = s_.state.board(m.preferred.boardId);
    s_.screen.描画_桝輪郭(b.gridOriginX, colorHint, m.preferred.fromFile, m.preferred.fromRank);
    s_.screen.描画_桝輪郭(b.gridOriginX, colorHint, m.preferred.toFile, m.preferred.toRank);
    s_.screen.描画_移動結果(noteOf(m.preferred), m.topMoved ? s_.state.comSide : s_.state.manSide,
                            colorHintText);
}

void WindowReview::graphClicked(int ply) {
    if (s_.state.kifuMode == flagYes) {
        game_.records().moveListClicked(ply);
        return;
    }
    // A game in play steps there as 戻 and 進 would.
    if (s_.state.sideToMove == noSide) return;
    for (int guard = 0; guard < recordSlots && s_.record.recordIndex != ply; ++guard) {
        const int before = s_.record.recordIndex;
        if (ply < before)
            game_.records().REPLAY_Click();
        else
            game_.records().AFTER_Click();
        if (s_.record.recordIndex == before) break;
    }
}

}  // namespace nobakuza
