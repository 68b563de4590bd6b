// The game window: the menu bar, the view of the canvas, message boxes, the clock timer and the
// rest of the window system the game talks to. Its parts have files of their own: the menus
// (window_menus.cpp), the dialogs (window_dialogs.cpp), the waits (search_wait.cpp), the status
// line and the move list (info_panels.cpp), the record panel (window_file_panel.cpp), the size
// and place kept for the next run (window_settings.cpp) and the program around it
// (run_nobakuza.cpp).
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/canvas.h"
#include "app/game_view.h"
#include "app/record_panel.h"
#include "game/game.h"
#include "sound/sound_library.h"
#include "ui/window_system.h"

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QTextBrowser;
class QProgressBar;

namespace nobakuza {

class MainWindow final : public QMainWindow,
                         public Dialogs,
                         public MenuMarks,
                         public Timer,
                         public Clock,
                         public Browser,
                         public FilePanel,
                         public ProgramControl,
                         public InfoPanels,
                         public WakeUp {
  public:
    // `canvasScale`: device pixels of the off-screen image per pixel at 96 dots per inch.
    explicit MainWindow(double canvasScale);
    ~MainWindow() override;

    // Runs the game's start-up up to its first frame; the window is shown afterwards, and once
    // its first frame is painted the rest follows.
    void load();
    // Sizes and places the window as the player left it, or to about 80 % of the screen.
    void placeOnScreen();
    // Offers the game the last run left unfinished; once the window is on the screen.
    void offerInterruptedGame();
    void loadAfterFirstFrame();

    Game& game() { return *game_; }
    GameView& view() { return *view_; }
    Canvas& canvas() { return canvas_; }
    QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }

    // --- Dialogs
    MessageAnswer messageBox(std::string_view text, std::string_view title, MessageButtons buttons,
                             bool warningIcon) override;
    MessageAnswer ask(std::string_view text, std::string_view title, std::string_view yesCaption,
                      std::string_view noCaption) override;
    void versionDialog(const VersionTexts& texts) override;
    void setButtonCaptions(std::string_view ok, std::string_view yes, std::string_view no) override;
    void setViewButtonCaptions(std::string_view view, std::string_view review) override;
    // --- MenuMarks
    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;
    void setCaption(MenuItem item, std::string_view caption) override;
    // --- Timer
    void setTimerEnabled(bool enabled) override;
    bool timerEnabled() const override;
    // --- Clock
    double secondsSinceMidnight() override;
    void pause(double seconds) override;
    bool pauseUntil(const std::atomic<bool>& finished, double seconds) override;
    // --- Browser
    bool openPage(std::string_view addressOrPath) override;
    void openLocalPage(const std::string& path, std::string_view title) override;
    // The help page's own window, once it has been needed; otherwise nullptr.
    QTextBrowser* helpWindow() const { return helpWindow_; }
    // --- FilePanel: the record panel over the canvas
    void setListsVisible(bool drive, bool folder, bool file) override;
    void setSaveFieldsVisible(bool visible) override;
    std::string saveField(SaveField field) const override;
    std::string folder() const override;
    bool setFolder(const std::string& path) override;
    void refreshFileList() override;
    void setCaptions(const std::array<std::string, 4>& fieldCaptions,
                     std::string_view returnCaption, std::string_view cancelCaption) override;
    // --- ProgramControl
    void endProgram() override;
    // --- InfoPanels: the status bar and the move list beside the picture
    void setStatusLine(std::string_view text) override;
    void setMoveList(const std::vector<std::string>& lines, int current) override;
    void setMoveListTitle(std::string_view title) override;
    void setMoveListVisible(bool visible) override;
    bool moveListVisible() const override;
    // --- the review's progress and graph (review_panel.cpp)
    void setProgress(int percent) override;
    void setEvaluationGraph(const std::vector<GraphPoint>& points, int current) override;
    // --- WakeUp: the evaluation bar's search has ended
    void wakeFromAnyThread() override;

    QLabel& statusLine() { return *status_; }
    QListWidget& moveList() {
        ensureMoveList();
        return *moves_;
    }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildMenus();
    // The message box of `buttons`, its yes and no buttons with the captions given.
    MessageAnswer showBox(std::string_view text, std::string_view title, bool warningIcon,
                          MessageButtons buttons, const QString& yesCaption,
                          const QString& noCaption);
    void buildPanels();
    void ensureMoveList();
    // Keeps the window's size and place and the move list's state for the next run.
    void rememberWindow();
    // Hands finished background work to the game, once no handler of the game is under way.
    void takeBackgroundWork();
    // Runs a game handler; a close asked for meanwhile is carried out after it.
    void run(const std::function<void()>& handler);

    Canvas canvas_;
    GameView* view_ = nullptr;
    SoundLibrary sound_{SoundLibrary::OnFirstUse{}};
    std::unique_ptr<WindowSystem> system_;
    std::unique_ptr<Game> game_;
    std::array<QAction*, menuItemCount> actions_{};
    QTimer timer_;
    int busy_ = 0;
    bool pausing_ = false;
    bool closePending_ = false;
    bool ending_ = false;
    // The record panel over the canvas, made the first time it is shown: its lists would start
    // the accessibility bridge, and with it a D-Bus connection, before the first frame.
    RecordPanel& panel() const;
    mutable std::unique_ptr<RecordPanel> panel_;
    struct PanelCaptions {
        std::array<std::string, 4> fields;
        std::string returnButton;
        std::string cancelButton;
    };
    std::optional<PanelCaptions> panelCaptions_;
    QLabel* status_ = nullptr;
    QFrame* movePanel_ = nullptr;  // the move list and its title, beside the picture
    QLabel* moveListTitle_ = nullptr;
    QListWidget* moves_ = nullptr;
    QProgressBar* progress_ = nullptr;  // made at the first review
    // The review's graph under the move list, made at the first review from its module.
    class ReviewGraphView* graph_ = nullptr;
    std::vector<std::string> pendingMoves_;  // for the list not made yet
    int pendingCurrentMove_ = -1;
    bool moveListWanted_ = true;
    std::array<QString, 3> buttonCaptions_;  // OK, はい, いいえ
    std::array<QString, 2> viewButtonCaptions_ = {QStringLiteral("棋譜を見る"),
                                                  QStringLiteral("検討")};
    QTextBrowser* helpWindow_ = nullptr;
};

// The off-screen image's scale for a window that may be enlarged to fill the screen.
double canvasScaleForScreen();

// Creates the window, starts the game and runs until the program ends. `onFirstFrame` is
// called once the first frame has been painted.
int runNobakuza(int argc, char** argv, const std::function<void(MainWindow&)>& onFirstFrame = {});

}  // namespace nobakuza
