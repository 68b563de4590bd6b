// `nobakuza-cli survey FILE [--snapshot K]`: loads one snapshot of a record file into both boards
// and prints, board by board, the kings, every influence table, the escape count and both mate
// tests. Other tools compare against this output, so its form stays exactly as it is.
//
// `nobakuza-cli write-sample-record FILE` writes the bundled sample record from a fixed game
// played through the move routines.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "arguments.h"
#include "board/board_model.h"
#include "board/move_execution.h"
#include "board/move_legality.h"
#include "commands.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "records/game_record.h"
#include "records/record_file.h"

namespace nobakuza::cli {
namespace {

void appendTable(std::string& out, const char* name, const Table& t) {
    out += "table ";
    out += name;
    out += '\n';
    for (int rank = 1; rank <= boardSize; ++rank) {
        for (int file = 1; file <= boardSize; ++file) {
            if (file > 1) out += ' ';
            out += std::to_string(t[file][rank]);
        }
        out += '\n';
    }
}

void surveyBoard(std::string& out, const char* name, BoardState& b) {
    勢力調査(b);
    out += "board ";
    out += name;
    out += "\nkings man=" + std::to_string(b.manKingFile) + "," + std::to_string(b.manKingRank) +
           " com=" + std::to_string(b.comKingFile) + "," + std::to_string(b.comKingRank) + "\n";
    const InfluenceTables& t = b.influence;
    appendTable(out, "manInfluence", t.manInfluence);
    appendTable(out, "comInfluence", t.comInfluence);
    appendTable(out, "manAttackCount", t.manAttackCount);
    appendTable(out, "manCheapestAttacker", t.manCheapestAttacker);
    appendTable(out, "manCheapestAttackerX", t.manCheapestAttackerX);
    appendTable(out, "manCheapestAttackerY", t.manCheapestAttackerY);
    appendTable(out, "manTopDefender", t.manTopDefender);
    appendTable(out, "comCheapestDefender", t.comCheapestDefender);
    appendTable(out, "comCheapestAttacker", t.comCheapestAttacker);
    appendTable(out, "manCheckMarks", t.manCheckMarks);
    appendTable(out, "comCheckMarks", t.comCheckMarks);
    b.escapeMark = Table{};
    out += "escape=" + std::to_string(調査_自王逃道(b)) + "\n";
    out += "mateMan=" + std::to_string(詰めかMAN(b)) + "\n";
    // The computer's mate test leaves trial tables behind and wants a fresh survey first.
    勢力調査(b);
    out += "mateCom=" + std::to_string(詰めかCOM(b)) + "\n";
}

}  // namespace

int survey(int argc, char** argv) {
    const std::string usage = usageLine(surveyHelp);
    std::string path;
    int k = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--snapshot") {
            if (i + 1 >= argc || !parseNumber(argv[i + 1], k)) {
                return refuse("survey", "--snapshot needs a snapshot number 0..500\n" + usage);
            }
            ++i;
        } else if (path.empty() && !arg.starts_with("--")) {
            path = arg;
        } else {
            return refuse("survey", "unexpected argument '" + std::string(arg) + "'\n" + usage);
        }
    }
    if (path.empty()) return refuse("survey", usage);

    auto loaded = std::make_unique<LoadedRecord>();
    if (const auto e = readRecordFile(path, *loaded)) return refuse("survey", e->message);
    const GameRecord& record = loaded->record;
    if (k < 0) k = record.lastRecordIndex;
    if (k > record.lastRecordIndex) {
        return refuse("survey", "snapshot " + std::to_string(k) + " is not in " + path + " (0.." +
                                    std::to_string(record.lastRecordIndex) + ")");
    }

    auto game = std::make_unique<GameState>();
    restoreSnapshot(record, k, *game);
    調査_2歩フラグ設定(game->left);
    調査_2歩フラグ設定(game->right);
    std::string out;
    surveyBoard(out, "left", game->left);
    surveyBoard(out, "right", game->right);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
}

namespace {

struct SampleMove {
    std::int16_t boardId;
    int fromFile, fromRank, toFile, toRank;
    bool promote;
    float seconds;  // the time the move took
};

// The human moves first (from the bottom). Bishops are exchanged on the left board, the human's
// bishop also taking the right board's bishop on the same square; then both sides drop theirs.
constexpr SampleMove sampleGame[] = {
    {leftBoardId, 3, 7, 3, 6, false, 4},
    {leftBoardId, 7, 3, 7, 4, false, 2},
    {leftBoardId, 2, 8, 8, 2, true, 9},  // captures here and on the right board
    {leftBoardId, 7, 1, 8, 2, false, 1},
    {rightBoardId, manHandColumn, 6 + 2, 5, 5, false, 12},
    {rightBoardId, 7, 3, 7, 4, false, 3},
    {leftBoardId, manHandColumn, 6 + 2, 5, 5, false, 7},
    {leftBoardId, comHandColumn, 6, 4, 4, false, 5},
};

}  // namespace

int writeSampleRecord(int argc, char** argv) {
    if (argc != 2) return refuse("write-sample-record", usageLine(writeSampleRecordHelp));
    auto game = std::make_unique<GameState>();
    setInitialPosition(game->left.board);
    setInitialPosition(game->right.board);
    game->manSide = senteSide;
    game->comSide = goteSide;
    auto record = std::make_unique<GameRecord>();
    storeStartPosition(*record, *game);

    float manTotal = 0, comTotal = 0;
    for (const SampleMove& m : sampleGame) {
        BoardState& b = game->board(m.boardId);
        Code piece = 0;
        if (m.fromFile == manHandColumn) {
            piece = static_cast<Code>(-kindCode[m.fromRank - 2]);
        } else if (m.fromFile == comHandColumn) {
            piece = kindCode[m.fromRank];
        } else {
            piece = b.board[m.fromFile][m.fromRank];
        }
        const bool human = piece < 0;
        調査_2歩フラグ設定(b);
        if (移動チェック(b, m.fromFile, m.fromRank, m.toFile, m.toRank, piece) != flagYes) {
            return refuse("write-sample-record", "the sample game holds an illegal move");
        }
        if (m.promote) {
            if (調査_駒成(b, m.fromFile, m.fromRank, m.toFile, m.toRank, piece) != flagYes) {
                return refuse("write-sample-record", "the sample game holds a bad promotion");
            }
            piece = b.promotedPiece;
        }
        駒移動(*game, b, m.fromFile, m.fromRank, m.toFile, m.toRank, piece);
        const float manBefore = manTotal, comBefore = comTotal;
        (human ? manTotal : comTotal) += m.seconds;
        if (const auto e = 手順保存(*record, *game, manBefore, manTotal, comBefore, comTotal)) {
            return refuse("write-sample-record", e->message);
        }
    }
    const RecordHeader header =
        headerForSave("見本の一局　角交換と持駒", "あなた", "ｺﾝﾋﾟｭｰﾀ", game->manSide);
    if (const auto e = writeRecordFile(argv[1], header, *record)) {
        return refuse("write-sample-record", e->message);
    }
    return 0;
}

}  // namespace nobakuza::cli
