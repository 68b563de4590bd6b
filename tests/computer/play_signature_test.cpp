#include "computer/play_signature.h"

#include <gtest/gtest.h>

#include <vector>

namespace nobakuza {
namespace {

// The moves the computer chooses over the benchmark's corpus, pinned. A change meant to alter the
// computer's play says so and brings the new values (the benchmark prints them); any other change
// that moves one choice anywhere in the evaluation fails here.
TEST(PlaySignature, TheComputersChoicesOverTheCorpusStayTheSameAtEveryLevel) {
    const std::vector<GameState> corpus = selfPlayCorpus();
    EXPECT_EQ(corpus.size(), 430u);
    EXPECT_EQ(playSignature(corpus, 1), 0xb968284306ec6b86u);
    EXPECT_EQ(playSignature(corpus, 2), 0x29da5854ea24beb2u);
    EXPECT_EQ(playSignature(corpus, 3), 0x0793eb9df0d912efu);
}

}  // namespace
}  // namespace nobakuza
