// The two boards, the pieces in hand and the state of a game: the vocabulary every other
// part of the program reads and writes.
#pragma once

#include <array>
#include <cstdint>

namespace nobakuza {

using Code = std::int16_t;

// Piece codes. Negative codes are the human's pieces (drawn at the bottom), positive ones the
// computer's (drawn at the top); the magnitude is the kind and doubles as material value.
inline constexpr Code emptySquare = 0;

inline constexpr Code manPawn = -10;
inline constexpr Code manPromotedPawn = -11;
inline constexpr Code manLance = -20;
inline constexpr Code manPromotedLance = -21;
inline constexpr Code manKnight = -30;
inline constexpr Code manPromotedKnight = -31;
inline constexpr Code manSilver = -100;
inline constexpr Code manPromotedSilver = -101;
inline constexpr Code manGold = -110;
inline constexpr Code manGoldAlias = -111;
inline constexpr Code manBishop = -800;
inline constexpr Code manPromotedBishop = -801;
inline constexpr Code manRook = -900;
inline constexpr Code manPromotedRook = -901;
inline constexpr Code manKing = -950;

inline constexpr Code comPawn = 10;
inline constexpr Code comPromotedPawn = 11;
inline constexpr Code comLance = 20;
inline constexpr Code comPromotedLance = 21;
inline constexpr Code comKnight = 30;
inline constexpr Code comPromotedKnight = 31;
inline constexpr Code comSilver = 100;
inline constexpr Code comPromotedSilver = 101;
inline constexpr Code comGold = 110;
inline constexpr Code comGoldAlias = 111;
inline constexpr Code comBishop = 800;
inline constexpr Code comPromotedBishop = 801;
inline constexpr Code comRook = 900;
inline constexpr Code comPromotedRook = 901;
inline constexpr Code comKing = 950;

// Results of every test routine.
inline constexpr std::int16_t flagYes = 1;
inline constexpr std::int16_t flagNo = 0;

// Sides.
inline constexpr std::int16_t senteSide = 1;
inline constexpr std::int16_t goteSide = -1;
inline constexpr std::int16_t noSide = 0;

// Game modes.
inline constexpr std::int16_t modeTwoHumans = 0;
inline constexpr std::int16_t modeVsComputer = 1;

// Board identifiers, where a routine takes a board argument.
inline constexpr std::int16_t leftBoardId = 1;
inline constexpr std::int16_t rightBoardId = 2;

inline constexpr std::int16_t boardSize = 9;

// Hand columns of the layout grid; a drop names its source by them.
inline constexpr std::int16_t manHandColumn = 11;  // from-rank = kind index + 2
inline constexpr std::int16_t comHandColumn = -1;  // from-rank = kind index

// Layout grid, in twips.
inline constexpr int squareWidth = 405;
inline constexpr int squareHeight = 480;
inline constexpr int boardTop = 600;
inline constexpr int leftBoardX = 1050;
inline constexpr int rightBoardX = 18 * squareWidth + leftBoardX;  // 8340

// Palette indexes of the sixteen-colour palette the window draws with.
inline constexpr int paletteBlack = 0;
inline constexpr int paletteNavy = 1;
inline constexpr int paletteGreen = 2;
inline constexpr int paletteMagenta = 5;
inline constexpr int paletteBrown = 6;
inline constexpr int paletteLightRed = 12;
inline constexpr int paletteYellow = 14;
inline constexpr int paletteWhite = 15;
// The outline drawn around every square after it is repainted; also the window background.
inline constexpr int squareFrameColor = paletteGreen;

// Kind indexes of the hands.
inline constexpr int pawnKind = 1;
inline constexpr int lanceKind = 2;
inline constexpr int knightKind = 3;
inline constexpr int silverKind = 4;
inline constexpr int goldKind = 5;
inline constexpr int bishopKind = 6;
inline constexpr int rookKind = 7;
inline constexpr int handKinds = 7;
// Unpromoted magnitude of each kind index (index 0 unused).
inline constexpr std::array<Code, 8> kindCode = {0, 10, 20, 30, 100, 110, 800, 900};

// A 10 x 10 table indexed [file][rank]; row and column 0 are never used and stay 0.
using Table = std::array<std::array<std::int16_t, 10>, 10>;
using Hand = std::array<std::int16_t, 8>;
using PawnFiles = std::array<std::int16_t, 10>;

// Per-square tables written by the influence survey of one board; they describe the position of
// that board's most recent survey.
struct InfluenceTables {
    Table manInfluence{};
    Table comInfluence{};
    Table manAttackCount{};
    Table manCheapestAttacker{};
    Table manCheapestAttackerX{};
    Table manCheapestAttackerY{};
    Table manTopDefender{};
    Table comCheapestDefender{};
    Table comCheapestDefenderX{};  // not reset by a survey
    Table comCheapestDefenderY{};  // not reset by a survey
    Table comCheapestAttacker{};
    Table comCheapestAttackerX{};  // not reset by a survey
    Table comCheapestAttackerY{};  // not reset by a survey
    Table manCheckMarks{};
    Table comCheckMarks{};
};

// Everything that belongs to one board. The game has two: left and right.
struct BoardState {
    std::int16_t boardId = leftBoardId;
    int gridOriginX = leftBoardX;

