#pragma once
// What the name evaluation window decides without widgets: the input checks,
// the titles, the character pages and the evaluation run itself.
#include <optional>
#include <string>
#include <vector>

#include "analysis/score_page.h"

namespace analysis {

enum class NameBoxId { None, Prefix, Main, Suffix };

// Why an evaluation does not start: the message, its title and the box that
// gets the focus afterwards (None: the focus stays where it is).
struct EvaluationRefusal {
  std::string text;   // GBK
  std::string title;  // GBK
  NameBoxId focus = NameBoxId::None;
};

// The checks of the start button, in their order. A box counts as empty only
// when it holds nothing at all (blanks are content).
std::optional<EvaluationRefusal> CheckEvaluationInput(const NameBoxes& boxes, bool companyLayout,
                                                      bool onlineCharacterListEmpty);

// The name as the user typed it: the three boxes joined, or the main box
// alone in the general layout.
std::string EvaluatedName(const NameBoxes& boxes, bool companyLayout);

// Window titles (GBK).
std::string EvaluationWindowTitle();  // "公司名称测算"
std::string EvaluationBusyTitle(const NameBoxes& boxes, bool companyLayout);
std::string DictionaryTabWindowTitle(const std::string& character);  // "『字』的字典解释"

// The titles of the character pages: one per two-byte character of the
// counted boxes after stripping, in order, repeats included.
std::vector<std::string> CharacterTabTitles(const NameBoxes& boxes, bool companyLayout);

// One evaluation: the boxes as cleaned, the page, and whether it was written
// to the score page file.
struct EvaluationResult {
  NameBoxes boxes;
  std::string page;
  bool written = false;
};
EvaluationResult RunEvaluation(NameBoxes boxes, bool companyLayout);

}  // namespace analysis
