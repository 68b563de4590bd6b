// The menu bar, made from the game's table of menu entries, and the marks and captions the game
// sets on it.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/qt_text.h"

namespace nobakuza {

namespace {

// The keys of the commands, the platform's standard ones where there is one. The search's wait
// keeps every key but Escape from the window while the computer thinks.
struct CommandKey {
    MenuItem item;
    QKeySequence keys;
};

const std::array<CommandKey, 9>& commandKeys() {
    static const std::array<CommandKey, 9> keys = {{
        {MenuItem::MATTA, QKeySequence(QKeySequence::Undo)},
        {MenuItem::REPLAY, QKeySequence(Qt::Key_Left)},
        {MenuItem::AFTER, QKeySequence(Qt::Key_Right)},
        {MenuItem::KIFU_READ, QKeySequence(QKeySequence::Open)},
        {MenuItem::KIFU_WRITE, QKeySequence(QKeySequence::Save)},
        {MenuItem::KAISETU, QKeySequence(QKeySequence::HelpContents)},
        {MenuItem::HINT, QKeySequence(Qt::Key_H)},
        {MenuItem::BAN_MAWASU, QKeySequence(Qt::Key_F)},
        {MenuItem::OWARI, QKeySequence(QKeySequence::Quit)},
    }};
    return keys;
}

// An item of the menu bar itself shows no key beside it: its caption carries it.
QString barCaption(MenuItem item, const QString& caption) {
    if (item == MenuItem::REPLAY) return caption + QStringLiteral(" ←");
    if (item == MenuItem::AFTER) return caption + QStringLiteral(" →");
    return caption;
}

}  // namespace

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
        QAction* action = onBar ? menuBar()->addAction(barCaption(e.item, qs(e.caption)))
                                : parent->addAction(qs(e.caption));
        action->setCheckable(e.checkable);
        actions_[index] = action;
        const MenuItem item = e.item;
        connect(action, &QAction::triggered, this, [this, action, item](bool checked) {
            // The game sets the marks itself; undo the toggle Qt has just made.
            if (action->isCheckable()) action->setChecked(!checked);
            run([&] { game_->menuChosen(item); });
        });
    }
    for (const CommandKey& k : commandKeys()) action(k.item)->setShortcut(k.keys);
}

void MainWindow::setChecked(MenuItem item, bool checked) {
    if (QAction* a = action(item)) a->setChecked(checked);
}

bool MainWindow::isChecked(MenuItem item) const {
    const QAction* a = action(item);
    return a != nullptr && a->isChecked();
}

void MainWindow::setCaption(MenuItem item, std::string_view caption) {
    if (QAction* a = action(item)) a->setText(barCaption(item, qs(caption)));
}

}  // namespace nobakuza
