#pragma once
// Answers message boxes and records launches, so GUI tests never block on a
// dialog and never start an outside program.
#include <deque>
#include <optional>
#include <string>
#include <utility>
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
  // (and Yes/No/Cancel) boxes get Yes and OK boxes get OK.
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

// Answers input boxes: the queued answers in order (UTF-8; nothing means
// the box was cancelled), then cancel. Records each box's title and prompt.
class InputBoxRecorder {
 public:
  InputBoxRecorder();
  ~InputBoxRecorder();
  void QueueAnswer(std::optional<std::string> utf8) { answers_.push_back(std::move(utf8)); }
  // Title and prompt (UTF-8) of each box shown.
  const std::vector<std::pair<std::string, std::string>>& shown() const { return shown_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<std::pair<std::string, std::string>> shown_;
  platform::InputBoxHandler previous_;
};

}  // namespace testing_support
