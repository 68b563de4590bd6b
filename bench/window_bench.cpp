// The game window's full redraw into the off-screen canvas, at 1x and 2x: with the pictures
// already rendered (every redraw after the first) and from a cold start (the first frame). Then
// the window's end in the middle of LEVEL5's search: from Escape or the close asked to the game
// shut down.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/canvas.h"
#include "app/main_window.h"
#include "game/game.h"

namespace nobakuza {
namespace {

// Everything but the surface: no boxes to answer, no sound.
class QuietWindow final : public Dialogs,
                          public MenuMarks,
                          public Timer,
                          public Clock,
                          public Browser,
                          public FilePanel,
                          public ProgramControl,
                          public SoundApi {
  public:
    MessageAnswer messageBox(std::string_view, std::string_view, MessageButtons, bool) override {
        return MessageAnswer::ok;
    }
    void versionDialog(const VersionTexts&) override {}
    void setChecked(MenuItem item, bool on) override { marks_[static_cast<int>(item)] = on; }
    bool isChecked(MenuItem item) const override { return marks_[static_cast<int>(item)]; }
    void setTimerEnabled(bool) override {}
    bool timerEnabled() const override { return false; }
    double secondsSinceMidnight() override { return 0; }
    void pause(double) override {}
    bool pauseUntil(const std::atomic<bool>&, double) override { return true; }  // never searches
    bool openPage(std::string_view) override { return false; }
    void openLocalPage(const std::string&, std::string_view) override {}
    void setListsVisible(bool, bool, bool) override {}
    void setSaveFieldsVisible(bool) override {}
    std::string saveField(SaveField) const override { return {}; }
    std::string folder() const override { return {}; }
    bool setFolder(const std::string&) override { return false; }
    void refreshFileList() override {}
    void endProgram() override {}
    std::int32_t dsInitialize(std::int32_t) override { return 1; }
    std::int32_t dsCreateDSB(std::int32_t, const void*, std::int32_t, std::int32_t) override {
        return 0;
    }
    void dsPlay(std::int32_t) override {}
    void dsPlayLooping(std::int32_t) override {}
    void dsStop(std::int32_t) override {}
    void dsFree(std::int32_t) override {}
    void dsTerminate(std::int32_t) override {}

  private:
    std::array<bool, menuItemCount> marks_{};
};

struct CanvasGame {
    explicit CanvasGame(double scale) : canvas(scale) {
        game = std::make_unique<Game>(system);
        game->Form_Load();
    }
    Canvas canvas;
    QuietWindow quiet;
    WindowSystem system{canvas, quiet, quiet, quiet, quiet, quiet, quiet, quiet, quiet, 1};
    std::unique_ptr<Game> game;
};

void fullRedraw(benchmark::State& state) {
    CanvasGame g(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        g.game->画面_再描画();
        benchmark::DoNotOptimize(g.canvas.image().constBits());
    }
}
BENCHMARK(fullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The first frame also renders every picture at the window's scale.
void firstRedraw(benchmark::State& state) {
    CanvasGame g(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        g.canvas.setScale(static_cast<double>(state.range(0)));
        g.game->画面_再描画();
        benchmark::DoNotOptimize(g.canvas.image().constBits());
    }
}
BENCHMARK(firstRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Escape (0) or a close of the window (1) while LEVEL5 searches the computer's first move, a
// fifth of the way into its second and a half: milliseconds from the end asked to the game shut
// down, the search stopped and its thread joined. Each run starts afresh, with nothing saved.
void endDuringSearch(benchmark::State& state) {
    const bool escape = state.range(0) == 0;
    QTimer boxes;  // the start-up's message boxes (no sound library here) answered with OK
    QObject::connect(&boxes, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->defaultButton()->click();
    });
    boxes.start(5);
    const auto folder = std::filesystem::current_path();
    for (auto _ : state) {
        std::filesystem::remove_all(folder / "run");
        std::filesystem::create_directories(folder / "run");
        std::filesystem::current_path(folder / "run");
        MainWindow window(1.0);
        window.load();
        window.resize(window.sizeHint());
        window.show();
        QApplication::processEvents();
        window.action(MenuItem::LEVEL5)->trigger();
        std::chrono::steady_clock::time_point asked;
        QTimer::singleShot(300, &window, [&window, &asked, escape] {
            asked = std::chrono::steady_clock::now();
            if (escape)
                QCoreApplication::postEvent(
                    &window.view(),
                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            else
                window.close();
        });
        window.action(MenuItem::GOTE)->trigger();
        const auto ended = std::chrono::steady_clock::now();
        if (!window.game().ended() || window.game().position().moveNumber != 0) {
            state.SkipWithError("the computer played before the end was honoured");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(ended - asked).count());
        QApplication::processEvents();
        std::filesystem::current_path(folder);
    }
    std::filesystem::current_path(folder);
}
BENCHMARK(endDuringSearch)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The start-up writes its settings file into the current folder: keep it out of the way.
    const auto folder = std::filesystem::temp_directory_path() / "nobakuza-window-bench";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
