#pragma once
// The searches the benchmark times: each a filter text as the query wizard writes it, the
// sort tab (and range) it is applied in, and the same condition and order for the sqlite3
// shell over the songs table.
#include <string>
#include <vector>

namespace cdz::bench {

struct SearchCase {
    std::string name;
    std::string filter;    // the wizard's text
    int tab = 0;           // the song browse's sort tab
    int category = 0;      // the category range of the By Category tab
    std::string sqlWhere;  // the shell's equivalent condition
    std::string sqlOrder;  // the shell's order (the key's columns, then the record number)
};

std::vector<SearchCase> searchCases();

}  // namespace cdz::bench
