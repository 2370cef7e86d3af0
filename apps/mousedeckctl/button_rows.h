#pragma once

#include <string>
#include <vector>

#include "report.h"
#include "session.h"

namespace mousedeck::ctl {

// One button of the current product with its function in the current
// profile, as the button page lists it.
struct ButtonRow {
    int key_code = 0;
    std::string name;       // language text of the description's button name
    std::string word;       // the name as `button set` accepts it
    std::string function;   // what the page shows for the function
    std::string words;      // the function in `button set` words; empty when it has none
    bool assigned = false;  // false: the product's default function
};

std::vector<ButtonRow> ReadButtons(Session& session);

// A line per button and the JSON member "buttons".
void PutButtons(const std::vector<ButtonRow>& rows, Report& report);

}  // namespace mousedeck::ctl
