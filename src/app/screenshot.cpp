// Plays the opening moves of a game against the computer in an off-screen window and saves a
// picture of the window, with its status line and move list: the screenshots of the README.
//
//   nobakuza-screenshot OUTPUT.png [english]
//       [hint | turned | end | promotion | takeback | evaluation | review | replay | version]
//       [--in FOLDER]
//
// With "hint" the last step asks for a hint instead of picking a pawn up; with "turned" the
// boards are then seen from the other side (盤を回す). With "end" a short game is played to its
// end instead, the computer taking the king, and the picture shows the end box over the window.
// With "promotion" 成りを確認 is on and the bishop's capture is made with the left button: the
// picture is the window with the question over it. With "takeback" the last step is 待った.
// With "evaluation" the evaluation bar is on and the picture waits for its value; with "review"
// the game is reviewed and the position before its first marked move shown. With "replay" the
// game is put aside (局面 → 最初, which keeps it under 棋譜/), read back from there and stepped to
// its fourth move. With "version" the picture is the version box, opened over the opening.
// The game writes its settings and the unfinished game where it runs, so it runs in a scratch
// folder of its own, removed at the end, with the sounds and help pages of the program's own
// folder (the build's bin folder) copied in; never where the command was given. With --in it
// runs in FOLDER instead and leaves the game there unfinished, as Escape leaves it, for the next
// start of the game.
// Message boxes are answered with their default button, the end box with 棋譜を見る.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
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
    bool turned = false;
    bool end = false;
    bool promotion = false;
    bool takeBack = false;
    bool evaluation = false;
    bool review = false;
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
        r.turned |= arg == "turned";
        r.end |= arg == "end";
        r.promotion |= arg == "promotion";
        r.takeBack |= arg == "takeback";
        r.evaluation |= arg == "evaluation";
        r.review |= arg == "review";
        r.replay |= arg == "replay";
        r.version |= arg == "version";
        understood &= arg == "english" || arg == "hint" || arg == "turned" || arg == "end" ||
                      arg == "promotion" || arg == "takeback" || arg == "evaluation" ||
                      arg == "review" || arg == "replay" || arg == "version";
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
    if (r.promotion) game.menuChosen(MenuItem::NARI);
    if (r.evaluation) game.menuChosen(MenuItem::KEISEI);
    game.menuChosen(MenuItem::SENTE);
    click(window, leftBoardX, 3, 7);
    click(window, leftBoardX, 3, 6);
    click(window, rightBoardX, 7, 7);
    click(window, rightBoardX, 7, 6);
    click(window, leftBoardX, 2, 8);  // the bishop takes a pawn and promotes
    click(window, leftBoardX, 7, 3, r.promotion ? leftButton : rightButton);
    if (r.hint) {
        game.menuChosen(MenuItem::HINT);
    } else if (r.takeBack) {
        game.menuChosen(MenuItem::MATTA);
    } else if (r.replay) {
        game.menuChosen(MenuItem::CANCEL);
        game.menuChosen(MenuItem::KIFU_READ);
        const QStringList kept = QDir(QStringLiteral("棋譜")).entryList(QDir::Files);
        if (!kept.isEmpty()) game.File1_Click(kept.front().toStdString());
        for (int i = 0; i < 4; ++i) game.menuChosen(MenuItem::AFTER);
    } else if (!r.turned && !r.promotion && !r.version) {
        click(window, leftBoardX, 3, 6);  // pick up a pawn
    }
    if (r.turned) game.menuChosen(MenuItem::BAN_MAWASU);
    QApplication::processEvents();
    // The bar's search runs beside the window; its value comes back as an event.
    QElapsedTimer waited;
    waited.start();
    const auto waitForTheBar = [&] {
        while (game.evaluation().searching() && waited.elapsed() < 20000) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
    };
    waitForTheBar();
    if (!r.review) return;
    game.menuChosen(MenuItem::KENTOU);
    while (game.review().running() && waited.elapsed() < 60000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    if (const GameReview* review = game.review().result())
        for (const ReviewedMove& m : review->moves)
            if (m.mark != ReviewMark::none) {
                game.graphClicked(m.ply - 1);
                break;
            }
    waitForTheBar();
}

