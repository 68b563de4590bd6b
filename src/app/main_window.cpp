#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/picture_art.h"
#include "app/program_start.h"
#include "ui/help_version.h"

namespace nobakuza {

namespace {

// Holds the move list's place beside the picture until the list is made: an item view asks for 256
// x 192 pixels before it has items.
class MoveListStandIn final : public QWidget {
  public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {256, 192}; }
};

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The window at 96 dots per inch, in pixels.
constexpr double logicalWidth = double(windowWidth) / twipsPerPixel;
constexpr double logicalHeight = double(windowHeight) / twipsPerPixel;

// The version dialog: the picture on top, the two buttons under it.
class VersionPicture final : public QWidget {
  public:
    VersionPicture(const std::array<std::string, 3>& lines, QWidget* parent)
        : QWidget(parent), lines_(lines) {}

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
        const auto& lines = lines_;
        const int lineHeight = height() / 4;
        for (std::size_t i = 0; i < lines.size(); ++i)
            p.drawText(QRect(icon + 28, 8 + static_cast<int>(i) * lineHeight, width() - icon - 36,
                             lineHeight),
                       Qt::AlignVCenter | Qt::AlignLeft, qs(lines[i]));
    }

  private:
    std::array<std::string, 3> lines_;
};

// The window's size and place and the move list's state, in the desktop's usual place for
// settings (~/.config/Nobakuza/Nobakuza.conf).
QSettings windowSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, qs(programName),
                     qs(programName));
}
const QString geometryKey = QStringLiteral("window/geometry");
const QString moveListKey = QStringLiteral("window/moveList");

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

MainWindow::MainWindow(double canvasScale)
    : canvas_(canvasScale),
      buttonCaptions_{QStringLiteral("OK"), QStringLiteral("はい"), QStringLiteral("いいえ")} {
    setWindowTitle(qs(programName));
    // The picture, and the move list beside it.
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    view_ = new GameView(canvas_, central);
    row->addWidget(view_, 1);
    setCentralWidget(central);
    buildMenus();
    buildPanels();
    view_->onResized = [this] {
        if (panel_) panel_->layout();
    };
    canvas_.setOnRefresh([this] { view_->repaint(); });
    view_->onMouseDown = [this](int button, double x, double y) {
        run([&] { game_->Form_MouseDown(button, 0, x, y); });
    };
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!pausing_) run([&] { game_->Timer1_Timer(); });
    });
    system_ = std::make_unique<WindowSystem>(
        WindowSystem{canvas_, *this, *this, *this, *this, *this, *this, *this, sound_,
                     static_cast<std::int32_t>(winId() & 0x7fffffff), this});
    game_ = std::make_unique<Game>(*system_);
}

MainWindow::~MainWindow() {
    timer_.stop();
    // A window torn down without a shutdown event still gives its sounds back.
    if (game_) game_->終了処理();
}

RecordPanel& MainWindow::panel() const {
    if (panel_) return *panel_;
    panel_ = std::make_unique<RecordPanel>(*view_);
    auto* self = const_cast<MainWindow*>(this);
    panel_->onDriveChosen = [self](const std::string& path) {
        self->run([&] { self->game_->Drive1_Change(path); });
    };
    panel_->onFolderChosen = [self](const std::string& path) {
        self->run([&] { self->game_->Dir1_Change(path); });
    };
    panel_->onFileChosen = [self](const std::string& name) {
        self->run([&] { self->game_->File1_Click(name); });
    };
    panel_->onReturn = [self] { self->run([&] { self->game_->Command1_Click(); }); };
    if (panelCaptions_) panel_->setCaptions(panelCaptions_->fields, panelCaptions_->returnButton);
    panel_->layout();
    return *panel_;
}

void MainWindow::load() {
    run([&] { game_->loadBeforeFirstFrame(); });
}

void MainWindow::loadAfterFirstFrame() {
    // The installed icon, as the menu entry shows it; the king drawn here where there is none.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("nobakuza"),
                                   QIcon(QPixmap::fromImage(art::renderIcon(64)))));
    ensureMoveList();
    run([&] { game_->loadAfterFirstFrame(); });
}

void MainWindow::ensureMoveList() {
    if (moves_ != nullptr) return;
    moves_ = new QListWidget(movePanel_);
    moves_->setSelectionMode(QAbstractItemView::SingleSelection);
    moves_->setFocusPolicy(Qt::NoFocus);  // the board keeps the keys, Escape included
    QFont mono = moves_->font();
    mono.setFamily(Canvas::fontFamily());
    moves_->setFont(mono);
    connect(moves_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int n = moves_->row(item) + 1;
        run([&] { game_->moveListClicked(n); });
    });
    QLayoutItem* standIn = movePanel_->layout()->takeAt(1);
    delete standIn->widget();
    delete standIn;
    static_cast<QVBoxLayout*>(movePanel_->layout())->addWidget(moves_, 1);
    setMoveList(pendingMoves_, pendingCurrentMove_);
    pendingMoves_.clear();
}

