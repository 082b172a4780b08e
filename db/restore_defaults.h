#pragma once

#include <chrono>
#include <string>

namespace humo::db {

// Fails, as restore_defaults would, when the defaults are not there to be restored.
void require_defaults(const std::string& defaults);

// Puts a pristine copy of the defaults in place of `database` (through a symbolic link, in place
// of the file it points to). The file it replaces is kept beside it as
// humo_tool-YYYYMMDD-HHMMSS.mdb, copied while the database's write lock is held, so that no
// other program's unfinished change reaches either file; another program that keeps the lock is
// waited on as queries wait, then named in the failure. A database that is missing is simply put
// in place. Returns the name of the backup, empty when there was no file to keep. Fails with a
// std::runtime_error naming the file and the reason, leaving the database as it was.
std::string restore_defaults(const std::string& database, const std::string& defaults,
                             std::chrono::system_clock::time_point now);

}  // namespace humo::db
