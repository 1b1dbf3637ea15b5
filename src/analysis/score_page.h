#pragma once
// The score page of one name: for the main name, and for a company name also
// for the whole name, the Kangxi stroke total, the reading of that number
// from the 81-number interpretation text and its luck grade.
#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

// The texts of the evaluation window's three input boxes, GBK.
struct NameBoxes {
  std::string prefix;    // region prefix (编辑框1)
  std::string mainName;  // main name, or the whole general name (编辑框2)
  std::string suffix;    // industry suffix (编辑框3)
};

// The text without the one-byte characters a name to be scored never
// carries: digits, ASCII letters (either case), blank and
// "?!.()[]{};:,<>|\/-+=". Two-byte characters are kept whole.
std::string StripNameText(std::string_view text);
// Strips all three boxes in place.
void CleanNameBoxes(NameBoxes& boxes);

// The block of `number` in the interpretation text without its header and
// end mark; empty when there is no block for that number.
std::string CutLuckInterpretation(int number);

// The number whose block is shown for a stroke total: above 81 it loses 80,
// four times at most, so totals above 401 have no block.
int ReduceForInterpretation(int total);

// The sum of the Kangxi strokes of the two-byte characters of `text`.
int KangxiStrokeTotal(std::string_view text);

// Cleans the boxes (the caller writes them back to its controls) and builds
// the page; empty when the main name is empty after cleaning. The score
// tables replace the configured score word (OnlineScoreWord) by the grade.
std::string BuildScorePage(NameBoxes& boxes, bool companyLayout);

// Where the page is written: "temp.htm" in the data directory.
std::filesystem::path ScorePagePath();

// Writes the page there, replacing the old file in one step.
bool WriteScorePage(std::string_view page);

}  // namespace analysis
