// SettingsFiles: settings databases as other programs and accidents leave them: SQL run on a
// connection of its own, as the sqlite3 tool would, and an index page of `vals` gone wrong.
#pragma once

#include <string>

// Runs `sql` on `path` (creating the file when missing). Returns the first row's first column
// of the last statement that gave one ("" when none); a failed statement fails the test.
std::string RunSqlOn(const std::string& path, const std::string& sql);

// Damages the index that finds a value by its key and name: every stored name of a setting is
// changed inside that index page only. The tables and the file's structure stay sound, so a
// quick check passes, yet looking a value up no longer finds it.
void DamageIndexOfValues(const std::string& path);
