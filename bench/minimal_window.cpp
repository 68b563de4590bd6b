// The yardstick of the start-up measurement: the least a Qt Widgets program does to show a
// window, at the game window's size, opened and painted once. Prints "first frame" on standard
// output when the first paint is done, then ends.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class Window final : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(0, 128, 0));
        if (painted_) return;
        painted_ = true;
        std::puts("first frame");
        std::fflush(stdout);
        QTimer::singleShot(0, this, &QWidget::close);
    }

  private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.resize(994, 515);  // the game's window: 994 x 494 pixels of boards and a menu bar
    window.show();
    return QApplication::exec();
}
