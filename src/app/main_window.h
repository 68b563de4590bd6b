// The game window: the menu bar, the view of the canvas, message boxes, the clock timer and the
// rest of the window system the game talks to.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/canvas.h"
#include "app/record_panel.h"
#include "game/game.h"
#include "sound/sound_library.h"
#include "ui/window_system.h"

class QAction;

namespace nobakuza {

// Shows the canvas scaled to the widget, keeping its proportions, and reports mouse presses in
// twips.
class GameView final : public QWidget {
  public:
    explicit GameView(Canvas& canvas, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Where the image is shown inside the widget.
    QRectF imageRect() const;
    QPointF toTwips(QPointF widgetPoint) const;

    std::function<void(int button, double x, double y)> onMouseDown;
    std::function<void()> onFirstPaint;
    std::function<void()> onResized;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Canvas& canvas_;
    bool painted_ = false;
};

class MainWindow final : public QMainWindow,
                         public Dialogs,
                         public MenuMarks,
                         public Timer,
                         public Clock,
                         public Browser,
                         public FilePanel,
                         public ProgramControl {
  public:
    // `canvasScale`: device pixels of the off-screen image per pixel at 96 dots per inch.
    explicit MainWindow(double canvasScale);
    ~MainWindow() override;

    // Runs the game's start-up; the window is shown afterwards.
    void load();

    Game& game() { return *game_; }
    GameView& view() { return *view_; }
    Canvas& canvas() { return canvas_; }
    QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }

    // --- Dialogs
    MessageAnswer messageBox(std::string_view text, std::string_view title, MessageButtons buttons,
                             bool warningIcon) override;
    void versionDialog() override;
    // --- MenuMarks
    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;
    // --- Timer
    void setTimerEnabled(bool enabled) override;
    bool timerEnabled() const override;
    // --- Clock
    double secondsSinceMidnight() override;
    void pause(double seconds) override;
    bool pauseUntil(const std::atomic<bool>& finished, double seconds) override;
    // --- Browser
    bool openPage(std::string_view addressOrPath) override;
    // --- FilePanel: the record panel over the canvas
    void setListsVisible(bool drive, bool folder, bool file) override;
    void setSaveFieldsVisible(bool visible) override;
    std::string saveField(SaveField field) const override;
    std::string folder() const override;
    bool setFolder(const std::string& path) override;
    void refreshFileList() override;
    // --- ProgramControl
    void endProgram() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildMenus();
    // Runs a game handler; a close asked for meanwhile is carried out after it.
    void run(const std::function<void()>& handler);

    Canvas canvas_;
    GameView* view_ = nullptr;
    SoundLibrary sound_;
    std::unique_ptr<WindowSystem> system_;
    std::unique_ptr<Game> game_;
    std::array<QAction*, menuItemCount> actions_{};
    QTimer timer_;
    int busy_ = 0;
    bool pausing_ = false;
    bool closePending_ = false;
    bool ending_ = false;
    std::unique_ptr<RecordPanel> panel_;
};

// The off-screen image's scale for a window that may be enlarged to fill the screen.
double canvasScaleForScreen();

// Creates the window, starts the game and runs until the program ends. `onFirstFrame` is
// called once the first frame has been painted.
int runNobakuza(int argc, char** argv, const std::function<void(MainWindow&)>& onFirstFrame = {});

}  // namespace nobakuza
