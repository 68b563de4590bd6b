// How quickly the game's window repaints while a review (局面 → 検討) of a whole game runs beside
// it, against the same window with nothing running.
//
//   bench_review_repaint [--record FILE.棋譜] [--idle SECONDS] [--depth D]
//
// The real window (off-screen unless QT_QPA_PLATFORM says otherwise) loads the record through
// 棋譜読込, as the player would. Every 25 ms a timer on the window's thread clicks the next line
// of the move list with the mouse: the game draws that position into the canvas and keeps the game
// (its autosave), and the window paints what the click made dirty at once (the paint it would
// make at the next turn of its event loop). A sample is how late the timer fired (the event
// loop's latency) plus the click and the paint; each part is also given (median/95th
// percentile/maximum), and lateness plus paint without the click's own work. First --idle seconds
// (10) with nothing running, then the review, chosen from its menu, searching every position at
// LEVEL4's time on two threads (with --depth, to that depth instead), until it has ended and its
// graph is shown.
//
// Without --record the game is made here: LEVEL5 against LEVEL4 at depth 3, the third game of
// `nobakuza-cli match --a 5 --b 4 --depth 3 --seed 15` (103 plies).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "board/move_execution.h"
#include "records/record_file.h"
#include "search/match.h"

namespace nobakuza {
namespace {

constexpr int tickMilliseconds = 25;

// The third game of `nobakuza-cli match --a 5 --b 4 --depth 3 --seed 15`, written as that command
// writes it; empty when written, otherwise why not.
std::string writeMatchGame(const std::string& path) {
    MatchGameConfig config;
    config.seed = 15 * 1000003 + 1;  // the second opening
    config.maxMoves = maxRecordIndex;
    config.fixedDepth = 3;
    config.topLevel = 5;
    config.bottomLevel = 4;
    auto top = std::make_unique<MatchPlayer>();
    auto bottom = std::make_unique<MatchPlayer>();
    const MatchGameResult played = playMatchGame(config, *top, *bottom);
    auto game = std::make_unique<GameState>();
    auto record = std::make_unique<GameRecord>();
    setInitialPosition(game->left.board);
    setInitialPosition(game->right.board);
    game->manSide = goteSide;
    game->comSide = senteSide;
    storeStartPosition(*record, *game);
    for (const Move& m : played.played) {
        駒移動(*game, game->board(m.boardId), m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
        if (const auto e = 手順保存(*record, *game, 0, 0, 0, 0)) return e->message;
    }
    const RecordHeader header{"match-15-3", "LEVEL5 (top)", "LEVEL4 (bottom)"};
    if (const auto e = writeRecordFile(path, header, *record)) return e->message;
    return {};
}

// Counts the paints of the board's view: each click must have painted it.
class PaintCount final : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

struct Samples {
    std::vector<double> total;  // lateness + click + paint, ms
    std::vector<double> late;
    std::vector<double> click;  // the game's handling of the click (its autosave included)
    std::vector<double> paint;
    std::vector<double> at;  // when, in seconds from the phase's start
    int viewPaints = 0;
};

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(v.size())));
    return v[std::clamp<std::size_t>(rank, 1, v.size()) - 1];
}

// Median, 95th percentile and maximum, as "a/b/c".
std::string spread(const std::vector<double>& v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f/%.1f/%.1f", percentile(v, 0.5), percentile(v, 0.95),
                  percentile(v, 1.0));
    return text;
}

void printSamples(const char* name, const Samples& s, const std::string& extra) {
    const auto worst = std::max_element(s.total.begin(), s.total.end());
    const double worstAt = worst == s.total.end() ? 0 : s.at[worst - s.total.begin()];
    const auto over50 =
        std::count_if(s.total.begin(), s.total.end(), [](double t) { return t > 50; });
    std::vector<double> latePaint(s.late.size());
    for (std::size_t i = 0; i < latePaint.size(); ++i) latePaint[i] = s.late[i] + s.paint[i];
    std::printf(
        "%s samples=%zu median_ms=%.1f p95_ms=%.1f max_ms=%.1f max_at_s=%.1f over_50ms=%td "
        "late_ms=%s click_ms=%s paint_ms=%s late_paint_ms=%s view_paints=%d%s\n",
        name, s.total.size(), percentile(s.total, 0.5), percentile(s.total, 0.95),
        percentile(s.total, 1.0), worstAt, over50, spread(s.late).c_str(), spread(s.click).c_str(),
        spread(s.paint).c_str(), spread(latePaint).c_str(), s.viewPaints, extra.c_str());
    std::fflush(stdout);
}

// A left click on the next line of the move list, the mouse's own events to the list.
void clickNextMove(MainWindow& window, int& next) {
    QListWidget& list = window.moveList();
    if (list.count() == 0) return;
    QListWidgetItem* item = list.item(next++ % list.count());
    list.scrollToItem(item);
    const QPointF at = list.visualItemRect(item).center();
    const QPointF global = list.viewport()->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
    }
}

