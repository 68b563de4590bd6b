// The menu bar's commands.
#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

namespace {

using enum MenuItem;

// What each menu item runs; submenu titles run nothing, and opening a top-level menu hides the
// record panel.
struct MenuCommand {
    MenuItem item;
    void (*run)(Game&);
};
constexpr MenuCommand menuCommands[] = {
    {TAIKYOKU, [](Game& g) { g.closeFilePanel(); }},
    {STOP, [](Game& g) { g.closeFilePanel(); }},
    {OPTION, [](Game& g) { g.closeFilePanel(); }},
    {OWARI, [](Game& g) { g.OWARI_Click(); }},
    {CANCEL, [](Game& g) { g.CANCEL_Click(); }},
    {LEVEL1, [](Game& g) { g.LEVEL_Click(1); }},
    {LEVEL2, [](Game& g) { g.LEVEL_Click(2); }},
    {LEVEL3, [](Game& g) { g.LEVEL_Click(3); }},
    {LEVEL4, [](Game& g) { g.LEVEL_Click(4); }},
    {LEVEL5, [](Game& g) { g.LEVEL_Click(5); }},
    {HINT, [](Game& g) { g.HINT_Click(); }},
    {MIDORI, [](Game& g) { g.optionClick(OptionItem::midori); }},
    {TATAMI, [](Game& g) { g.optionClick(OptionItem::tatami); }},
    {TAKE, [](Game& g) { g.optionClick(OptionItem::take); }},
    {UCHU, [](Game& g) { g.optionClick(OptionItem::uchu); }},
    {RENGA, [](Game& g) { g.optionClick(OptionItem::renga); }},
    {SIDOU, [](Game& g) { g.optionClick(OptionItem::sidou); }},
    {KEIKA, [](Game& g) { g.optionClick(OptionItem::keika); }},
    {BGM, [](Game& g) { g.optionClick(OptionItem::bgm); }},
    {TEJUN, [](Game& g) { g.TEJUN_Click(); }},
    {NIHONGO, [](Game& g) { g.chooseLanguage(Language::japanese); }},
    {EIGO, [](Game& g) { g.chooseLanguage(Language::english); }},
    {KAISETU, [](Game& g) { g.KAISETU_Click(); }},
    {VER, [](Game& g) { g.VER_Click(); }},
    {REVERSE, [](Game& g) { g.REVERSE_Click(); }},
    {REPLAY, [](Game& g) { g.REPLAY_Click(); }},
    {AFTER, [](Game& g) { g.AFTER_Click(); }},
    {KIFU_READ, [](Game& g) { g.KIFU_READ_Click(); }},
    {KIFU_WRITE, [](Game& g) { g.KIFU_WRITE_Click(); }},
    {START, [](Game& g) { g.START_Click(); }},
    {SENTE, [](Game& g) { g.SENTE_Click(); }},
    {GOTE, [](Game& g) { g.GOTE_Click(); }},
    {LBEL_UP, [](Game& g) { g.LBEL_UP_Click(); }},
    {LEBEL_DOWN, [](Game& g) { g.LEBEL_DOWN_Click(); }},
};

}  // namespace

void Game::menuChosen(MenuItem item) {
    if (ended_) return;
    for (const MenuCommand& c : menuCommands)
        if (c.item == item) {
            c.run(*this);
            break;
        }
    afterEvent();
}

void Game::afterEvent() {
    if (ended_) return;
    showGameInfo();
    autosave();
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
    constexpr MenuItem levelItems[] = {LEVEL1, LEVEL2, LEVEL3, LEVEL4, LEVEL5};
    for (const MenuItem item : levelItems) window.menu.setChecked(item, false);
    if (level >= 1 && level <= highestLevel) {
        window.menu.setChecked(levelItems[level - 1], true);
        state.comLevel = static_cast<std::int16_t>(level);
    }
    if (state.gameMode == modeVsComputer) screen.描画_レベル(state.comLevel);
}

void Game::optionClick(OptionItem item) {
    const OptionEffect effect = chooseOption(settings, item, settingsFileName, translator());
    if (!effect.saved) tellSettingsNotSaved(effect.error);
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
        case OptionAction::language:
            applySettingsMarks();
            break;
    }
}

void Game::chooseLanguage(Language language) {
    if (!tr.setLanguage(language, localeFolder)) {
        // Japanese is always there; English needs its catalogue.
        refuse(tr("英語の文字列が見つかりません"), "言語");
        applySettingsMarks();
        return;
    }
    optionClick(language == Language::english ? OptionItem::english : OptionItem::japanese);
    applyLanguageToWindow();
    redrawEverything();
}

void Game::TEJUN_Click() {
    if (panels() == nullptr) return;
    const bool visible = !panels()->moveListVisible();
    panels()->setMoveListVisible(visible);
    window.menu.setChecked(MenuItem::TEJUN, visible);
}

void Game::applyLanguageToWindow() {
    for (const MenuEntry& e : menuEntries()) window.menu.setCaption(e.item, tr(e.caption.data()));
    window.dialogs.setButtonCaptions(tr("OK"), tr("はい"), tr("いいえ"));
    window.filePanel.setCaptions(
        {tr("対 局 名："), tr("先    手 ："), tr("後    手 ："), tr("ﾌｧｲﾙ名 ：")}, tr("RETURN"));
    if (panels() != nullptr) panels()->setMoveListTitle(tr("指し手一覧"));
}

void Game::KAISETU_Click() {
    // Any failure (no page, no browser) ends the command silently. In English the English page,
    // or the Japanese one when it is missing.
    auto page = tr.language() == Language::english
                    ? findHelpPage(startDirectory, englishHelpFileName)
                    : std::nullopt;
    if (!page) page = findHelpPage(startDirectory);
    if (page) window.browser.openPage(fileUrlFor(*page));
}

void Game::VER_Click() {
    closeFilePanel();
    playSound(soundOther);
    const auto lines = versionPictureLines();
    window.dialogs.versionDialog({tr(versionDialogTitle.data()),
                                  tr(homePageButton.caption.data()),
                                  tr(okButton.caption.data()),
                                  {lines[0], tr(lines[1].c_str()), lines[2]}});
}

}  // namespace nobakuza
