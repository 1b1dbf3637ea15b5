#pragma once
// Answers message boxes and records launches, so GUI tests never block on a
// dialog and never start an outside program.
#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace testing_support {

struct ShownMessage {
  std::string text;   // UTF-8
  std::string title;  // UTF-8
  int flags;
};

class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  // The answers given to the next boxes, in order; when none is queued, Yes
  // boxes get Yes and OK boxes get OK.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<ShownMessage> shown_;
  platform::MessageBoxHandler previous_;
};

struct Launch {
  platform::ExternalProgram program;
  std::string argument;
};

class LaunchRecorder {
 public:
  LaunchRecorder();
  ~LaunchRecorder();
  const std::vector<Launch>& launches() const { return launches_; }
  // Whether the recorded launches report that the program started.
  void SetStarts(bool starts) { starts_ = starts; }

 private:
  std::vector<Launch> launches_;
  bool starts_ = true;
  platform::LauncherHandler previous_;
};

}  // namespace testing_support
