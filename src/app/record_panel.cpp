#include "app/record_panel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/main_window.h"
#include "files/text_file.h"
#include "records/record_file.h"

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
constexpr Place cancelPlace{3360, 3420, 855, 375};
constexpr int labelX = 120;
constexpr int fieldX = 960;
// Label and field rows, top to bottom: game name, first player, second player, file name.
constexpr std::array<int, 4> rowY = {2400, 2640, 2880, 3120};
constexpr std::array<const char*, 4> captions = {"対 局 名：", "先    手 ：", "後    手 ：",
                                                 "ﾌｧｲﾙ名 ："};
// The field of each row.
constexpr std::array<SaveField, 4> rowField = {SaveField::gameName, SaveField::firstPlayer,
                                               SaveField::secondPlayer, SaveField::fileName};

const QString recordPattern = QStringLiteral("*.棋譜");

// File systems that hold no files of the player's: the kernel's views, memory file systems
// (gone at shutdown, and reachable from their parent drive anyway) and package images.
constexpr std::array<std::string_view, 25> pseudoTypes = {
    "proc",    "sysfs",     "cgroup",   "cgroup2",        "devpts",     "devtmpfs", "tmpfs",
    "ramfs",   "mqueue",    "debugfs",  "tracefs",        "securityfs", "pstore",   "configfs",
    "fusectl", "hugetlbfs", "bpf",      "binfmt_misc",    "autofs",     "efivarfs", "rpc_pipefs",
    "nsfs",    "selinuxfs", "squashfs", "fuse.gvfsd-fuse"};

// Whether `path` is `root` or lies inside it, by whole path components.
bool holds(std::string_view root, std::string_view path) {
    if (root == "/") return !path.empty() && path.front() == '/';
    if (path.size() < root.size() || path.substr(0, root.size()) != root) return false;
    return path.size() == root.size() || path[root.size()] == '/';
}

bool strictlyInside(std::string_view root, std::string_view path) {
    return path != root && holds(root, path);
}

// The mount table writes space, tab, newline and backslash as three octal digits.
std::string unescapeMountPath(std::string_view field) {
    auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
            continue;
        }
        out += field[i];
    }
    return out;
}

// The system's own trees, and the layers of container images, are no drives.
bool systemMount(std::string_view path) {
    if (strictlyInside("/run/media", path)) return false;
    for (const std::string_view tree :
         {"/proc", "/sys", "/dev", "/run", "/var/lib/docker", "/var/lib/containers"})
        if (holds(tree, path)) return true;
    return false;
}

}  // namespace

std::vector<std::string> listDrives(std::string_view mounts, const std::string& home,
                                    const std::function<bool(const std::string&)>& readable) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < mounts.size()) {
        std::size_t end = mounts.find('\n', start);
        if (end == std::string_view::npos) end = mounts.size();
        const std::string_view line = mounts.substr(start, end - start);
        start = end + 1;
        // device, mount point, type, options...
        std::array<std::string_view, 3> fields{};
        std::size_t at = 0;
        for (std::string_view& f : fields) {
            at = line.find_first_not_of(" \t", at);
            if (at == std::string_view::npos) break;
            const std::size_t stop = std::min(line.find_first_of(" \t", at), line.size());
            f = line.substr(at, stop - at);
            at = stop;
        }
        if (fields[2].empty()) continue;
        const std::string path = unescapeMountPath(fields[1]);
        if (path.empty() || path.front() != '/' || systemMount(path)) continue;
        if (std::find(pseudoTypes.begin(), pseudoTypes.end(), fields[2]) != pseudoTypes.end())
            continue;
        if (std::find(found.begin(), found.end(), path) != found.end()) continue;
        if (!readable(path)) continue;
        found.push_back(path);
    }

    const int homeIndex = driveHolding(found, home);
    const std::string homeDrive = homeIndex >= 0 ? found[static_cast<std::size_t>(homeIndex)] : "";
    auto rank = [&](const std::string& path) {
        if (path == "/") return 0;
        if (path == homeDrive) return 1;
        for (const std::string_view media : {"/media", "/mnt", "/run/media"})
            if (strictlyInside(media, path)) return 2;
        return 3;
    };
    std::sort(found.begin(), found.end(), [&](const std::string& a, const std::string& b) {
        const int ra = rank(a), rb = rank(b);
        return ra != rb ? ra < rb : a < b;
    });
    return found;
}

