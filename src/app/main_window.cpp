#include "app/main_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QTime>

#include "app/picture_art.h"
#include "app/qt_text.h"
#include "app/window_settings.h"
#include "board/board_model.h"
#include "ui/help_version.h"

namespace nobakuza {

MainWindow::MainWindow(double canvasScale)
    : canvas_(canvasScale),
      buttonCaptions_{QStringLiteral("OK"), QStringLiteral("はい"), QStringLiteral("いいえ")} {
    setWindowTitle(qs(programName));
    // The picture, and the move list beside it.
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    view_ = new GameView(canvas_, central);
    row->addWidget(view_, 1);
    setCentralWidget(central);
    buildMenus();
    buildPanels();
    view_->onResized = [this] {
        if (panel_) panel_->layout();
    };
    canvas_.setOnRefresh([this] { view_->repaint(); });
    view_->onMouseDown = [this](int button, double x, double y) {
        run([&] { game_->Form_MouseDown(button, 0, x, y); });
    };
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!pausing_) run([&] { game_->Timer1_Timer(); });
    });
    system_ = std::make_unique<WindowSystem>(
        WindowSystem{canvas_, *this, *this, *this, *this, *this, *this, *this, sound_,
                     static_cast<std::int32_t>(winId() & 0x7fffffff), this, this});
    game_ = std::make_unique<Game>(*system_);
}

MainWindow::~MainWindow() {
    timer_.stop();
    // A window torn down without a shutdown event still gives its sounds back.
    if (game_) game_->終了処理();
}

void MainWindow::load() {
    run([&] {
        game_->loadBeforeFirstFrame();
        // Last time's level, through the level command as if its item had been chosen.
        const int level = windowSettings().value(levelKey, 0).toInt();
        if (level >= 1 && level <= highestComLevel) game_->レベル_設定(level);
    });
}

void MainWindow::loadAfterFirstFrame() {
    // The installed icon, as the menu entry shows it; the king drawn here where there is none.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("nobakuza"),
                                   QIcon(QPixmap::fromImage(art::renderIcon(64)))));
    ensureMoveList();
    run([&] { game_->loadAfterFirstFrame(); });
}

void MainWindow::run(const std::function<void()>& handler) {
    if (!game_ || game_->ended()) return;
    ++busy_;
    handler();
    --busy_;
    view_->update();
    if (busy_ == 0 && closePending_) {
        closePending_ = false;
        if (!game_->ended()) game_->Form_Unload();
    }
}

void MainWindow::setTimerEnabled(bool enabled) {
    if (enabled)
        timer_.start(clockTickMilliseconds);
    else
        timer_.stop();
}

bool MainWindow::timerEnabled() const {
    return timer_.isActive();
}

double MainWindow::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void MainWindow::offerInterruptedGame() {
    run([&] { game_->resumeInterruptedGame(); });
}

void MainWindow::endProgram() {
    rememberWindow();
    ending_ = true;
    timer_.stop();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The board takes the keys from the start. With no widget holding the focus (a desktop
    // that does not activate new windows), a menu closed with Escape would leave the menu bar
    // holding it, and Escape would no longer end the game.
    activateWindow();
    view_->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || game_->ended()) {
        event->accept();
        return;
    }
    if (busy_ > 0) {
        // The handler under way runs to its end first.
        closePending_ = true;
        event->ignore();
        return;
    }
    run([&] { game_->Form_Unload(); });
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    int code = 0;
    if (event->key() == Qt::Key_Escape) {
        code = escapeKey;
    } else if (!event->text().isEmpty()) {
        code = event->text().at(0).unicode();
    }
    if (code == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    run([&] { game_->Form_KeyPress(code); });
}

}  // namespace nobakuza
