// What `nobakuza` makes of its command line, and what it says when it cannot open a window. The
// game takes no arguments: --help and --version answer and end, anything else is refused.
#pragma once

#include <string>
#include <string_view>

#include "text/translation.h"

namespace nobakuza {

// The language of the answers: the settings file's 言語 where the game would read it (the
// current folder), Japanese when there is none, English from the game's own catalogue.
Translator commandLineTranslator();

struct CommandLine {
    bool startGame = true;
    int status = 0;      // the exit status when the game is not started
    std::string output;  // for standard output (--help, --version)
    std::string error;   // for standard error: one line saying what was refused
};

CommandLine readCommandLine(int argc, const char* const* argv, const Translator& tr);

// The line the program ends with when no window can be opened: no display is named at all
// (`display` empty), or the one named cannot be reached.
std::string noWindowMessage(std::string_view display, const Translator& tr);

}  // namespace nobakuza
