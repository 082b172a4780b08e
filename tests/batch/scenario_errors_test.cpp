// A bad row never stops the run and never gets a number: it keeps its columns and its error
// says what is wrong, naming the column and the value.

#include "batch_harness.h"
#include "sqlite_database.h"

namespace humo::batch {
namespace {

using Strings = std::vector<std::string>;

const Strings kHeader = {
    "id",         "country",     "climate_region", "soil_type", "from_land_use", "from_management",
    "from_input", "to_land_use", "to_management",  "to_input",  "carbon_stock",  "area_ha"};

// A row on the Kenyan site that computes, to be spoilt one cell at a time.
Strings good_row(const std::string& id) {
    Strings row = testing::read_records(testing::kKenya).at(0);
    row.insert(row.begin(), id);
    row.resize(kHeader.size());
    return row;
}

Strings with(Strings row, const std::string& column, const std::string& value) {
    const auto at = std::find(kHeader.begin(), kHeader.end(), column) - kHeader.begin();
    row.at(static_cast<size_t>(at)) = value;
    return row;
}

class ScenarioErrorsTest : public ::testing::Test {
protected:
    // The shipped defaults' tables and the fixture world's, each loaded once.
    static const engine::MemoryTables& shipped() {
        static const testing::TempDir dir;
        static const auto tables = engine::load_memory_tables(testing::shipped_database(dir), {});
        return tables;
    }
    static const engine::MemoryTables& fixture() {
        static const testing::TempDir dir;
        static const auto tables = engine::load_memory_tables(testing::fixture_database(dir), {});
        return tables;
    }

