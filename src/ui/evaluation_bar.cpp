#include "ui/evaluation_bar.h"

#include <cmath>
#include <cstdlib>

namespace nobakuza {

double evaluationShare(const Evaluation& e) {
    if (e.forcedWinBy != 0) return e.forcedWinBy > 0 ? 1.0 : 0.0;
    return 1.0 / (1.0 + std::exp(-e.score / evaluationScale));
}

std::string evaluationText(const Evaluation& e, std::string_view mateWord) {
    if (e.forcedWinBy != 0) return (e.forcedWinBy > 0 ? "+" : "-") + std::string(mateWord);
    // Rounded to tenths of a pawn first, so that a score that rounds to nothing has no sign.
    const long tenths = std::lround(e.score / 10.0);
    if (tenths == 0) return "0.0";
    const long a = std::labs(tenths);
    return (tenths > 0 ? "+" : "-") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

}  // namespace nobakuza
