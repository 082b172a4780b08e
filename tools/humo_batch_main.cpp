// humo-batch: computes many scenarios at once, each row exactly as the calculator would, or
// the land-use histories of many sites.
//
//   humo-batch [--database FILE | --edition ID] [--decimal-separator C] [--quiet]
//              [--uncertainty [--iterations N] [--seed S]] [--co2] INPUT.csv [-o OUTPUT.csv]
//   humo-batch --history [--from YEAR] [--to YEAR] [--every N] ... INPUT.csv [-o OUTPUT.csv]
//
// Exit status: 0 every row (site) computed, 1 some have errors (all are written), 2 nothing
// written (the input, its header or the database cannot be used, or the command line is wrong).

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <variant>

#include "batch_files.h"
#include "database_choice.h"
#include "editions.h"
#include "history_rules.h"
#include "history_run.h"

namespace {

namespace fs = std::filesystem;
using humo::batch::BatchSummary;

constexpr int kUnusable = 2;

const char* const kUsage =
    "usage: humo-batch [--database FILE | --edition ID] [--decimal-separator C] [--quiet]\n"
    "                  [--uncertainty [--iterations N] [--seed S]] [--co2] INPUT.csv\n"
    "                  [-o OUTPUT.csv]\n"
    "       humo-batch --history [--from YEAR] [--to YEAR] [--every N] [--database FILE |\n"
    "                  --edition ID] [--decimal-separator C] [--quiet] INPUT.csv\n"
    "                  [-o OUTPUT.csv]\n";

const char* const kHelp =
    "\n"
    "Computes each row of a scenario file exactly as the calculator would after the same picks\n"
    "in its lists, and writes the rows with their results. INPUT - reads standard input;\n"
    "without -o the rows go to standard output. Rows are independent and streamed.\n"
    "\n"
    "Required columns (any order, any case): country, climate_region, soil_type,\n"
    "from_land_use, from_management, from_input, to_land_use, to_management, to_input.\n"
    "Optional: carbon_stock (a reference stock of your own, MgC/ha) and area_ha. Other\n"
    "columns pass through. Added: reference_stock, the three factors and the predicted stock\n"
    "of each system, annual_change, total_annual_change (with area_ha) and error.\n"
    "\n"
    "  --database FILE          the database (default: the one humo_tool opens)\n"
    "  --edition ID             the pristine defaults of an edition instead: 2003, 2006 or\n"
    "                           2019\n"
    "  --decimal-separator C    the decimal separator of numbers read and written\n"
    "                           (default: the one of your locale's LC_NUMERIC)\n"
    "  --quiet                  report only errors on standard error\n"
    "  --uncertainty            add each row's 95% ranges from the published uncertainties\n"
    "                           (from_stock_low ... annual_change_high, the totals' with\n"
    "                           area_ha, not_covered) and the file total's range; an optional\n"
    "                           column area_uncertainty gives the area's ±% (95% limit)\n"
    "  --iterations N           draws for the ranges, 1 to 100000 (default 10000)\n"
    "  --seed S                 fixes the draws: the same seed, the same ranges (default 1)\n"
    "  --co2                    add the change as CO2, emissions positive (-change x 44/12,\n"
    "                           MgCO2/ha/yr): annual_co2, total_annual_co2 with area_ha, and\n"
    "                           their ranges with --uncertainty\n"
    "  -o, --output FILE        write here, whole or not at all (may name INPUT)\n"
    "  --help, --version\n"
    "\n"
    "With --history the input holds land-use histories, one row per regime: site, year (the\n"
    "regime's first year), country, climate_region, soil_type, land_use, management, input,\n"
    "optional carbon_stock and area_ha (the same in every row of a site). A site's rows may be\n"
    "anywhere, in any order. Written: site, year, stock, equilibrium, annual_change,\n"
    "period_change, with area_ha total_stock and total_annual_change, note and error, for\n"
    "each year from the site's first to 20 years after its last change; standard error adds\n"
    "the sum of the sites' totals per year.\n"
    "  --from YEAR, --to YEAR   the years shown instead\n"
    "  --every N                every N years from --from (or the site's first year)\n"
    "\n"
    "Exit status: 0 every row computed, 1 some rows have errors, 2 nothing written.\n"
    "See humo-batch(1).\n";

struct Options {
    humo::batch::BatchRequest request;
    // Asks for the histories of sites instead of scenarios, for these years.
    std::optional<humo::engine::YearSpan> history;
    bool quiet = false;
};

std::string program_directory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return (error ? fs::current_path() : program.parent_path()).string();
}

