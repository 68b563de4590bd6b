// Mouse presses on the window.
#include "game/game.h"
#include "ui/layout.h"

namespace nobakuza {

void Game::Form_MouseDown(int button, int shift, double x, double y) {
    if (ended_) return;
    mouseDown(button, shift, x, y);
    afterEvent();
}

void Game::mouseDown(int button, int shift, double x, double y) {
    closeFilePanel();
    if (state.kifuMode == flagYes) {
        if (say("棋譜を '進 'で進めて下さい", "棋譜", MessageButtons::yesNo) == MessageAnswer::no) {
            playSound(soundForbidden);
            初期設定();
        }
        return;
    }
    const int column = screenColumnAt(x);
    const int row = gridRowAt(y);
    if (!turnGate()) return;
    // Column 13 lies between the boards.
    if (column < 13) clickBoardLeft(button, shift, column, row);
    if (column > 13) clickBoardRight(button, shift, column - 18, row);
}

}  // namespace nobakuza
