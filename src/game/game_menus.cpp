// The menu bar's commands.
#include <span>

#include "board/geometry.h"
#include "game/game.h"
#include "ui/help_version.h"

namespace nobakuza {

std::span<const Game::MenuCommand> Game::menuCommands() {
    using enum MenuItem;
    // Submenu titles run nothing, and opening a top-level menu hides the record panel.
    static constexpr MenuCommand table[] = {
        {TAIKYOKU, [](Game& g) { g.records_.closeFilePanel(); }},
        {STOP, [](Game& g) { g.records_.closeFilePanel(); }},
        {OPTION, [](Game& g) { g.records_.closeFilePanel(); }},
        {OWARI, [](Game& g) { g.OWARI_Click(); }},
        {CANCEL, [](Game& g) { g.CANCEL_Click(); }},
        {LEVEL1, [](Game& g) { g.LEVEL_Click(1); }},
        {LEVEL2, [](Game& g) { g.LEVEL_Click(2); }},
        {LEVEL3, [](Game& g) { g.LEVEL_Click(3); }},
        {LEVEL4, [](Game& g) { g.LEVEL_Click(4); }},
        {LEVEL5, [](Game& g) { g.LEVEL_Click(5); }},
        {HINT, [](Game& g) { g.computer_.HINT_Click(); }},
        {MATTA, [](Game& g) { g.records_.takeBack(); }},
        {KENTOU, [](Game& g) { g.review_.KENTOU_Click(); }},
        {MIDORI, [](Game& g) { g.optionClick(OptionItem::midori); }},
        {TATAMI, [](Game& g) { g.optionClick(OptionItem::tatami); }},
        {TAKE, [](Game& g) { g.optionClick(OptionItem::take); }},
        {UCHU, [](Game& g) { g.optionClick(OptionItem::uchu); }},
        {RENGA, [](Game& g) { g.optionClick(OptionItem::renga); }},
        {SIDOU, [](Game& g) { g.optionClick(OptionItem::sidou); }},
        {KEIKA, [](Game& g) { g.optionClick(OptionItem::keika); }},
        {BGM, [](Game& g) { g.optionClick(OptionItem::bgm); }},
        {TEJUN, [](Game& g) { g.TEJUN_Click(); }},
        {BAN_MAWASU, [](Game& g) { g.turnView(); }},
        {NARI, [](Game& g) { g.optionClick(OptionItem::askPromotion); }},
        {KEISEI, [](Game& g) { g.optionClick(OptionItem::keisei); }},
        {NIHONGO, [](Game& g) { g.chooseLanguage(Language::japanese); }},
        {EIGO, [](Game& g) { g.chooseLanguage(Language::english); }},
        {KAISETU, [](Game& g) { g.KAISETU_Click(); }},
        {VER, [](Game& g) { g.VER_Click(); }},
        {REVERSE, [](Game& g) { g.records_.REVERSE_Click(); }},
        {REPLAY, [](Game& g) { g.records_.REPLAY_Click(); }},
        {AFTER, [](Game& g) { g.records_.AFTER_Click(); }},
        {KIFU_READ, [](Game& g) { g.records_.KIFU_READ_Click(); }},
        {KIFU_WRITE, [](Game& g) { g.records_.KIFU_WRITE_Click(); }},
        {START, [](Game& g) { g.START_Click(); }},
        {SENTE, [](Game& g) { g.SENTE_Click(); }},
        {GOTE, [](Game& g) { g.GOTE_Click(); }},
        {LBEL_UP, [](Game& g) { g.LBEL_UP_Click(); }},
        {LEBEL_DOWN, [](Game& g) { g.LEBEL_DOWN_Click(); }},
    };
    return table;
}

void Game::menuChosen(MenuItem item) {
    if (s_.ended) return;
    for (const MenuCommand& c : menuCommands())
        if (c.item == item) {
            c.run(*this);
            break;
        }
    afterEvent();
}

void Game::afterEvent() {
    if (s_.ended) return;
    evaluation_.positionShown();
    review_.positionShown();
    texts_.showGameInfo();
    keeper_.autosave();
}

void Game::backgroundWorkDone() {
    if (s_.ended) return;
    evaluation_.backgroundWorkDone();
    const bool reviewing = review_.running();
    review_.backgroundWorkDone();
    if (reviewing && !review_.running()) evaluation_.positionShown();  // its turn again
}

void Game::graphClicked(int ply) {
    if (s_.ended) return;
    review_.graphClicked(ply);
    afterEvent();
}

void Game::Command1_Click() {
    if (s_.ended) return;
    records_.Command1_Click();
    afterEvent();
}

void Game::File1_Click(const std::string& fileName) {
    if (s_.ended) return;
    records_.File1_Click(fileName);
    afterEvent();
}

void Game::Drive1_Change(const std::string& path) {
    records_.Dir1_Change(path);
}

void Game::Dir1_Change(const std::string& path) {
    records_.Dir1_Change(path);
}

void Game::moveListClicked(int n) {
    if (s_.ended) return;
    records_.moveListClicked(n);
    afterEvent();
}

void Game::CANCEL_Click() {
    初期設定();
    s_.playSound(s_.sounds.piecePlaced);
}

void Game::LEVEL_Click(int level) {
    for (int c = -2; c <= 0; ++c) s_.screen.描画_絵(leftBoardX, s_.options.backgroundCode, c, 0);
    レベル_設定(level);
}

void Game::レベル_設定(int level) {
    using enum MenuItem;
    constexpr MenuItem levelItems[] = {LEVEL1, LEVEL2, LEVEL3, LEVEL4, LEVEL5};
    for (const MenuItem item : levelItems) s_.window.menu.setChecked(item, false);
    if (level >= 1 && level <= highestLevel) {
        s_.window.menu.setChecked(levelItems[level - 1], true);
        s_.state.comLevel = static_cast<std::int16_t>(level);
    }
    if (s_.state.gameMode == modeVsComputer) s_.screen.描画_レベル(s_.state.comLevel);
}

void Game::optionClick(OptionItem item) {
    const OptionEffect effect = chooseOption(s_.settings, item, settingsFileName, s_.translator());
    if (!effect.saved) tellSettingsNotSaved(effect.error);
    switch (effect.action) {
        case OptionAction::redrawWindow:
            applySettingsMarks();
            s_.options.backgroundCode = s_.settings.backgroundCode;
            画面_再描画();
            break;
        case OptionAction::guidanceOff:
            for (const int origin : {leftBoardX, rightBoardX}) {
                s_.screen.描画_将棋盤桝(origin);
                for (int k = 1; k <= handKinds; ++k) {
                    s_.screen.描画_桝輪郭(origin, s_.options.gridColor, comHandColumn, k);
                    s_.screen.描画_桝輪郭(origin, s_.options.gridColor, manHandColumn,
                                          manHandRow(k));
                }
            }
            applySettingsMarks();
            s_.options.moveGuidanceOn = flagNo;
            s_.options.guideColor = s_.options.gridColor;
            break;
        case OptionAction::guidanceOn:
            applySettingsMarks();
            s_.options.moveGuidanceOn = flagYes;
            s_.options.guideColor = colorGuide;
            break;
        case OptionAction::clocksOff:
            applySettingsMarks();
            s_.setTimer1(false);
            消去_所有時間(s_.state.manSide);
            消去_所有時間(s_.state.comSide);
            break;
        case OptionAction::clocksOn:
            applySettingsMarks();
            s_.setTimer1(true);
            描画_所有時間(s_.state.comSide, s_.clock.comTotalSeconds);
            描画_所有時間(s_.state.manSide, s_.clock.manTotalSeconds);
            break;
        case OptionAction::musicOff:
            applySettingsMarks();
            s_.window.sound.dsStop(s_.sounds.bgm);
            break;
        case OptionAction::musicOn:
            applySettingsMarks();
            s_.window.sound.dsPlayLooping(s_.sounds.bgm);
            break;
        case OptionAction::language:
        case OptionAction::marksOnly:
            applySettingsMarks();
            break;
        case OptionAction::evaluation:
            applySettingsMarks();
            if (evaluationShown(s_.settings)) {
                evaluation_.draw();  // the search starts once the command is done
            } else {
                evaluation_.stop();
                s_.screen.wipeEvaluationBar();
            }
            break;
    }
}

void Game::chooseLanguage(Language language) {
    if (!s_.tr.setLanguage(language, s_.localeFolder)) {
        // Japanese is always there; English needs its catalogue.
        refuse(s_.tr("英語の文字列が見つかりません"), "言語");
        applySettingsMarks();
        return;
    }
    optionClick(language == Language::english ? OptionItem::english : OptionItem::japanese);
    applyLanguageToWindow();
    redrawEverything();
}

void Game::TEJUN_Click() {
    if (s_.panels() == nullptr) return;
    const bool visible = !s_.panels()->moveListVisible();
    s_.panels()->setMoveListVisible(visible);
    s_.window.menu.setChecked(MenuItem::TEJUN, visible);
}

void Game::turnView() {
    s_.options.viewTurned = !s_.options.viewTurned;
    s_.window.menu.setChecked(MenuItem::BAN_MAWASU, s_.options.viewTurned);
    // A pick's outlines would stay where the piece no longer is shown.
    s_.dropSelections();
    redrawEverything();
}

void Game::applyLanguageToWindow() {
    // A language is named in its own language, so that a player who cannot read the current
    // one still finds theirs.
    for (const MenuEntry& e : menuEntries())
        s_.window.menu.setCaption(
            e.item, e.parent == MenuItem::GENGO ? std::string(e.caption) : s_.tr(e.caption.data()));
    s_.window.dialogs.setButtonCaptions(s_.tr("OK"), s_.tr("はい"), s_.tr("いいえ"));
    s_.window.dialogs.setViewButtonCaptions(s_.tr("棋譜を見る"), s_.tr("検討"));
    s_.window.filePanel.setCaptions(
        {s_.tr("対 局 名："), s_.tr("先    手 ："), s_.tr("後    手 ："), s_.tr("ﾌｧｲﾙ名 ：")},
        s_.tr("RETURN"), s_.tr("キャンセル"));
    if (s_.panels() != nullptr) s_.panels()->setMoveListTitle(s_.tr("指し手一覧"));
}

void Game::KAISETU_Click() {
    // In English the English page, or the Japanese one when it is missing. Without a browser the
    // window shows the page itself.
    auto page = s_.tr.language() == Language::english
                    ? findHelpPage(s_.startDirectory, englishHelpFileName)
                    : std::nullopt;
    if (!page) page = findHelpPage(s_.startDirectory);
    if (!page) {
        refuse(s_.tr("解説のページが見つかりません"), "解説");
        return;
    }
    s_.window.browser.openLocalPage(*page, s_.tr("解説"));
}

void Game::VER_Click() {
    records_.closeFilePanel();
    s_.playSound(s_.sounds.other);
    const auto lines = versionPictureLines();
    s_.window.dialogs.versionDialog({s_.tr(versionDialogTitle.data()),
                                     s_.tr(homePageButton.caption.data()),
                                     s_.tr(okButton.caption.data()),
                                     {lines[0], s_.tr(lines[1].c_str()), lines[2]}});
}

}  // namespace nobakuza
