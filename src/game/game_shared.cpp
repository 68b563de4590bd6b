// The small services every part of the game uses.
#include "game/game_shared.h"

namespace nobakuza {

MessageAnswer GameShared::say(const char* text, const char* title, MessageButtons buttons) {
    return window.dialogs.messageBox(tr(text), tr(title), buttons, false);
}

void GameShared::playSound(std::int32_t buffer) {
    window.sound.dsPlay(buffer);
}

void GameShared::setTimer1(bool on) {
    clock.timerEnabled = on;
    window.timer.setTimerEnabled(on);
}

float GameShared::timeNow() {
    return static_cast<float>(window.clock.secondsSinceMidnight());
}

void GameShared::startMoveTimer(bool timerWanted) {
    if (startMoveClock(clock, timeNow(), timerWanted)) setTimer1(true);
}

bool GameShared::clocksShown() const {
    return window.menu.isChecked(MenuItem::KEIKA);
}

TranslateText GameShared::translator() const {
    return [this](const char* japanese) { return tr(japanese); };
}

void GameShared::dropSelections() {
    state.left.selectionState = 0;
    state.right.selectionState = 0;
}

}  // namespace nobakuza
