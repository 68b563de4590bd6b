#include "records/record_file.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "files/text_file.h"

namespace nobakuza {
namespace {

constexpr int boardFieldWidth = 4;
constexpr int handFieldWidth = 4;
constexpr int timeFieldWidth = 5;
constexpr int handColumn = 2 * 81 * boardFieldWidth;                     // 648
constexpr int timeColumn = handColumn + 2 * handKinds * handFieldWidth;  // 704
static_assert(timeColumn + 4 * timeFieldWidth == recordLineLength);

constexpr int maxHandCount = 18;
constexpr const char* kindNames[] = {"", "歩", "香", "桂", "銀", "金", "角", "飛"};

// The refusals' words, in the player's language.
struct Words {
    const TranslateText& translate;
    const char* operator()(const char* japanese) const {
        return translate ? translate(japanese) : japanese;
    }
    std::string operator()(const char* pattern,
                           std::initializer_list<std::string_view> args) const {
        return fillPlaces((*this)(pattern), args);
    }
};

std::string num(int n) {
    return std::to_string(n);
}

RecordError errorAt(const Words& w, int line, const std::string& what) {
    return {w("{0}行目: {1}", {num(line), what}), line};
}

std::string headerTooLong(const Words& w) {
    return w("見出しが長すぎます（{0} バイトまで）", {num(maxHeaderBytes)});
}

std::string tooLargeMessage(const Words& w) {
    return w("棋譜ﾌｧｲﾙが大きすぎます（{0} バイトまで）", {std::to_string(maxRecordFileBytes)});
}

// A field holds optional leading spaces, an optional minus sign and at least one digit.
std::optional<int> parseField(std::string_view line, int column, int width) {
    const std::string_view field = line.substr(column, width);
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == field.size()) return std::nullopt;
    int value = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') return std::nullopt;
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

int wholeSeconds(float seconds) {
    if (!(seconds > 0)) return 0;  // also NaN
    if (seconds >= static_cast<float>(maxTimeField)) return maxTimeField;
    return static_cast<int>(seconds);  // the fraction is dropped
}

const char* boardName(int boardId) {
    return boardId == rightBoardId ? "右盤" : "左盤";
}

// The human's hands of both boards by conservation; an error names the first kind that has more
// pieces on the board and in the computer's hand than the full set holds.
std::optional<std::string> deriveBothHands(const Words& w, const Table& left, const Table& right,
                                           const Hand& comLeft, const Hand& comRight, Hand& manLeft,
                                           Hand& manRight) {
    manLeft = deriveManHand(left, comLeft);
    manRight = deriveManHand(right, comRight);
    for (const int boardId : {leftBoardId, rightBoardId}) {
        const Hand& man = boardId == leftBoardId ? manLeft : manRight;
        for (int k = 1; k <= handKinds; ++k) {
            if (man[k] < 0) {
                return w("{0}の{1}が {2} 枚を超えています",
                         {w(boardName(boardId)), w(kindNames[k]), num(fullPieceSet[k])});
            }
        }
    }
    return std::nullopt;
}

// A king leaves the board only by the capture that ends the game, so every snapshot but the last
// of a record with moves holds all four kings, the last may lack the loser's, and no board ever
// holds two kings of one side.
std::optional<std::string> kingFault(const Words& w, const Table& left, const Table& right,
                                     bool mayLackKing) {
    bool manMissing = false;
    bool comMissing = false;
    for (const int boardId : {leftBoardId, rightBoardId}) {
        const Table& board = boardId == leftBoardId ? left : right;
        for (const Code king : {manKing, comKing}) {
            int count = 0;
            for (int f = 1; f <= boardSize; ++f)
                for (int r = 1; r <= boardSize; ++r) count += board[f][r] == king;
            const char* whose = w(king == manKing ? "下側" : "上側");
            if (count > 1)
                return w("{0}に{1}の王が {2} 枚あります",
                         {w(boardName(boardId)), whose, num(count)});
            if (count == 0 && !mayLackKing)
                return w("{0}に{1}の王がありません", {w(boardName(boardId)), whose});
            (king == manKing ? manMissing : comMissing) |= count == 0;
        }
    }
    if (manMissing && comMissing) return std::string(w("両方の側の王がありません"));
    return std::nullopt;
}

// Lines end in CR LF, LF or a CR alone (files from other editors); empty lines at the end of the
// file, which some editors add, are no lines.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++start;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::optional<RecordError> parseRecordLine(const Words& w, std::string_view line, int lineNumber,
                                           int n, bool mayLackKing, GameRecord& record) {
    if (static_cast<int>(line.size()) != recordLineLength) {
        return errorAt(w, lineNumber,
                       w("長さが {0} 文字ではありません（{1} 文字）",
                         {num(recordLineLength), num(static_cast<int>(line.size()))}));
    }
    auto field = [&](int column, int width, int& value) -> std::optional<RecordError> {
        const auto parsed = parseField(line, column, width);
        if (!parsed) {
            return errorAt(w, lineNumber,
                           w("{0} 桁目からの欄が数値ではありません", {num(column + 1)}));
        }
        value = *parsed;
        return std::nullopt;
    };

    int column = 0;
    for (int i = 1; i <= boardSize; ++i) {
        for (int j = 1; j <= boardSize; ++j) {
            for (Table* board : {&record.leftBoardHistory[n], &record.rightBoardHistory[n]}) {
                int code = 0;
                if (auto e = field(column, boardFieldWidth, code)) return e;
                if (!isBoardCode(code)) {
                    return errorAt(
                        w, lineNumber,
                        w("{0} 桁目の駒コード {1} は使えません", {num(column + 1), num(code)}));
                }
                (*board)[i][j] = static_cast<Code>(code);
                column += boardFieldWidth;
            }
        }
    }
    for (int k = 1; k <= handKinds; ++k) {
        for (Hand* hand : {&record.comHandLeftHistory[n], &record.comHandRightHistory[n]}) {
            int count = 0;
            if (auto e = field(column, handFieldWidth, count)) return e;
            if (count < 0 || count > maxHandCount) {
                return errorAt(w, lineNumber,
                               w("{0} 桁目の持駒の数 {1} は 0～{2} ではありません",
                                 {num(column + 1), num(count), num(maxHandCount)}));
            }
            (*hand)[k] = static_cast<std::int16_t>(count);
            column += handFieldWidth;
        }
    }
    for (auto* times : {&record.manTimeBefore, &record.manTimeAfter, &record.comTimeBefore,
                        &record.comTimeAfter}) {
        int seconds = 0;
        if (auto e = field(column, timeFieldWidth, seconds)) return e;
        (*times)[n] = static_cast<float>(std::clamp(seconds, 0, maxTimeField));
        column += timeFieldWidth;
    }
    if (auto why = deriveBothHands(w, record.leftBoardHistory[n], record.rightBoardHistory[n],
                                   record.comHandLeftHistory[n], record.comHandRightHistory[n],
                                   record.manHandLeftHistory[n], record.manHandRightHistory[n])) {
        return errorAt(w, lineNumber, *why);
    }
    if (auto why =
            kingFault(w, record.leftBoardHistory[n], record.rightBoardHistory[n], mayLackKing))
        return errorAt(w, lineNumber, *why);
    return std::nullopt;
}

// What makes a snapshot in memory unfit to be written: it would not read back as it is.
std::optional<std::string> unwritable(const Words& w, const GameRecord& record, int n) {
    for (const Table* board : {&record.leftBoardHistory[n], &record.rightBoardHistory[n]}) {
        for (int f = 1; f <= boardSize; ++f) {
            for (int r = 1; r <= boardSize; ++r) {
                if (!isBoardCode((*board)[f][r])) {
                    return w("駒コード {0} は書き込めません", {num((*board)[f][r])});
                }
            }
        }
    }
    for (const Hand* hand : {&record.comHandLeftHistory[n], &record.comHandRightHistory[n]}) {
        for (int k = 1; k <= handKinds; ++k) {
            if ((*hand)[k] < 0 || (*hand)[k] > maxHandCount)
                return std::string(w("持駒の数が範囲外です"));
        }
    }
    Hand manLeft{}, manRight{};
    if (auto why = deriveBothHands(w, record.leftBoardHistory[n], record.rightBoardHistory[n],
                                   record.comHandLeftHistory[n], record.comHandRightHistory[n],
                                   manLeft, manRight)) {
        return why;
    }
    for (int k = 1; k <= handKinds; ++k) {
        if (manLeft[k] != record.manHandLeftHistory[n][k] ||
            manRight[k] != record.manHandRightHistory[n][k]) {
            return std::string(w("駒数が揃っていない局面は書き込めません"));
        }
    }
    return std::nullopt;
}

}  // namespace

