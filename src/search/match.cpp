#include "search/match.h"

#include <chrono>
#include <memory>

#include "board/move_execution.h"
#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "search/level_search.h"

namespace nobakuza {

MatchPlayer::MatchPlayer() : tree(20) {}

int winnerOf(SelfPlayEnd end) {
    switch (end) {
        case SelfPlayEnd::kingTakenByTop:
        case SelfPlayEnd::mateByTop:
            return 1;
        case SelfPlayEnd::kingTakenByBottom:
        case SelfPlayEnd::mateByBottom:
            return -1;
        default:
            return 0;
    }
}

namespace {

// The move of `level` for the top side of `view`.
Move levelMove(int level, int fixedDepth, GameState& view, MatchPlayer& player) {
    if (level >= quickSearchLevel) {
        SearchLimits limits;
        if (fixedDepth > 0)
            limits.depth = fixedDepth;
        else
            limits.seconds = levelSeconds(level);
        // In a match a mate ends the game for either side, as it does in self-play.
        return searchTopMove(view, SearchRules{}, limits, player.tree).move;
    }
    view.comLevel = static_cast<std::int16_t>(level);
    return computerTurnMove(view, player.computer);
}

}  // namespace

MatchGameResult playMatchGame(const MatchGameConfig& config, MatchPlayer& top,
                              MatchPlayer& bottom) {
    MatchGameResult result;
    auto game = std::make_unique<GameState>();
    auto view = std::make_unique<GameState>();
    for (BoardState* b : {&game->left, &game->right}) {
        setInitialPosition(b->board);
        勢力調査(*b);  // the kings' squares
    }
    game->manSide = goteSide;
    game->comSide = senteSide;
    // Each game starts afresh, so that a fixed-depth match plays the same games every time.
    top.tree.clearHash();
    bottom.tree.clearHash();
    SeededRandom random(config.seed);
    std::vector<Move> legal;
    legal.reserve(2 * (40 * 20 + 7 * 81));

    bool topToMove = true;
    while (result.end == SelfPlayEnd::none) {
        Move m;
        if (result.moves < config.randomPlies) {
            listLegalMoves(*game, topToMove, legal);
            if (!legal.empty()) m = legal[random.below(static_cast<std::uint32_t>(legal.size()))];
        } else {
            if (topToMove)
                *view = *game;
            else
                turnAround(*game, *view);
            const auto start = std::chrono::steady_clock::now();
            m = levelMove(topToMove ? config.topLevel : config.bottomLevel, config.fixedDepth,
                          *view, topToMove ? top : bottom);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            (topToMove ? result.topMilliseconds : result.bottomMilliseconds).push_back(ms);
            if (m.boardId != 0 && !topToMove) m = turnedBack(m);
        }
        if (m.boardId == 0) {
            result.end = SelfPlayEnd::noMove;
            break;
        }
        BoardState& b = game->board(m.boardId);
        駒移動(*game, b, m.fromFile, m.fromRank, m.toFile, m.toRank, m.placed);
        result.played.push_back(m);
        ++result.moves;
        if (game->winner != noSide) {
            result.end = topToMove ? SelfPlayEnd::kingTakenByTop : SelfPlayEnd::kingTakenByBottom;
        } else {
            勢力調査(b);
            if (topToMove ? 詰めかMAN(b) == flagYes : 詰めかCOM(b) == flagYes)
                result.end = topToMove ? SelfPlayEnd::mateByTop : SelfPlayEnd::mateByBottom;
            勢力調査(b);
        }
        if (result.end == SelfPlayEnd::none && result.moves >= config.maxMoves)
            result.end = SelfPlayEnd::recordFull;
        topToMove = !topToMove;
    }
    return result;
}

}  // namespace nobakuza
