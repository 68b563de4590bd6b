#include "search/game_tree_search.h"

#include <algorithm>

#include "influence/influence_survey.h"
#include "mate/mate.h"
#include "search/search_evaluation.h"

namespace nobakuza {

namespace {

constexpr int infinity = 32000;
// A table entry's bound takes the two low bits of boundAndAge, the search's age the six above.
constexpr int boundUpper = 1;
constexpr int boundLower = 2;
constexpr int boundExact = 3;
constexpr int boundMask = 3;
constexpr int ageShift = 2;
constexpr int ageMask = 63;
// A result of the current search stays in the table unless the new one comes within this many
// plies of its depth.
constexpr int keptDepthMargin = 2;
// Plies below which the mate rule is judged by the game's own mate test rather than the search's
// exact one-board test.
constexpr int gameMateTestPlies = 2;
// Quiescence plies in which a king under attack looks at every move rather than captures only.
constexpr int evasionPlies = 4;
constexpr int timeCheckNodes = 1024;
// The frontier's prunings of quiet moves, by remaining depth: how many are tried at most, and by
// how much the evaluation must fall short of alpha for one to be passed by.
constexpr int frontierDepth = 3;
constexpr std::array<int, frontierDepth + 1> lateMoveCount = {0, 10, 16, 28};
constexpr std::array<int, frontierDepth + 1> futilityMargin = {0, 250, 450, 700};

constexpr int historySlots = 2 * 2 * boardCells * boardCells;
// Beyond this every history value is halved, so that recent cuts weigh more than old ones.
constexpr std::int32_t historyLimit = 1 << 26;

// Keys of the move order, above any history value: the table's move, then captures and
// promotions, then the two killers (a promotion that takes nothing has the killers' key among the
// quiet moves, which come after the killers).
constexpr int hashMoveKey = 1 << 30;
constexpr int captureKey = 1 << 28;
constexpr int killerKey = 1 << 27;
// Among captures the victim's value counts, and the mover's breaks ties between equal victims.
constexpr int victimWeight = 16;
constexpr int moverDivisor = 16;

// Quiescence: a capture is looked at while its gain leaves the score less than this short of alpha.
constexpr int deltaMargin = 200;

// Null move: tried from this remaining depth, its reply searched this many plies shallower, and
// deeper still from the deep depth on.
constexpr int nullMoveMinDepth = 3;
constexpr int nullMoveReduction = 2;
constexpr int nullMoveDeepDepth = 6;
constexpr int nullMoveDeepReduction = 3;

// A king under attack is looked at one ply deeper, up to this many times the iteration's depth.
constexpr int checkExtensionReach = 2;

// Late-move reductions of quiet moves: one ply from the given remaining depth once this many
// moves of the node have been searched, two plies deeper in the node's list.
constexpr int reductionMinDepth = 3;
constexpr int reductionAfterMoves = 3;
constexpr int deepReductionMinDepth = 5;
constexpr int deepReductionAfterMoves = 12;

// The deepest iteration: the plies beyond it are left to extensions and the quiescence search.
constexpr int maxIterationDepth = maxSearchPly / 2;
// The next iteration takes several times the last: it starts only while less than this share of
// the budget is spent.
constexpr double nextIterationShare = 0.4;

int historyIndex(int side, TreeMove m) {
    return ((side * 2 + moveBoard(m)) * boardCells + moveFrom(m)) * boardCells + moveTo(m);
}

// What a move takes, here and across, in material.
int captureGain(const SearchPosition& p, TreeMove m) {
    if (isDrop(m)) return 0;
    const int b = moveBoard(m);
    const int to = moveTo(m);
    int gain = 0;
    if (const Piece here = p.cells[b][to]; here != 0) gain += boardValueOf(typeOf(here));
    if (const Piece across = p.cells[b ^ 1][to]; ownedBy(across, p.sideToMove ^ 1))
        gain += boardValueOf(typeOf(across));
    return gain;
}

int promotionGain(const SearchPosition& p, TreeMove m) {
    if (!isPromotion(m)) return 0;
    const int type = typeOf(p.cells[moveBoard(m)][moveFrom(m)]);
    return boardValueOf(promotedTypeOf(type)) - boardValueOf(type);
}

int toHashScore(int score, int ply) {
    if (score >= wonScore) return score + ply;
    if (score <= -wonScore) return score - ply;
    return score;
}

int fromHashScore(int score, int ply) {
    if (score >= wonScore) return score - ply;
    if (score <= -wonScore) return score + ply;
    return score;
}

// Whether a stored score with this bound settles a node searched between alpha and beta.
bool boundSettles(int bound, int score, int alpha, int beta) {
    return bound == boundExact || (bound == boundLower && score >= beta) ||
           (bound == boundUpper && score <= alpha);
}

// The one-board test of the mate rule: the king of the side to move on `board` is attacked by a
// piece of that board, and no move on that board, drops there included, takes it out of reach.
bool matedOnBoard(SearchPosition& p, int board, MoveList& list) {
    const int side = p.sideToMove;
    const int enemy = side ^ 1;
    const int king = p.kings[board][side];
    if (king == 0 || !p.attacks(board, king, enemy)) return false;
    list.count = 0;
    generateMoves(p, board, MoveKinds::all, list);
    SearchPosition::Undo u{};
    // A drop only helps by standing in the way, whatever its kind: one drop per square is enough.
    int lastDropSquare = -1;
    // King steps first: they are the usual way out.
    for (const bool kingSteps : {true, false})
        for (int i = 0; i < list.count; ++i) {
            const TreeMove m = list.moves[static_cast<std::size_t>(i)].move;
            if ((!isDrop(m) && moveFrom(m) == king) != kingSteps) continue;
            if (isDrop(m)) {
                if (moveTo(m) == lastDropSquare) continue;
                lastDropSquare = moveTo(m);
            }
            p.makeMove(m, u);
            const bool safe = !p.attacks(board, p.kings[board][side], enemy);
            p.unmakeMove(m, u);
            if (safe) return false;
        }
    return true;
}

}  // namespace

GameTreeSearch::GameTreeSearch(int hashBits)
    : table_(std::size_t{1} << hashBits),
      mask_((std::uint64_t{1} << hashBits) - 1),
      lists_(std::make_unique<std::array<MoveList, maxSearchPly + 1>>()),
      history_(historySlots),
      mateBoard_(std::make_unique<GameState>()) {}

void GameTreeSearch::clearHash() {
    std::fill(table_.begin(), table_.end(), HashEntry{});
    std::fill(history_.begin(), history_.end(), 0);
    age_ = 0;
}

// The mate rule judges the board the last move was made on, so that board is part of what a
// stored value describes. So is whether the game's mate test judges the node and its replies
// (the first plies) or the search's own test does, since the two can differ: a node of ply 1 and
// one of ply 3 may hold the same position. Plies 1 and 2 never share a key (the side to move).
std::uint64_t GameTreeSearch::nodeKey(int ply) const {
    static constexpr std::uint64_t lastBoardKeys[3] = {0, 0x9E3779B97F4A7C15ULL,
                                                       0xC2B2AE3D27D4EB4FULL};
    static constexpr std::uint64_t gameMateTestKey = 0xD6E8FEB86659FD93ULL;
    return pos_.key ^ lastBoardKeys[lastBoard_[static_cast<std::size_t>(ply)] + 1] ^
           (ply <= gameMateTestPlies ? gameMateTestKey : 0);
}

const GameTreeSearch::HashEntry* GameTreeSearch::probe(int ply) const {
    if (!hashEnabled_) return nullptr;
    const std::uint64_t key = nodeKey(ply);
    const HashEntry& e = table_[key & mask_];
    return e.key == key ? &e : nullptr;
}

void GameTreeSearch::store(int depth, int score, int bound, TreeMove move, int ply) {
    if (!hashEnabled_) return;
    const std::uint64_t key = nodeKey(ply);
    HashEntry& e = table_[key & mask_];
    const int entryAge = e.boundAndAge >> ageShift;
    // A deeper result of this search stays; anything older or shallower makes room.
    if (e.key != key && entryAge == (age_ & ageMask) && e.depth > depth + keptDepthMargin) return;
    if (e.key == key && move == noTreeMove) move = e.move;
    e.key = key;
    e.move = move;
    e.score = static_cast<std::int16_t>(toHashScore(score, ply));
    e.depth = static_cast<std::uint8_t>(depth < 0 ? 0 : depth);
    e.boundAndAge = static_cast<std::uint8_t>(bound | (age_ & ageMask) << ageShift);
}

bool GameTreeSearch::timeUp() {
    if (stopped_) return true;
    // Checked at the first node too, so that a search stopped before it starts stops at once.
    if ((nodes_ & (timeCheckNodes - 1)) != 0 && nodes_ != 1) return false;
    if ((limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed)) ||
        (limits_.nodes != 0 && nodes_ >= limits_.nodes) ||
        (timed_ && std::chrono::steady_clock::now() >= deadline_))
        stopped_ = true;
    return stopped_;
}

