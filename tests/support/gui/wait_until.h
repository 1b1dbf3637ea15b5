#pragma once
// Waits, processing events, until a condition holds. Unlike the QTRY_*
// macros of Qt Test, whose failures a GoogleTest test never sees, this
// returns the outcome for an ASSERT or EXPECT.
#include <QTest>

namespace testing_support {

template <class Condition>
bool WaitUntil(Condition done, int timeoutMs = 10000) {
  for (int waited = 0; !done(); waited += 20) {
    if (waited >= timeoutMs) return false;
    QTest::qWait(20);
  }
  return true;
}

}  // namespace testing_support