int driveHolding(const std::vector<std::string>& drives, const std::string& folder) {
    int best = -1;
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (holds(drives[i], folder) &&
            (best < 0 || drives[i].size() > drives[static_cast<std::size_t>(best)].size()))
            best = static_cast<int>(i);
    return best;
}

bool isReadableFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(path.c_str(), R_OK | X_OK) == 0;
}

RecordPanel::RecordPanel(GameView& view) : view_(view) {
    drives_ = new QComboBox(&view);
    folders_ = new QListWidget(&view);
    files_ = new QListWidget(&view);
    for (std::size_t row = 0; row < 4; ++row) {
        labels_[row] = new QLabel(QString::fromUtf8(captions[row]), &view);
        labels_[row]->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        // Right-aligned, the colons line up along the fields.
        labels_[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // A black shadow, as every text of the window has, keeps the white caption readable
        // over the wooden hand column as over the felt.
        auto* shadow = new QGraphicsDropShadowEffect(labels_[row]);
        shadow->setBlurRadius(0);
        shadow->setColor(Qt::black);
        labels_[row]->setGraphicsEffect(shadow);
        auto* text = new QLineEdit(&view);
        // A header line of the record holds at most maxHeaderBytes of Shift-JIS, two bytes to a
        // character at most.
        if (rowField[row] != SaveField::fileName) text->setMaxLength(maxHeaderBytes / 2);
        texts_[static_cast<int>(rowField[row])] = text;
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), &view);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), &view);

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
    QObject::connect(cancel_, &QPushButton::clicked, &view, [this] {
        if (onCancel) onCancel();
    });

    setFolder(QDir::currentPath().toStdString());
    setListsVisible(false, false, false);
    setSaveFieldsVisible(false);
}

void RecordPanel::fillDrives() {
    drives_->clear();
    const std::string mounts = readWholeFile("/proc/self/mounts").value_or(std::string());
    std::vector<std::string> drives =
        listDrives(mounts, QDir::homePath().toStdString(), isReadableFolder);
    // Without a mount table the root is still there to start from.
    if (drives.empty()) drives.push_back("/");
    for (const std::string& drive : drives) {
        const QString path = QString::fromStdString(drive);
        drives_->addItem(path, path);
    }
    selectCurrentDrive();
}

void RecordPanel::selectCurrentDrive() {
    std::vector<std::string> drives;
    for (int i = 0; i < drives_->count(); ++i)
        drives.push_back(drives_->itemData(i).toString().toStdString());
    drives_->setCurrentIndex(std::max(0, driveHolding(drives, folder_.toStdString())));
}

void RecordPanel::fillFolders() {
    // A tree as the player reads it: the folders from the root down to this one, each a step
    // further in, this one marked, and its own folders under it.
    folders_->clear();
    auto add = [this](const QString& name, const QString& path, int depth) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, folders_);
        item->setData(Qt::UserRole, path);
        return item;
    };
    add(QStringLiteral("/"), QStringLiteral("/"), 0);
    QString path;
    int depth = 0;
    for (const QString& part : folder_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        add(part, path, ++depth);
    }
    QListWidgetItem* here = folders_->item(folders_->count() - 1);
    for (const QFileInfo& info : QDir(folder_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                             QDir::Name | QDir::IgnoreCase))
        add(info.fileName(), info.absoluteFilePath(), depth + 1);
    folders_->setCurrentItem(here);
    // Centred, the nearest folders above and below it stay in sight.
    folders_->scrollToItem(here, QAbstractItemView::PositionAtCenter);
}

bool RecordPanel::setFolder(const std::string& path) {
    const QDir dir(QString::fromStdString(path));
    if (!isReadableFolder(dir.absolutePath().toStdString())) {
        // The drive list may show the drive just refused; it goes back to the folder's own.
        selectCurrentDrive();
        return false;
    }
    folder_ = dir.absolutePath();
    fillDrives();
    fillFolders();
    refreshFileList();
    return true;
}