void MainWindow::buildPanels() {
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    // A panel of the window rather than a dock: a dock's title buttons load the icon machinery
    // before the first frame. The list itself comes after the first frame (an item view wakes
    // the accessibility bridge, a D-Bus connection); until then a stand-in of its size.
    movePanel_ = new QFrame(centralWidget());
    movePanel_->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(movePanel_);
    column->setContentsMargins(4, 4, 4, 4);
    moveListTitle_ = new QLabel(movePanel_);
    column->addWidget(moveListTitle_);
    column->addWidget(new MoveListStandIn(movePanel_), 1);
    static_cast<QHBoxLayout*>(centralWidget()->layout())->addWidget(movePanel_);
    moveListWanted_ = windowSettings().value(moveListKey, true).toBool();
    movePanel_->setVisible(moveListWanted_);
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
        ok = box.addButton(buttonCaptions_[0], QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(buttonCaptions_[1], QMessageBox::YesRole);
        no = box.addButton(buttonCaptions_[2], QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    }
    const bool wasPausing = pausing_;
    box.exec();
    pausing_ = wasPausing;
    if (buttons == MessageButtons::ok) return MessageAnswer::ok;
    return box.clickedButton() == yes ? MessageAnswer::yes : MessageAnswer::no;
}

void MainWindow::setButtonCaptions(std::string_view ok, std::string_view yes, std::string_view no) {
    buttonCaptions_ = {qs(ok), qs(yes), qs(no)};
}

void MainWindow::versionDialog(const VersionTexts& texts) {
    QDialog dialog(this);
    dialog.setWindowTitle(qs(texts.title));
    dialog.setFixedSize(versionDialogWidth / twipsPerPixel, versionDialogHeight / twipsPerPixel);
    auto* picture = new VersionPicture(texts.lines, &dialog);
    picture->setGeometry(0, 0, dialog.width(), versionPictureHeight / twipsPerPixel);
    auto* home = new QPushButton(qs(texts.homePage), &dialog);
    home->setGeometry(
        twipRect(homePageButton.x, homePageButton.y, homePageButton.width, homePageButton.height));
    auto* ok = new QPushButton(qs(texts.ok), &dialog);
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

void MainWindow::setCaption(MenuItem item, std::string_view caption) {
    if (QAction* a = action(item)) a->setText(qs(caption));
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

// Until the panel is first shown there is nothing to hide and no field holds anything.
void MainWindow::setListsVisible(bool drive, bool folder, bool file) {
    if (panel_ || drive || folder || file) panel().setListsVisible(drive, folder, file);
}

void MainWindow::setSaveFieldsVisible(bool visible) {
    if (panel_ || visible) panel().setSaveFieldsVisible(visible);
}

std::string MainWindow::saveField(SaveField field) const {
    return panel_ ? panel_->field(field) : std::string();
}

std::string MainWindow::folder() const {
    return panel().folder();
}

bool MainWindow::setFolder(const std::string& path) {
    return panel().setFolder(path);
}

void MainWindow::refreshFileList() {
    panel().refreshFileList();
}

void MainWindow::setCaptions(const std::array<std::string, 4>& fieldCaptions,
                             std::string_view returnCaption) {
    // Kept for a panel made later, when it is first shown.
    panelCaptions_ = {fieldCaptions, std::string(returnCaption)};
    if (panel_) panel_->setCaptions(fieldCaptions, returnCaption);
}

void MainWindow::setStatusLine(std::string_view text) {
    status_->setText(qs(text));
    // Also in the middle of a long handler ("思考中" while the computer searches).
    status_->repaint();
}

void MainWindow::setMoveList(const std::vector<std::string>& lines, int current) {
    if (moves_ == nullptr) {
        pendingMoves_ = lines;
        pendingCurrentMove_ = current;
        return;
    }
    const int shown = moves_->count();
    const int common = std::min(shown, static_cast<int>(lines.size()));
    for (int i = 0; i < common; ++i)
        if (moves_->item(i)->text() != qs(lines[static_cast<std::size_t>(i)]))
            moves_->item(i)->setText(qs(lines[static_cast<std::size_t>(i)]));
    for (int i = shown - 1; i >= common; --i) delete moves_->takeItem(i);
    for (std::size_t i = static_cast<std::size_t>(common); i < lines.size(); ++i)
        moves_->addItem(qs(lines[i]));
    if (current >= 0 && current < moves_->count()) {
        moves_->setCurrentRow(current);
        moves_->scrollToItem(moves_->item(current));
    } else {
        moves_->clearSelection();
        moves_->setCurrentRow(-1);
    }
}

void MainWindow::setMoveListTitle(std::string_view title) {
    moveListTitle_->setText(qs(title));
}

void MainWindow::setMoveListVisible(bool visible) {
    moveListWanted_ = visible;
    movePanel_->setVisible(visible);
    windowSettings().setValue(moveListKey, visible);
}

bool MainWindow::moveListVisible() const {
    return moveListWanted_;
}

void MainWindow::rememberWindow() {
    QSettings settings = windowSettings();
    settings.setValue(geometryKey, saveGeometry());
    settings.setValue(moveListKey, moveListWanted_);
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

void MainWindow::offerInterruptedGame() {
    run([&] { game_->resumeInterruptedGame(); });
}

void MainWindow::endProgram() {
    rememberWindow();
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
    if (const auto status = answerCommandLine(argc, argv)) return *status;
    holdQtMessages();
    // The menu bar stays in the window: asking the desktop for a global one means a D-Bus
    // round trip (or starting a bus) before the first frame.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    passOnQtMessages();
    QApplication::setApplicationName(qs(programName));
    // Ties the window to the menu entry (and its icon) on desktops that ask.
    QGuiApplication::setDesktopFileName(QStringLiteral("nobakuza"));
    QFont font = QApplication::font();
    font.setFamily(Canvas::fontFamily());
    QApplication::setFont(font);

    MainWindow window(canvasScaleForScreen());
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
