// The record file panel drawn over the game window: a drive list, a folder list, the list of
// ".棋譜" files, four labelled fields and the RETURN button, at their places in twips.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_system.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace nobakuza {

class GameView;

// The drives of the drive list: the mounted file systems in `mounts` (the text of
// /proc/self/mounts) that hold real files and that `readable` accepts, the root first, then the
// file system of `home`, then removable media (/media, /mnt, /run/media), then the rest by name.
std::vector<std::string> listDrives(std::string_view mounts, const std::string& home,
                                    const std::function<bool(const std::string&)>& readable);
// The drive that holds `folder`, matching whole path components: the deepest such drive's index
// in `drives`, or -1.
int driveHolding(const std::vector<std::string>& drives, const std::string& folder);
// A folder the player can list and enter.
bool isReadableFolder(const std::string& path);

class RecordPanel {
  public:
    explicit RecordPanel(GameView& view);

    void setListsVisible(bool drive, bool folder, bool file);
    // Hiding the fields also empties them.
    void setSaveFieldsVisible(bool visible);
    std::string field(SaveField field) const;
    std::string folder() const { return folder_.toStdString(); }
    // Shows a folder in the lists; false, with the lists as they were and the drive list back on
    // the drive of the folder shown, when it cannot be read.
    bool setFolder(const std::string& path);
    void refreshFileList();
    // The four captions (by row: game name, first player, second player, file name) and the
    // button's.
    void setCaptions(const std::array<std::string, 4>& captions, std::string_view returnCaption,
                     std::string_view cancelCaption);
    // Places every control at its position in the view's image; called when the view resizes.
    void layout();

    std::function<void(const std::string& path)> onDriveChosen;
    std::function<void(const std::string& path)> onFolderChosen;
    std::function<void(const std::string& fileName)> onFileChosen;
    std::function<void()> onReturn;
    std::function<void()> onCancel;

  private:
    void fillDrives();
    void selectCurrentDrive();
    void fillFolders();
    // Reads the drives, folders and files afresh: media come and go, files are written by others.
    void reload();
    void giveFocusBackIfHidden();
    void place(QWidget* w, int x, int y, int width, int height) const;

    GameView& view_;
    QComboBox* drives_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
    std::array<QLabel*, 4> labels_{};
    std::array<QLineEdit*, 4> texts_{};  // by SaveField
    QPushButton* return_ = nullptr;
    QPushButton* cancel_ = nullptr;  // shown whenever any part of the panel is
    bool listsShown_ = false;
    bool fieldsShown_ = false;
    QString folder_;
};

}  // namespace nobakuza
