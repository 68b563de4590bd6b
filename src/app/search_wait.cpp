// The window's waits: a pause that lets the window repaint, and the wait on the computer's search,
// which a close of the window or Escape cuts short.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/main_window.h"

namespace nobakuza {

namespace {

// Keeps the player's input from the window while the game waits on its search, except that Escape
// is noted: the game is asked to end at once rather than after its turn.
class InputGate final : public QObject {
  public:
    bool escapePressed = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) escapePressed = true;
                return true;
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

void MainWindow::pause(double seconds) {
    // Keeps clicks, keys and the clock tick out, as a busy wait would, but lets the window
    // repaint.
    const bool wasPausing = pausing_;
    pausing_ = true;
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 total = std::llround(seconds * 1000);
    while (elapsed.elapsed() < total) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    pausing_ = wasPausing;
}

bool MainWindow::pauseUntil(const std::atomic<bool>& finished, double seconds) {
    // Unlike `pause`, the events are all handled, through a gate that drops the input: a close
    // of the window (noted by closeEvent) or Escape must reach the game while it waits.
    const bool wasPausing = pausing_;
    pausing_ = true;
    InputGate gate;
    qApp->installEventFilter(&gate);
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 total = std::llround(seconds * 1000);
    while (!finished.load() && elapsed.elapsed() < total && !gate.escapePressed && !closePending_) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    qApp->removeEventFilter(&gate);
    pausing_ = wasPausing;
    return !gate.escapePressed && !closePending_;
}

void MainWindow::wakeFromAnyThread() {
    // Called on the search's thread: a queued call runs on the window's.
    QMetaObject::invokeMethod(
        this, [this] { takeBackgroundWork(); }, Qt::QueuedConnection);
}

void MainWindow::takeBackgroundWork() {
    // Not in the middle of a handler (its pause or its message box): tried again after it.
    if (busy_ > 0 || pausing_) {
        QTimer::singleShot(50, this, [this] { takeBackgroundWork(); });
        return;
    }
    run([&] { game_->backgroundWorkDone(); });
}

}  // namespace nobakuza