// Clicks every tick until `over` says so (asked after each sample).
Samples measure(MainWindow& window, int& next, const std::function<bool()>& over) {
    Samples s;
    PaintCount counter;
    window.view().installEventFilter(&counter);
    QEventLoop loop;
    QTimer tick;
    tick.setSingleShot(true);
    tick.setTimerType(Qt::PreciseTimer);
    QElapsedTimer clock;
    clock.start();
    qint64 armed = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 fired = clock.nsecsElapsed();
        const double late =
            std::max(0.0, static_cast<double>(fired - armed) / 1e6 - tickMilliseconds);
        clickNextMove(window, next);
        const qint64 clicked = clock.nsecsElapsed();
        QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
        const qint64 painted = clock.nsecsElapsed();
        s.late.push_back(late);
        s.click.push_back(static_cast<double>(clicked - fired) / 1e6);
        s.paint.push_back(static_cast<double>(painted - clicked) / 1e6);
        s.total.push_back(late + static_cast<double>(painted - fired) / 1e6);
        s.at.push_back(static_cast<double>(fired) / 1e9);
        if (over()) {
            loop.quit();
            return;
        }
        armed = clock.nsecsElapsed();
        tick.start(tickMilliseconds);
    });
    armed = clock.nsecsElapsed();
    tick.start(tickMilliseconds);
    loop.exec();
    window.view().removeEventFilter(&counter);
    s.viewPaints = counter.paints;
    return s;
}

int run(int argc, char** argv) {
    std::string recordPath;
    double idleSeconds = 10;
    int depth = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view arg = argv[i];
        if (arg == "--record") recordPath = std::filesystem::absolute(argv[i + 1]).string();
        if (arg == "--idle") idleSeconds = std::atof(argv[i + 1]);
        if (arg == "--depth") depth = std::atoi(argv[i + 1]);
    }
    // The game writes its settings, autosave and archive where it runs, and the window its size
    // under the desktop's settings folder: both into a scratch folder of their own.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", scratch.path().toUtf8());
    std::filesystem::current_path(scratch.path().toStdString());
    // Out of it again once the window has gone (its end writes the autosave), before it goes.
    struct LeaveScratch {
        ~LeaveScratch() { std::filesystem::current_path(std::filesystem::temp_directory_path()); }
    } leave;
    if (recordPath.empty()) {
        recordPath = (std::filesystem::current_path() / "match-15-3.棋譜").string();
        if (const std::string error = writeMatchGame(recordPath); !error.empty()) {
            std::fprintf(stderr, "bench_review_repaint: %s\n", error.c_str());
            return 1;
        }
    }

    // The message boxes of the start-up (no sound library here) and of the record's loading
    // answered with their default button.
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->defaultButton()->click();
    });
    boxes.start(5);
    MainWindow window(1.0);
    window.load();
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    window.loadAfterFirstFrame();
    window.offerInterruptedGame();  // nothing to offer; from now on every event is autosaved

    const QFileInfo record(QString::fromStdString(recordPath));
    window.action(MenuItem::KIFU_READ)->trigger();
    window.setFolder(record.absolutePath().toStdString());
    window.game().File1_Click(record.fileName().toStdString());
    const int plies = window.game().record().lastRecordIndex;
    if (plies < 1) {
        std::fprintf(stderr, "bench_review_repaint: no moves in %s\n", recordPath.c_str());
        return 1;
    }
    boxes.stop();
    QApplication::processEvents();

    int next = 0;
    QElapsedTimer wall;
    wall.start();
    const Samples idle =
        measure(window, next, [&] { return wall.elapsed() >= idleSeconds * 1000; });
    // The clicks reached the game: the position shown is one of the record's, not the start.
    if (window.game().record().recordIndex == 0) {
        std::fprintf(stderr, "bench_review_repaint: the clicks did not step the record\n");
        return 1;
    }
    printSamples("idle_repaint", idle, " plies=" + std::to_string(plies));

    WindowReview& review = window.game().review();
    review.setSearchDepth(depth);
    wall.restart();
    window.action(MenuItem::KENTOU)->trigger();
    if (!review.running()) {
        std::fprintf(stderr, "bench_review_repaint: the review did not start\n");
        return 1;
    }
    // Ten minutes at most: a review that never ends is a fault, not a figure.
    const Samples busy =
        measure(window, next, [&] { return !review.running() || wall.elapsed() > 600000; });
    const double wallSeconds = static_cast<double>(wall.elapsed()) / 1000;
    const GameReview* result = review.result();
    char extra[128];
    // The last sample came after the review's end on the window's thread: its graph made. The
    // ratio is against the idle window of the same run.
    const double idleMedian = percentile(idle.total, 0.5);
    std::snprintf(extra, sizeof extra,
                  " end_ms=%.1f median_ratio=%.2f review_s=%.1f positions=%d complete=%d",
                  busy.total.empty() ? 0.0 : busy.total.back(),
                  idleMedian > 0 ? percentile(busy.total, 0.5) / idleMedian : 0.0, wallSeconds,
                  result != nullptr ? result->positions : 0,
                  result != nullptr && result->complete ? 1 : 0);
    printSamples("review_repaint", busy, extra);
    return result != nullptr && result->complete ? 0 : 1;
}

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    return nobakuza::run(argc, argv);
}
