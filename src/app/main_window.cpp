#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/picture_art.h"
#include "ui/help_version.h"

namespace nobakuza {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window at 96 dots per inch, in pixels.
constexpr double logicalWidth = double(windowWidth) / twipsPerPixel;
constexpr double logicalHeight = double(windowHeight) / twipsPerPixel;

// The version dialog: the picture on top, the two buttons under it.
class VersionPicture final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillRect(rect(), QColor(24, 64, 36));
        const int icon = height() - 16;
        p.drawImage(QRect(12, 8, icon, icon), art::renderIcon(icon * 2));
        QFont font(Canvas::fontFamily());
        font.setPixelSize(std::max(10, height() / 5));
        p.setFont(font);
        p.setPen(QColor(250, 236, 200));
        const auto lines = versionPictureLines();
        const int lineHeight = height() / 4;
        for (std::size_t i = 0; i < lines.size(); ++i)
            p.drawText(QRect(icon + 28, 8 + static_cast<int>(i) * lineHeight, width() - icon - 36,
                             lineHeight),
                       Qt::AlignVCenter | Qt::AlignLeft, qs(lines[i]));
    }
};

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

QRect twipRect(int x, int y, int w, int h) {
    return QRect(x / twipsPerPixel, y / twipsPerPixel, w / twipsPerPixel, h / twipsPerPixel);
}

}  // namespace

// ---------------------------------------------------------------- GameView

GameView::GameView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMinimumSize(static_cast<int>(logicalWidth / 2), static_cast<int>(logicalHeight / 2));
}

QSize GameView::sizeHint() const {
    return QSize(static_cast<int>(std::ceil(logicalWidth)),
                 static_cast<int>(std::ceil(logicalHeight)));
}

QRectF GameView::imageRect() const {
    const double fit = std::min(width() / logicalWidth, height() / logicalHeight);
    const double w = logicalWidth * fit;
    const double h = logicalHeight * fit;
    return QRectF((width() - w) / 2, (height() - h) / 2, w, h);
}

QPointF GameView::toTwips(QPointF widgetPoint) const {
    const QRectF r = imageRect();
    return QPointF((widgetPoint.x() - r.left()) * windowWidth / r.width(),
                   (widgetPoint.y() - r.top()) * windowHeight / r.height());
}

void GameView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF target = imageRect();
    // The margins that keep the picture's proportions take the colour of the picture's corner,
    // so an enlarged window shows no bars.
    const QImage& img = canvas_.image();
    p.fillRect(rect(), img.isNull() ? QColor(Qt::black) : img.pixelColor(0, 0));
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, img,
                QRectF(0, 0, canvas_.toPixels(windowWidth), canvas_.toPixels(windowHeight)));
    if (!painted_) {
        painted_ = true;
        if (onFirstPaint) onFirstPaint();
    }
}

void GameView::resizeEvent(QResizeEvent*) {
    if (onResized) onResized();
}

void GameView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = leftButton;
    if (event->button() == Qt::RightButton) button = rightButton;
    if (button == 0 || !onMouseDown) return;
    const QPointF t = toTwips(event->position());
    onMouseDown(button, t.x(), t.y());
}

// ---------------------------------------------------------------- MainWindow

MainWindow::MainWindow(double canvasScale) : canvas_(canvasScale) {
    setWindowTitle(qs(programName));
    setWindowIcon(QIcon(QPixmap::fromImage(art::renderIcon(64))));
    view_ = new GameView(canvas_, this);
    setCentralWidget(view_);
    buildMenus();
    panel_ = std::make_unique<RecordPanel>(*view_);
    view_->onResized = [this] { panel_->layout(); };
    panel_->onDriveChosen = [this](const std::string& path) {
        run([&] { game_->Drive1_Change(path); });
    };
    panel_->onFolderChosen = [this](const std::string& path) {
        run([&] { game_->Dir1_Change(path); });
    };
    panel_->onFileChosen = [this](const std::string& name) {
        run([&] { game_->File1_Click(name); });
    };
    panel_->onReturn = [this] { run([&] { game_->Command1_Click(); }); };
    canvas_.setOnRefresh([this] { view_->repaint(); });
    view_->onMouseDown = [this](int button, double x, double y) {
        run([&] { game_->Form_MouseDown(button, 0, x, y); });
    };
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!pausing_) run([&] { game_->Timer1_Timer(); });
    });
    system_ = std::make_unique<WindowSystem>(
        WindowSystem{canvas_, *this, *this, *this, *this, *this, *this, *this, sound_,
                     static_cast<std::int32_t>(winId() & 0x7fffffff)});
    game_ = std::make_unique<Game>(*system_);
}

MainWindow::~MainWindow() {
    timer_.stop();
    // A window torn down without a shutdown event still gives its sounds back.
    if (game_) game_->終了処理();
}

void MainWindow::load() {
    run([&] { game_->Form_Load(); });
}

void MainWindow::buildMenus() {
    std::array<QMenu*, menuItemCount> menus{};
    for (const MenuEntry& e : menuEntries()) {
        const int index = static_cast<int>(e.item);
        const bool onBar = e.parent == e.item;
        QMenu* parent = onBar ? nullptr : menus[static_cast<int>(e.parent)];
        if (e.opensMenu) {
            QMenu* menu =
                onBar ? menuBar()->addMenu(qs(e.caption)) : parent->addMenu(qs(e.caption));
            menus[index] = menu;
            actions_[index] = menu->menuAction();
            const MenuItem item = e.item;
            connect(menu, &QMenu::aboutToShow, this,
                    [this, item] { run([&] { game_->menuChosen(item); }); });
            continue;
        }
        QAction* action =
            onBar ? menuBar()->addAction(qs(e.caption)) : parent->addAction(qs(e.caption));
        action->setCheckable(e.checkable);
        actions_[index] = action;
        const MenuItem item = e.item;
        connect(action, &QAction::triggered, this, [this, action, item](bool checked) {
            // The game sets the marks itself; undo the toggle Qt has just made.
            if (action->isCheckable()) action->setChecked(!checked);
            run([&] { game_->menuChosen(item); });
        });
    }
}

