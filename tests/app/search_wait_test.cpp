// The window while the computer's tree search runs: Escape, or closing the window, ends the
// program in the middle of the search, before the computer has played.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/main_window.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

// Answers the start-up's message boxes (no sound library in the test's folder) with OK.
class BoxCloser {
  public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->defaultButton()->click();
        });
        timer_.start(5);
    }

  private:
    QTimer timer_;
};

TEST(SearchWait, EscapeOrClosingTheWindowEndsTheProgramInTheMiddleOfTheSearch) {
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "close");
        testing::TemporaryFolder folder;
        BoxCloser boxes;
        MainWindow window(1.0);
        window.load();
        window.resize(window.sizeHint());
        window.show();
        QApplication::processEvents();
        window.action(MenuItem::LEVEL5)->trigger();
        ASSERT_EQ(window.game().position().comLevel, 5);
        // At the window's first look at its events once the search has started, long before
        // LEVEL5's second and a half is up; a click meanwhile is not the game's. How long the end
        // then takes is bench_window's to measure.
        QTimer::singleShot(0, &window, [&window, escape] {
            QCoreApplication::postEvent(
                &window.view(),
                new QMouseEvent(QEvent::MouseButtonPress, QPointF(200, 200), QPointF(200, 200),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            if (escape)
                QCoreApplication::postEvent(
                    &window.view(),
                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            else
                window.close();
        });
        // 後手 on a fresh board: the computer searches its first move at once.
        window.action(MenuItem::GOTE)->trigger();
        EXPECT_TRUE(window.game().ended());
        EXPECT_EQ(window.game().record().recordIndex, 0);
        EXPECT_EQ(window.game().position().moveNumber, 0);
        QApplication::processEvents();
        EXPECT_FALSE(window.isVisible());
    }
}

}  // namespace
}  // namespace nobakuza
