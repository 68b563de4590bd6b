// The canvas rendered off-screen: pictures, tiles, outlines and texts must land where the
// layout grid puts them, at 1x and at 2x.
#include "app/canvas.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRawFont>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/picture_art.h"
#include "app/window_settings.h"
#include "game/game.h"
#include "support/fake_sound_api.h"
#include "support/scripted_window.h"
#include "ui/help_version.h"
#include "ui/menu_items.h"
#include "ui/texts.h"

namespace nobakuza {
namespace {

using testing::FakeSoundApi;
using testing::ScriptedWindow;
using testing::TemporaryFolder;

// The scripted window for everything but the surface, which is the real canvas.
struct CanvasGame {
    // `asideScale`: the pictures of the title and a few pieces drawn on a thread at that scale,
    // as the start-up draws them, for the canvas to take.
    explicit CanvasGame(double scale, double asideScale = 0) : canvas(scale) {
        if (asideScale > 0)
            canvas.adoptPictures(
                asideScale, Canvas::drawAside(asideScale, {titlePictureCode, manKing, comBishop,
                                                           manRook, comPawn}));
        game = std::make_unique<Game>(system);
        game->Form_Load();
    }
    TemporaryFolder folder;
    Canvas canvas;
    ScriptedWindow window;
    FakeSoundApi sound;
    WindowSystem system{canvas, window, window, window, window, window, window, window, sound, 1};
    std::unique_ptr<Game> game;
};

QImage sprite(int code, double scale) {
    const PictureSize size = pictureSize(code);
    QImage img(static_cast<int>(std::lround(size.width * scale)),
               static_cast<int>(std::lround(size.height * scale)), QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF area(0, 0, img.width(), img.height());
    if (isBackgroundCode(code)) {
        art::drawBackground(p, area, code);
    } else {
        art::drawPiece(p, area, emptySquare);
        if (code != emptySquare) art::drawPiece(p, area, static_cast<Code>(code));
    }
    return img;
}

QPoint pixelOf(const Canvas& canvas, double twipsX, double twipsY) {
    return QPoint(static_cast<int>(std::lround(canvas.toPixels(twipsX))),
                  static_cast<int>(std::lround(canvas.toPixels(twipsY))));
}

// Compares the inside of a painted picture (away from the outline and the neighbours' overlap)
// with the picture itself; returns the number of differing pixels.
int differingPixels(const QImage& image, QPoint at, const QImage& picture, int margin) {
    int differing = 0;
    for (int y = margin; y < picture.height() - 2 * margin; ++y)
        for (int x = margin; x < picture.width() - 2 * margin; ++x)
            if (image.pixel(at.x() + x, at.y() + y) != picture.pixel(x, y)) ++differing;
    return differing;
}

int pixelsLike(const QImage& image, QRect area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (QColor(image.pixel(x, y)) == colour) ++n;
    return n;
}

class CanvasAtScale : public ::testing::TestWithParam<double> {};

TEST_P(CanvasAtScale, StartingScreenPutsEveryThingOnItsGridCell) {
    const double scale = GetParam();
    CanvasGame g(scale);
    const QImage& image = g.canvas.image();
    EXPECT_EQ(image.width(), static_cast<int>(std::ceil(windowWidth * scale / 15)));
    EXPECT_EQ(image.height(), static_cast<int>(std::ceil(windowHeight * scale / 15)));
    const std::string name = "canvas-" + std::to_string(static_cast<int>(scale)) + "x.png";
    image.save(QString::fromStdString(std::string(NOBAKUZA_TEST_OUTPUT_DIR) + "/" + name));

    const int margin = static_cast<int>(std::lround(2 * scale));
    // Pieces on their squares, both boards, both sides; the empty square in the middle.
    struct Square {
        int origin, file, rank;
        Code code;
    };
    for (const Square s : {Square{leftBoardX, 5, 9, manKing}, Square{leftBoardX, 8, 2, comBishop},
                           Square{rightBoardX, 1, 1, comLance}, Square{rightBoardX, 8, 8, manRook},
                           Square{leftBoardX, 5, 5, emptySquare}}) {
        SCOPED_TRACE(s.code);
        const QPoint at = pixelOf(g.canvas, cellX(s.origin, s.file), cellY(s.rank));
        EXPECT_EQ(differingPixels(image, at, sprite(s.code, scale), margin), 0);
        // Its outline in the square-frame green.
        EXPECT_EQ(QColor(image.pixel(at)), QColor(0, 128, 0));
    }
    // The human's empty hand beside the left board.
    const QPoint hand = pixelOf(g.canvas, cellX(leftBoardX, 11), cellY(5));
    EXPECT_EQ(differingPixels(image, hand, sprite(emptySquare, scale), margin), 0);
    // A background tile between the boards.
    const QPoint tile = pixelOf(g.canvas, cellX(leftBoardX, 15), cellY(5));
    EXPECT_EQ(differingPixels(image, tile, sprite(backgroundGreen, scale), margin), 0);

    // Texts: yellow labels over black shadows above the first column and beside the first row,
    // and the white clocks at row 9.
    const auto box = [&](double x, double y, double w, double h) {
        const QPoint a = pixelOf(g.canvas, cellX(leftBoardX, x), cellY(y));
        const QPoint b = pixelOf(g.canvas, cellX(leftBoardX, x + w), cellY(y + h));
        return QRect(a, b);
    };
    EXPECT_GT(pixelsLike(image, box(1, 0.4, 0.6, 0.6), QColor(255, 255, 0)), 0);
    EXPECT_GT(pixelsLike(image, box(1, 0.4, 0.6, 0.6), QColor(0, 0, 0)), 0);
    EXPECT_GT(pixelsLike(image, box(10.1, 1.3, 0.8, 0.6), QColor(255, 255, 0)), 0);
    EXPECT_GT(pixelsLike(image, box(28.2, 9.3, 0.8, 0.6), QColor(255, 255, 0)), 0);
    EXPECT_GT(pixelsLike(image, box(-2.2, 9.2, 2.0, 0.6), QColor(255, 255, 255)), 0);
    EXPECT_GT(pixelsLike(image, box(31.1, 9.2, 2.0, 0.6), QColor(255, 255, 255)), 0);
    // Nothing yellow where no label is.
    EXPECT_EQ(pixelsLike(image, box(15, 3, 1, 1), QColor(255, 255, 0)), 0);
}

TEST_P(CanvasAtScale, PicturesDrawnAsideAreThoseDrawnInPlace) {
    const double scale = GetParam();
    CanvasGame inPlace(scale);
    CanvasGame aside(scale, scale);
    CanvasGame otherScale(scale, scale + 0.5);  // drawn at another scale, they are not taken
    const int w = static_cast<int>(std::lround(pictureSize(emptySquare).width * scale));
    const int h = static_cast<int>(std::lround(pictureSize(emptySquare).height * scale));
    for (const auto& [file, rank] : {std::pair{5, 9}, {8, 2}, {2, 8}, {3, 3}, {5, 5}}) {
        SCOPED_TRACE(file * 10 + rank);
        const QRect cell(pixelOf(inPlace.canvas, cellX(leftBoardX, file), cellY(rank)),
                         QSize(w, h));
        const QImage expected = inPlace.canvas.image().copy(cell);
        EXPECT_TRUE(aside.canvas.image().copy(cell) == expected);
        EXPECT_TRUE(otherScale.canvas.image().copy(cell) == expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, CanvasAtScale, ::testing::Values(1.0, 2.0));

TEST(CanvasText, TheFontHasEveryGlyphTheGameShows) {
    std::string all;
    for (int code = -950; code <= 1009; ++code) all += std::string(文字列変換(code));
    for (int level = -10; level <= 10; ++level) all += std::string(handicapText(level));
    for (const MenuEntry& e : menuEntries()) all += std::string(e.caption);
    all +=
        "手目LEVEL0123456789:思考中よし！!王手の勝ちですあなたｺﾝﾋﾟｭｰﾀ先手後手続けますか？"
        "再ゲーム終了「対局」で始めて下さい開始棋譜を '進 'で進めて下さい局面→最初にして下さい"
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定棋譜ﾓｰﾄﾞではできません対局途中反転後Direct Soundインターフェースが作成"
        "OKはいいえ";
    const QRawFont font = QRawFont::fromFont(QFont(Canvas::fontFamily()));
    ASSERT_TRUE(font.isValid());
    EXPECT_TRUE(Canvas::fontFamily().startsWith(QStringLiteral("IPA")));
    for (const QChar c : QString::fromStdString(all))
        EXPECT_TRUE(font.supportsCharacter(c)) << QString(c).toStdString();
}

TEST(GameViewMapping, ClicksMapBackToTwipsWhateverTheWindowSize) {
    Canvas canvas(1.0);
    GameView view(canvas);
    for (const QSize size : {QSize(994, 494), QSize(2000, 500), QSize(600, 900)}) {
        view.resize(size);
        const QRectF r = view.imageRect();
        // The image keeps its proportions and is centred.
        EXPECT_NEAR(r.width() / r.height(), 14900.0 / 7400.0, 1e-9);
        EXPECT_NEAR(std::max(r.width() / size.width(), r.height() / size.height()), 1.0, 1e-9);
        const QPointF topLeft = view.toTwips(r.topLeft());
        const QPointF centre = view.toTwips(r.center());
        EXPECT_NEAR(topLeft.x(), 0, 1e-9);
        EXPECT_NEAR(topLeft.y(), 0, 1e-9);
        EXPECT_NEAR(centre.x(), 7450, 1e-9);
        EXPECT_NEAR(centre.y(), 3700, 1e-9);
        // A point inside left-board square (3, 6) maps into it.
        const QPointF inside(r.left() + r.width() * (cellX(leftBoardX, 3.5) / 14900.0),
                             r.top() + r.height() * (cellY(6.5) / 7400.0));
        const QPointF t = view.toTwips(inside);
        EXPECT_EQ(screenColumnAt(t.x()), 3);
        EXPECT_EQ(gridRowAt(t.y()), 6);
        // The margins around the kept proportions show no black bars.
        const QImage shown = view.grab().toImage();
        EXPECT_EQ(shown.pixelColor(0, 0), canvas.image().pixelColor(0, 0)) << size.width();
        EXPECT_EQ(shown.pixelColor(size.width() - 1, size.height() - 1),
                  canvas.image().pixelColor(0, 0));
    }
}

// The window itself, without starting the game (no sound library, no boxes).
TEST(MainWindowParts, MenuBarAndRecordPanelFollowTheGame) {
    TemporaryFolder folder;
    folder.write("a.棋譜", "x");
    folder.write("b.txt", "x");
    std::filesystem::create_directory(folder.path() / "games");

    MainWindow window(1.0);
    // The bar holds the menus in order, with their captions (戻 and 進 with their keys, which
    // the bar shows nowhere else); check marks are the game's.
    QStringList bar;
    for (QAction* a : window.menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar.join(' '), QStringLiteral("対局 局面 戻 ← 進 → △ ▽ 棋譜 ｵﾌﾟｼｮﾝ その他"));
    EXPECT_EQ(window.action(MenuItem::LEVEL)->text(), QStringLiteral("COM対局ﾚﾍﾞﾙ"));
    window.setChecked(MenuItem::UCHU, true);
    EXPECT_TRUE(window.isChecked(MenuItem::UCHU));
    EXPECT_FALSE(window.isChecked(MenuItem::TAKE));

    window.resize(1400, 900);
    window.setListsVisible(true, true, true);
    window.setSaveFieldsVisible(true);
    GameView& view = window.view();
    const auto twipsOf = [&](const char* className, int index) {
        QWidgetList found;
        for (QWidget* w : view.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->inherits(className) && w->isVisibleTo(&view)) found << w;
        EXPECT_GT(found.size(), index) << className;
        if (found.size() <= index) return QPointF();
        return view.toTwips(found[index]->geometry().topLeft());
    };
    // Placed in twips over the image, whatever the window's size (within a pixel).
    const double pixel = 14900.0 / view.imageRect().width();
    const QPointF drive = twipsOf("QComboBox", 0);
    EXPECT_NEAR(drive.x(), 240, pixel);
    EXPECT_NEAR(drive.y(), 360, pixel);
    const QPointF button = twipsOf("QPushButton", 0);
    EXPECT_NEAR(button.x(), 3360, pixel);
    EXPECT_NEAR(button.y(), 3000, pixel);

    // The file list shows the record files of the folder only; the folder list its folders.
    EXPECT_EQ(window.folder(), folder.path().string());
    auto* files = view.findChildren<QListWidget*>()[1];
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), QStringLiteral("a.棋譜"));
    EXPECT_FALSE(window.setFolder((folder.path() / "nowhere").string()));
    EXPECT_EQ(window.folder(), folder.path().string());
    EXPECT_TRUE(window.setFolder((folder.path() / "games").string()));
    EXPECT_EQ(files->count(), 0);

    // Hiding the fields empties them.
    view.findChildren<QLineEdit*>()[0]->setText(QStringLiteral("対局"));
    window.setSaveFieldsVisible(false);
    for (const SaveField f : {SaveField::fileName, SaveField::gameName})
        EXPECT_EQ(window.saveField(f), "");
}

// The level chosen is the next start's, kept beside the window's size.
TEST(MainWindowParts, TheLevelChosenIsKeptForTheNextStart) {
    TemporaryFolder folder;
    windowSettings().remove(levelKey);
    {
        MainWindow window(1.0);
        window.load();
        window.game().menuChosen(MenuItem::LEVEL5);
        window.endProgram();
    }
    MainWindow next(1.0);
    next.load();
    EXPECT_EQ(next.game().position().comLevel, 5);
    EXPECT_TRUE(next.isChecked(MenuItem::LEVEL5));
    EXPECT_FALSE(next.isChecked(MenuItem::LEVEL3));
}

// The end box of the real window offers its four answers, and each extra one is told apart.
TEST(MainWindowParts, TheEndBoxOffersToLookAtAndToReviewTheGame) {
    TemporaryFolder folder;
    MainWindow window(1.0);
    window.load();
    for (const auto& [caption, answer] :
         {std::pair{"棋譜を見る", MessageAnswer::view}, std::pair{"検討", MessageAnswer::review}}) {
        QStringList captions;
        QTimer::singleShot(0, [&captions, caption = QString::fromUtf8(caption)] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            QAbstractButton* chosen = box->escapeButton();
            for (QAbstractButton* b : box->buttons()) {
                captions << b->text();
                if (b->text() == caption) chosen = b;
            }
            chosen->click();
        });
        EXPECT_EQ(window.messageBox("続けますか？", "再ゲーム", MessageButtons::yesNoView, false),
                  answer);
        EXPECT_EQ(captions.size(), 4) << captions.join(u' ').toStdString();
    }
}

// The version box holds its lines whole, in either language: the text stops short of its right
// edge, with the background's colour beside it.
TEST(MainWindowParts, TheVersionBoxHoldsItsLinesWhole) {
    TemporaryFolder folder;
    MainWindow window(1.0);
    window.game().setLocaleFolder(std::string(NOBAKUZA_BINARY_DIR) + "/bin/locale");
    window.load();
    for (const MenuItem language : {MenuItem::NIHONGO, MenuItem::EIGO}) {
        window.game().menuChosen(language);
        QImage box;
        QTimer::singleShot(0, [&box] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                box = dialog->grab().toImage();
                dialog->accept();
            }
        });
        window.game().menuChosen(MenuItem::VER);
        ASSERT_FALSE(box.isNull());
        const QColor background = box.pixelColor(box.width() - 1, 2);
        const int pictureHeight = versionPictureHeight / twipsPerPixel;
        int rightmost = 0;  // the rightmost column with anything but the background
        for (int y = 0; y < pictureHeight; ++y)
            for (int x = 0; x < box.width(); ++x)
                if (box.pixelColor(x, y) != background) rightmost = std::max(rightmost, x);
        EXPECT_LT(rightmost, box.width() - 6) << static_cast<int>(language);
    }
}

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace nobakuza {
namespace {

double luminance(QColor c) {
    auto lin = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

QColor paletteColour(int index) {
    const Rgb c = paletteRgb(index);
    return QColor(c.r, c.g, c.b);
}

double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The contrast of a text against what surrounds it: the pixels between `from` and `reach`
// pixels away from the text's own pixels (those close to its exact colour), inside `box`; the
// pixels next to the glyphs are their own anti-aliased edge, not their surroundings. Returns
// the contrast with the median surrounding pixel and with the lightest tenth of them.
std::pair<double, double> surroundContrast(const QImage& img, const QRect& box, QColor colour,
                                           int from, int reach) {
    auto isText = [&](int x, int y) {
        const QColor p = img.pixelColor(x, y);
        return std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                   std::abs(p.blue() - colour.blue()) <
               60;
    };
    std::vector<double> around;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (isText(x, y)) continue;
            int distance = reach + 1;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx)
                    if (box.contains(x + dx, y + dy) && isText(x + dx, y + dy))
                        distance = std::min(distance, std::max(std::abs(dx), std::abs(dy)));
            if (distance >= from && distance <= reach)
                around.push_back(luminance(img.pixelColor(x, y)));
        }
    }
    if (around.empty()) return {0, 0};
    std::sort(around.begin(), around.end());
    const double text = luminance(colour);
    return {contrast(text, around[around.size() / 2]),
            contrast(text, around[around.size() * 9 / 10])};
}