    Table board{};  // [file][rank]

    Hand manHand{};  // the human's pieces in hand, by kind index
    Hand comHand{};  // the computer's pieces in hand
    std::int16_t manHandTotal = 0;
    std::int16_t comHandTotal = 0;

    PawnFiles manPawnFiles{};  // 1 where that side has an unpromoted pawn on the file
    PawnFiles comPawnFiles{};

    std::int16_t manKingFile = 0;
    std::int16_t manKingRank = 0;
    std::int16_t comKingFile = 0;
    std::int16_t comKingRank = 0;

    Code promotedPiece = 0;           // left by the promotion test for its caller
    std::int16_t selectionState = 0;  // 1 while a picked piece waits for its destination

    InfluenceTables influence{};
    Table escapeMark{};  // squares the human king could step to, from the escape survey
};

// The computer's levels run from 1 to this: three of one move, two of a tree search.
inline constexpr std::int16_t highestComLevel = 5;

// The game-state values: who plays which side, whose turn, the level, the handicap, the modes.
struct GameValues {
    std::int16_t manSide = goteSide;
    std::int16_t comSide = senteSide;
    std::int16_t sideToMove = noSide;
    std::int16_t winner = noSide;
    std::int16_t gameMode = modeTwoHumans;
    std::int16_t moveNumber = 0;
    std::int16_t comLevel = 3;  // 1 to highestComLevel
    std::int16_t handicapLevel = 0;
    std::int16_t handicapSet = flagNo;
    std::int16_t kifuMode = flagNo;
    std::int16_t boardsReversed = flagNo;
    std::int16_t resumePending = flagNo;
};

// The state of the game shared by every routine: both boards and the game-state values.
struct GameState : GameValues {
    BoardState left{leftBoardId, leftBoardX};
    BoardState right{rightBoardId, rightBoardX};

    BoardState& board(std::int16_t boardId) { return boardId == rightBoardId ? right : left; }
    const BoardState& board(std::int16_t boardId) const {
        return boardId == rightBoardId ? right : left;
    }
    BoardState& other(const BoardState& b) { return &b == &left ? right : left; }
    const BoardState& other(const BoardState& b) const { return &b == &left ? right : left; }
};

inline constexpr bool isManPiece(Code c) {
    return c <= -10;
}
inline constexpr bool isComPiece(Code c) {
    return c >= 10;
}

// Codes that may stand on a square: empty, every piece and its promoted form, the kings. The
// second gold code never stands on a board.
inline constexpr bool isBoardCode(int code) {
    switch (code < 0 ? -code : code) {
        case 0:
        case 10:
        case 11:
        case 20:
        case 21:
        case 30:
        case 31:
        case 100:
        case 101:
        case 110:
        case 800:
        case 801:
        case 900:
        case 901:
        case 950:
            return true;
        default:
            return false;
    }
}

// Kind index (1..7) of a piece code of either side, promoted or not; 0 for the king and empty.
int kindIndexOf(Code c);

// Puts the standard starting position on a board; hands, totals and flags are left alone.
void setInitialPosition(Table& board);

// Sets both kings' squares of a board from its squares; (0, 0) for a king not on the board.
void findKings(BoardState& b);

// Sets both hand totals of a board from its hand counts.
void recountHandTotals(BoardState& b);

}  // namespace nobakuza
