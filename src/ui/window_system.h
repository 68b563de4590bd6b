// The narrow interface between the game and the window system. The game decides what to draw
// and what to ask; an implementation only knows how. The Qt window implements it for play, the
// scripted window of the tests records every call.
//
// Positions are twips, the window's logical unit (15 to a pixel at 96 dots per inch); the
// surface is 14900 x 7400 twips. Colours are indexes into the sixteen-colour palette.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sound/sound_api.h"
#include "ui/menu_items.h"

namespace nobakuza {

// The window surface. Everything painted stays until painted over.
class Surface {
  public:
    virtual ~Surface() = default;
    // Paints picture `code` at its own size with its top-left corner at (x, y). Codes without a
    // picture paint nothing.
    virtual void paintPicture(double x, double y, int code) = 0;
    // The unfilled rectangle with corners (x1, y1) and (x2, y2), both edges included.
    virtual void outlineRect(double x1, double y1, double x2, double y2, int colour) = 0;
    virtual void fillRect(double x1, double y1, double x2, double y2, int colour) = 0;
    // Prints UTF-8 text with the top of its line at (x, y); size in points.
    virtual void printText(double x, double y, std::string_view text, int size, int colour,
                           bool bold) = 0;
    // Shows what has been painted so far at once, also in the middle of a long handler.
    virtual void refresh() = 0;
    // Lays `colour` over the rectangle at `alpha` (0..1); what is painted there shows through.
    virtual void tintRect(double x1, double y1, double x2, double y2, int colour, double alpha) {
        (void)x1, (void)y1, (void)x2, (void)y2, (void)colour, (void)alpha;
    }
    // printText with an outline of `haloColour` around every glyph, so the text reads over any
    // background.
    virtual void printHaloText(double x, double y, std::string_view text, int size, int colour,
                               bool bold, int haloColour) {
        (void)haloColour;
        printText(x, y, text, size, colour, bold);
    }
};

// yesNoView: はい, いいえ and two more answers, "棋譜を見る" and "検討" (their captions set with
// the others).
enum class MessageButtons { ok, yesNo, yesNoView };
enum class MessageAnswer { ok, yes, no, view, review };

// The texts of the version dialog, in the player's language.
struct VersionTexts {
    std::string title;
    std::string homePage;  // the button that opens the maker's page
    std::string ok;
    std::array<std::string, 3> lines;  // printed on the picture, top to bottom
};

// Modal message boxes; the buttons read "OK", "はい" and "いいえ" until the game names them
// otherwise.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer messageBox(std::string_view text, std::string_view title,
                                     MessageButtons buttons, bool warningIcon) = 0;
    // A question whose two answers the game names (in the player's language): yes for the
    // first, no for the second or for a box closed otherwise.
    virtual MessageAnswer ask(std::string_view text, std::string_view title,
                              std::string_view yesCaption, std::string_view noCaption) {
        (void)yesCaption, (void)noCaption;
        return messageBox(text, title, MessageButtons::yesNo, false);
    }
    // The modal version dialog; it returns when the player has closed it.
    virtual void versionDialog(const VersionTexts& texts) = 0;
    virtual void setButtonCaptions(std::string_view ok, std::string_view yes, std::string_view no) {
        (void)ok, (void)yes, (void)no;
    }
    virtual void setViewButtonCaptions(std::string_view view, std::string_view review) {
        (void)view;
        (void)review;
    }
};

// Check marks of the menu items. The marks are the live state of the options.
class MenuMarks {
  public:
    virtual ~MenuMarks() = default;
    virtual void setChecked(MenuItem item, bool checked) = 0;
    virtual bool isChecked(MenuItem item) const = 0;
    // The caption of a menu or an item, in the player's language.
    virtual void setCaption(MenuItem item, std::string_view caption) { (void)item, (void)caption; }
};

// The clock timer (Timer1): while enabled it calls the game's tick several times a second.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setTimerEnabled(bool enabled) = 0;
    virtual bool timerEnabled() const = 0;
};