// The hand counts (light red) and the coordinates (yellow) keep their colours and read on every
// background: at least 3:1 against what surrounds them, thanks to their black outline.
TEST(CanvasText, CountsAndCoordinatesStandOutOnEveryBackground) {
    constexpr double scale = 2.0;
    const char* names[] = {"", "", "green", "tatami", "bamboo", "space", "brick"};
    for (int background = backgroundGreen; background <= backgroundBrick; ++background) {
        CanvasGame g(scale);
        Game& game = *g.game;
        constexpr MenuItem items[] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE,
                                      MenuItem::UCHU, MenuItem::RENGA};
        game.menuChosen(items[background - backgroundGreen]);
        ASSERT_EQ(game.screenOptions().backgroundCode, background);
        for (BoardState* b : {&game.position().left, &game.position().right}) {
            for (int k = 1; k <= handKinds; ++k) b->manHand[k] = b->comHand[k] = 8;
            recountHandTotals(*b);
        }
        game.画面_再描画();
        const QImage img = g.canvas.image();
        auto pixels = [&](double c, double r, double w, double h) {
            return QRect(static_cast<int>(g.canvas.toPixels(cellX(leftBoardX, c))),
                         static_cast<int>(g.canvas.toPixels(cellY(r))),
                         static_cast<int>(g.canvas.toPixels(squareWidth * w)),
                         static_cast<int>(g.canvas.toPixels(squareHeight * h)));
        };
        // Up to 1.5 pixels at 96 dots per inch around the glyphs, their edge pixel left out.
        const int reach = static_cast<int>(std::lround(1.5 * scale));
        // Per colour: the worst median and the worst lightest tenth over all its texts.
        double worst[2][2] = {{99, 99}, {99, 99}};
        auto measure = [&](const QRect& box, QColor colour) {
            const auto [median, light] = surroundContrast(img, box, colour, 2, reach);
            const int which = colour.green() == 0 ? 1 : 0;
            worst[which][0] = std::min(worst[which][0], median);
            worst[which][1] = std::min(worst[which][1], light);
        };
        for (int i = 1; i <= 9; ++i) {
            measure(pixels(i, 0.35, 0.9, 0.6), QColor(255, 255, 0));          // file numbers
            measure(pixels(10.05, i + 0.25, 0.9, 0.6), QColor(255, 255, 0));  // rank numerals
        }
        for (int k = 1; k <= handKinds; ++k) {
            measure(pixels(11.95, k + 2.15, 1.0, 0.7), QColor(255, 0, 0));  // human's counts
            measure(pixels(-0.05, k + 0.15, 1.0, 0.7), QColor(255, 0, 0));  // computer's counts
        }
        std::printf(
            "contrast on %-7s: coordinates %.2f:1 (lightest tenth %.2f:1), counts %.2f:1 "
            "(lightest tenth %.2f:1)\n",
            names[background], worst[0][0], worst[0][1], worst[1][0], worst[1][1]);
        for (const auto& w : worst) {
            EXPECT_GE(w[0], 3.0) << names[background];
            EXPECT_GE(w[1], 3.0) << names[background];
        }
    }
}