bool GameTreeSearch::isQuiet(TreeMove m) const {
    if (isDrop(m)) return true;
    if (isPromotion(m)) return false;
    const int b = moveBoard(m);
    const int to = moveTo(m);
    return pos_.cells[b][to] == 0 && !ownedBy(pos_.cells[b ^ 1][to], pos_.sideToMove ^ 1);
}

void GameTreeSearch::orderMoves(MoveList& list, TreeMove hashMove, int ply) const {
    const int side = pos_.sideToMove;
    for (int i = 0; i < list.count; ++i) {
        ScoredMove& s = list.moves[static_cast<std::size_t>(i)];
        const TreeMove m = s.move;
        if (m == hashMove) {
            s.score = hashMoveKey;
            continue;
        }
        const int gain = captureGain(pos_, m) + promotionGain(pos_, m);
        if (gain > 0) {
            // The most valuable victim first, taken by the least valuable piece.
            const int mover =
                isDrop(m) ? 0 : boardValueOf(typeOf(pos_.cells[moveBoard(m)][moveFrom(m)]));
            s.score = captureKey + gain * victimWeight - mover / moverDivisor;
        } else if (m == killers_[static_cast<std::size_t>(ply)][0]) {
            s.score = killerKey + 1;
        } else if (m == killers_[static_cast<std::size_t>(ply)][1]) {
            s.score = killerKey;
        } else {
            s.score = history_[static_cast<std::size_t>(historyIndex(side, m))];
        }
    }
}

