#pragma once
// The duplicate-name query: a trade name sent to the site's query page, whose
// answer lists the registered companies of that name, one per "<br>".
#include <stop_token>
#include <string>
#include <string_view>

#include "online/http.h"

namespace online {

// The name as it is sent: without digits, ASCII letters and the punctuation
// ?!.()[]{};:,<>|\/-+=' (two-byte characters and blanks are kept).
std::string CleanQueryName(std::string_view text);

// A received answer as text: the body up to its first zero byte, with every
// "<br>" (as written, lower case) made a line break (CR LF).
std::string AnswerText(std::string_view body);

struct DuplicateQueryOutcome {
  enum class Kind { Answer, NoDuplicates, Failed };
  Kind kind = Kind::Failed;
  // What the answer box shows (GBK).
  std::string text;
};

// Asks the site about `name` (already cleaned). Only a 2xx answer counts:
// an empty one means no duplicates; a site that cannot be reached, breaks
// off or answers with an error status is a failure, never "no duplicates".
DuplicateQueryOutcome RunDuplicateQuery(std::string_view name, std::stop_token stop = {},
                                        const HttpOptions& options = {});

}  // namespace online
