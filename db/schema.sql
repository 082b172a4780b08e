-- The default tables of humo_tool. Text columns compare without regard to case, as the
-- calculator's lookups always have; the program's own comparisons in code stay exact. Number
-- columns hold numbers or nothing: text that is not a number is refused.

CREATE TABLE tbl_climate_regions (
    region INTEGER,
    climate_region TEXT COLLATE NOCASE
);

CREATE TABLE tbl_climate_zone_lookup (
    country_name TEXT COLLATE NOCASE,
    climate_region_code INTEGER
);

CREATE TABLE c_stocks (
    soil_type TEXT COLLATE NOCASE,
    humoclim TEXT COLLATE NOCASE,
    c_stock_Mg_ha REAL CHECK (typeof(c_stock_Mg_ha) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_systems (
    system TEXT COLLATE NOCASE,
    climate_region TEXT COLLATE NOCASE,
    land_use_factor REAL CHECK (typeof(land_use_factor) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_management_type (
    system TEXT COLLATE NOCASE,
    management_type TEXT COLLATE NOCASE,
    management_order INTEGER CHECK (typeof(management_order) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_management_factors (
    climate_region TEXT COLLATE NOCASE,
    management_type TEXT COLLATE NOCASE,
    grassland_other TEXT COLLATE NOCASE,
    management_factor REAL CHECK (typeof(management_factor) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_input_type (
    system TEXT COLLATE NOCASE,
    input_type TEXT COLLATE NOCASE,
    input_order INTEGER CHECK (typeof(input_order) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_input_factors (
    climate_region TEXT COLLATE NOCASE,
    input_type TEXT COLLATE NOCASE,
    grassland_other TEXT COLLATE NOCASE,
    input_factor REAL CHECK (typeof(input_factor) IN ('integer', 'real', 'null'))
);

CREATE TABLE tbl_soiltype_classification (
    taxon TEXT COLLATE NOCASE,
    soiltype TEXT COLLATE NOCASE,
    fao_usda TEXT COLLATE NOCASE
);

-- The ± an edition publishes for a value, kept apart from the value: editing a value never edits
-- its uncertainty, so an edited value no longer matches the value recorded here.
CREATE TABLE value_uncertainty (
    value_table TEXT COLLATE NOCASE,      -- c_stocks, tbl_systems, tbl_management_factors, tbl_input_factors
    climate_region TEXT COLLATE NOCASE,   -- humoclim for c_stocks, climate_region otherwise
    name TEXT COLLATE NOCASE,             -- soil_type, system, management_type or input_type
    grassland_other TEXT COLLATE NOCASE,  -- the factor tables' group; NULL for c_stocks and tbl_systems
    value REAL CHECK (typeof(value) IN ('integer', 'real', 'null')),                -- the value it belongs to, as published
    plus_minus_percent REAL CHECK (typeof(plus_minus_percent) IN ('integer', 'real', 'null')),  -- N of ±N%
    standard_deviations REAL CHECK (typeof(standard_deviations) IN ('integer', 'real', 'null')), -- 2 or 1.96: how many σ the ± spans
    source_id TEXT
);

-- Lookup indexes. Those of the lists without an ORDER BY hold the filter column only, so rows
-- still come back in the table's own order.
CREATE INDEX tbl_climate_regions_region ON tbl_climate_regions (region);
CREATE INDEX tbl_climate_zone_lookup_country ON tbl_climate_zone_lookup (country_name);
CREATE INDEX c_stocks_site ON c_stocks (humoclim, soil_type);
CREATE INDEX c_stocks_soil_type ON c_stocks (soil_type);
CREATE INDEX tbl_systems_region ON tbl_systems (climate_region, system);
CREATE INDEX tbl_management_type_system ON tbl_management_type (system, management_order);
CREATE INDEX tbl_management_factors_lookup
    ON tbl_management_factors (climate_region, management_type, grassland_other);
CREATE INDEX tbl_input_type_system ON tbl_input_type (system);
CREATE INDEX tbl_input_factors_lookup ON tbl_input_factors (climate_region, input_type);
CREATE INDEX tbl_soiltype_classification_group ON tbl_soiltype_classification (fao_usda);
CREATE INDEX value_uncertainty_value ON value_uncertainty (value_table, climate_region, name);