humo::numbers::DecimalSeparator locale_separator() {
    humo::numbers::DecimalSeparator separator;
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::string point = std::localeconv()->decimal_point;
        if (point.size() == 1)
            separator.character = point[0];
        std::setlocale(LC_NUMERIC, "C");
    }
    return separator;
}

// A whole number written in digits alone.
std::optional<uint64_t> whole_number(const std::string& text) {
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int usage_error(const std::string& why) {
    std::cerr << "humo-batch: " << why << "\n" << kUsage;
    return kUnusable;
}

// The options, or the exit status when the program is done already.
std::variant<Options, int> parse(int argc, char** argv) {
    Options options;
    options.request.separator = locale_separator();
    std::optional<std::string> input;
    bool given_database = false;
    std::optional<std::string> edition;
    bool uncertainty = false;
    bool drawing_asked = false;
    humo::engine::Simulation simulation;
    humo::engine::YearSpan years;
    bool history = false;
    bool years_asked = false;
    bool options_end = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        std::optional<std::string> value;
        if (!options_end && argument.starts_with("--") && argument.find('=') != std::string::npos) {
            value = argument.substr(argument.find('=') + 1);
            argument = argument.substr(0, argument.find('='));
        }
        auto take_value = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < argc)
                return std::string(argv[++i]);
            return std::nullopt;
        };
        if (options_end || argument == "-" || !argument.starts_with("-")) {
            if (input)
                return usage_error("one input file only; " + *input + " is named already");
            input = argument;
        } else if (argument == "--") {
            options_end = true;
        } else if (argument == "--help" || argument == "-h") {
            std::cout << kUsage << kHelp;
            return 0;
        } else if (argument == "--version") {
            std::cout << "humo-batch " HUMO_VERSION "\n";
            return 0;
        } else if (argument == "--quiet" || argument == "-q") {
            options.quiet = true;
        } else if (argument == "--uncertainty") {
            uncertainty = true;
        } else if (argument == "--co2") {
            options.request.co2 = true;
        } else if (argument == "--history") {
            history = true;
        } else if (argument == "--database" || argument == "--edition" || argument == "-o" ||
                   argument == "--output" || argument == "--decimal-separator" ||
                   argument == "--iterations" || argument == "--seed" || argument == "--from" ||
                   argument == "--to" || argument == "--every") {
            const std::optional<std::string> given = take_value();
            if (!given || given->empty())
                return usage_error(argument + " needs a value");
            if (argument == "--database") {
                options.request.database = *given;
                given_database = true;
            } else if (argument == "--edition") {
                edition = *given;
            } else if (argument == "--iterations") {
                const std::optional<uint64_t> count = whole_number(*given);
                if (!count || *count < 1 ||
                    *count > static_cast<uint64_t>(humo::engine::Simulation::kMaxIterations))
                    return usage_error("--iterations must be a whole number from 1 to 100000");
                simulation.iterations = static_cast<int64_t>(*count);
                drawing_asked = true;
            } else if (argument == "--seed") {
                const std::optional<uint64_t> seed = whole_number(*given);
                if (!seed)
                    return usage_error("--seed must be a whole number from 0 to " +
                                       std::to_string(UINT64_MAX));
                simulation.seed = *seed;
                drawing_asked = true;
            } else if (argument == "--from" || argument == "--to") {
                const std::optional<int> year = humo::engine::read_year(*given);
                if (!year)
                    return usage_error(argument + " must be a year from " +
                                       std::to_string(humo::engine::kFirstYear) + " to " +
                                       std::to_string(humo::engine::kLastYear));
                (argument == "--from" ? years.from : years.to) = *year;
                years_asked = true;
            } else if (argument == "--every") {
                const std::optional<uint64_t> every = whole_number(*given);
                if (!every || *every < 1 || *every > humo::engine::kLastYear)
                    return usage_error("--every must be a whole number of years from 1 to " +
                                       std::to_string(humo::engine::kLastYear));
                years.every = static_cast<int>(*every);
                years_asked = true;
            } else if (argument == "--decimal-separator") {
                if (!humo::numbers::can_separate_decimals(*given))
                    return usage_error(
                        "the decimal separator must be one character that "
                        "cannot be part of a number, such as . or ,");
                options.request.separator.character = (*given)[0];
            } else {
                options.request.output = *given;
            }
        } else {
            return usage_error("unknown option " + argument);
        }
    }
    if (!input)
        return usage_error("no input file; name one, or - for standard input");
    if (drawing_asked && !uncertainty)
        return usage_error("--iterations and --seed go with --uncertainty");
    if (uncertainty)
        options.request.ranges = simulation;
    if (years_asked && !history)
        return usage_error("--from, --to and --every go with --history");
    if (history && (uncertainty || options.request.co2))
        return usage_error(
            "--history gives no ranges and no CO2; leave out --uncertainty and --co2");
    if (years.from && years.to && *years.from > *years.to)
        return usage_error("--from must not come after --to");
    if (history)
        options.history = years;
    if (edition && given_database)
        return usage_error("--edition and --database name two databases; give one");
    try {
        // Without either, the database the tool opens, made from the defaults on first use.
        options.request.database = humo::db::choose_database(
            program_directory(),
            given_database ? std::optional(options.request.database) : std::nullopt, edition);
    } catch (const std::runtime_error& error) {
        if (edition && !humo::db::find_edition(*edition))
            return usage_error(error.what());
        std::cerr << "humo-batch: " << error.what() << "\n";
        return kUnusable;
    }
    options.request.input = *input;
    return options;
}

