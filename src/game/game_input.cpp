// Mouse presses on the window.
#include "game/game.h"
#include "ui/layout.h"

namespace nobakuza {

void Game::Form_MouseDown([[maybe_unused]] int button, [[maybe_unused]] int shift,
                          [[maybe_unused]] double x, [[maybe_unused]] double y) {
    if (ended_) return;
    closeFilePanel();
    if (state.kifuMode == flagYes) {
        if (window.dialogs.messageBox("棋譜を '進 'で進めて下さい", "棋譜", MessageButtons::yesNo,
                                      false) == MessageAnswer::no) {
            playSound(soundForbidden);
            初期設定();
        }
        return;
    }
    if (state.sideToMove == noSide) {
        playSound(soundForbidden);
        window.dialogs.messageBox("「対局」で始めて下さい", "開始", MessageButtons::ok, false);
        return;
    }
    // The rest of the turn gate, and the click handlers of both boards under the screen
    // column screenColumnAt(x) and grid row gridRowAt(y), come with the turn driver; a game
    // cannot be started from the menu before then.
}

}  // namespace nobakuza
