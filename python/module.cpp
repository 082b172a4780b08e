// The humo_tool Python module: the calculator's rules, as humo-batch applies them, for one
// scenario, a pandas data frame or the calculator's lists.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "csv_reader.h"
#include "database.h"
#include "frame_rows.h"
#include "lists.h"

namespace py = pybind11;
using humo::python::Database;

namespace {

const char* const kModuleDoc =
    R"(Soil carbon stock changes, computed as the calculator and humo-batch compute them.

    import humo_tool
    db = humo_tool.open()                      # the database humo_tool opens
    db.lists(country="Canada")                 # what the calculator's lists offer there
    db.compute(country="Canada", climate_region="Boreal", soil_type="Sandy", ...)
    results = db.compute_frame(frame)          # a pandas DataFrame of scenarios

Every result is the text humo-batch writes in the column of the same name; a row that cannot
be computed gets empty results and its reason in "error", never an exception.)";

const char* const kOpenDoc = R"(open(database=None, edition=None, decimal_separator=".") -> Database

Reads a database's tables into memory, once.

database: a database file. Without it, and without an edition, the database the programs
    open: humo_tool.mdb beside them (a build tree), else your own copy in
    $XDG_DATA_HOME/humo_tool (made from the default values the first time).
edition: the pristine default values of an edition instead ("2003", "2006" or "2019").
decimal_separator: the separator numbers are read and written with, "." or ",".

Raises humo_tool.DatabaseError naming the file and the reason when the database is missing or
cannot be used, and ValueError for an unknown separator or both database and edition.)";

const char* const kListsDoc =
    R"(lists(country=None, climate_region=None, land_use=None, management=None) -> dict

What the calculator's lists offer after these picks, by list name: "country" and "soil_type"
always; "climate_region" with a country; "land_use" with a climate region; "management" with a
land use, and "input" once the calculator fills it (for Grassland, after a management).
Names are matched as a scenario's cells are, whatever their case.)";

const char* const kComputeDoc = R"(compute(**cells) -> dict

Computes one scenario. The cells are named as humo-batch's columns: country, climate_region,
soil_type, from_land_use, from_management, from_input, to_land_use, to_management, to_input;
optionally carbon_stock (a reference stock of your own, MgC/ha) and area_ha. A cell of None is
left out; a number is read as str() writes it.

Returns the results by humo-batch's column names (reference_stock, the factors and stock of
each system, annual_change, total_annual_change with area_ha, and error), as texts. A scenario
that cannot be computed is no exception: its "error" says why. A missing cell raises ValueError.)";

const char* const kComputeFrameDoc = R"(compute_frame(frame) -> pandas.DataFrame

Computes every row of a DataFrame whose columns are named as humo-batch's (any order, any
case; other columns are kept). Returns a copy with humo-batch's result columns appended (or put
in place of an earlier run's), every cell the text humo-batch writes. Cells are read as texts:
a str as it is, None, NaN and pandas.NA as empty, any other value as str() writes it. A row
that cannot be computed gets its reason in "error". A frame without a required column raises
ValueError.)";

}  // namespace

PYBIND11_MODULE(humo_tool, module) {
    module.doc() = kModuleDoc;
    module.attr("__version__") = HUMO_VERSION;
    static py::exception<humo::python::DatabaseUnusable> database_error(module, "DatabaseError",
                                                                        PyExc_OSError);
    database_error.doc() = "A database that is missing or cannot be used; the message says why.";
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure)
                std::rethrow_exception(failure);
        } catch (const humo::python::DatabaseUnusable& error) {
            PyErr_SetString(database_error.ptr(), error.what());
        } catch (const std::invalid_argument& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        }
    });

    py::class_<Database>(module, "Database",
                         "A database's tables held in memory; made by humo_tool.open().")
        .def_readonly("path", &Database::path, "The database file.")
        .def_readonly("edition", &Database::edition,
                      "The title of the edition of default values the database records, or \"\".")
        .def_property_readonly(
            "decimal_separator",
            [](const Database& database) {
                return std::string(1, database.tables.separator.character);
            },
            "The separator numbers are read and written with.")
        .def(
            "lists",
            [](const Database& database, const std::optional<std::string>& country,
               const std::optional<std::string>& climate_region,
               const std::optional<std::string>& land_use,
               const std::optional<std::string>& management) {
                return humo::python::offered_lists(database.tables, country, climate_region,
                                                   land_use, management);
            },
            py::kw_only(), py::arg("country") = py::none(), py::arg("climate_region") = py::none(),
            py::arg("land_use") = py::none(), py::arg("management") = py::none(), kListsDoc)
        .def(
            "compute",
            [](Database& database, const py::kwargs& cells) {
                return humo::python::compute_scenario(*database.calculator, cells);
            },
            kComputeDoc)
        .def(
            "compute_frame",
            [](Database& database, const py::object& frame) {
                return humo::python::compute_frame(*database.calculator, frame);
            },
            py::arg("frame"), kComputeFrameDoc)
        .def("__repr__",
             [](const Database& database) { return "<humo_tool.Database " + database.path + ">"; });

    module.def(
        "csv_delimiter",
        [](std::string_view header_line) {
            return std::string(1, humo::batch::guess_delimiter(header_line));
        },
        py::arg("header_line"),
        "The delimiter humo-batch reads a CSV file with, given its first line: a comma wherever\n"
        "the line has one outside quotes, else a tab or a semicolon, whichever it has more of.");
    module.def("open", &humo::python::open_database, py::arg("database") = py::none(),
               py::arg("edition") = py::none(), py::arg("decimal_separator") = ".", kOpenDoc);
}
