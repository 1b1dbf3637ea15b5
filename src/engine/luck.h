#pragma once
// The 81-number luck grade of a stroke count.

namespace engine {

// 100 for 吉, 99 for 半吉, 98 for 凶, 0 for a number without a grade. A
// number above 81 is reduced by 80, at most five times, so 82..481 land in
// 2..81 and 482 or more stay ungraded.
int LuckGradeOfNumber(int n);

}  // namespace engine
