#include "app/record_panel.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/main_window.h"

namespace nobakuza {

namespace {

// Positions in twips, as the panel was laid out on the game window.
struct Place {
    int x, y, width, height;
};
constexpr Place drivePlace{240, 360, 2535, 300};
constexpr Place folderPlace{240, 600, 2535, 1710};
constexpr Place filePlace{240, 2280, 2535, 930};
constexpr Place returnPlace{3360, 3000, 855, 375};
// Label and field rows, top to bottom: game name, first player, second player, file name.
constexpr std::array<int, 4> rowY = {2400, 2640, 2880, 3120};
constexpr std::array<const char*, 4> captions = {"対 局 名：", "先    手 ：", "後    手 ：",
                                                 "ﾌｧｲﾙ名 ："};
// The field of each row.
constexpr std::array<SaveField, 4> rowField = {SaveField::gameName, SaveField::firstPlayer,
                                               SaveField::secondPlayer, SaveField::fileName};

const QString recordPattern = QStringLiteral("*.棋譜");

}  // namespace

RecordPanel::RecordPanel(GameView& view) : view_(view) {
    drives_ = new QComboBox(&view);
    folders_ = new QListWidget(&view);
    files_ = new QListWidget(&view);
    for (std::size_t row = 0; row < 4; ++row) {
        labels_[row] = new QLabel(QString::fromUtf8(captions[row]), &view);
        labels_[row]->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        texts_[static_cast<int>(rowField[row])] = new QLineEdit(&view);
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), &view);

    QObject::connect(drives_, &QComboBox::activated, &view, [this](int index) {
        if (onDriveChosen) onDriveChosen(drives_->itemData(index).toString().toStdString());
    });
    QObject::connect(folders_, &QListWidget::itemActivated, &view, [this](QListWidgetItem* item) {
        if (onFolderChosen) onFolderChosen(item->data(Qt::UserRole).toString().toStdString());
    });
    QObject::connect(files_, &QListWidget::itemClicked, &view, [this](QListWidgetItem* item) {
        if (onFileChosen) onFileChosen(item->text().toStdString());
    });
    QObject::connect(return_, &QPushButton::clicked, &view, [this] {
        if (onReturn) onReturn();
    });

    setFolder(QDir::currentPath().toStdString());
    setListsVisible(false, false, false);
    setSaveFieldsVisible(false);
}

void RecordPanel::fillDrives() {
    drives_->clear();
    QStringList roots = {QStringLiteral("/"), QDir::homePath()};
    for (const char* mounts : {"/media", "/mnt"})
        for (const QFileInfo& info :
             QDir(QString::fromUtf8(mounts)).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
            roots << info.absoluteFilePath();
    int current = 0;
    for (const QString& root : roots) {
        drives_->addItem(root, root);
        if (folder_.startsWith(root) && root.size() >= drives_->itemData(current).toString().size())
            current = drives_->count() - 1;
    }
    drives_->setCurrentIndex(current);
}

void RecordPanel::fillFolders() {
    folders_->clear();
    const QDir dir(folder_);
    auto* here = new QListWidgetItem(folder_, folders_);
    here->setData(Qt::UserRole, folder_);
    if (!dir.isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), folders_);
        up->setData(Qt::UserRole, QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(".."))));
    }
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(QStringLiteral("  ") + info.fileName(), folders_);
        item->setData(Qt::UserRole, info.absoluteFilePath());
    }
}

bool RecordPanel::setFolder(const std::string& path) {
    const QDir dir(QString::fromStdString(path));
    if (!dir.exists() || !dir.isReadable()) return false;
    folder_ = dir.absolutePath();
    fillDrives();
    fillFolders();
    refreshFileList();
    return true;
}

void RecordPanel::refreshFileList() {
    files_->clear();
    for (const QString& name : QDir(folder_).entryList({recordPattern}, QDir::Files, QDir::Name))
        files_->addItem(name);
}

void RecordPanel::setListsVisible(bool drive, bool folder, bool file) {
    drives_->setVisible(drive);
    folders_->setVisible(folder);
    files_->setVisible(file);
    if (drive || folder || file) layout();
}

void RecordPanel::setSaveFieldsVisible(bool visible) {
    for (QLineEdit* text : texts_) {
        if (!visible) text->clear();
        text->setVisible(visible);
    }
    for (QLabel* label : labels_) label->setVisible(visible);
    return_->setVisible(visible);
    if (visible) layout();
}

std::string RecordPanel::field(SaveField field) const {
    return texts_[static_cast<int>(field)]->text().toStdString();
}

void RecordPanel::place(QWidget* w, int x, int y, int width, int height) const {
    const QRectF image = view_.imageRect();
    const double sx = image.width() / windowWidth;
    const double sy = image.height() / windowHeight;
    w->setGeometry(QRectF(image.left() + x * sx, image.top() + y * sy, width * sx, height * sy)
                       .toAlignedRect());
    QFont font = w->font();
    font.setPixelSize(std::max(8, static_cast<int>(200 * sy)));  // 10 points at full size
    w->setFont(font);
}

void RecordPanel::layout() {
    place(drives_, drivePlace.x, drivePlace.y, drivePlace.width, drivePlace.height);
    place(folders_, folderPlace.x, folderPlace.y, folderPlace.width, folderPlace.height);
    place(files_, filePlace.x, filePlace.y, filePlace.width, filePlace.height);
    for (std::size_t row = 0; row < 4; ++row) {
        place(labels_[row], 120, rowY[row], 855, 255);
        place(texts_[static_cast<int>(rowField[row])], 960, rowY[row], 2295, 270);
    }
    place(return_, returnPlace.x, returnPlace.y, returnPlace.width, returnPlace.height);
}

}  // namespace nobakuza
