// The program: the application, the window at the screen's resolution, and the start-up around
// the first frame.
#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <future>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/program_start.h"
#include "app/qt_text.h"
#include "board/board_model.h"
#include "ui/help_version.h"

namespace nobakuza {

double canvasScaleForScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 1.0;
    const QSize avail = screen->availableGeometry().size();
    const double fit =
        std::max(1.0, std::min(avail.width() / logicalWidth, avail.height() / logicalHeight));
    const double scale = std::ceil(screen->devicePixelRatio() * fit * 2) / 2;
    return std::clamp(scale, 1.0, 4.0);
}

namespace {

// The title, the empty square and the pieces of the starting position.
std::vector<int> firstFramePictures() {
    std::vector<int> codes{titlePictureCode, emptySquare};
    Table board{};
    setInitialPosition(board);
    for (const auto& file : board)
        for (const Code code : file)
            if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    return codes;
}

}  // namespace

int runNobakuza(int argc, char** argv, const std::function<void(MainWindow&)>& onFirstFrame) {
    if (const auto status = answerCommandLine(argc, argv)) return *status;
    holdQtMessages();
    // The menu bar stays in the window: asking the desktop for a global one means a D-Bus
    // round trip (or starting a bus) before the first frame.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    passOnQtMessages();
    // The pictures of the first frame are drawn beside the making of the window.
    const double scale = canvasScaleForScreen();
    std::future<Canvas::Pictures> pictures = Canvas::drawAside(scale, firstFramePictures());
    QApplication::setApplicationName(qs(programName));
    // Ties the window to the menu entry (and its icon) on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("nobakuza"));
    QFont font = QApplication::font();
    font.setFamily(Canvas::fontFamily());
    QApplication::setFont(font);

    MainWindow window(scale);
    window.canvas().adoptPictures(scale, std::move(pictures));
    window.view().onFirstPaint = [&] {
        // The sound starts once the window is on the screen: loading the library and the sounds
        // takes longer than everything else before it.
        QTimer::singleShot(0, &window, [&window] { window.loadAfterFirstFrame(); });
        if (onFirstFrame) onFirstFrame(window);
    };
    window.load();
    if (window.game().ended()) return 0;
    window.placeOnScreen();
    window.show();
    // The question about the last run's game comes over the window, once it is there.
    QTimer::singleShot(0, &window, [&window] { window.offerInterruptedGame(); });
    return QApplication::exec();
}

}  // namespace nobakuza
