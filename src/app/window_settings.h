// The window's size and place and the move list's state, in the desktop's usual place for
// settings (~/.config/Nobakuza/Nobakuza.conf), apart from the game's own settings file.
#pragma once

#include <QSettings>
#include <QString>

namespace nobakuza {

QSettings windowSettings();
inline const QString geometryKey = QStringLiteral("window/geometry");
inline const QString moveListKey = QStringLiteral("window/moveList");

}  // namespace nobakuza