// The outlines of the squares a picked piece may reach stand out as the labels do: at least 3:1
// against the squares on both sides of them, whatever the background.
TEST(CanvasGuidance, OutlinesStandOutOnEveryBackground) {
    constexpr double scale = 2.0;
    constexpr MenuItem items[] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE,
                                  MenuItem::UCHU, MenuItem::RENGA};
    for (const MenuItem background : items) {
        CanvasGame g(scale);
        Game& game = *g.game;
        game.menuChosen(background);
        game.menuChosen(MenuItem::SIDOU);
        game.menuChosen(MenuItem::START);
        const double origin = boardOriginX(leftBoardId);
        game.Form_MouseDown(leftButton, 0, cellX(origin, 7) + 200, cellY(7) + 240);  // a pawn
        const QImage img = g.canvas.image();
        const int guide = game.screenOptions().guideColor;
        const double outline = luminance(paletteColour(guide));
        // The top edge of the square it may reach (3f), and the squares above and below it.
        const int edge = static_cast<int>(g.canvas.toPixels(cellY(6)));
        const int inset = static_cast<int>(std::lround(3 * scale));
        double worst = 99;
        for (int x = static_cast<int>(g.canvas.toPixels(cellX(origin, 7))) + inset;
             x < static_cast<int>(g.canvas.toPixels(cellX(origin, 8))) - inset; ++x) {
            ASSERT_EQ(img.pixelColor(x, edge), paletteColour(guide)) << x;
            for (const int y : {edge - inset, edge + inset})
                worst = std::min(worst, contrast(outline, luminance(img.pixelColor(x, y))));
        }
        EXPECT_GE(worst, 3.0) << static_cast<int>(background);
    }
}

