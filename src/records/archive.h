// The finished games' folder: every finished or abandoned game is kept there as a ".棋譜" record
// named by the minute it was kept ("2026-12-08_1530.棋譜", then "-2", "-3" ... for more games in
// the same minute), and the oldest go once there are more than the folder keeps.
#pragma once

#include <ctime>
#include <string>

namespace nobakuza {

// "2026-12-08_1530", in local time.
std::string archiveStamp(std::time_t when);
// "2026-12-08 15:30" for "2026-12-08_1530": the game name of the record kept.
std::string archiveTitle(const std::string& stamp);
// The first name in `folder` that no file has yet for a game kept at `stamp`.
std::string archivePathFor(const std::string& folder, const std::string& stamp);
// Removes the oldest records the folder's naming knows, so that at most `limit` stay.
void pruneArchive(const std::string& folder, int limit);

}  // namespace nobakuza
