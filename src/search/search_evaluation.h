// The search's judgement of a quiet position: the material of both boards and all four hands, and
// the danger each king is in on its board: the enemy pieces within two steps of it and the enemy
// pieces in hand there, less the golds and silvers guarding it.
#pragma once

#include "search/search_position.h"

namespace nobakuza {

// The score for the side to move, in hundredths of a pawn.
int evaluate(const SearchPosition& p);

}  // namespace nobakuza