void GameTreeSearch::orderQuiets(MoveList& list, int first) const {
    const int side = pos_.sideToMove;
    for (int i = first; i < list.count; ++i) {
        ScoredMove& s = list.moves[static_cast<std::size_t>(i)];
        // Promotions that take nothing come first among the quiet moves.
        s.score = history_[static_cast<std::size_t>(historyIndex(side, s.move))] +
                  (isPromotion(s.move) ? killerKey : 0);
    }
}

void GameTreeSearch::rememberQuiet(TreeMove m, int depth, int ply) {
    auto& k = killers_[static_cast<std::size_t>(ply)];
    if (k[0] != m) {
        k[1] = k[0];
        k[0] = m;
    }
    std::int32_t& h = history_[static_cast<std::size_t>(historyIndex(pos_.sideToMove, m))];
    h += depth * depth;
    if (h > historyLimit) {
        for (std::int32_t& v : history_) v /= 2;
    }
}

// The best move not yet tried goes to position i. A cut usually comes within the first few moves
// of a stage (which starts at `first`), so those are picked one at a time; the rest, once
// reached, are sorted in one go.
constexpr int pickedOneByOne = 6;

static void pickNext(MoveList& list, int i, int first) {
    auto from = list.moves.begin() + i;
    auto last = list.moves.begin() + list.count;
    if (i - first < pickedOneByOne) {
        auto best = from;
        for (auto it = from + 1; it < last; ++it)
            if (it->score > best->score) best = it;
        std::iter_swap(from, best);
    } else if (i - first == pickedOneByOne) {
        std::sort(from, last,
                  [](const ScoredMove& a, const ScoredMove& b) { return a.score > b.score; });
    }
}

