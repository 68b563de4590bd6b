#include "records/saved_game.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "files/text_file.h"

namespace nobakuza {
namespace {

constexpr const char* firstLine = "Nobakuza 自動保存 1";
constexpr int maxHandCount = 18;
constexpr long long maxMilliseconds = 999'999'999;
constexpr int squaresPerSnapshot = 2 * 81;
constexpr int handCountsPerSnapshot = 4 * handKinds;

// Kind index of handicap steps 1..10.
constexpr std::array<int, 11> stepKind = {0, 6, 7, 2, 2, 3, 3, 4, 4, 5, 5};

struct Words {
    const TranslateText& translate;
    const char* operator()(const char* japanese) const {
        return translate ? translate(japanese) : japanese;
    }
};

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

// Whole numbers separated by single spaces, each an optional minus sign and up to ten digits.
std::optional<std::vector<long long>> numbers(std::string_view text) {
    std::vector<long long> out;
    std::size_t i = 0;
    while (i <= text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        std::string_view field = text.substr(i, end - i);
        bool negative = false;
        if (!field.empty() && field.front() == '-') {
            negative = true;
            field.remove_prefix(1);
        }
        if (field.empty() || field.size() > 10) return std::nullopt;
        long long value = 0;
        for (const char c : field) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        out.push_back(negative ? -value : value);
        if (end == text.size()) break;
        i = end + 1;
    }
    return out;
}

void appendCodes(std::string& line, const Table& left, const Table& right) {
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r)
            for (const Table* b : {&left, &right}) {
                line += std::to_string((*b)[f][r]);
                line += ' ';
            }
}

void appendHands(std::string& line, std::initializer_list<const Hand*> hands) {
    for (const Hand* h : hands)
        for (int k = 1; k <= handKinds; ++k) {
            line += std::to_string((*h)[k]);
            line += ' ';
        }
}

long long milliseconds(float seconds) {
    if (!(seconds > 0)) return 0;
    return std::min(maxMilliseconds, static_cast<long long>(std::llround(seconds * 1000.0)));
}

// Squares and hands of one position; false when a code or count is out of range.
bool readPosition(const std::vector<long long>& v, Table& left, Table& right,
                  std::initializer_list<Hand*> hands) {
    std::size_t i = 0;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r)
            for (Table* b : {&left, &right}) {
                const long long c = v[i++];
                if (c < -950 || c > 950 || !isBoardCode(static_cast<int>(c))) return false;
                (*b)[f][r] = static_cast<Code>(c);
            }
    for (Hand* h : hands) {
        (*h)[0] = 0;
        for (int k = 1; k <= handKinds; ++k) {
            const long long c = v[i++];
            if (c < 0 || c > maxHandCount) return false;
            (*h)[k] = static_cast<std::int16_t>(c);
        }
    }
    return true;
}

// One king of each side, and every piece the handicap left between the squares and the hands.
bool soundBoard(const Table& board, const Hand& man, const Hand& com, const Hand& removed) {
    Hand count{};
    int manKings = 0, comKings = 0;
    for (int f = 1; f <= boardSize; ++f)
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = board[f][r];
            manKings += c == manKing;
            comKings += c == comKing;
            if (const int k = kindIndexOf(c); k != 0) ++count[k];
        }
    if (manKings != 1 || comKings != 1) return false;
    for (int k = 1; k <= handKinds; ++k)
        if (count[k] + man[k] + com[k] != fullPieceSet[k] - removed[k]) return false;
    return true;
}

// The file read line by line, in the order the lines must come.
struct SavedGameReader {
    const Words& w;
    std::vector<std::string_view> lines;
    std::size_t at = 1;  // the next line

    RecordError error(int line, const char* what) const {
        return RecordError{fillPlaces(w("{0}行目: {1}"), {std::to_string(line), w(what)}), line};
    }

    // The value of the next line, which must carry `key`.
    std::optional<std::string_view> value(const char* key) {
        if (at >= lines.size()) return std::nullopt;
        const std::string_view line = lines[at];
        const std::string_view k(key);
        if (line.size() <= k.size() || line.substr(0, k.size()) != k || line[k.size()] != '=')
            return std::nullopt;
        ++at;
        return line.substr(k.size() + 1);
    }

    std::optional<RecordError> number(const char* key, long long low, long long high,
                                      std::int16_t& into) {
        const int line = static_cast<int>(at + 1);  // before the value moves past it
        const auto v = value(key);
        const auto n = v ? numbers(*v) : std::nullopt;
        if (!n || n->size() != 1 || (*n)[0] < low || (*n)[0] > high)
            return error(line, "値がないか範囲外です");
        into = static_cast<std::int16_t>((*n)[0]);
        return std::nullopt;
    }