void RecordPanel::reload() {
    // A folder removed meanwhile (a medium taken out) gives way to the nearest one still there.
    QDir dir(folder_);
    while (!isReadableFolder(dir.absolutePath().toStdString()) && !dir.isRoot())
        dir.setPath(QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(".."))));
    folder_ = dir.absolutePath();
    fillDrives();
    fillFolders();
    refreshFileList();
}

void RecordPanel::refreshFileList() {
    files_->clear();
    for (const QString& name : QDir(folder_).entryList({recordPattern}, QDir::Files, QDir::Name))
        files_->addItem(name);
}

void RecordPanel::giveFocusBackIfHidden() {
    // A hidden control keeps no keys: the board takes them again, Escape included.
    QWidget* focus = view_.window()->focusWidget();
    if (focus == nullptr || (view_.isAncestorOf(focus) && !focus->isVisible()))
        view_.setFocus(Qt::OtherFocusReason);
}

void RecordPanel::setListsVisible(bool drive, bool folder, bool file) {
    const bool shown = drive || folder || file;
    // Opening the panel shows the disk as it is now, not as it was when last opened.
    if (shown) reload();
    drives_->setVisible(drive);
    folders_->setVisible(folder);
    files_->setVisible(file);
    listsShown_ = shown;
    cancel_->setVisible(listsShown_ || fieldsShown_);
    giveFocusBackIfHidden();
    if (shown) layout();
}

void RecordPanel::setSaveFieldsVisible(bool visible) {
    for (QLineEdit* text : texts_) {
        if (!visible) text->clear();
        text->setVisible(visible);
    }
    for (QLabel* label : labels_) label->setVisible(visible);
    return_->setVisible(visible);
    fieldsShown_ = visible;
    cancel_->setVisible(listsShown_ || fieldsShown_);
    giveFocusBackIfHidden();
    if (visible) layout();
}

void RecordPanel::setCaptions(const std::array<std::string, 4>& captions,
                              std::string_view returnCaption, std::string_view cancelCaption) {
    bool changed = false;
    for (std::size_t row = 0; row < 4; ++row) {
        const QString text = QString::fromStdString(captions[row]);
        changed = changed || labels_[row]->text() != text;
        labels_[row]->setText(text);
    }
    return_->setText(
        QString::fromUtf8(returnCaption.data(), static_cast<qsizetype>(returnCaption.size())));
    cancel_->setText(
        QString::fromUtf8(cancelCaption.data(), static_cast<qsizetype>(cancelCaption.size())));
    // The captions' font is chosen so that every one of them fits.
    if (changed) layout();
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
        // The caption ends just before its field begins, so the field never covers it.
        place(labels_[row], labelX, rowY[row], fieldX - labelX - 30, 255);
        place(texts_[static_cast<int>(rowField[row])], fieldX, rowY[row], 2295, 270);
    }
    place(return_, returnPlace.x, returnPlace.y, returnPlace.width, returnPlace.height);
    place(cancel_, cancelPlace.x, cancelPlace.y, cancelPlace.width, cancelPlace.height);

    // The shadow lies a pixel to the right and below (at the window's first size), inside the
    // caption's box; further, it would blur the small captions.
    const QRectF image = view_.imageRect();
    const double shadow = std::max(1.0, twipsPerPixel * image.width() / windowWidth);
    const QPointF shadowOffset(shadow, shadow);
    for (QLabel* label : labels_) {
        static_cast<QGraphicsDropShadowEffect*>(label->graphicsEffect())->setOffset(shadowOffset);
        label->setContentsMargins(0, 0, static_cast<int>(std::ceil(shadowOffset.x())), 0);
    }

    // The captions keep their spaces, so they are wider than the panel's font allows at some
    // sizes; they get the largest font at which every one of them fits.
    QFont font = labels_[0]->font();
    const int room = labels_[0]->contentsRect().width();
    auto fits = [&] {
        const QFontMetrics metrics(font);
        return std::all_of(labels_.begin(), labels_.end(), [&](const QLabel* label) {
            return metrics.horizontalAdvance(label->text()) <= room;
        });
    };
    while (font.pixelSize() > 6 && !fits()) font.setPixelSize(font.pixelSize() - 1);
    for (QLabel* label : labels_) label->setFont(font);
}

}  // namespace nobakuza