bool GameTreeSearch::matedByLastMove(int ply) {
    const int board = lastBoard_[static_cast<std::size_t>(ply)];
    const int side = pos_.sideToMove;
    if (board < 0 || !rules_.losesByMate(side)) return false;
    const int king = pos_.kings[board][side];
    if (king == 0 || !pos_.attacks(board, king, side ^ 1)) return false;
    if (ply > gameMateTestPlies)
        return matedOnBoard(pos_, board, (*lists_)[static_cast<std::size_t>(ply)]);
    // Near the root the game's own test decides, as it will decide the game.
    storePosition(pos_, *mateBoard_);
    BoardState& b = mateBoard_->board(board == 0 ? leftBoardId : rightBoardId);
    勢力調査(b);
    return (side == topSide ? 詰めかCOM(b) : 詰めかMAN(b)) == flagYes;
}

int GameTreeSearch::quiescence(int alpha, int beta, int ply, int qply) {
    // As in the game, a mate by the last move ends it before the mover's own king can be taken.
    if (matedByLastMove(ply)) return -(winScore - ply);
    if (pos_.canTakeKing(pos_.sideToMove)) return winScore - (ply + 1);
    ++nodes_;
    if (timeUp()) return 0;
    if (ply >= maxSearchPly) return evaluate(pos_);

    const bool inCheck = pos_.canTakeKing(pos_.sideToMove ^ 1);
    const bool evasions = inCheck && qply < evasionPlies;
    int best = -infinity;
    int standPat = 0;
    if (!evasions) {
        standPat = evaluate(pos_);
        if (standPat >= beta) return standPat;
        if (standPat > alpha) alpha = standPat;
        best = standPat;
    }
    MoveList& list = (*lists_)[static_cast<std::size_t>(ply)];
    list.count = 0;
    generateMoves(pos_, evasions ? MoveKinds::all : MoveKinds::captures, list);
    orderMoves(list, noTreeMove, ply);
    SearchPosition::Undo& u = undo_[static_cast<std::size_t>(ply)];
    for (int i = 0; i < list.count; ++i) {
        pickNext(list, i, 0);
        const TreeMove m = list.moves[static_cast<std::size_t>(i)].move;
        if (isNeedlessNonPromotion(pos_, m)) continue;
        // A capture that cannot lift the score to alpha even unanswered is not worth a look.
        if (options.deltaPruning && !evasions &&
            standPat + captureGain(pos_, m) + promotionGain(pos_, m) + deltaMargin <= alpha)
            continue;
        pos_.makeMove(m, u);
        lastBoard_[static_cast<std::size_t>(ply + 1)] = moveBoard(m);
        const int score = -quiescence(-beta, -alpha, ply + 1, qply + 1);
        pos_.unmakeMove(m, u);
        if (stopped_) return 0;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                if (score >= beta) break;
            }
        }
    }
    if (best == -infinity) return evasions ? -(winScore - ply) : evaluate(pos_);
    return best;
}

// The moves of a node in the order they are tried, made only as they are needed: the table's
// move, then the captures (the most valuable victim first), the killers, and last the quiet moves
// by their history. A cut after the first few moves spares making the quiet ones at all.
class GameTreeSearch::MovePicker {
  public:
    MovePicker(GameTreeSearch& search, MoveList& list, TreeMove hashMove, int ply)
        : s_(search), list_(list), hashMove_(hashMove), ply_(ply) {
        list_.count = 0;
    }

