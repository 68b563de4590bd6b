#include "app/window_settings.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "ui/help_version.h"

namespace nobakuza {

// The window's size and place and the move list's state, in the desktop's usual place for
// settings (~/.config/Nobakuza/Nobakuza.conf).
QSettings windowSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, qs(programName),
                     qs(programName));
}

void MainWindow::rememberWindow() {
    QSettings settings = windowSettings();
    settings.setValue(geometryKey, saveGeometry());
    settings.setValue(moveListKey, moveListWanted_);
    settings.setValue(levelKey, game_->position().comLevel);
}

void MainWindow::placeOnScreen() {
    if (restoreGeometry(windowSettings().value(geometryKey).toByteArray())) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        adjustSize();
        return;
    }
    // The picture keeps its proportions; the menu bar, the status line and the move list come
    // around it. About 80 % of the screen's width or height, whichever binds first, and never
    // below the picture's own size where the screen has room for it.
    const QRect avail = screen->availableGeometry();
    const int extraW = moveListWanted_ ? movePanel_->sizeHint().width() : 0;
    const int extraH = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const double ratio = logicalWidth / logicalHeight;
    double w = std::min(0.8 * avail.width() - extraW, (0.8 * avail.height() - extraH) * ratio);
    if (avail.width() >= logicalWidth + extraW && avail.height() >= logicalHeight + extraH)
        w = std::max(w, logicalWidth);
    const QSize size(static_cast<int>(std::lround(w)) + extraW,
                     static_cast<int>(std::lround(w / ratio)) + extraH);
    resize(size);
    move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace nobakuza
