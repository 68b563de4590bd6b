// The record file panel of the real window, off-screen: its controls at their places scaled with
// the window, a save and a load through its widgets, Escape and キャンセル closing it, a picture of
// the window with the panel open; and the menus' keys, as the window system hands them in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "files/text_file.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

struct Box {
    std::string text, title;
};

// Answers every message box with its default button, keeping what each said.
class BoxAnswerer {
  public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen.push_back({box->text().toStdString(), box->windowTitle().toStdString()});
            box->defaultButton()->click();
        });
        timer_.start(5);
    }
    std::vector<Box> seen;

  private:
    QTimer timer_;
};

void mouseClick(QWidget* w, QPoint at) {
    const QPointF local(at);
    const QPointF global = w->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// The panel's controls, told apart by where they sit.
struct Controls {
    QComboBox* drives = nullptr;
    QListWidget* folders = nullptr;
    QListWidget* files = nullptr;
    std::vector<QLineEdit*> fields;  // top to bottom: game name, 先手, 後手, file name
    QPushButton* returnButton = nullptr;
};

Controls controlsOf(QWidget* view) {
    Controls c;
    const auto combos = view->findChildren<QComboBox*>();
    if (combos.size() == 1) c.drives = combos[0];
    auto lists = view->findChildren<QListWidget*>();
    std::sort(lists.begin(), lists.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    if (lists.size() == 2) {
        c.folders = lists[0];
        c.files = lists[1];
    }
    for (QLineEdit* e : view->findChildren<QLineEdit*>())
        if (e->parentWidget() == view) c.fields.push_back(e);
    std::sort(c.fields.begin(), c.fields.end(),
              [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("RETURN")) c.returnButton = b;
    return c;
}

// Where a control of the given twips should be, for the picture's place in the view.
QRectF expected(const QRectF& image, double x, double y, double w, double h) {
    const double sx = image.width() / windowWidth;
    const double sy = image.height() / windowHeight;
    return QRectF(image.left() + x * sx, image.top() + y * sy, w * sx, h * sy);
}

void expectPlaced(QWidget* w, const QRectF& want) {
    const QRect got = w->geometry();
    EXPECT_NEAR(got.left(), want.left(), 1.01);
    EXPECT_NEAR(got.top(), want.top(), 1.01);
    EXPECT_NEAR(got.width(), want.width(), 2.01);
    EXPECT_NEAR(got.height(), want.height(), 2.01);
}

// Each caption shows whole, in a font that can be read, and its field leaves it uncovered.
void expectCaptionsReadable(QWidget* view, const Controls& c, int smallestFont) {
    std::vector<QLabel*> labels;
    for (QLabel* label : view->findChildren<QLabel*>())
        if (label->parentWidget() == view) labels.push_back(label);
    std::sort(labels.begin(), labels.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    ASSERT_EQ(labels.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        const QLabel* label = labels[k];
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->text().toStdString();
        EXPECT_GE(label->font().pixelSize(), smallestFont);
        EXPECT_LT(label->geometry().right(), c.fields[k]->geometry().left());
        EXPECT_NEAR(label->geometry().center().y(), c.fields[k]->geometry().center().y(), 1.5);
    }
}

TEST(FilePanel, SaveAndLoadThroughTheWidgetsWithThePanelAtItsPlaces) {
    testing::TemporaryFolder folder;
    BoxAnswerer boxes;
    MainWindow window(1.0);
    window.load();
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    Game& game = window.game();
    GameView& view = window.view();

    window.action(MenuItem::START)->trigger();
    auto click = [&](int file, int rank) {
        game.Form_MouseDown(leftButton, 0, cellX(leftBoardX, file + 0.5), cellY(rank + 0.5));
    };
    click(7, 7);
    click(7, 6);
    click(3, 3);
    click(3, 4);
    ASSERT_EQ(game.record().recordIndex, 2);
    const Table leftAfterTwo = game.position().left.board;

    window.action(MenuItem::KIFU_WRITE)->trigger();
    QApplication::processEvents();
    const Controls c = controlsOf(&view);
    ASSERT_NE(c.drives, nullptr);
    ASSERT_NE(c.folders, nullptr);
    ASSERT_EQ(c.fields.size(), 4u);
    ASSERT_NE(c.returnButton, nullptr);
    EXPECT_TRUE(c.drives->isVisible());
    EXPECT_TRUE(c.folders->isVisible());
    EXPECT_FALSE(c.files->isVisible());
    EXPECT_TRUE(c.returnButton->isVisible());
    EXPECT_EQ(c.drives->itemData(0).toString(), QStringLiteral("/"));
    const QRectF image = view.imageRect();
    expectPlaced(c.drives, expected(image, 240, 360, 2535, 300));
    expectPlaced(c.folders, expected(image, 240, 600, 2535, 1710));
    for (int k = 0; k < 4; ++k)
        expectPlaced(c.fields[k], expected(image, 960, 2400 + 240 * k, 2295, 270));
    expectPlaced(c.returnButton, expected(image, 3360, 3000, 855, 375));
    expectCaptionsReadable(&view, c, 10);

    // Escape in a field closes the panel, and only the panel; so does キャンセル.
    c.fields[3]->setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(c.fields[3], &escape);
    EXPECT_FALSE(game.ended());
    EXPECT_FALSE(c.returnButton->isVisible());
    window.action(MenuItem::KIFU_READ)->trigger();
    QPushButton* cancel = nullptr;
    for (QPushButton* b : view.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("キャンセル")) cancel = b;
    ASSERT_NE(cancel, nullptr);
    mouseClick(cancel, cancel->rect().center());
    EXPECT_FALSE(c.files->isVisible() || cancel->isVisible());
    window.action(MenuItem::KIFU_WRITE)->trigger();
    QApplication::processEvents();

    c.fields[0]->setFocus();  // the player types into the fields
    c.fields[0]->insert(QStringLiteral("王座戦　第一局"));
    c.fields[1]->insert(QStringLiteral("先手ｻﾝ"));
    c.fields[2]->insert(QStringLiteral("後手さん"));
    c.fields[3]->insert(QStringLiteral("王座戦"));
    const std::string picture = std::string(NOBAKUZA_TEST_OUTPUT_DIR) + "/file_panel_open.png";
    EXPECT_TRUE(window.grab().save(QString::fromStdString(picture)));

    boxes.seen.clear();
    mouseClick(c.returnButton, c.returnButton->rect().center());
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "棋譜を書き込みました");
    EXPECT_FALSE(c.returnButton->isVisible());
    EXPECT_TRUE(c.fields[3]->text().isEmpty());
    // With the panel closed the board has the keys again, so Escape still ends the game.
    EXPECT_EQ(window.focusWidget(), &view);
    const auto bytes = readWholeFile((folder.path() / "王座戦.棋譜").string());
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->rfind(*utf8ToSjis("王座戦　第一局\r\n後手さん\r\n先手ｻﾝ\r\n"), 0), 0u);
    EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\n'), 6);

    // Twice the size: every control keeps its place on the bigger picture. The view doubles;
    // the status line and the move list around it keep their size.
    window.resize(window.size() + view.size());
    QApplication::processEvents();
    window.action(MenuItem::KIFU_READ)->trigger();
    QApplication::processEvents();
    const QRectF big = view.imageRect();
    EXPECT_GT(big.width(), image.width() * 1.5);
    expectPlaced(c.drives, expected(big, 240, 360, 2535, 300));
    expectPlaced(c.files, expected(big, 240, 2280, 2535, 930));
    expectCaptionsReadable(&view, c, 20);
    EXPECT_TRUE(c.files->isVisible());
    EXPECT_FALSE(c.returnButton->isVisible());

    // Loading: a click on the file in the list.
    const auto found = c.files->findItems(QStringLiteral("王座戦.棋譜"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    boxes.seen.clear();
    mouseClick(c.files->viewport(), c.files->visualItemRect(found[0]).center());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].text, " 読み込みました");
    EXPECT_EQ(boxes.seen[1].title, "棋譜");
    EXPECT_FALSE(c.files->isVisible());
    EXPECT_EQ(game.position().kifuMode, flagYes);
    EXPECT_EQ(game.record().lastRecordIndex, 2);
    window.action(MenuItem::AFTER)->trigger();
    window.action(MenuItem::AFTER)->trigger();
    EXPECT_EQ(game.position().left.board, leftAfterTwo);
}

TEST(FilePanel, TheKeysOfTheMenusReachTheirCommands) {
    testing::TemporaryFolder folder;
    BoxAnswerer boxes;
    MainWindow window(1.0);
    window.load();
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();
    window.action(MenuItem::START)->trigger();
    window.activateWindow();  // a key of the menus is the active window's, once the box is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    boxes.seen.clear();
    // Through the window system's way in, where the shortcuts are looked up.
    QTest::keyClick(&window.view(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].title, "待った");
}

TEST(FilePanel, DriveListHoldsTheReadableMountsInOrder) {
    const std::string mounts =
        "proc /proc proc rw 0 0\n"
        "overlay / overlay rw,lowerdir=/x 0 0\n"
        "/dev/sdc1 /srv/archive ext4 rw 0 0\n"
        "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sdd1 /run/media/ann/Stick exfat rw 0 0\n"
        "/dev/sde1 /mnt/data xfs rw 0 0\n"
        "/dev/sde1 /mnt/data xfs rw 0 0\n"
        "/dev/loop3 /snap/core/17 squashfs ro 0 0\n"
        "overlay /var/lib/docker/overlay2/ab12/merged overlay rw 0 0\n"
        "/dev/sda2 /etc/hosts ext4 rw 0 0\n"
        "/dev/sdf1 /mnt/closed ext4 rw 0 0";
    const auto readable = [](const std::string& path) {
        return path != "/etc/hosts" && path != "/mnt/closed";
    };
    EXPECT_EQ(listDrives(mounts, "/home/ann", readable),
              (std::vector<std::string>{"/", "/home", "/media/ann/USB STICK", "/mnt/data",
                                        "/run/media/ann/Stick", "/srv/archive"}));

    const std::vector<std::string> drives = {"/", "/home/a", "/media/a"};
    EXPECT_EQ(driveHolding(drives, "/home/ab"), 0);
    EXPECT_EQ(driveHolding(drives, "/home/a/棋譜"), 1);
    EXPECT_EQ(driveHolding({"/home"}, "/homes"), -1);
}

TEST(FilePanel, ARefusedDriveAndANewFileAsThePlayerSeesThem) {
    testing::TemporaryFolder folder;
    BoxAnswerer boxes;
    MainWindow window(1.0);
    window.load();
    window.resize(window.sizeHint());
    window.show();
    QApplication::processEvents();

    window.action(MenuItem::KIFU_READ)->trigger();
    const Controls c = controlsOf(&window.view());
    ASSERT_NE(c.drives, nullptr);
    ASSERT_NE(c.files, nullptr);
    EXPECT_EQ(c.files->count(), 0);
    const int current = c.drives->currentIndex();
    boxes.seen.clear();  // the start-up's sound warning

    // A medium taken out after the list was made: refused, and the list shows the drive of the
    // folder still shown.
    c.drives->addItem(QStringLiteral("/media/gone"), QStringLiteral("/media/gone"));
    c.drives->setCurrentIndex(c.drives->count() - 1);
    emit c.drives->activated(c.drives->count() - 1);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "ﾃﾞﾊﾞｲｽが準備できていません");
    EXPECT_EQ(boxes.seen[0].title, "ｴﾗｰ");
    EXPECT_EQ(c.drives->currentIndex(), current);
    EXPECT_EQ(window.folder(), folder.path().string());

    // A record written while the panel was closed is listed when it opens again.
    window.action(MenuItem::KIFU_WRITE)->trigger();
    folder.write("新しい.棋譜", "x");
    window.action(MenuItem::KIFU_READ)->trigger();
    ASSERT_EQ(c.files->count(), 1);
    EXPECT_EQ(c.files->item(0)->text(), QStringLiteral("新しい.棋譜"));
}

}  // namespace
}  // namespace nobakuza