// The hint's outlines stand out as well on the squares the last moves tinted: the human's yellow
// target and origin (the hint often moves that piece again), and the computer's red ones. Measured
// against the median of a band on each side of the outline: the square's colour, not the strokes
// of a piece.
TEST(CanvasGuidance, HintOutlinesStandOutOnTheTintsOfTheLastMoves) {
    constexpr double scale = 2.0;
    CanvasGame g(scale);
    Game& game = *g.game;
    game.menuChosen(MenuItem::START);
    const double origin = boardOriginX(leftBoardId);
    auto click = [&](int file, int rank) {
        game.Form_MouseDown(leftButton, 0, cellX(origin, file) + 200, cellY(rank) + 240);
    };
    click(7, 7), click(7, 6);  // the first player's pawn
    click(3, 3), click(3, 4);  // the second player's
    const int inset = static_cast<int>(std::lround(3 * scale));
    const double outline = luminance(paletteColour(colorHint));
    for (const auto& [file, rank] : {std::pair{7, 6}, {7, 7}, {3, 4}, {3, 3}}) {
        const auto& tints = game.screen().tints();
        ASSERT_TRUE(
            std::any_of(tints.begin(), tints.end(),
                        [&](const SquareTint& t) { return t.file == file && t.rank == rank; }))
            << file << rank;
        g.canvas.outlineRect(cellX(origin, file), cellY(rank), cellX(origin, file + 1),
                             cellY(rank + 1), colorHint);
        const QImage img = g.canvas.image();
        const int edge = static_cast<int>(g.canvas.toPixels(cellY(rank)));
        for (const int direction : {-1, 1}) {
            std::vector<double> side;
            for (int d = inset; d <= 3 * inset; ++d)
                for (int x = static_cast<int>(g.canvas.toPixels(cellX(origin, file))) + inset;
                     x < static_cast<int>(g.canvas.toPixels(cellX(origin, file + 1))) - inset; ++x)
                    side.push_back(luminance(img.pixelColor(x, edge + direction * d)));
            std::nth_element(side.begin(), side.begin() + side.size() / 2, side.end());
            EXPECT_GE(contrast(outline, side[side.size() / 2]), 3.0)
                << file << rank << (direction < 0 ? " outside" : " inside");
        }
    }
}

}  // namespace
}  // namespace nobakuza
