// The panels around the picture: the status line under it and the move list beside it.
#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/window_settings.h"

namespace nobakuza {

namespace {

// Holds the move list's place beside the picture until the list is made: an item view asks for 256
// x 192 pixels before it has items.
class MoveListStandIn final : public QWidget {
  public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {256, 192}; }
};

}  // namespace

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

}  // namespace nobakuza