RecordHeader headerForSave(std::string gameName, std::string senteName, std::string goteName,
                           std::int16_t manSide) {
    // The computer's (top) side is the first player exactly when the human is the second.
    if (manSide == senteSide)
        return {std::move(gameName), std::move(goteName), std::move(senteName)};
    return {std::move(gameName), std::move(senteName), std::move(goteName)};
}

std::optional<RecordError> parseRecordFile(std::string_view bytes, LoadedRecord& out,
                                           const TranslateText& translate) {
    const Words w{translate};
    // Nothing of an earlier file may show through beyond this one's last snapshot.
    out.header = RecordHeader{};
    out.record = GameRecord{};
    if (bytes.size() > maxRecordFileBytes) return RecordError{tooLargeMessage(w), 0};
    const std::vector<std::string_view> lines = splitLines(bytes);
    if (static_cast<int>(lines.size()) < headerLines) {
        return errorAt(w, static_cast<int>(lines.size()) + 1, w("見出しの行がありません"));
    }
    std::string* names[] = {&out.header.gameName, &out.header.topPlayerName,
                            &out.header.bottomPlayerName};
    for (int i = 0; i < headerLines; ++i) {
        if (lines[i].size() > std::size_t{maxHeaderBytes})
            return errorAt(w, i + 1, headerTooLong(w));
        const auto utf8 = sjisToUtf8(lines[i]);
        if (!utf8) return errorAt(w, i + 1, w("Shift-JIS の文字として読めません"));
        *names[i] = *utf8;
    }
    const int recordLines = static_cast<int>(lines.size()) - headerLines;
    if (recordLines == 0) return errorAt(w, headerLines + 1, w("開始局面の行がありません"));
    if (recordLines > recordSlots) {
        return errorAt(
            w, headerLines + recordSlots + 1,
            w("記録は {0} 行（{1} 手）までです", {num(recordSlots), num(maxRecordIndex)}));
    }
    for (int n = 0; n < recordLines; ++n) {
        const bool mayLackKing = n > 0 && n == recordLines - 1;
        if (auto e = parseRecordLine(w, lines[headerLines + n], headerLines + 1 + n, n, mayLackKing,
                                     out.record)) {
            return e;
        }
    }
    out.record.recordIndex = 0;
    out.record.lastRecordIndex = static_cast<std::int16_t>(recordLines - 1);
    return std::nullopt;
}