    TreeMove next() {
        for (;;) {
            switch (stage_) {
                case Stage::hash:
                    stage_ = Stage::makeCaptures;
                    if (hashMove_ != noTreeMove && isPseudoLegal(s_.pos_, hashMove_)) {
                        quiet_ = s_.isQuiet(hashMove_);
                        killer_ = false;
                        return hashMove_;
                    }
                    hashMove_ = noTreeMove;
                    break;
                case Stage::makeCaptures:
                    generateMoves(s_.pos_, MoveKinds::captures, list_);
                    s_.orderMoves(list_, noTreeMove, ply_);
                    stage_ = Stage::captures;
                    break;
                case Stage::captures:
                    if (index_ < list_.count) {
                        pickNext(list_, index_, 0);
                        const TreeMove m = list_.moves[static_cast<std::size_t>(index_++)].move;
                        if (m == hashMove_) break;
                        quiet_ = false;
                        killer_ = false;
                        return m;
                    }
                    stage_ = Stage::killers;
                    break;
                case Stage::killers:
                    while (killerIndex_ < 2) {
                        const TreeMove k =
                            s_.killers_[static_cast<std::size_t>(ply_)][killerIndex_++];
                        if (k != noTreeMove && k != hashMove_ && isPseudoLegal(s_.pos_, k) &&
                            s_.isQuiet(k)) {
                            quiet_ = true;
                            killer_ = true;
                            return k;
                        }
                    }
                    stage_ = Stage::makeQuiets;
                    break;
                case Stage::makeQuiets:
                    quietStart_ = list_.count;
                    generateMoves(s_.pos_, MoveKinds::quiets, list_);
                    s_.orderQuiets(list_, quietStart_);
                    stage_ = Stage::quiets;
                    break;
                case Stage::quiets:
                    if (index_ < list_.count) {
                        pickNext(list_, index_, quietStart_);
                        const TreeMove m = list_.moves[static_cast<std::size_t>(index_++)].move;
                        const auto& k = s_.killers_[static_cast<std::size_t>(ply_)];
                        if (m == hashMove_ || m == k[0] || m == k[1]) break;
                        quiet_ = !isPromotion(m);
                        killer_ = false;
                        return m;
                    }
                    return noTreeMove;
            }
        }
    }

    // What the last move given was: quiet (it takes nothing and does not promote), a killer.
    bool quiet() const { return quiet_; }
    bool killer() const { return killer_; }

  private:
    enum class Stage { hash, makeCaptures, captures, killers, makeQuiets, quiets };
    GameTreeSearch& s_;
    MoveList& list_;
    TreeMove hashMove_;
    int ply_;
    Stage stage_ = Stage::hash;
    int index_ = 0;
    int quietStart_ = 0;
    std::size_t killerIndex_ = 0;
    bool quiet_ = false;
    bool killer_ = false;
};

