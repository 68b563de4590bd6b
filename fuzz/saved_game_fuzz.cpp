// Fuzz target of the reader of the game kept on disk (自動保存.状態). A file the reader accepts
// must resume, through the game's own start-up, into a game whose boards hold the invariants
// (with the pieces a handicap took off counted back), with the side to move it kept, and the
// game it resumed into must be written out again in a form the reader accepts.
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/invariants.h"
#include "files/text_file.h"
#include "game/game.h"
#include "records/saved_game.h"

namespace nobakuza {
namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "accepted saved game: %s\n", what.c_str());
    std::abort();
}

// Everything but the surface answers as a player who says はい to every question.
class QuietWindow final : public Surface,
                          public Dialogs,
                          public MenuMarks,
                          public Timer,
                          public Clock,
                          public Browser,
                          public FilePanel,
                          public ProgramControl,
                          public SoundApi {
  public:
    void paintPicture(double, double, int) override {}
    void outlineRect(double, double, double, double, int) override {}
    void fillRect(double, double, double, double, int) override {}
    void printText(double, double, std::string_view, int, int, bool) override {}
    void refresh() override {}
    MessageAnswer messageBox(std::string_view, std::string_view title, MessageButtons b,
                             bool) override {
        if (b == MessageButtons::ok) return MessageAnswer::ok;
        questions_.emplace_back(title);
        return MessageAnswer::yes;
    }
    bool asked(std::string_view title) const {
        for (const std::string& q : questions_)
            if (q == title) return true;
        return false;
    }
    void versionDialog(const VersionTexts&) override {}
    void setChecked(MenuItem item, bool on) override { marks_[static_cast<int>(item)] = on; }
    bool isChecked(MenuItem item) const override { return marks_[static_cast<int>(item)]; }
    void setTimerEnabled(bool) override {}
    bool timerEnabled() const override { return false; }
    double secondsSinceMidnight() override { return 0; }
    void pause(double) override {}
    // The searching levels' wait ends at once, as if the player pressed Escape: the game ends
    // before a search that would cost a second an input.
    bool pauseUntil(const std::atomic<bool>&, double) override { return false; }
    bool openPage(std::string_view) override { return false; }
    void openLocalPage(const std::string&, std::string_view) override {}
    void setListsVisible(bool, bool, bool) override {}
    void setSaveFieldsVisible(bool) override {}
    std::string saveField(SaveField) const override { return {}; }
    std::string folder() const override { return {}; }
    bool setFolder(const std::string&) override { return false; }
    void refreshFileList() override {}
    void endProgram() override {}
    std::int32_t dsInitialize(std::int32_t) override { return 0; }
    std::int32_t dsCreateDSB(std::int32_t, const void*, std::int32_t, std::int32_t) override {
        return 0;
    }
    void dsPlay(std::int32_t) override {}
    void dsPlayLooping(std::int32_t) override {}
    void dsStop(std::int32_t) override {}
    void dsFree(std::int32_t) override {}
    void dsTerminate(std::int32_t) override {}

  private:
    std::array<bool, menuItemCount> marks_{};
    std::vector<std::string> questions_;  // the titles of the yes/no questions, in order
};

// The pieces the handicap took off, put back into a hand, so the full-set checks apply.
void checkBoards(const GameState& game, const std::string& where) {
    const Hand removed = handicapRemoved(game.handicapLevel);
    GameState full = game;
    for (BoardState* b : {&full.left, &full.right}) {
        for (int k = 1; k <= handKinds; ++k)
            b->comHand[k] = static_cast<std::int16_t>(b->comHand[k] + removed[k]);
        recountHandTotals(*b);
    }
    if (auto e = checkGameInvariants(full)) fail(where + ": " + *e);
}

}  // namespace
}  // namespace nobakuza

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace nobakuza;
    static const bool inScratch = [] {
        const char* tmp = std::getenv("TMPDIR");
        const std::filesystem::path dir = std::filesystem::path(tmp && *tmp ? tmp : "/tmp") /
                                          ("nobakuza-saved-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        return true;
    }();
    (void)inScratch;
    static auto* saved = new SavedGame;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (parseSavedGame(bytes, *saved)) return 0;

    // Every position the file holds is one the game can stand on.
    for (int n = 0; n <= saved->record.lastRecordIndex; ++n) {
        GameState g;
        restoreSnapshot(saved->record, n, g);
        g.handicapLevel = saved->handicapLevel;
        checkBoards(g, "snapshot " + std::to_string(n));
    }

    // The game's start-up puts it back (and the computer moves when it is its turn).
    if (!writeFileAtomically(savedGameFileName, bytes).empty())
        fail("cannot write the scratch file");
    QuietWindow window;
    WindowSystem system{window, window, window, window, window, window, window, window, window};
    auto game = std::make_unique<Game>(system);
    game->Form_Load();
    game->resumeInterruptedGame();
    // Only the computer moves on resuming, when the game kept is its turn: its move is recorded
    // and hands the turn back (unless the record has no room left for it, or the searching
    // levels' wait ended the program first). The move can also end the game (it takes the king,
    // or it has none): the end box asks 再ゲーム, はい starts a fresh game, and the side to move
    // is that game's.
    const bool computerMoves = saved->gameMode == modeVsComputer &&
                               saved->sideToMove == -saved->manSide && saved->kifuMode == flagNo &&
                               saved->resumePending == flagNo;
    const bool roomForMove = saved->record.recordIndex < maxRecordIndex;
    const GameState& now = game->position();
    if (window.asked("再ゲーム")) {
        if (!computerMoves) fail("a game ended on resuming with no move of the computer's");
        if (now.sideToMove != noSide || now.moveNumber != 0 || game->record().lastRecordIndex != 0)
            fail("the game that ended on resuming was not followed by a fresh one");
    } else {
        const bool moved = computerMoves && roomForMove && !game->ended();
        if (now.sideToMove != (moved ? saved->manSide : saved->sideToMove))
            fail("the side to move was not put back");
        if (game->record().recordIndex != saved->record.recordIndex + (moved ? 1 : 0))
            fail(moved ? "the computer's move on resuming was not recorded"
                       : "a move was played on resuming out of turn");
    }
    if (game->position().winner == noSide) checkBoards(game->position(), "the game resumed");

    // What the resumed game keeps on disk reads back.
    const auto again = readWholeFile(savedGameFileName);
    if (game->position().winner == noSide && game->position().sideToMove != noSide) {
        if (!again) fail("the resumed game was not kept");
        auto reread = std::make_unique<SavedGame>();
        if (auto e = parseSavedGame(*again, *reread)) fail("kept again but refused: " + e->message);
    }
    std::filesystem::remove(savedGameFileName);
    std::filesystem::remove(savedRecordFileName);
    return 0;
}
