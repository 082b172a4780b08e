// The batch and the calculator share their rules; what can still set them apart is how each
// reads the tables (a query per pick in the window, memory in the batch) and the batch's quick
// way to the change. Every list and lookup the calculator's picks can reach must come out the
// same both ways, and so must every change.

#include <set>

#include "batch_harness.h"
#include "carbon_arithmetic.h"
#include "fixed_names.h"
#include "live_tables.h"

namespace humo::engine {
namespace {

using Strings = std::vector<std::string>;
using Names = std::set<std::string>;

// A lookup's result, as a box would show it and as the no-data rules read it.
std::string shown(const StoredValue& value) {
    if (value.kind == StoredValue::Kind::kNoRow)
        return "<no row>";
    if (value.kind == StoredValue::Kind::kNull)
        return "<null>";
    return value.text + " (" + std::to_string(value.leading_number) + ")";
}

Strings texts(const NameList& list) { return list.texts; }

// One list both ways; the names the window's list offers join `reached`.
void expect_same_list(const NameList& in_memory, const NameList& in_window, Names& reached,
                      const std::string& of) {
    EXPECT_EQ(texts(in_memory), texts(in_window)) << of;
    reached.insert(in_window.texts.begin(), in_window.texts.end());
}

// Walks every list from the countries down and looks up every value a pick can reach.
void expect_same_tables(const TableSource& live, const TableSource& memory) {
    Names countries, soils, regions, land_uses, managements, inputs;
    expect_same_list(memory.countries(), live.countries(), countries, "countries");
    expect_same_list(memory.soil_types(), live.soil_types(), soils, "soil types");
    for (const std::string& country : countries)
        expect_same_list(memory.climate_regions(country), live.climate_regions(country), regions,
                         country);
    for (const std::string& region : regions)
        expect_same_list(memory.land_uses(region), live.land_uses(region), land_uses, region);
    for (const std::string& land_use : land_uses) {
        expect_same_list(memory.managements(land_use), live.managements(land_use), managements,
                         land_use);
        for (const InputOrder order : {InputOrder::kDisplay, InputOrder::kStored})
            expect_same_list(memory.inputs(land_use, order), live.inputs(land_use, order), inputs,
                             land_use);
    }
    for (const std::string& region : regions) {
        for (const std::string& soil : soils)
            EXPECT_EQ(shown(memory.reference_stock(region, soil)),
                      shown(live.reference_stock(region, soil)))
                << region << " / " << soil;
        for (const std::string& land_use : land_uses)
            EXPECT_EQ(shown(memory.land_use_factor(region, land_use)),
                      shown(live.land_use_factor(region, land_use)))
                << region << " / " << land_use;
        for (const std::string& management : managements)
            for (const std::string_view group : {kGrasslandFactorGroup, kOtherFactorGroup})
                EXPECT_EQ(shown(memory.management_factor(region, management, group)),
                          shown(live.management_factor(region, management, group)))
                    << region << " / " << management << " / " << group;
        for (const std::string& input : inputs)
            EXPECT_EQ(shown(memory.input_factor(region, input)),
                      shown(live.input_factor(region, input)))
                << region << " / " << input;
    }
}

struct Source {
    const char* name;
    bool fixture;  // the fixture world's odd corners, else the shipped data
    char separator;
};

void PrintTo(const Source& source, std::ostream* out) { *out << source.name; }

class TableAgreementTest : public ::testing::TestWithParam<Source> {};

TEST_P(TableAgreementTest, EveryListAndLookupIsTheSameInMemoryAsInTheWindow) {
    const Source& source = GetParam();
    testing::TempDir dir;
    const std::string path =
        source.fixture ? testing::fixture_database(dir) : testing::shipped_database(dir);
    db::SoilCarbonDatabase database{std::make_unique<recordset::Connection>(),
                                    std::make_unique<recordset::Recordset>()};
    database.SoilCarbonConnection->set_cursor_location(recordset::CursorLocation::kClient);
    database.SoilCarbonConnection->open(path);
    const LiveTables live(database, {source.separator});
    expect_same_tables(live, load_memory_tables(path, {source.separator}));
}

INSTANTIATE_TEST_SUITE_P(Databases, TableAgreementTest,
                         ::testing::Values(Source{"ShippedUnderAPoint", false, '.'},
                                           Source{"ShippedUnderAComma", false, ','},
                                           Source{"FixtureOddCorners", true, '.'}),
                         [](const ::testing::TestParamInfo<Source>& info) {
                             return info.param.name;
                         });

// Most rows take the change from the shown stocks in tenths; it must be the calculator's.
TEST(ChangeAgreementTest, TheQuickChangeIsTheCalculatorsChange) {
    for (const char separator : {'.', ','}) {
        for (int64_t from = 0; from <= 1200; from += 37) {
            for (int64_t to = 0; to <= 1200; to += 13) {
                auto stock = [&](int64_t tenths) {
                    std::string text =
                        std::to_string(tenths / 10) + separator + std::to_string(tenths % 10);
                    EXPECT_EQ(shown_tenths(text), tenths) << text;
                    return text;
                };
                std::string quick;
                write_change_of_tenths(from, to, separator, quick);
                EXPECT_EQ(quick,
                          change_text(annual_change_of_shown(stock(from), stock(to), {separator}),
                                      {separator}))
                    << from << " -> " << to;
            }
        }
    }
}

}  // namespace
}  // namespace humo::engine