int GameTreeSearch::alphaBeta(int depth, int alpha, int beta, int ply, bool nullAllowed) {
    if (matedByLastMove(ply)) return -(winScore - ply);
    if (pos_.canTakeKing(pos_.sideToMove)) return winScore - (ply + 1);
    if (depth <= 0) return quiescence(alpha, beta, ply, 0);
    ++nodes_;
    if (timeUp()) return 0;
    if (ply >= maxSearchPly) return evaluate(pos_);

    const bool pvNode = beta - alpha > 1;
    TreeMove hashMove = noTreeMove;
    if (const HashEntry* e = probe(ply)) {
        hashMove = e->move;
        if (!pvNode && e->depth >= depth) {
            const int score = fromHashScore(e->score, ply);
            if (boundSettles(e->boundAndAge & boundMask, score, alpha, beta)) return score;
        }
    }

    const bool inCheck = pos_.canTakeKing(pos_.sideToMove ^ 1);
    const int staticEval = inCheck ? -infinity : evaluate(pos_);
    // Passing the move: if the side to move still stands above beta, its real moves will too.
    if (options.nullMove && nullAllowed && !pvNode && !inCheck && depth >= nullMoveMinDepth &&
        beta < wonScore && staticEval >= beta) {
        pos_.passMove();
        lastBoard_[static_cast<std::size_t>(ply + 1)] = -1;
        const int reduction =
            depth >= nullMoveDeepDepth ? nullMoveDeepReduction : nullMoveReduction;
        const int score = -alphaBeta(depth - 1 - reduction, -beta, -beta + 1, ply + 1, false);
        pos_.passMove();
        if (stopped_) return 0;
        if (score >= beta) return score >= wonScore ? beta : score;
    }

    SearchPosition::Undo& u = undo_[static_cast<std::size_t>(ply)];
    // A king under attack is looked at one ply deeper, near enough to the root.
    const int extension =
        options.checkExtension && inCheck && ply < checkExtensionReach * rootDepth_ ? 1 : 0;
    const int alphaAtStart = alpha;
    int best = -infinity;
    TreeMove bestMove = noTreeMove;
    int searched = 0;
    int quietsTried = 0;
    const bool pruneQuiet = options.frontierPruning && !pvNode && !inCheck &&
                            depth <= frontierDepth && alpha > -wonScore && beta < wonScore;
    MovePicker picker(*this, (*lists_)[static_cast<std::size_t>(ply)], hashMove, ply);
    for (TreeMove m; (m = picker.next()) != noTreeMove;) {
        if (isNeedlessNonPromotion(pos_, m)) continue;
        const bool quiet = picker.quiet();
        const bool killer = picker.killer();
        pos_.makeMove(m, u);
        // Near the horizon, a quiet move that neither attacks a king nor can lift the score to
        // alpha is passed by, and so are the late ones once enough have been tried.
        if (pruneQuiet && quiet && !killer && searched > 0 &&
            (quietsTried >= lateMoveCount[depth] || staticEval + futilityMargin[depth] <= alpha) &&
            !pos_.canTakeKing(pos_.sideToMove ^ 1)) {
            pos_.unmakeMove(m, u);
            ++quietsTried;
            continue;
        }
        quietsTried += quiet;
        lastBoard_[static_cast<std::size_t>(ply + 1)] = moveBoard(m);
        const int newDepth = depth - 1 + extension;
        int score;
        if (searched == 0) {
            score = -alphaBeta(newDepth, -beta, -alpha, ply + 1, true);
        } else {
            // Late quiet moves are looked at less deeply first, and in full only when they
            // surprise.
            int reduction = 0;
            if (options.reductions && quiet && !killer && !inCheck && depth >= reductionMinDepth &&
                searched >= reductionAfterMoves)
                reduction =
                    searched >= deepReductionAfterMoves && depth >= deepReductionMinDepth ? 2 : 1;
            score = -alphaBeta(newDepth - reduction, -alpha - 1, -alpha, ply + 1, true);
            if (score > alpha && reduction > 0)
                score = -alphaBeta(newDepth, -alpha - 1, -alpha, ply + 1, true);
            if (score > alpha && score < beta)
                score = -alphaBeta(newDepth, -beta, -alpha, ply + 1, true);
        }
        pos_.unmakeMove(m, u);
        if (stopped_) return 0;
        ++searched;
        if (score > best) {
            best = score;
            bestMove = m;
            if (score > alpha) {
                alpha = score;
                if (score >= beta) {
                    if (quiet) rememberQuiet(m, depth, ply);
                    break;
                }
            }
        }
    }
    if (searched == 0) return 0;  // no move at all: neither side wins
    const int bound = best >= beta ? boundLower : best > alphaAtStart ? boundExact : boundUpper;
    store(depth, best, bound, bestMove, ply);
    return best;
}

// The root's moves less the needless non-promotions, at the start of the root's list; their number.
int GameTreeSearch::collectRootMoves() {
    MoveList& rootList = (*lists_)[0];
    rootList.count = 0;
    generateMoves(pos_, MoveKinds::all, rootList);
    int n = 0;
    for (int i = 0; i < rootList.count; ++i) {
        const ScoredMove s = rootList.moves[static_cast<std::size_t>(i)];
        if (!isNeedlessNonPromotion(pos_, s.move))
            rootList.moves[static_cast<std::size_t>(n++)] = s;
    }
    rootList.count = n;
    return n;
}

// The first root move that takes a king of the other side, which had both; noTreeMove if none.
TreeMove GameTreeSearch::kingTakingMove(const SearchPosition& root) {
    const MoveList& rootList = (*lists_)[0];
    SearchPosition::Undo& u = undo_[0];
    for (int i = 0; i < rootList.count; ++i) {
        const TreeMove m = rootList.moves[static_cast<std::size_t>(i)].move;
        pos_.makeMove(m, u);
        const int enemy = pos_.sideToMove;
        const bool taken = pos_.kings[0][enemy] == 0 || pos_.kings[1][enemy] == 0;
        const bool hadKings = root.kings[0][enemy] != 0 && root.kings[1][enemy] != 0;
        pos_.unmakeMove(m, u);
        if (taken && hadKings) return m;
    }
    return noTreeMove;
}

// The root's moves by their scores, the highest first, equal ones kept in their order.
static void sortRootMoves(MoveList& rootList) {
    std::stable_sort(rootList.moves.begin(), rootList.moves.begin() + rootList.count,
                     [](const ScoredMove& a, const ScoredMove& b) { return a.score > b.score; });
}

