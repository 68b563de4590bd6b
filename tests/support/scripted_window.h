// A window for the tests: records every primitive the game draws, answers message boxes from a
// script, and lets a test read the screen as data.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"
#include "ui/window_system.h"

namespace nobakuza::testing {

struct DrawCall {
    enum class Kind { picture, outline, fill, text, refresh, tint };
    Kind kind = Kind::picture;
    double x = 0, y = 0;    // picture or text position; first corner of a rectangle
    double x2 = 0, y2 = 0;  // second corner of a rectangle
    int code = 0;           // picture code
    int colour = 0;
    std::string text;
    int size = 0;
    bool bold = false;
    int halo = -1;  // the outline colour of a text printed with one
    double alpha = 0;
};

struct Message {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::ok;
    bool warningIcon = false;
    std::size_t callsBefore = 0;  // drawing calls made before the box was shown
};

inline constexpr int noPicture = -99999;

class ScriptedWindow : public Surface,
                       public Dialogs,
                       public MenuMarks,
                       public Timer,
                       public Clock,
                       public Browser,
                       public FilePanel,
                       public ProgramControl,
                       public InfoPanels {
  public:
    WindowSystem system(SoundApi& sound) {
        return WindowSystem{*this, *this, *this, *this, *this, *this,
                            *this, *this, sound, 4711,  this};
    }

    // --- Surface
    void paintPicture(double x, double y, int code) override;
    void outlineRect(double x1, double y1, double x2, double y2, int colour) override;
    void fillRect(double x1, double y1, double x2, double y2, int colour) override;
    void printText(double x, double y, std::string_view text, int size, int colour,
                   bool bold) override;
    void refresh() override;
    void tintRect(double x1, double y1, double x2, double y2, int colour, double alpha) override;
    void printHaloText(double x, double y, std::string_view text, int size, int colour, bool bold,
                       int haloColour) override;

    // --- Dialogs: answers come from `answers`, front first; an OK box needs none.
    MessageAnswer messageBox(std::string_view text, std::string_view title, MessageButtons buttons,
                             bool warningIcon) override;
    void versionDialog(const VersionTexts& texts) override {
        ++versionDialogs;
        versionTexts = texts;
    }
    void setButtonCaptions(std::string_view ok, std::string_view yes,
                           std::string_view no) override {
        buttonCaptions = {std::string(ok), std::string(yes), std::string(no)};
    }

    // --- MenuMarks
    void setChecked(MenuItem item, bool checked) override {
        checks[static_cast<int>(item)] = checked;
    }
    bool isChecked(MenuItem item) const override { return checks[static_cast<int>(item)]; }
    void setCaption(MenuItem item, std::string_view caption) override {
        captions[static_cast<int>(item)] = caption;
    }

    // --- Timer
    void setTimerEnabled(bool enabled) override { timerOn = enabled; }
    bool timerEnabled() const override { return timerOn; }

    // --- Clock: a fake time of day that only pauses move on.
    double secondsSinceMidnight() override { return now; }
    void pause(double seconds) override;
    // Waits in real time; the fake clock moves on by the time waited. The wait numbered
    // `endAskedAtWait` (counting from 1) reports that the player asked for the end at once.
    bool pauseUntil(const std::atomic<bool>& finished, double seconds) override;

    // --- Browser
    bool openPage(std::string_view addressOrPath) override {
        pagesOpened.emplace_back(addressOrPath);
        return browserWorks;
    }
    void openLocalPage(const std::string& path, std::string_view title) override {
        pagesOpened.push_back(path);
        pageTitle = title;
    }

    // --- FilePanel
    void setListsVisible(bool drive, bool folder, bool file) override {
        listsVisible = {drive, folder, file};
    }
    void setSaveFieldsVisible(bool visible) override {
        saveFieldsVisible = visible;
        if (!visible) saveFields = {};
    }
    std::string saveField(SaveField field) const override {
        return saveFields[static_cast<int>(field)];
    }
    std::string folder() const override { return panelFolder; }
    // Any folder of the real file system whose entries can be listed.
    bool setFolder(const std::string& path) override;
    void refreshFileList() override { ++fileListRefreshes; }
    void setCaptions(const std::array<std::string, 4>& fields, std::string_view ret,
                     std::string_view cancel) override {
        fieldCaptions = fields;
        returnCaption = ret;
        cancelCaption = cancel;
    }
    // Types a text into a save field, as the player would.
    void type(SaveField field, std::string text) {
        saveFields[static_cast<int>(field)] = std::move(text);
    }

    // --- ProgramControl
    void endProgram() override { ++endRequests; }

    // --- InfoPanels
    void setStatusLine(std::string_view text) override {
        statusLine = text;
        if (statusLines.empty() || statusLines.back() != statusLine)
            statusLines.push_back(statusLine);
    }
    void setMoveList(const std::vector<std::string>& lines, int current) override {
        moveList = lines;
        currentMove = current;
    }
    void setMoveListTitle(std::string_view title) override { moveListTitle = title; }
    void setMoveListVisible(bool visible) override { moveListShown = visible; }
    bool moveListVisible() const override { return moveListShown; }
    void setProgress(int percent) override { progress.push_back(percent); }
    void setEvaluationGraph(const std::vector<GraphPoint>& points, int current) override {
        graph = points;
        graphCurrent = current;
    }

    // The tint last laid over exactly this cell since it was last painted; -1 for none.
    int tintAt(double originX, double c, double r) const;

    // --- reading the screen
    // The code of the last picture painted with its top-left corner at this cell; noPicture
    // when none was.
    int pictureAt(double originX, double c, double r) const;
    // The colour of the last outline of exactly this cell; -1 when it was never outlined.
    int outlineAt(double originX, double c, double r) const;
    // The last text printed with its top at this point (twips); nullptr when none.
    const DrawCall* textAt(double x, double y) const;
    // The same, for a grid position relative to the left board's origin.
    const DrawCall* textAtCell(double x, double y) const {
        return textAt(cellX(leftBoardX, x), cellY(y));
    }
    std::vector<DrawCall> textsSince(std::size_t first) const;
    void clear() { calls.clear(); }

    std::vector<DrawCall> calls;
    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;
    std::array<bool, menuItemCount> checks{};
    bool timerOn = false;
    double now = 36000;  // ten in the morning
    std::vector<double> pauses;
    // Called at every pause, as if the program were cut off there.
    std::function<void()> onPause;
    int waits = 0;
    int endAskedAtWait = 0;
    // The number of drawing calls made before each pause, to see what was shown before it.
    std::vector<std::size_t> callsBeforePause;
    std::vector<std::string> pagesOpened;
    bool browserWorks = true;
    std::string pageTitle;
    std::array<bool, 3> listsVisible{};
    bool saveFieldsVisible = false;
    std::array<std::string, 4> saveFields{};  // by SaveField
    std::string panelFolder;
    int fileListRefreshes = 0;
    int versionDialogs = 0;
    VersionTexts versionTexts;
    int endRequests = 0;
    std::array<std::string, menuItemCount> captions{};
    std::array<std::string, 3> buttonCaptions{"OK", "はい", "いいえ"};
    std::array<std::string, 4> fieldCaptions{};
    std::string returnCaption;
    std::string cancelCaption;
    std::string statusLine;
    std::vector<std::string> statusLines;  // every text the status line has shown
    std::vector<std::string> moveList;
    int currentMove = -1;
    std::string moveListTitle;
    bool moveListShown = true;
    std::vector<int> progress;  // every value the review's progress bar was given
    std::vector<GraphPoint> graph;
    int graphCurrent = -1;
};

// Runs a test in a fresh, empty current folder and goes back afterwards, so the settings file
// and the sound files of one test never meet another's.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Writes a file into the folder.
    void write(const std::string& name, std::string_view bytes) const;

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// A small valid WAV image (mono, 16 bit) of `samples` silent samples.
std::string silentWav(int samples);

}  // namespace nobakuza::testing
