// The record panel over the picture, as the game's file panel: made the first time it is shown.
#include "app/main_window.h"

namespace nobakuza {

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
    panel_->onCancel = [self] { self->run([&] { self->game_->cancelFilePanel(); }); };
    if (panelCaptions_)
        panel_->setCaptions(panelCaptions_->fields, panelCaptions_->returnButton,
                            panelCaptions_->cancelButton);
    panel_->layout();
    return *panel_;
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
                             std::string_view returnCaption, std::string_view cancelCaption) {
    // Kept for a panel made later, when it is first shown.
    panelCaptions_ = {fieldCaptions, std::string(returnCaption), std::string(cancelCaption)};
    if (panel_) panel_->setCaptions(fieldCaptions, returnCaption, cancelCaption);
}

}  // namespace nobakuza
