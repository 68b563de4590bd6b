#include "board/invariants.h"

#include "board/geometry.h"
#include "board/move_execution.h"
#include "board/move_legality.h"

namespace nobakuza {
namespace {

// The full set of each kind on one board (index = kind index; the same as a record's).
constexpr std::array<int, 8> fullSet = {0, 18, 4, 4, 4, 4, 2, 2};

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) of a text put in front of a
// temporary string.
std::string square(int file, int rank) {
    std::string s = "(";
    s += std::to_string(file);
    s += ',';
    s += std::to_string(rank);
    s += ')';
    return s;
}

std::string boardName(const BoardState& b) {
    return b.boardId == rightBoardId ? "right board" : "left board";
}

struct KingCount {
    int man = 0;
    int com = 0;
};

KingCount countKings(const BoardState& b) {
    KingCount k;
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            k.man += b.board[f][r] == manKing;
            k.com += b.board[f][r] == comKing;
        }
    }
    return k;
}

std::optional<std::string> handFault(const Hand& hand, std::int16_t total, bool mayCountKing,
                                     const char* whose) {
    if (hand[0] != 0) return std::string(whose) + " hand: index 0 holds " + std::to_string(hand[0]);
    int sum = 0;
    for (int k = 1; k <= handKinds; ++k) {
        if (hand[k] < 0 || hand[k] > fullSet[k]) {
            return std::string(whose) + " hand: kind " + std::to_string(k) + " count " +
                   std::to_string(hand[k]) + " outside 0.." + std::to_string(fullSet[k]);
        }
        sum += hand[k];
    }
    if (total != sum && !(mayCountKing && total == sum + 1)) {
        return std::string(whose) + " hand: total " + std::to_string(total) +
               " but counts sum to " + std::to_string(sum);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> checkBoardInvariants(const BoardState& b, bool kingCaptureAllowed) {
    auto fault = [&](const std::string& what) {
        return std::optional<std::string>(boardName(b) + ": " + what);
    };
    for (int i = 0; i <= boardSize; ++i) {
        if (b.board[0][i] != emptySquare || b.board[i][0] != emptySquare)
            return fault("row or column 0 is used");
    }
    std::array<int, 8> onSquares{};
    for (int f = 1; f <= boardSize; ++f) {
        for (int r = 1; r <= boardSize; ++r) {
            const Code c = b.board[f][r];
            if (!isBoardCode(c)) return fault("code " + std::to_string(c) + " at " + square(f, r));
            ++onSquares[kindIndexOf(c)];
        }
    }

    const KingCount kings = countKings(b);
    if (kings.man > 1 || kings.com > 1) {
        return fault(std::to_string(kings.man) + " human and " + std::to_string(kings.com) +
                     " computer kings");
    }
    if (!kingCaptureAllowed && (kings.man != 1 || kings.com != 1))
        return fault("a king is missing though no king was captured");

    // The capturer's total counted a taken king that never entered its hand.
    if (auto e = handFault(b.manHand, b.manHandTotal, kings.com == 0, "human")) return fault(*e);
    if (auto e = handFault(b.comHand, b.comHandTotal, kings.man == 0, "computer")) return fault(*e);

    for (int k = 1; k <= handKinds; ++k) {
        const int pieces = onSquares[k] + b.manHand[k] + b.comHand[k];
        if (pieces != fullSet[k]) {
            return fault("kind " + std::to_string(k) + " has " + std::to_string(pieces) +
                         " pieces between squares and hands, not " + std::to_string(fullSet[k]));
        }
    }

    if (kings.man == 1) {
        const int f = b.manKingFile;
        const int r = b.manKingRank;
        if (!onBoard(f, r) || b.board[f][r] != manKing)
            return fault("stored human king square " + square(f, r) + " does not hold the king");
    }
    return std::nullopt;
}

std::optional<std::string> checkGameInvariants(const GameState& g) {
    const bool over = g.winner != noSide;
    for (const BoardState* b : {&g.left, &g.right}) {
        if (auto e = checkBoardInvariants(*b, over)) return e;
    }
    if (!over) return std::nullopt;
    // Only the loser's king can have been taken.
    const bool manWon = g.winner == g.manSide;
    for (const BoardState* b : {&g.left, &g.right}) {
        const KingCount k = countKings(*b);
        if ((manWon && k.man == 0) || (!manWon && k.com == 0))
            return boardName(*b) + ": the winner's king is missing";
    }
    const KingCount l = countKings(g.left);
    const KingCount r = countKings(g.right);
    if (l.man + r.man + l.com + r.com == 4) return std::string("a winner but every king stands");
    return std::nullopt;
}

std::optional<std::string> checkMoveAllowed(const BoardState& b, bool computer, int fromFile,
                                            int fromRank, int toFile, int toRank, Code placed) {
    const char* who = computer ? "computer" : "human";
    auto fault = [&](const std::string& what) {
        return std::optional<std::string>(
            boardName(b) + ": " + who + " move " + square(fromFile, fromRank) + "->" +
            square(toFile, toRank) + " placing " + std::to_string(placed) + ": " + what);
    };
    if (!onBoard(toFile, toRank)) return fault("destination off the board");

    // The test reads the two-pawn flags, which are only refreshed before a drop is tested; the
    // true rules come from the squares.
    BoardState trial = b;
    調査_2歩フラグ設定(trial);

    const int handColumn = computer ? comHandColumn : manHandColumn;
    if (fromFile == handColumn) {
        const int kind = computer ? fromRank : kindOfManHandRow(fromRank);
        if (kind < 1 || kind > handKinds) return fault("no such hand kind");
        const Hand& hand = computer ? b.comHand : b.manHand;
        if (hand[kind] <= 0) return fault("kind not in hand");
        const Code expected = computer ? kindCode[kind] : static_cast<Code>(-kindCode[kind]);
        if (placed != expected) return fault("a drop must place the unpromoted piece");
        if (移動チェック(trial, fromFile, fromRank, toFile, toRank, placed) != flagYes)
            return fault("移動チェック refuses the drop");
        return std::nullopt;
    }

    if (!onBoard(fromFile, fromRank)) return fault("origin off the board");
    const Code moved = b.board[fromFile][fromRank];
    if (computer ? !isComPiece(moved) : !isManPiece(moved))
        return fault("the origin holds " + std::to_string(moved) + ", not a piece of the mover");
    if (移動チェック(trial, fromFile, fromRank, toFile, toRank, moved) != flagYes)
        return fault("移動チェック refuses the move");
    if (placed != moved) {
        if (調査_駒成(trial, fromFile, fromRank, toFile, toRank, moved) != flagYes ||
            trial.promotedPiece != placed) {
            return fault("not a promotion the rules allow");
        }
    }
    return std::nullopt;
}

}  // namespace nobakuza