    // Runs the rows and checks that each kept its cells; returns each row's error.
    static Strings errors_of(const std::vector<Strings>& rows, const engine::MemoryTables& tables) {
        std::vector<Strings> records = {kHeader};
        records.insert(records.end(), rows.begin(), rows.end());
        const testing::BatchOutput output =
            testing::run_on_text(testing::csv_text(records), tables);
        EXPECT_EQ(output.rows.size(), rows.size());
        Strings errors;
        for (size_t r = 0; r < output.rows.size(); ++r) {
            for (size_t c = 0; c < kHeader.size(); ++c)
                EXPECT_EQ(output.rows[r].at(kHeader[c]), rows[r][c]) << kHeader[c];
            if (!output.rows[r].at("error").empty()) {
                EXPECT_EQ(output.rows[r].at("from_stock"), "");
                EXPECT_EQ(output.rows[r].at("annual_change"), "");
            }
            errors.push_back(output.rows[r].at("error"));
        }
        return errors;
    }
};

TEST_F(ScenarioErrorsTest, NamesThatAreUnknownOrNotOfferedThere) {
    const Strings errors = errors_of(
        {good_row("computes"), with(good_row("typo"), "country", "Kenia"),
         with(good_row("unknown"), "country", "Atlantis"),
         with(good_row("other region"), "climate_region", "Boreal"),
         with(good_row("region typo"), "climate_region", "Tropcal Dry"),
         with(good_row("soil"), "soil_type", "Loam"),
         with(good_row("management"), "from_management", "Improved"),
         with(good_row("input"), "from_input", "Nominal"),
         with(with(good_row("fixed"), "to_management", "Nominally managed"), "to_input", "High"),
         with(good_row("land use"), "to_land_use", "Orchard")},
        shipped());
    EXPECT_EQ(
        errors,
        (Strings{
            "", "country \"Kenia\" is unknown; did you mean \"Kenya\"?",
            "country \"Atlantis\" is unknown",
            "climate_region \"Boreal\" is not offered for country \"Kenya\", which offers \"Warm "
            "Temperate Dry\", \"Warm Temperate Wet\", \"Tropical Dry\", \"Tropical Moist\"",
            "climate_region \"Tropcal Dry\" is unknown; did you mean \"Tropical Dry\"?",
            "soil_type \"Loam\" is unknown",
            "from_management \"Improved\" is not offered for from_land_use \"Long-term "
            "cultivated\", which offers \"Full tillage\", \"Reduced tillage\", \"No-till\"",
            "from_input \"Nominal\" is not offered for from_land_use \"Long-term cultivated\", "
            "which offers \"Low\", \"Medium\", \"High without manure\", \"High with manure\"",
            "to_input \"High\" is not offered for to_management \"Nominally managed\", which "
            "offers \"Does not apply\" only",
            "to_land_use \"Orchard\" is unknown"}));
}

TEST_F(ScenarioErrorsTest, AnEmptyCellStandsForDoesNotApplyOnlyWhereTheListOffersIt) {
    Strings set_aside = with(good_row("set aside"), "from_land_use", "Set aside");
    set_aside = with(with(set_aside, "from_management", ""), "from_input", " ");
    Strings fixed = with(good_row("fixed"), "to_management", "Severely degraded");
    fixed = with(fixed, "to_input", "");
    const Strings errors =
        errors_of({set_aside, fixed, with(good_row("empty management"), "from_management", ""),
                   with(good_row("empty input"), "to_input", ""),
                   with(good_row("empty country"), "country", "  ")},
                  shipped());
    EXPECT_EQ(
        errors,
        (Strings{"", "",
                 "from_management is empty; from_land_use \"Long-term cultivated\" offers \"Full "
                 "tillage\", \"Reduced tillage\", \"No-till\"",
                 "to_input is empty; to_management \"Improved\" offers \"Nominal\", \"High\"",
                 "country is empty"}));
}

TEST_F(ScenarioErrorsTest, NoDataIsAnErrorUnlessTheRowGivesItsOwnStock) {
    Strings spodic = with(with(good_row("spodic"), "country", "Afghanistan"), "climate_region",
                          "Cold Temperate Dry");
    spodic = with(spodic, "soil_type", "Spodic");
    Strings paddy =
        with(with(good_row("paddy"), "country", "Afghanistan"), "climate_region", "Boreal");
    paddy = with(with(with(paddy, "from_land_use", "Paddy rice"), "from_management", ""),
                 "from_input", "");
    // The defaults give Boreal paddy rice a factor; a user's database may hold none.
    testing::TempDir dir;
    const std::string path = testing::shipped_database(dir);
    sqlite::Database(path, sqlite::OpenMode::kReadWrite)
        .execute(
            "UPDATE tbl_systems SET land_use_factor = -999 WHERE system = 'Paddy rice' AND "
            "climate_region = 'Boreal'");
    const Strings errors = errors_of(
        {spodic, with(spodic, "carbon_stock", "50"), paddy, with(paddy, "carbon_stock", "50")},
        engine::load_memory_tables(path, {}));
    EXPECT_EQ(errors, (Strings{"no reference carbon stock data (-999) for soil_type \"Spodic\" in "
                               "climate_region \"Cold Temperate Dry\"; give one in carbon_stock",
                               "",
                               "no land-use factor data (-999) for from_land_use \"Paddy rice\" in "
                               "climate_region \"Boreal\"",
                               "no land-use factor data (-999) for from_land_use \"Paddy rice\" in "
                               "climate_region \"Boreal\""}));
}

// A typed stock is the user's own: -999 means no data only in the tables, and a number that
// would be stored as something else than typed (-0, 1e-400) is refused.
TEST_F(ScenarioErrorsTest, NumbersThatAreNotNumbersNegativeTooSmallOrNotFinite) {
    const std::vector<std::pair<Strings, std::string>> cases = {
        {{"carbon_stock", "forty"}, "carbon_stock \"forty\" is not a number"},
        {{"carbon_stock", "-5"}, "carbon_stock \"-5\" is negative"},
        {{"carbon_stock", "-0"}, "carbon_stock \"-0\" is negative"},
        {{"carbon_stock", "-999"}, "carbon_stock \"-999\" is negative"},
        {{"carbon_stock", "1e999"}, "carbon_stock \"1e999\" is not finite"},
        {{"carbon_stock", "1e-400"}, "carbon_stock \"1e-400\" is too small to be stored as typed"},
        {{"area_ha", "12 ha"}, "area_ha \"12 ha\" is not a number"},
        {{"area_ha", "-1"}, "area_ha \"-1\" is negative"},
        {{"carbon_stock", "0"}, ""},
        {{"area_ha", " 2.5 "}, ""},
    };
    std::vector<Strings> rows;
    Strings expected;
    for (const auto& [cell, error] : cases) {
        rows.push_back(with(good_row(cell[1]), cell[0], cell[1]));
        expected.push_back(error);
    }
    EXPECT_EQ(errors_of(rows, shipped()), expected);
}

TEST_F(ScenarioErrorsTest, EveryProblemOfARowIsNamedAtOnce) {
    Strings row = with(good_row("both"), "from_management", "Improved");
    row = with(with(row, "to_input", "Medium"), "area_ha", "many");
    EXPECT_EQ(
        errors_of({row}, shipped()),
        (Strings{"from_management \"Improved\" is not offered for from_land_use \"Long-term "
                 "cultivated\", which offers \"Full tillage\", \"Reduced tillage\", \"No-till\"; "
                 "to_input \"Medium\" is not offered for to_management \"Improved\", which offers "
                 "\"Nominal\", \"High\"; area_ha \"many\" is not a number"}));
}

// The fixture world has factor rows that are missing or hold no value, and lists with nothing
// to choose.
TEST_F(ScenarioErrorsTest, MissingFactorRowsAndEmptyLists) {
    const Strings warm = {"",        "Atlantis", "Warm", "High clay activity mineral",
                          "Orchard", "No-till",  "Low",  "Orchard",
                          "No-till", "Low",      "",     ""};
    const Strings errors = errors_of(
        {warm, with(with(warm, "from_land_use", "Terrace"), "from_management", "Contour"),
         with(with(with(warm, "from_land_use", "Ridge"), "from_management", "Ridged"), "from_input",
              "Bare soil"),
         with(with(with(warm, "to_land_use", "Terrace"), "to_management", "Full tillage"),
              "to_input", "Unrated"),
         with(with(with(warm, "to_land_use", "Hedgerow"), "to_management", ""), "to_input", ""),
         with(warm, "soil_type", "Wetland"),
         with(with(warm, "soil_type", "Wetland"), "carbon_stock", "5"),
         with(warm, "climate_region", "Bare"), with(warm, "country", "Nowhere")},
        fixture());
    EXPECT_EQ(
        errors,
        (Strings{"",
                 "no management factor for from_management \"Contour\" in climate_region \"Warm\"",
                 "no management factor for from_management \"Ridged\" in climate_region \"Warm\"",
                 "no input factor for to_input \"Unrated\" in climate_region \"Warm\"",
                 "no land-use factor for to_land_use \"Hedgerow\" in climate_region \"Warm\"",
                 "no reference carbon stock for soil_type \"Wetland\" in climate_region \"Warm\"; "
                 "give one in carbon_stock",
                 "",
                 "climate_region \"Bare\" is not offered for country \"Atlantis\", which offers "
                 "\"Warm\", \"Cool\"",
                 "climate_region: country \"Nowhere\" offers nothing to choose"}));
}

TEST_F(ScenarioErrorsTest, GrasslandFactorsOnlyForGrasslandSpeltExactly) {
    // "grassland" in the Cool region is another land-use type to the calculator: the other
    // factor rows, and the input levels of its own list.
    const Strings cool = {"",        "Atlantis",  "Cool", "Sandy", "grassland", "Nominally managed",
                          "Nominal", "Set aside", "",     "",      "",          ""};
    const std::vector<Strings> records = {kHeader, cool, with(cool, "from_management", "Improved")};
    const testing::BatchOutput output = testing::run_on_text(testing::csv_text(records), fixture());
    ASSERT_EQ(output.rows.size(), 2u);
    EXPECT_EQ(output.rows[0].at("from_management_factor"), "0.9");
    EXPECT_EQ(output.rows[0].at("from_input_factor"), "1");
    // Improved is no "Improved grassland" here: its input levels come in display order.
    EXPECT_EQ(output.rows[1].at("from_management_factor"), "1.05");
    EXPECT_EQ(output.rows[1].at("error"), "");
}

}  // namespace
}  // namespace humo::batch
