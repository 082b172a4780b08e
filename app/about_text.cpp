#include "about_text.h"

namespace humo::app {

std::string about_text(const std::string& version, const std::string& edition_in_use) {
    return "HUMO Soil Carbon Tool\n"
           "Version " +
           (version.empty() ? std::string("unknown") : version) +
           "\n\n"
           "Tool for Estimation of Changes in Soil Carbon Stocks associated with Management "
           "Changes in Croplands and Grazing Lands based on HUMO Default Data.\n\n"
           "The default data are the reference soil carbon stocks and the land-use, management "
           "and input factors specified in Chapter 3 of the Good Practice Guidance for Land Use "
           "Change and Forestry (2003), with the WRB and USDA soil taxon lists; the defaults of "
           "the 2006 inventory guidelines and of their 2019 refinement ship beside them. Values "
           "edited in the default tables are kept in your own database; File > Load default "
           "values brings an edition's defaults back.\n\n"
           "Default values in use: " +
           edition_in_use +
           "\n\n"
           "Licence: GNU General Public License, version 3 or later. This program comes with "
           "absolutely no warranty.";
}

}  // namespace humo::app