std::optional<RecordError> readRecordFile(const std::string& path, LoadedRecord& out,
                                          const TranslateText& translate) {
    const FileRead file = readFile(path, maxRecordFileBytes, translate);
    if (!file.bytes) return RecordError{file.error, 0};
    return parseRecordFile(*file.bytes, out, translate);
}

std::string formatRecordLine(const GameRecord& record, int n) {
    std::string line;
    line.reserve(recordLineLength + 8);
    char field[16];
    auto put = [&](int width, int value) {
        std::snprintf(field, sizeof field, "%*d", width, value);
        line += field;
    };
    for (int i = 1; i <= boardSize; ++i) {
        for (int j = 1; j <= boardSize; ++j) {
            put(boardFieldWidth, record.leftBoardHistory[n][i][j]);
            put(boardFieldWidth, record.rightBoardHistory[n][i][j]);
        }
    }
    for (int k = 1; k <= handKinds; ++k) {
        put(handFieldWidth, record.comHandLeftHistory[n][k]);
        put(handFieldWidth, record.comHandRightHistory[n][k]);
    }
    put(timeFieldWidth, wholeSeconds(record.manTimeBefore[n]));
    put(timeFieldWidth, wholeSeconds(record.manTimeAfter[n]));
    put(timeFieldWidth, wholeSeconds(record.comTimeBefore[n]));
    put(timeFieldWidth, wholeSeconds(record.comTimeAfter[n]));
    return line;
}

std::optional<RecordError> formatRecordFile(const RecordHeader& header, const GameRecord& record,
                                            std::string& bytes, const TranslateText& translate) {
    const Words w{translate};
    if (record.recordIndex < 0 || record.recordIndex > maxRecordIndex) {
        return RecordError{w("書き込む局面の番号が範囲外です"), 0};
    }
    std::string out;
    const std::string* names[] = {&header.gameName, &header.topPlayerName,
                                  &header.bottomPlayerName};
    for (int i = 0; i < headerLines; ++i) {
        if (names[i]->find_first_of("\r\n") != std::string::npos) {
            return errorAt(w, i + 1, w("見出しに改行は書き込めません"));
        }
        const auto sjis = utf8ToSjis(*names[i]);
        if (!sjis) return errorAt(w, i + 1, w("Shift-JIS で書けない文字があります"));
        if (sjis->size() > std::size_t{maxHeaderBytes}) return errorAt(w, i + 1, headerTooLong(w));
        out += *sjis;
        out += "\r\n";
    }
    for (int n = 0; n <= record.recordIndex; ++n) {
        if (auto why = unwritable(w, record, n)) return errorAt(w, headerLines + 1 + n, *why);
        out += formatRecordLine(record, n);
        out += "\r\n";
    }
    bytes = std::move(out);
    return std::nullopt;
}

std::optional<RecordError> writeRecordFile(const std::string& path, const RecordHeader& header,
                                           const GameRecord& record,
                                           const TranslateText& translate) {
    std::string bytes;
    if (auto e = formatRecordFile(header, record, bytes, translate)) return e;
    const std::string why = writeFileAtomically(path, bytes, translate);
    if (!why.empty()) return RecordError{why, 0};
    return std::nullopt;
}

}  // namespace nobakuza
