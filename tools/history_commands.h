#pragma once

#include "verb_table.h"

namespace humo::script {

// What the land-use history window does, as script commands. Each reads the lists afresh from
// the database, as the window does when it is shown.
//   history-site "COUNTRY" "REGION" "SOIL" ["STOCK"] ["AREA"]
//                              the site; an empty STOCK takes the table's reference stock
//   history-name "TEXT"        the land unit's name, the rows' site
//   history-add YEAR "LAND USE" "MANAGEMENT" "INPUT"
//                              the regime from YEAR, replacing one of that year
//   history-remove YEAR        removes the regime from YEAR
//   history-years FROM TO EVERY
//                              the years shown
//   history-dump               prints the history as JSON lines: each regime, the notes or the
//                              error, then each year shown by the batch's column names, site
//                              first
//   history-report "PATH"      writes the history's PDF report
forms::Refusal history_site(const Call& call);
forms::Refusal history_name(const Call& call);
forms::Refusal history_add(const Call& call);
forms::Refusal history_remove(const Call& call);
forms::Refusal history_years(const Call& call);
forms::Refusal history_dump(const Call& call);
forms::Refusal history_report(const Call& call);

}  // namespace humo::script
