"""A generated scenario file, and what humo-batch writes for it."""

import csv
import io
import os
import random
import subprocess

import humo_tool

HUMO_BATCH = os.environ["HUMO_BATCH"]
DATABASE = os.environ["HUMO_DATABASE"]

# Rows that no pick of the lists gives: every kind of bad row, and a typed carbon_stock.
SITE = ["Canada", "Cold Temperate Wet", "Sandy"]
CROP = ["Long-term cultivated", "Full tillage", "Low"]
GRASS = ["Grassland", "Improved", "High"]
SPECIAL_ROWS = [
    SITE + CROP + GRASS + ["55{sep}5", "12{sep}25", "typed stock"],
    ["canada ", " cold temperate wet", "SANDY"] + CROP + GRASS + ["", "", "any case and blanks"],
    ["Canadaa"] + SITE[1:] + CROP + GRASS + ["", "", "a slip in a name"],
    ["Kenya"] + SITE[1:] + CROP + GRASS + ["", "", "a region not of the country"],
    ["Canada", "Boreal", "Low clay activity mineral"] + CROP + GRASS + ["", "", "no data"],
    SITE + CROP + ["Grassland", "", ""] + ["", "", "an empty management"],
    SITE + CROP + ["Grassland", "Improved", "Medium"] + ["", "", "an input not offered"],
    ["", SITE[1], SITE[2]] + CROP + GRASS + ["", "", "an empty country"],
    SITE + CROP + GRASS + ["lots", "", "a carbon_stock that is no number"],
    SITE + CROP + GRASS + ["", "-3", "a negative area"],
    SITE + CROP + GRASS + ["", "1e999", "an area beyond the numbers"],
    SITE + CROP + GRASS + ["", "", "a NUL \0 byte"],
    SITE + CROP + GRASS + ["", "", "not UTF-8 \udcff"],
]
COLUMNS = ["country", "climate_region", "soil_type", "from_land_use", "from_management",
           "from_input", "to_land_use", "to_management", "to_input", "carbon_stock", "area_ha",
           "note"]


def delimiter_of(separator):
    return ";" if separator == "," else ","


def generated_rows(count, separator, seed=22):
    """Scenarios picked from the lists as a user would, some with a cell left empty or
    respelt, and every special row, in a random order of columns."""
    database = humo_tool.open(DATABASE)
    pick = random.Random(seed)
    rows = [[cell.format(sep=separator) for cell in row] for row in SPECIAL_ROWS]
    countries = database.lists()["country"]
    while len(rows) < count:
        country = pick.choice(countries)
        regions = database.lists(country=country).get("climate_region") or [""]
        region = pick.choice(regions)
        row = [country, region, pick.choice(database.lists()["soil_type"])]
        for _ in range(2):
            land_uses = database.lists(climate_region=region)["land_use"] or [""]
            land_use = pick.choice(land_uses)
            managements = database.lists(land_use=land_use)["management"] or [""]
            management = pick.choice(managements + [""])
            inputs = database.lists(land_use=land_use, management=management).get("input", [])
            row += [land_use, management, pick.choice(inputs + [""])]
        stock = f"{pick.uniform(5, 150):.1f}".replace(".", separator) if pick.random() < 0.2 else ""
        area = f"{pick.uniform(0, 5000):.2f}".replace(".", separator) if pick.random() < 0.7 else ""
        rows.append(row + [stock, area, str(len(rows))])
    order = list(range(len(COLUMNS)))
    pick.shuffle(order)
    return [COLUMNS[i] for i in order], [[row[i] for i in order] for row in rows]


def write_csv(path, header, rows, separator):
    with open(path, "w", encoding="utf-8", errors="surrogateescape", newline="") as file:
        writer = csv.writer(file, delimiter=delimiter_of(separator), lineterminator="\n")
        writer.writerow(header)
        writer.writerows(rows)


def read_csv(path, separator):
    with open(path, encoding="utf-8", errors="surrogateescape", newline="") as file:
        rows = list(csv.reader(file, delimiter=delimiter_of(separator)))
    return rows[0], rows[1:]


def humo_batch(input_path, output_path, separator):
    """humo-batch's output: its header and rows."""
    run = subprocess.run([HUMO_BATCH, "--quiet", "--database", DATABASE, "--decimal-separator",
                          separator, input_path, "-o", output_path], capture_output=True)
    assert run.returncode == 1, run.stderr  # some rows have errors, all are written
    return read_csv(output_path, separator)
