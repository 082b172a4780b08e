#pragma once

#include "verb_table.h"

namespace humo::script {

// What the frame's menu does, as script commands:
//   report "PATH"             writes the report PDF of the calculation shown
//   copy-results              prints: clipboard <the clipboard text as a JSON string>
//   batch "IN" "OUT"          runs a scenario file and prints: batch <summary line>
//   restore-defaults ["ID"]   loads an edition's defaults and prints: restored [<backup name>]
//   uncertainty               prints: uncertainty from=[lo,hi] to=[lo,hi] change=[lo,hi]
//                             not_covered=<JSON list>
//   uncertainty-seed S        the seed the ranges are drawn with
//   uncertainty-iterations N  how many iterations they are drawn from (1 to 100000)
forms::Refusal save_report(const Call& call);
forms::Refusal copy_results(const Call& call);
forms::Refusal run_batch(const Call& call);
forms::Refusal restore_defaults(const Call& call);
forms::Refusal show_uncertainty(const Call& call);
forms::Refusal set_uncertainty_seed(const Call& call);
forms::Refusal set_uncertainty_iterations(const Call& call);

}  // namespace humo::script
