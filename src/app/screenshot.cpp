// Plays the opening moves of a game against the computer in an off-screen window and saves a
// picture of the window, with its status line and move list: the screenshots of the README.
//
//   nobakuza-screenshot OUTPUT.png [english] [hint|replay|version] [--in FOLDER]
//
// With "hint" the last step asks for a hint instead of picking a pawn up. With "replay" the game
// is put aside (局面 → 最初, which keeps it under 棋譜/), read back from there and stepped to its
// fourth move. With "version" the picture is the version box, opened over the opening.
//
// The game writes its settings and the unfinished game where it runs, so it runs in a scratch
// folder of its own, removed at the end, with the sounds and help pages of the program's own folder
// (the build's bin folder) copied in; never where the command was given. With --in it runs in
// FOLDER instead and leaves the game there unfinished, as Escape leaves it, for the next start of
// the game. Message boxes are answered with their default button.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string_view>

#include "app/main_window.h"

namespace {

using namespace nobakuza;

void click(MainWindow& window, int boardOrigin, int file, int rank, int button = leftButton) {
    window.game().Form_MouseDown(button, 0, cellX(boardOrigin, file + 0.5), cellY(rank + 0.5));
}

// What the game reads where it runs: its sounds and help pages, from the program's own folder.
bool copyShippedFiles(const QDir& from, const QDir& to) {
    const QStringList shipped =
        from.entryList({QStringLiteral("*.wav"), QStringLiteral("*.htm")}, QDir::Files);
    for (const QString& name : shipped)
        if (!QFile::copy(from.filePath(name), to.filePath(name))) return false;
    return true;
}

struct Request {
    bool english = false;
    bool hint = false;
    bool replay = false;
    bool version = false;
    const char* folder = nullptr;  // --in FOLDER; a scratch folder without it
};

// The command line after OUTPUT.png; nothing when it is not understood.
std::optional<Request> readArguments(int argc, char** argv) {
    Request r;
    bool understood = argc >= 2 && argv[1][0] != '-';
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--in" && i + 1 < argc) {
            r.folder = argv[++i];
            continue;
        }
        r.english |= arg == "english";
        r.hint |= arg == "hint";
        r.replay |= arg == "replay";
        r.version |= arg == "version";
        understood &= arg == "english" || arg == "hint" || arg == "replay" || arg == "version";
    }
    if (!understood) return std::nullopt;
    return r;
}

// The opening moves, with the pieces the README's pictures show.
void playOpening(MainWindow& window, const Request& r) {
    Game& game = window.game();
    game.resumeInterruptedGame();
    if (r.english) game.menuChosen(MenuItem::EIGO);
    game.menuChosen(MenuItem::SIDOU);  // guidance on, to show where the picked piece may go
    game.menuChosen(MenuItem::SENTE);
    click(window, leftBoardX, 3, 7);
    click(window, leftBoardX, 3, 6);
    click(window, rightBoardX, 7, 7);
    click(window, rightBoardX, 7, 6);
    click(window, leftBoardX, 2, 8);  // the bishop takes a pawn and promotes
    click(window, leftBoardX, 7, 3, rightButton);
    if (r.hint) {
        game.menuChosen(MenuItem::HINT);
    } else if (r.replay) {
        game.menuChosen(MenuItem::CANCEL);
        game.menuChosen(MenuItem::KIFU_READ);
        const QStringList kept = QDir(QStringLiteral("棋譜")).entryList(QDir::Files);
        if (!kept.isEmpty()) game.File1_Click(kept.front().toStdString());
        for (int i = 0; i < 4; ++i) game.menuChosen(MenuItem::AFTER);
    } else if (!r.version) {
        click(window, leftBoardX, 3, 6);  // pick up a pawn
    }
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Request> request = readArguments(argc, argv);
    if (!request) {
        std::fprintf(stderr,
                     "usage: nobakuza-screenshot OUTPUT.png [english] [hint|replay|version] "
                     "[--in FOLDER]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamily(Canvas::fontFamily());
    QApplication::setFont(font);

    // The picture's path is the caller's, so it is settled before the game changes folder.
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    std::optional<QTemporaryDir> scratch;
    const char* folder = request->folder;
    if (folder == nullptr) {
        scratch.emplace();
        if (!scratch->isValid() || !copyShippedFiles(QDir(QCoreApplication::applicationDirPath()),
                                                     QDir(scratch->path()))) {
            std::fprintf(stderr, "nobakuza-screenshot: cannot prepare a scratch folder\n");
            return 1;
        }
    }
    const QString runIn = scratch ? scratch->path() : QString::fromLocal8Bit(folder);
    if (!QDir::setCurrent(runIn)) {
        std::fprintf(stderr, "nobakuza-screenshot: cannot run in %s\n", qPrintable(runIn));
        return 1;
    }

    // Nobody reads the boxes here: take the default answer.
    // The version box is taken as it shows, then closed.
    QImage versionShot;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&versionShot] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->defaultButton()->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            versionShot = dialog->grab().toImage();
            dialog->accept();
        }
    });
    answer.start(20);

    MainWindow window(qApp->devicePixelRatio());
    window.load();
    window.resize(window.sizeHint());
    window.show();
    window.loadAfterFirstFrame();  // the move list and the sound, as after the first frame
    playOpening(window, *request);
    if (request->version) window.game().menuChosen(MenuItem::VER);

    const QImage shot = request->version ? versionShot : window.grab().toImage();
    if (!shot.save(output)) {
        std::fprintf(stderr, "nobakuza-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    window.game().Form_Unload();
    return 0;
}
