// The search's judgement of a quiet position: the material of both boards and all four hands, and
// on each board how close each side's pieces stand to the enemy king and to their own.
#pragma once

#include "search/search_position.h"

namespace nobakuza {

// The score for the side to move, in hundredths of a pawn.
int evaluate(const SearchPosition& p);

}  // namespace nobakuza
