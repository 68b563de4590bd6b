// What the program does before its window exists: answer its command line, and make sure there
// is a display to open the window on, so that it never ends with Qt's advice to reinstall it and
// a core dump.
#pragma once

#include <optional>

namespace nobakuza {

// --help and --version answer on standard output, anything else is refused with one line on
// standard error; then the exit status. Nothing when the game is to start.
std::optional<int> answerCommandLine(int argc, char** argv);

// Between these two, Qt's messages are held back, and one that would end the program ends it
// with one line and status 1 instead: no display to open a window on, or one that cannot be
// reached. The held messages are passed on afterwards.
void holdQtMessages();
void passOnQtMessages();

}  // namespace nobakuza
