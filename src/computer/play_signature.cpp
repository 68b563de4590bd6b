#include "computer/play_signature.h"

#include <memory>
#include <unordered_set>

#include "computer/computer_state.h"
#include "computer/move_search.h"
#include "computer/self_play.h"

namespace nobakuza {

namespace {

// FNV-1a over 64-bit values, byte by byte, so the hash is the same on every platform.
struct Fnv {
    std::uint64_t h = 1469598103934665603ULL;
    void add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= static_cast<std::uint8_t>(v >> (8 * i));
            h *= 1099511628211ULL;
        }
    }
};

std::uint64_t positionKey(const GameState& g) {
    Fnv f;
    for (const BoardState* b : {&g.left, &g.right}) {
        for (int i = 1; i <= boardSize; ++i)
            for (int j = 1; j <= boardSize; ++j) f.add(b->board[i][j]);
        for (int k = 1; k <= handKinds; ++k) {
            f.add(b->manHand[k]);
            f.add(b->comHand[k]);
        }
    }
    return f.h;
}

// One whole computer turn (both searches and the board choice) on a working copy of `position`.
std::int16_t playTurn(const GameState& position, std::int16_t level, GameState& work,
                      ComputerState& cs, SearchResult& right, SearchResult& left) {
    work = position;
    work.comLevel = level;
    right = SearchResult{};
    left = SearchResult{};
    return searchComputerTurn(work, cs, right, left);
}

}  // namespace

std::vector<GameState> selfPlayCorpus(int games, int movesPerGame) {
    std::vector<GameState> out;
    std::unordered_set<std::uint64_t> seen;
    auto view = std::make_unique<GameState>();
    for (int n = 0; n < games; ++n) {
        SelfPlayConfig config;
        config.seed = 20261208 + static_cast<std::uint64_t>(n);
        config.randomPlies = 8 + 8 * (n % 4);
        config.level = 3;
        config.maxMoves = movesPerGame;
        SelfPlayGame game(config);
        while (game.end() == SelfPlayEnd::none) {
            if (game.nextIsSearched()) {
                game.searchView(*view);
                if (seen.insert(positionKey(*view)).second) out.push_back(*view);
            }
            game.playMove();
        }
    }
    return out;
}

std::uint64_t playSignature(const std::vector<GameState>& positions, std::int16_t level) {
    auto work = std::make_unique<GameState>();
    auto cs = std::make_unique<ComputerState>();
    Fnv f;
    for (const GameState& p : positions) {
        SearchResult right, left;
        const std::int16_t chosen = playTurn(p, level, *work, *cs, right, left);
        const SearchResult& r = chosen == rightBoardId ? right : left;
        for (const std::int64_t v :
             {std::int64_t{chosen}, std::int64_t{r.fromFile}, std::int64_t{r.fromRank},
              std::int64_t{r.toFile}, std::int64_t{r.toRank}, std::int64_t{r.placed}})
            f.add(v);
    }
    return f.h;
}

}  // namespace nobakuza
