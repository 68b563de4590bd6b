#include "ui/notation.h"

#include "ui/texts.h"

namespace nobakuza {
namespace {

constexpr const char* englishLetters[] = {"", "P", "L", "N", "S", "G", "B", "R"};

std::string englishSquare(int column, int row, bool turned) {
    std::string s = std::to_string(fileLabel(column, turned));
    s += static_cast<char>('a' + rankLabel(row, turned) - 1);
    return s;
}

}  // namespace

std::string moveNotation(const MoveNote& move, bool turned, Language language) {
    if (move.boardId == 0) return {};
    if (language == Language::english) {
        const std::string to = englishSquare(move.toFile, move.toRank, turned);
        if (move.drop()) return std::string(englishLetters[kindIndexOf(move.placed)]) + "*" + to;
        std::string s = englishSquare(move.fromFile, move.fromRank, turned) + "-" + to;
        if (move.promotes()) s += "+";
        return s;
    }
    std::string s = std::to_string(fileLabel(move.toFile, turned));
    s += 文字列変換(1000 + rankLabel(move.toRank, turned));
    s += 文字列変換(move.placed);
    return s;
}

std::string moverMark(const MoveNote& move) {
    return move.topPiece ? "△" : "▲";
}

}  // namespace nobakuza