    // 対局 to 向き: the game-state values, each in its range.
    std::optional<RecordError> readGameValues(SavedGame& out) {
        std::int16_t turned = 0;
        struct Field {
            const char* key;
            long long low, high;
            std::int16_t* into;
        } fields[] = {{"対局", 0, 1, &out.gameMode},
                      {"人間", -1, 1, &out.manSide},
                      {"手番", -1, 1, &out.sideToMove},
                      {"手数", 0, maxRecordIndex, &out.moveNumber},
                      {"レベル", 1, highestComLevel, &out.comLevel},
                      {"ハンデ", -10, 10, &out.handicapLevel},
                      {"ハンデ設定", 0, 1, &out.handicapSet},
                      {"棋譜モード", 0, 1, &out.kifuMode},
                      {"反転", 0, 1, &out.boardsReversed},
                      {"再開待ち", 0, 1, &out.resumePending},
                      {"向き", 0, 1, &turned}};
        for (const Field& f : fields)
            if (auto e = number(f.key, f.low, f.high, *f.into)) return e;
        if (out.manSide == noSide) return error(3, "値がないか範囲外です");
        if (out.handicapSet == flagNo && out.handicapLevel != 0)
            return error(7, "値がないか範囲外です");
        out.turned = turned != 0;
        return std::nullopt;
    }

    // 時間, the three names and 現在 (the snapshot shown, checked once the snapshots are read).
    std::optional<RecordError> readClocksAndNames(SavedGame& out, std::int16_t& shown) {
        const int clockLine = static_cast<int>(at + 1);
        const auto times = value("時間");
        const auto clocks = times ? numbers(*times) : std::nullopt;
        // The move under way may be missing: older files did not keep it.
        if (!clocks || clocks->size() < 2 || clocks->size() > 3 ||
            std::any_of(clocks->begin(), clocks->end(),
                        [](long long ms) { return ms < 0 || ms > maxMilliseconds; }))
            return error(clockLine, "値がないか範囲外です");
        out.manTotalSeconds = static_cast<float>((*clocks)[0] / 1000.0);
        out.comTotalSeconds = static_cast<float>((*clocks)[1] / 1000.0);
        out.moveSeconds = clocks->size() == 3 ? static_cast<float>((*clocks)[2] / 1000.0) : 0.0f;

        for (std::string* name :
             {&out.header.gameName, &out.header.topPlayerName, &out.header.bottomPlayerName}) {
            const char* key = name == &out.header.gameName        ? "対局名"
                              : name == &out.header.topPlayerName ? "上側"
                                                                  : "下側";
            const auto v = value(key);
            if (!v) return error(static_cast<int>(at + 1), "値がないか範囲外です");
            *name = std::string(*v);
        }
        return number("現在", 0, maxRecordIndex, shown);
    }

    // One 局面 line into snapshot n: the position, its four clocks and its turned flag.
    std::optional<RecordError> readSnapshot(SavedGame& out, int n, const Hand& removed) {
        const int lineNumber = static_cast<int>(at + 1);
        GameRecord& r = out.record;
        const auto v = numbers(*value("局面"));
        if (!v || v->size() != squaresPerSnapshot + handCountsPerSnapshot + 5)
            return error(lineNumber, "局面の数値が正しくありません");
        if (!readPosition(*v, r.leftBoardHistory[n], r.rightBoardHistory[n],
                          {&r.manHandLeftHistory[n], &r.comHandLeftHistory[n],
                           &r.manHandRightHistory[n], &r.comHandRightHistory[n]}))
            return error(lineNumber, "駒コードか持駒の数が範囲外です");
        std::size_t i = squaresPerSnapshot + handCountsPerSnapshot;
        for (auto* times : {&r.manTimeBefore, &r.manTimeAfter, &r.comTimeBefore, &r.comTimeAfter}) {
            const long long ms = (*v)[i++];
            if (ms < 0 || ms > maxMilliseconds) return error(lineNumber, "値がないか範囲外です");
            (*times)[static_cast<std::size_t>(n)] = static_cast<float>(ms / 1000.0);
        }
        const long long t = (*v)[i];
        if (t != 0 && t != 1) return error(lineNumber, "値がないか範囲外です");
        out.snapshotTurned[static_cast<std::size_t>(n)] = t == 1;
        if (!soundBoard(r.leftBoardHistory[n], r.manHandLeftHistory[n], r.comHandLeftHistory[n],
                        removed) ||
            !soundBoard(r.rightBoardHistory[n], r.manHandRightHistory[n], r.comHandRightHistory[n],
                        removed))
            return error(lineNumber, "駒の数が合いません");
        return std::nullopt;
    }

    // Every 局面 line: at least one, at most one per record slot.
    std::optional<RecordError> readSnapshots(SavedGame& out) {
        const Hand removed = handicapRemoved(out.handicapLevel);
        int n = 0;
        while (at < lines.size() && lines[at].starts_with("局面=")) {
            if (n > maxRecordIndex) return error(static_cast<int>(at + 1), "局面が多すぎます");
            if (auto e = readSnapshot(out, n, removed)) return e;
            ++n;
        }
        if (n == 0) return error(static_cast<int>(at + 1), "局面がありません");
        out.record.lastRecordIndex = static_cast<std::int16_t>(n - 1);
        return std::nullopt;
    }