// What an iteration over the root's moves found: the best move, its place in the list and score.
struct GameTreeSearch::RootIteration {
    TreeMove best = noTreeMove;
    int bestIndex = -1;
    int alpha = -infinity;
};

// One iteration over the root's moves, the first with a full window and the others with a null
// window first. `scores` gets each move's score, less one where it only proved no better.
GameTreeSearch::RootIteration GameTreeSearch::searchRootMoves(
    int depth, std::array<int, MoveList::capacity>& scores) {
    const MoveList& rootList = (*lists_)[0];
    SearchPosition::Undo& u = undo_[0];
    RootIteration it;
    for (int i = 0; i < rootList.count; ++i) {
        const TreeMove m = rootList.moves[static_cast<std::size_t>(i)].move;
        pos_.makeMove(m, u);
        lastBoard_[1] = moveBoard(m);
        int score;
        if (i == 0) {
            score = -alphaBeta(depth - 1, -infinity, -it.alpha, 1, true);
        } else {
            score = -alphaBeta(depth - 1, -it.alpha - 1, -it.alpha, 1, true);
            if (score > it.alpha && !stopped_)
                score = -alphaBeta(depth - 1, -infinity, -it.alpha, 1, true);
        }
        pos_.unmakeMove(m, u);
        if (stopped_) break;
        scores[static_cast<std::size_t>(i)] = score;
        if (score > it.alpha) {
            it.alpha = score;
            it.best = m;
            it.bestIndex = i;
        } else {
            scores[static_cast<std::size_t>(i)] = score - 1;  // at most this: below the best
        }
    }
    return it;
}

TreeSearchResult GameTreeSearch::search(const SearchPosition& root, const SearchRules& rules,
                                        const SearchLimits& limits) {
    start_ = std::chrono::steady_clock::now();
    pos_ = root;
    rules_ = rules;
    limits_ = limits;
    timed_ = limits.seconds > 0;
    deadline_ = start_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(limits.seconds));
    stopped_ = false;
    nodes_ = 0;
    ++age_;
    for (auto& k : killers_) k = {noTreeMove, noTreeMove};
    lastBoard_[0] = -1;

    TreeSearchResult result;
    auto finish = [&] {
        result.nodes = nodes_;
        result.milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
                .count();
        return result;
    };

    // The root's moves, each with the score of its last search.
    const int n = collectRootMoves();
    if (n == 0) return finish();
    // A king that can be taken is taken.
    if (const TreeMove m = kingTakingMove(root); m != noTreeMove) {
        result.move = m;
        result.score = winScore - 1;
        result.depth = 1;
        return finish();
    }
    MoveList& rootList = (*lists_)[0];
    if (options.rootReordering) {
        orderMoves(rootList, noTreeMove, 0);
        sortRootMoves(rootList);
    }
    result.move = rootList.moves[0].move;

    const int maxDepth =
        limits.depth > 0 ? std::min(limits.depth, maxIterationDepth) : maxIterationDepth;
    std::array<int, MoveList::capacity> scores{};
    for (int depth = 1; depth <= maxDepth; ++depth) {
        rootDepth_ = depth;
        const RootIteration it = searchRootMoves(depth, scores);
        // An iteration cut short still counts for a move that beat the previous best, which it
        // searched first.
        if (it.best != noTreeMove && (!stopped_ || it.bestIndex > 0 || depth == 1)) {
            result.move = it.best;
            result.score = it.alpha;
        }
        if (stopped_) break;
        result.depth = depth;
        // The best first, the others in the order of their scores.
        if (options.rootReordering) {
            for (int i = 0; i < n; ++i)
                rootList.moves[static_cast<std::size_t>(i)].score =
                    scores[static_cast<std::size_t>(i)];
            rootList.moves[static_cast<std::size_t>(it.bestIndex)].score = infinity;
            sortRootMoves(rootList);
        }
        if (it.alpha >= wonScore) break;  // a forced win is not improved on by looking deeper
        if (timed_) {
            const double spent =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
            // The next iteration takes several times this one: not started unless it can finish.
            if (spent > limits.seconds * nextIterationShare) break;
        }
    }
    return finish();
}

}  // namespace nobakuza
