// The menu bar's commands.
#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

void Game::menuChosen(MenuItem item) {
    if (ended_) return;
    using enum MenuItem;
    switch (item) {
        case TAIKYOKU:
        case STOP:
        case OPTION:
            closeFilePanel();
            break;
        case OWARI:
            OWARI_Click();
            break;
        case CANCEL:
            CANCEL_Click();
            break;
        case LEVEL1:
            LEVEL_Click(1);
            break;
        case LEVEL2:
            LEVEL_Click(2);
            break;
        case LEVEL3:
            LEVEL_Click(3);
            break;
        case MIDORI:
            optionClick(OptionItem::midori);
            break;
        case TATAMI:
            optionClick(OptionItem::tatami);
            break;
        case TAKE:
            optionClick(OptionItem::take);
            break;
        case UCHU:
            optionClick(OptionItem::uchu);
            break;
        case RENGA:
            optionClick(OptionItem::renga);
            break;
        case SIDOU:
            optionClick(OptionItem::sidou);
            break;
        case KEIKA:
            optionClick(OptionItem::keika);
            break;
        case BGM:
            optionClick(OptionItem::bgm);
            break;
        case KAISETU:
            KAISETU_Click();
            break;
        case VER:
            VER_Click();
            break;
        case REVERSE:
            REVERSE_Click();
            break;
        case REPLAY:
            REPLAY_Click();
            break;
        case AFTER:
            AFTER_Click();
            break;
        case KIFU_READ:
            KIFU_READ_Click();
            break;
        case KIFU_WRITE:
            KIFU_WRITE_Click();
            break;
        case START:
            START_Click();
            break;
        case SENTE:
            SENTE_Click();
            break;
        case GOTE:
            GOTE_Click();
            break;
        case LBEL_UP:
            LBEL_UP_Click();
            break;
        case LEBEL_DOWN:
            LEBEL_DOWN_Click();
            break;
        // Submenu titles.
        case MATCH_MAN:
        case START2:
        case LEVEL:
        case KIFU:
        case HAIKEI:
        case SONOTA:
            break;
    }
}

void Game::closeFilePanel() {
    screen.描画_可視(false, false, false);
    screen.描画_棋譜_IO(1);
}

void Game::CANCEL_Click() {
    初期設定();
    playSound(soundPiecePlaced);
}

void Game::LEVEL_Click(int level) {
    for (int c = -2; c <= 0; ++c) screen.描画_絵(leftBoardX, options.backgroundCode, c, 0);
    レベル_設定(level);
}

void Game::レベル_設定(int level) {
    using enum MenuItem;
    for (const MenuItem item : {LEVEL1, LEVEL2, LEVEL3}) window.menu.setChecked(item, false);
    if (level >= 1 && level <= 3) {
        window.menu.setChecked(level == 1 ? LEVEL1 : level == 2 ? LEVEL2 : LEVEL3, true);
        state.comLevel = static_cast<std::int16_t>(level);
    }
    if (state.gameMode == modeVsComputer) screen.描画_レベル(state.comLevel);
}

void Game::optionClick(OptionItem item) {
    const OptionEffect effect = chooseOption(settings, item, settingsFileName);
    switch (effect.action) {
        case OptionAction::redrawWindow:
            applySettingsMarks();
            options.backgroundCode = settings.backgroundCode;
            画面_再描画();
            break;
        case OptionAction::guidanceOff:
            for (const int origin : {leftBoardX, rightBoardX}) {
                screen.描画_将棋盤桝(origin);
                for (int k = 1; k <= handKinds; ++k) {
                    screen.描画_桝輪郭(origin, options.gridColor, comHandColumn, k);
                    screen.描画_桝輪郭(origin, options.gridColor, manHandColumn, k + 2);
                }
            }
            applySettingsMarks();
            options.moveGuidanceOn = flagNo;
            options.guideColor = options.gridColor;
            break;
        case OptionAction::guidanceOn:
            applySettingsMarks();
            options.moveGuidanceOn = flagYes;
            options.guideColor = colorWhite;
            break;
        case OptionAction::clocksOff:
            applySettingsMarks();
            setTimer1(false);
            消去_所有時間(state.manSide);
            消去_所有時間(state.comSide);
            break;
        case OptionAction::clocksOn:
            applySettingsMarks();
            setTimer1(true);
            描画_所有時間(state.comSide, clock.comTotalSeconds);
            描画_所有時間(state.manSide, clock.manTotalSeconds);
            break;
        case OptionAction::musicOff:
            applySettingsMarks();
            window.sound.dsStop(soundBgm);
            break;
        case OptionAction::musicOn:
            applySettingsMarks();
            window.sound.dsPlayLooping(soundBgm);
            break;
    }
}

void Game::KAISETU_Click() {
    // Any failure (no page, no browser) ends the command silently.
    if (const auto page = findHelpPage(startDirectory)) window.browser.openPage(fileUrlFor(*page));
}

void Game::VER_Click() {
    closeFilePanel();
    playSound(soundOther);
    window.dialogs.versionDialog();
}

}  // namespace nobakuza