void MainWindow::run(const std::function<void()>& handler) {
    if (!game_ || game_->ended()) return;
    ++busy_;
    handler();
    --busy_;
    view_->update();
    if (busy_ == 0 && closePending_) {
        closePending_ = false;
        if (!game_->ended()) game_->Form_Unload();
    }
}

MessageAnswer MainWindow::messageBox(std::string_view text, std::string_view title,
                                     MessageButtons buttons, bool warningIcon) {
    QString body = qs(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(warningIcon ? QMessageBox::Warning : QMessageBox::NoIcon, qs(title), body,
                    QMessageBox::NoButton, isVisible() ? this : nullptr);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (buttons == MessageButtons::ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    }
    const bool wasPausing = pausing_;
    box.exec();
    pausing_ = wasPausing;
    if (buttons == MessageButtons::ok) return MessageAnswer::ok;
    return box.clickedButton() == yes ? MessageAnswer::yes : MessageAnswer::no;
}

void MainWindow::versionDialog() {
    QDialog dialog(this);
    dialog.setWindowTitle(qs(versionDialogTitle));
    dialog.setFixedSize(versionDialogWidth / twipsPerPixel, versionDialogHeight / twipsPerPixel);
    auto* picture = new VersionPicture(&dialog);
    picture->setGeometry(0, 0, dialog.width(), versionPictureHeight / twipsPerPixel);
    auto* home = new QPushButton(qs(homePageButton.caption), &dialog);
    home->setGeometry(
        twipRect(homePageButton.x, homePageButton.y, homePageButton.width, homePageButton.height));
    auto* ok = new QPushButton(qs(okButton.caption), &dialog);
    ok->setGeometry(twipRect(okButton.x, okButton.y, okButton.width, okButton.height));
    ok->setDefault(true);
    connect(home, &QPushButton::clicked, &dialog, [this, &dialog] {
        openPage(homePageAddress);  // a browser that does not start is no reason to stop
        dialog.accept();
    });
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

void MainWindow::setChecked(MenuItem item, bool checked) {
    if (QAction* a = action(item)) a->setChecked(checked);
}

bool MainWindow::isChecked(MenuItem item) const {
    const QAction* a = action(item);
    return a != nullptr && a->isChecked();
}

void MainWindow::setTimerEnabled(bool enabled) {
    if (enabled)
        timer_.start(clockTickMilliseconds);
    else
        timer_.stop();
}

bool MainWindow::timerEnabled() const {
    return timer_.isActive();
}

double MainWindow::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

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

bool MainWindow::openPage(std::string_view addressOrPath) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(qs(addressOrPath)));
}

void MainWindow::setListsVisible(bool drive, bool folder, bool file) {
    panel_->setListsVisible(drive, folder, file);
}

void MainWindow::setSaveFieldsVisible(bool visible) {
    panel_->setSaveFieldsVisible(visible);
}

std::string MainWindow::saveField(SaveField field) const {
    return panel_->field(field);
}

std::string MainWindow::folder() const {
    return panel_->folder();
}

bool MainWindow::setFolder(const std::string& path) {
    return panel_->setFolder(path);
}

void MainWindow::refreshFileList() {
    panel_->refreshFileList();
}

void MainWindow::endProgram() {
    ending_ = true;
    timer_.stop();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The board takes the keys from the start. With no widget holding the focus (a desktop
    // that does not activate new windows), a menu closed with Escape would leave the menu bar
    // holding it, and Escape would no longer end the game.
    activateWindow();
    view_->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || game_->ended()) {
        event->accept();
        return;
    }
    if (busy_ > 0) {
        // The handler under way runs to its end first.
        closePending_ = true;
        event->ignore();
        return;
    }
    run([&] { game_->Form_Unload(); });
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    int code = 0;
    if (event->key() == Qt::Key_Escape) {
        code = escapeKey;
    } else if (!event->text().isEmpty()) {
        code = event->text().at(0).unicode();
    }
    if (code == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    run([&] { game_->Form_KeyPress(code); });
}

// ---------------------------------------------------------------- start

double canvasScaleForScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 1.0;
    const QSize avail = screen->availableGeometry().size();
    const double fit =
        std::max(1.0, std::min(avail.width() / logicalWidth, avail.height() / logicalHeight));
    const double scale = std::ceil(screen->devicePixelRatio() * fit * 2) / 2;
    return std::clamp(scale, 1.0, 4.0);
}

int runNobakuza(int argc, char** argv, const std::function<void(MainWindow&)>& onFirstFrame) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(qs(programName));
    QFont font = QApplication::font();
    font.setFamily(Canvas::fontFamily());
    QApplication::setFont(font);

    MainWindow window(canvasScaleForScreen());
    if (onFirstFrame) window.view().onFirstPaint = [&] { onFirstFrame(window); };
    window.load();
    if (window.game().ended()) return 0;
    window.adjustSize();
    window.show();
    return QApplication::exec();
}

}  // namespace nobakuza
