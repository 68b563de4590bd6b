// The window's size and place, the move list's state and the computer's level, in the desktop's
// usual place for settings (~/.config/Nobakuza/Nobakuza.conf), apart from the game's own settings
// file.
#pragma once

#include <QSettings>
#include <QString>

namespace nobakuza {

QSettings windowSettings();
inline const QString geometryKey = QStringLiteral("window/geometry");
inline const QString moveListKey = QStringLiteral("window/moveList");
// Not in Nobakuza.ini, whose lines are the ｵﾌﾟｼｮﾝ menu's.
inline const QString levelKey = QStringLiteral("game/level");

}  // namespace nobakuza