// Kings and pawns on both boards; the computer drops a gold in front of the human's king on the
// left board, the human plays on the right board and the gold takes the king.
void playToTheEnd(MainWindow& window, const Request& r) {
    Game& game = window.game();
    game.resumeInterruptedGame();
    if (r.english) game.menuChosen(MenuItem::EIGO);
    game.menuChosen(MenuItem::LEVEL3);  // the level whose replies the position is made for
    GameState& s = game.position();
    for (BoardState* b : {&s.left, &s.right}) {
        b->board = {};
        b->manHand = {};
        b->comHand = {};
    }
    const auto put = [](BoardState& b, int f, int r, Code code) { b.board[f][r] = code; };
    put(s.left, 5, 9, manKing);
    put(s.left, 5, 7, comPawn);
    put(s.left, 9, 1, comKing);
    put(s.right, 5, 9, manKing);
    put(s.right, 5, 7, manPawn);
    put(s.right, 5, 1, comKing);
    s.left.comHand[5] = 1;
    s.left.manKingFile = s.right.manKingFile = 5;
    s.left.manKingRank = s.right.manKingRank = 9;
    s.left.comKingFile = 9;
    s.left.comKingRank = 1;
    s.right.comKingFile = 5;
    s.right.comKingRank = 1;
    for (BoardState* b : {&s.left, &s.right}) recountHandTotals(*b);
    game.redrawEverything();
    game.menuChosen(MenuItem::GOTE);
    click(window, rightBoardX, 5, 7);
    click(window, rightBoardX, 5, 6);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Request> request = readArguments(argc, argv);
    if (!request) {
        std::fprintf(stderr,
                     "usage: nobakuza-screenshot OUTPUT.png [english] "
                     "[hint | turned | end | promotion | takeback | evaluation | review | replay | "
                     "version] "
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

    MainWindow window(qApp->devicePixelRatio());
    QImage shot;
    // Nobody reads the boxes here: take the default answer. The end box is pictured over the
    // window and answered with its third button, 棋譜を見る; the promotion question is pictured
    // over the window, at its middle, and answered with its default. The version box is taken
    // as it shows, then closed.
    const auto pictureOver = [&](QMessageBox* box) {
        QApplication::processEvents();
        shot = window.grab().toImage();
        const QPixmap boxPicture = box->grab();
        QPainter painter(&shot);
        const QSize area = shot.deviceIndependentSize().toSize();
        const QSize boxSize = boxPicture.deviceIndependentSize().toSize();
        painter.drawPixmap((area.width() - boxSize.width()) / 2,
                           (area.height() - boxSize.height()) / 2, boxPicture);
    };
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                shot = dialog->grab().toImage();
                dialog->accept();
            }
            return;
        }
        QAbstractButton* view = nullptr;
        for (QAbstractButton* b : box->buttons())
            if (view == nullptr && box->buttonRole(b) == QMessageBox::ActionRole) view = b;
        if (request->end && view != nullptr) {
            pictureOver(box);
            view->click();
            return;
        }
        if (request->promotion && shot.isNull() && box->buttons().size() == 2 &&
            box->defaultButton() != nullptr && window.game().position().moveNumber == 4)
            pictureOver(box);
        box->defaultButton()->click();
    });
    answer.start(20);

    window.load();
    window.resize(window.sizeHint());
    window.show();
    window.loadAfterFirstFrame();  // the move list and the sound, as after the first frame
    if (request->end)
        playToTheEnd(window, *request);
    else
        playOpening(window, *request);
    if (request->version) window.game().menuChosen(MenuItem::VER);

    if (shot.isNull()) shot = window.grab().toImage();
    if (!shot.save(output)) {
        std::fprintf(stderr, "nobakuza-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    window.game().Form_Unload();
    return 0;
}
