#!/usr/bin/python3
"""humo_tool's compute_frame from frame to frame on one core: rows a second.

    PYTHONPATH=build/bin bench/bench_compute_frame.py [ROWS]

A frame of ROWS (default 1,000,000) scenarios that the lists offer (some on sites without a
reference stock, whose rows get their error) over the 2003 edition's defaults, each
column text, as read from a CSV file; the best of three runs, against the goal.
"""

import itertools
import sys
import time

import pandas

import humo_tool

GOAL_ROWS_PER_SECOND = 300_000


def valid_scenarios(database, count):
    """Every site and pair of systems the lists offer there, taken in turn, with an area."""
    lists = database.lists()
    scenarios = []
    for country in lists["country"][:40]:
        for region in database.lists(country=country).get("climate_region", []):
            systems = []
            for land_use in database.lists(climate_region=region)["land_use"]:
                for management in database.lists(land_use=land_use)["management"]:
                    for level in database.lists(land_use=land_use,
                                                management=management)["input"]:
                        systems.append((land_use, management, level))
            for soil in lists["soil_type"]:
                for pair in itertools.product(systems[:6], systems[-6:]):
                    scenarios.append((country, region, soil) + pair[0] + pair[1])
    rows = [scenario + (f"{number % 997}.5",)
            for number, scenario in zip(range(count), itertools.cycle(scenarios))]
    columns = ["country", "climate_region", "soil_type", "from_land_use", "from_management",
               "from_input", "to_land_use", "to_management", "to_input", "area_ha"]
    return pandas.DataFrame(rows, columns=columns)


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    database = humo_tool.open(edition="2003")
    frame = valid_scenarios(database, count)
    best = float("inf")
    for _ in range(3):
        start = time.perf_counter()
        computed = database.compute_frame(frame)
        best = min(best, time.perf_counter() - start)
    errors = (computed["error"] != "").sum()
    rate = count / best
    print(f"compute_frame: {count} rows ({errors} with errors) in {best:.3f} s: "
          f"{rate:,.0f} rows/s (goal {GOAL_ROWS_PER_SECOND:,})")
    return 0 if rate >= GOAL_ROWS_PER_SECOND else 1


if __name__ == "__main__":
    sys.exit(main())
