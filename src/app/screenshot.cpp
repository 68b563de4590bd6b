// Plays the opening moves of a game against the computer in an off-screen window and saves a
// picture of the window, with its status line and move list: the screenshots of the README.
//
//   nobakuza-screenshot OUTPUT.png [english] [hint]
//
// With "hint" the last step asks for a hint instead of picking a pawn up.
// Run it in a folder that holds the sounds (the build's bin folder); message boxes are
// answered with their default button. The game is left unfinished, as Escape leaves it, so the
// folder keeps it for the next start.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/main_window.h"

namespace {

using namespace nobakuza;

void click(MainWindow& window, int boardOrigin, int file, int rank, int button = leftButton) {
    window.game().Form_MouseDown(button, 0, cellX(boardOrigin, file + 0.5), cellY(rank + 0.5));
}

}  // namespace

int main(int argc, char** argv) {
    bool english = false;
    bool hint = false;
    bool understood = argc >= 2 && argv[1][0] != '-';
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        english |= arg == "english";
        hint |= arg == "hint";
        understood &= arg == "english" || arg == "hint";
    }
    if (!understood) {
        std::fprintf(stderr, "usage: nobakuza-screenshot OUTPUT.png [english] [hint]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamily(Canvas::fontFamily());
    QApplication::setFont(font);

    // Nobody reads the boxes here: take the default answer.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->defaultButton()->click();
    });
    answer.start(20);

    MainWindow window(qApp->devicePixelRatio());
    window.load();
    window.resize(window.sizeHint());
    window.show();
    window.loadAfterFirstFrame();  // the move list and the sound, as after the first frame
    Game& game = window.game();
    game.resumeInterruptedGame();
    if (english) game.menuChosen(MenuItem::EIGO);
    game.menuChosen(MenuItem::SIDOU);  // guidance on, to show where the picked piece may go
    game.menuChosen(MenuItem::SENTE);
    click(window, leftBoardX, 3, 7);
    click(window, leftBoardX, 3, 6);
    click(window, rightBoardX, 7, 7);
    click(window, rightBoardX, 7, 6);
    click(window, leftBoardX, 2, 8);  // the bishop takes a pawn and promotes
    click(window, leftBoardX, 7, 3, rightButton);
    if (hint)
        game.menuChosen(MenuItem::HINT);
    else
        click(window, leftBoardX, 3, 6);  // pick up a pawn
    QApplication::processEvents();

    const QImage shot = window.grab().toImage();
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "nobakuza-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    game.Form_Unload();
    return 0;
}
