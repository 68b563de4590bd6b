// The menu bar, made from the game's table of menu entries, and the marks and captions the game
// sets on it.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/qt_text.h"

namespace nobakuza {

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
    // Turning the view is a single key, shown beside its item.
    actions_[static_cast<int>(MenuItem::BAN_MAWASU)]->setShortcut(QKeySequence(Qt::Key_F));
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

}  // namespace nobakuza