// On a terminal, a line that shows how far a long run is.
class ProgressLine {
public:
    explicit ProgressLine(bool shown) : shown_(shown && ::isatty(STDERR_FILENO)) {}
    ~ProgressLine() { clear(); }

    bool update(const humo::batch::BatchProgress& progress) {
        if (!shown_)
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(200))
            return true;
        last_ = now;
        std::cerr << "\rhumo-batch: " << progress.rows << " rows";
        if (progress.total_bytes > 0)
            std::cerr << ", " << progress.bytes_read * 100 / progress.total_bytes << "%";
        std::cerr << std::flush;
        drawn_ = true;
        return true;
    }
    void clear() {
        if (drawn_)
            std::cerr << "\r\033[K" << std::flush;
        drawn_ = false;
    }

private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_{};
};

void report(const BatchSummary& summary, bool quiet) {
    if (!summary.note.empty())
        std::cerr << "humo-batch: " << summary.note << "\n";
    if (!quiet)
        std::cerr << summary.summary_line() << "\n";
    for (const std::string& line : summary.total_lines) {
        if (!quiet)
            std::cerr << line << "\n";
    }
    for (const humo::batch::RowError& error : summary.first_errors)
        std::cerr << BatchSummary::error_line(error) << "\n";
    if (const std::string unlisted = summary.unlisted_errors_line(); !unlisted.empty())
        std::cerr << unlisted << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::variant<Options, int> parsed = parse(argc, argv);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const Options& options = std::get<Options>(parsed);

    ProgressLine progress(!options.quiet);
    try {
        const auto report_progress = [&progress](const humo::batch::BatchProgress& p) {
            return progress.update(p);
        };
        const humo::batch::BatchRequest& request = options.request;
        const BatchSummary summary =
            options.history
                ? humo::batch::run_history({request.input, request.output, request.database,
                                            request.separator, *options.history},
                                           report_progress)
                : humo::batch::run_batch(request, report_progress);
        progress.clear();
        report(summary, options.quiet);
        return summary.exit_status();
    } catch (const humo::batch::BatchFailure& failure) {
        progress.clear();
        std::string message = failure.what();
        if (message.ends_with('.'))
            message.pop_back();
        // A file is written whole or not at all; standard output may have had rows already.
        message += failure.output_started()
                       ? "; the rows written to standard output before this are incomplete"
                       : "; nothing was written";
        std::cerr << "humo-batch: " << message << "\n";
        return kUnusable;
    }
}