    // 盤面: the boards and hands as they stand.
    std::optional<RecordError> readBoards(SavedGame& out) {
        const Hand removed = handicapRemoved(out.handicapLevel);
        const int boardLine = static_cast<int>(at + 1);
        const auto now = value("盤面");
        const auto v = now ? numbers(*now) : std::nullopt;
        if (!v || v->size() != squaresPerSnapshot + handCountsPerSnapshot)
            return error(boardLine, "盤面がないか途中で切れています");
        if (!readPosition(
                *v, out.leftBoard, out.rightBoard,
                {&out.manHandLeft, &out.comHandLeft, &out.manHandRight, &out.comHandRight}))
            return error(boardLine, "駒コードか持駒の数が範囲外です");
        if (!soundBoard(out.leftBoard, out.manHandLeft, out.comHandLeft, removed) ||
            !soundBoard(out.rightBoard, out.manHandRight, out.comHandRight, removed))
            return error(boardLine, "駒の数が合いません");
        return std::nullopt;
    }
};
}  // namespace

Hand handicapRemoved(int handicapLevel) {
    Hand removed{};
    const int steps = std::min(10, std::abs(handicapLevel));
    for (int s = 1; s <= steps; ++s) ++removed[stepKind[static_cast<std::size_t>(s)]];
    return removed;
}

std::string formatSavedGame(const SavedGame& g) {
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    std::string t = std::string(firstLine) + "\r\n";
    auto put = [&](const char* key, const std::string& value) {
        t += key;
        t += '=';
        t += value;
        t += "\r\n";
    };
    put("対局", std::to_string(g.gameMode));
    put("人間", std::to_string(g.manSide));
    put("手番", std::to_string(g.sideToMove));
    put("手数", std::to_string(g.moveNumber));
    put("レベル", std::to_string(g.comLevel));
    put("ハンデ", std::to_string(g.handicapLevel));
    put("ハンデ設定", std::to_string(g.handicapSet));
    put("棋譜モード", std::to_string(g.kifuMode));
    put("反転", std::to_string(g.boardsReversed));
    put("再開待ち", std::to_string(g.resumePending));
    put("向き", flag(g.turned));
    // The move under way only when the game was left in the middle of one.
    const long long moveMs = milliseconds(g.moveSeconds);
    put("時間", std::to_string(milliseconds(g.manTotalSeconds)) + " " +
                    std::to_string(milliseconds(g.comTotalSeconds)) +
                    (moveMs > 0 ? " " + std::to_string(moveMs) : std::string()));
    put("対局名", g.header.gameName);
    put("上側", g.header.topPlayerName);
    put("下側", g.header.bottomPlayerName);
    put("現在", std::to_string(g.record.recordIndex));
    const GameRecord& r = g.record;
    for (int n = 0; n <= r.lastRecordIndex; ++n) {
        std::string line;
        appendCodes(line, r.leftBoardHistory[n], r.rightBoardHistory[n]);
        appendHands(line, {&r.manHandLeftHistory[n], &r.comHandLeftHistory[n],
                           &r.manHandRightHistory[n], &r.comHandRightHistory[n]});
        for (const float s :
             {r.manTimeBefore[n], r.manTimeAfter[n], r.comTimeBefore[n], r.comTimeAfter[n]}) {
            line += std::to_string(milliseconds(s));
            line += ' ';
        }
        line += flag(g.snapshotTurned[static_cast<std::size_t>(n)]);
        put("局面", line);
    }
    std::string now;
    appendCodes(now, g.leftBoard, g.rightBoard);
    appendHands(now, {&g.manHandLeft, &g.comHandLeft, &g.manHandRight, &g.comHandRight});
    now.pop_back();
    put("盤面", now);
    return utf8ToSjis(t).value_or(std::string());
}

std::optional<RecordError> parseSavedGame(std::string_view bytes, SavedGame& out,
                                          const TranslateText& translate) {
    const Words w{translate};
    out = SavedGame{};
    if (bytes.size() > maxSavedGameBytes) return RecordError{w("ファイルが大きすぎます"), 0};
    const auto text = sjisToUtf8(bytes);
    if (!text) return RecordError{w("Shift-JIS の文字として読めません"), 0};
    SavedGameReader reader{w, splitLines(*text)};
    if (reader.lines.empty() || reader.lines[0] != firstLine)
        return reader.error(1, "自動保存の形式ではありません");
    std::int16_t shown = 0;
    if (auto e = reader.readGameValues(out)) return e;
    if (auto e = reader.readClocksAndNames(out, shown)) return e;
    if (auto e = reader.readSnapshots(out)) return e;
    if (shown > out.record.lastRecordIndex) return reader.error(17, "値がないか範囲外です");
    out.record.recordIndex = shown;
    if (auto e = reader.readBoards(out)) return e;
    // Nothing may follow but the end of the file.
    if (reader.at < reader.lines.size())
        return reader.error(static_cast<int>(reader.at + 1), "余分な行があります");
    return std::nullopt;
}

}  // namespace nobakuza
