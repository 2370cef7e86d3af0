#pragma once

#include <string_view>

#include "pages/performance/normalised.h"

namespace mousedeck::pages::performance {

// The stage values the DPI page keeps for a sensor code (identity byte 10).
struct DpiRange {
    int min = 0;
    int max = 0;

    bool operator==(const DpiRange&) const = default;
};

// The range a typed stage value is bounded to. It never leaves the sensor's
// own range (protocol::LimitsOf), which the stage command bounds to again,
// so the page never shows a value the mouse is not sent:
//   4 100..8000   5 50..12000   16, 18 100..4800   17 50..24000
//   37 100..10000   38 200..10000   53 100..16000
//   25, 149, 150 100..26000 (typing stops at 26000, below what 25 and 150
//   take; the slider reaches 30000 for 25)
//   any other 50..26000
DpiRange TypedDpiRange(int sensor_code);

// A typed stage value as the page stores it: stepped down (divisions
// truncate), then bounded to TypedDpiRange. Steps: 100 for 4, 16, 18, 38
// and 53; for 37 100 up to 5000 and 1000 above; 50 for every other code.
// The page never refuses a number.
int NormaliseTypedDpi(int sensor_code, int typed);
// The same for typed text; refused unless it is a whole number.
Normalised<int> NormaliseTypedDpi(int sensor_code, std::string_view text);

// Stages are numbered 1..6 where people see them and 0..5 where they are
// stored (`dpi_group<index>_value`, `dpi_index`).
//
// Any of the six stages, for its value or colour (a stage beyond the
// current count may be prepared before the count is raised): the index.
Normalised<int> ParseStageNumber(std::string_view word);
// The stage to make active: only one of the `stage_count` stages the page
// lists, since the mouse falls back to its first stage for any other.
// Returns the index.
Normalised<int> ParseActiveStage(std::string_view word, int stage_count);
// The number of stages, 1..6.
Normalised<int> ParseStageCount(std::string_view word);

// The stage count the page shows for the stored `dpi_count`: 1..6 as
// stored; anything else leaves the count box at its first selection, 6.
int ShownStageCount(int stored_count);
// The stage the page selects for the stored `dpi_index`: the index when it
// is one of the `count` stages, else the first.
int ShownActiveStage(int stored_index, int count);
// The active stage once the count is lowered to `count`: an index beyond
// the last stage becomes the last one; any other stays.
int ActiveStageAfterCount(int index, int count);

// A stage colour 0x00BBGGRR. Black is refused: the page's colour dialog
// answers 0 when it is cancelled, so the page never stores it.
Normalised<int> NormaliseStageColour(int colour);

}  // namespace mousedeck::pages::performance
