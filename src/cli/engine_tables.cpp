// The engine series and throttle hook as tables of the numbers the deck computed (the text reports print
// the same numbers rounded to their columns).
#include "cli/engine_tables.h"

namespace vededa::cli {

DataTable throttleHookTable(const std::vector<ThrottleHookRow>& rows, bool si) {
    DataTable t;
    t.columns = {{"thrust", si ? "N" : "lbf"},
                 {"tsfc", si ? "mg/(N s)" : "1/hr"},
                 {"mdot", si ? "kg/s" : "lbm/s"},
                 {"mdot_c2", si ? "kg/s" : "lbm/s"},
                 {"pi_fan", ""},
                 {"mdot_c25", si ? "kg/s" : "lbm/s"},
                 {"pi_h", ""},
                 {"tt4", si ? "K" : "R"},
                 {"tt7", si ? "K" : "R"},
                 {"afterburner", ""},
                 {"limit", ""}};
    for (const ThrottleHookRow& r : rows)
        t.rows.push_back({r.thrust, r.tsfc, r.massFlow, r.mc2, r.piFan, r.mc25, r.piH, r.tt4, r.tt7,
                          std::string(r.afterburnerOn ? "On" : "Off"), r.limit});
    return t;
}

DataTable engineSeriesTable(const std::vector<SeriesRow>& rows, const std::string& variable, bool si) {
    const std::string temperature = si ? "K" : "R";
    std::string unit;
    if (variable == "alt") unit = si ? "m" : "ft";
    if (variable == "t0" || variable == "tt4" || variable == "tt7") unit = temperature;
    if (variable == "p0") unit = si ? "Pa" : "psia";
    DataTable t;
    t.columns = {{variable, unit},
                 {"thrust", si ? "N" : "lbf"},
                 {"tsfc", si ? "mg/(N s)" : "1/hr"},
                 {"mdot", si ? "kg/s" : "lbm/s"},
                 {"pi_c", ""},
                 {"pi_fan", ""},
                 {"bypass_ratio", ""},
                 {"pt9_p9", ""},
                 {"tau_tl", ""},
                 {"tt4", temperature},
                 {"limit", ""}};
    for (const SeriesRow& r : rows)
        t.rows.push_back({r.value, r.thrust, r.tsfc, r.massFlow, r.piC, r.piFan, r.alpha, r.pt9p9, r.tauTL,
                          r.tt4, r.limit});
    return t;
}

} // namespace vededa::cli
