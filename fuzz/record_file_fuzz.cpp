// Fuzz target of the ".棋譜" reader. A file the reader accepts must give a record that the game can
// step through and play on: every snapshot a sound position, the record written out again and read
// back unchanged, and the surveys, mate tests and the computer's search on its last position
// running without fault and leaving the boards as they were.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/invariants.h"
#include "board/move_execution.h"
#include "computer/computer_state.h"
#include "computer/move_search.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "records/game_record.h"
#include "records/record_file.h"

namespace nobakuza {
namespace {

[[noreturn]] void fail(int n, const std::string& what) {
    std::fprintf(stderr, "accepted record breaks the model at snapshot %d: %s\n", n, what.c_str());
    std::abort();
}

int kingsMissing(const Table& board, Code king) {
    int present = 0;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) present += board[f][r] == king;
    return present == 0 ? 1 : 0;
}

// The last snapshot may be the one in which a king was taken; then only one side's king can be
// gone. Every earlier snapshot, and a record without a move, has all four kings.
void checkSnapshot(const GameRecord& record, int n, GameState& game) {
    restoreSnapshot(record, n, game);
    const int manGone =
        kingsMissing(game.left.board, manKing) + kingsMissing(game.right.board, manKing);
    const int comGone =
        kingsMissing(game.left.board, comKing) + kingsMissing(game.right.board, comKing);
    const bool last = n == record.lastRecordIndex && n > 0;
    if ((manGone > 0 || comGone > 0) && !last) fail(n, "a king is missing before the last move");
    if (manGone > 0 && comGone > 0) fail(n, "kings of both sides are missing");
    for (const BoardState* b : {&game.left, &game.right}) {
        if (auto e = checkBoardInvariants(*b, last)) fail(n, *e);
    }
}

bool sameSnapshot(const GameRecord& a, const GameRecord& b, int n) {
    return a.leftBoardHistory[n] == b.leftBoardHistory[n] &&
           a.rightBoardHistory[n] == b.rightBoardHistory[n] &&
           a.manHandLeftHistory[n] == b.manHandLeftHistory[n] &&
           a.comHandLeftHistory[n] == b.comHandLeftHistory[n] &&
           a.manHandRightHistory[n] == b.manHandRightHistory[n] &&
           a.comHandRightHistory[n] == b.comHandRightHistory[n] &&
           a.manTimeBefore[n] == b.manTimeBefore[n] && a.manTimeAfter[n] == b.manTimeAfter[n] &&
           a.comTimeBefore[n] == b.comTimeBefore[n] && a.comTimeAfter[n] == b.comTimeAfter[n];
}

// What the game does with the last position when play resumes from it: surveys, the escape and
// mate tests of both sides, and the computer's turn.
void playOn(const GameRecord& record, GameState& game, ComputerState& cs) {
    const int n = record.lastRecordIndex;
    restoreSnapshot(record, n, game);
    for (BoardState* b : {&game.left, &game.right}) {
        調査_2歩フラグ設定(*b);
        勢力調査(*b);
        b->escapeMark = Table{};
        (void)調査_自王逃道(*b);
        (void)詰めかMAN(*b);
        勢力調査(*b);
        (void)詰めかCOM(*b);
        if (b->board !=
            (b == &game.left ? record.leftBoardHistory[n] : record.rightBoardHistory[n])) {
            fail(n, "a mate test left the board changed");
        }
    }
    game.manSide = goteSide;
    game.comSide = senteSide;
    SearchResult right, left;
    const std::int16_t chosen = searchComputerTurn(game, cs, right, left);
    if (chosen != leftBoardId && chosen != rightBoardId) fail(n, "the search chose no board");
    if (game.left.board != record.leftBoardHistory[n] ||
        game.right.board != record.rightBoardHistory[n]) {
        fail(n, "the search left a board changed");
    }
    for (const SearchResult* r : {&right, &left}) {
        if (r->score == -99999) continue;  // nothing legal on that board
        const BoardState& b = game.board(r == &right ? rightBoardId : leftBoardId);
        if (auto e = checkMoveAllowed(b, true, r->fromFile, r->fromRank, r->toFile, r->toRank,
                                      r->placed)) {
            fail(n, "the search's best move: " + *e);
        }
    }
}

}  // namespace
}  // namespace nobakuza

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace nobakuza;
    // A record is large; keep one of each for the whole run, as the game does.
    static auto* loaded = new LoadedRecord;
    static auto* again = new LoadedRecord;
    static auto* game = new GameState;
    static auto* computer = new ComputerState;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (parseRecordFile(bytes, *loaded)) return 0;
    const GameRecord& record = loaded->record;
    if (record.recordIndex != 0 || record.lastRecordIndex < 0 ||
        record.lastRecordIndex > maxRecordIndex) {
        fail(0, "record indexes out of range");
    }
    for (int n = 0; n <= record.lastRecordIndex; ++n) checkSnapshot(record, n, *game);
    // Nothing of an earlier, longer file may show through past the last snapshot.
    if (record.lastRecordIndex < maxRecordIndex &&
        record.leftBoardHistory[record.lastRecordIndex + 1] != Table{}) {
        fail(record.lastRecordIndex + 1, "a snapshot past the end is not empty");
    }

    // Stepped to its end, the record can be saved again under new names and reads back the same.
    std::int16_t boardId = 0, file = 0, rank = 0;
    Code code = 0;
    調査_移動結果(record, 1, boardId, code, file, rank);
    GameRecord& stepped = loaded->record;
    stepped.recordIndex = stepped.lastRecordIndex;
    std::string written;
    if (auto e = formatRecordFile({"再戦", "ｺﾝﾋﾟｭｰﾀ", "あなた"}, stepped, written)) {
        fail(stepped.lastRecordIndex, "read but cannot be written again: " + e->message);
    }
    stepped.recordIndex = 0;
    if (auto e = parseRecordFile(written, *again)) fail(e->line - 4, "rewritten: " + e->message);
    if (again->record.lastRecordIndex != record.lastRecordIndex) fail(0, "rewritten length");
    for (int n = 0; n <= record.lastRecordIndex; ++n) {
        if (!sameSnapshot(record, again->record, n)) fail(n, "rewritten snapshot differs");
    }

    playOn(record, *game, *computer);
    return 0;
}