// Time of day, and the pause the game makes in the middle of a handler.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() = 0;
    // Waits without handing any input to the game; the window still repaints.
    virtual void pause(double seconds) = 0;
    // Waits as `pause` does, until `finished` is true or `seconds` have passed. False when the
    // player has meanwhile asked for the end of the program (Escape, or the window closed): the
    // game then stops what it waits for and ends.
    virtual bool pauseUntil(const std::atomic<bool>& finished, double seconds) = 0;
};

// The web browser: opens a web address or a local file. False when nothing could be opened.
class Browser {
  public:
    virtual ~Browser() = default;
    virtual bool openPage(std::string_view addressOrPath) = 0;
    // A page on disk (an absolute path) in the desktop's browser; when that cannot be started or
    // fails, in a window of the program's own titled `title`.
    virtual void openLocalPage(const std::string& path, std::string_view title) = 0;
};

// The file panel of the game records: three lists and the save fields.
enum class SaveField { fileName, gameName, firstPlayer, secondPlayer };

class FilePanel {
  public:
    virtual ~FilePanel() = default;
    virtual void setListsVisible(bool drive, bool folder, bool file) = 0;
    // Hiding the save fields also empties them.
    virtual void setSaveFieldsVisible(bool visible) = 0;
    virtual std::string saveField(SaveField field) const = 0;
    virtual std::string folder() const = 0;
    // Shows `path` in the folder and file lists; false, with the lists as they were, when it
    // cannot be read.
    virtual bool setFolder(const std::string& path) = 0;
    virtual void refreshFileList() = 0;
    // The captions of the four fields (game name, first player, second player, file name), of
    // the RETURN button and of the button that closes the panel, in the player's language.
    virtual void setCaptions(const std::array<std::string, 4>& fieldCaptions,
                             std::string_view returnCaption, std::string_view cancelCaption) {
        (void)fieldCaptions, (void)returnCaption, (void)cancelCaption;
    }
};

// A point of the review's evaluation graph: the value after move `ply`, from the human's side.
struct GraphPoint {
    int ply = 0;
    int score = 0;  // hundredths of a pawn
    int forcedWinBy =
        0;         // +1 / -1: a forced win of the human's / the computer's (drawn at the edge)
    int mark = 0;  // 0 none, 1 疑問手, 2 悪手
};

// Around the picture: the status line under it and the list of moves beside it. The game
// decides every text; the window only shows them.
class InfoPanels {
  public:
    virtual ~InfoPanels() = default;
    virtual void setStatusLine(std::string_view text) = 0;
    // One line per move; `current` is the line of the position on the boards, -1 for none.
    virtual void setMoveList(const std::vector<std::string>& lines, int current) = 0;
    virtual void setMoveListTitle(std::string_view title) = 0;
    virtual void setMoveListVisible(bool visible) = 0;
    // As the player left it in the last run.
    virtual bool moveListVisible() const = 0;
    // The review's progress bar in the status line, 0..100; -1 hides it.
    virtual void setProgress(int percent) { (void)percent; }
    // The review's evaluation graph beside the move list, `current` the move of the position
    // shown; no points hide it.
    virtual void setEvaluationGraph(const std::vector<GraphPoint>& points, int current) {
        (void)points, (void)current;
    }
};

// Ends the program once the current handler has returned.
class ProgramControl {
  public:
    virtual ~ProgramControl() = default;
    virtual void endProgram() = 0;
};

// Work the game runs on a thread of its own (the evaluation bar's search) hands its end back
// to the window's thread through this.
class WakeUp {
  public:
    virtual ~WakeUp() = default;
    // Safe from any thread: soon afterwards, on the window's thread and between the game's
    // handlers, the window calls Game::backgroundWorkDone.
    virtual void wakeFromAnyThread() = 0;
};

// Everything the game talks to, handed to it once.
struct WindowSystem {
    Surface& surface;
    Dialogs& dialogs;
    MenuMarks& menu;
    Timer& timer;
    Clock& clock;
    Browser& browser;
    FilePanel& filePanel;
    ProgramControl& program;
    SoundApi& sound;
    std::int32_t windowHandle = 0;
    InfoPanels* panels = nullptr;  // none: the texts are decided and not shown
    WakeUp* wakeUp = nullptr;      // none: the game is told of finished work by its caller
};

}  // namespace nobakuza
