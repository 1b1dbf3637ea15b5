#include "support/gui/recorders.h"

#include "platform/gbk.h"

namespace testing_support {

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = platform::SetMessageBoxHandler([this](std::string_view text, std::string_view title, int flags) {
    shown_.push_back({gbk::ToUtf8(text), gbk::ToUtf8(title), flags});
    if (!answers_.empty()) {
      int a = answers_.front();
      answers_.pop_front();
      return a;
    }
    return (flags & 4) ? static_cast<int>(platform::kYes) : static_cast<int>(platform::kOk);
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { platform::SetMessageBoxHandler(std::move(previous_)); }

LaunchRecorder::LaunchRecorder() {
  previous_ = platform::SetLauncherHandler([this](platform::ExternalProgram p, const std::string& arg) {
    launches_.push_back({p, arg});
    return starts_;
  });
}

LaunchRecorder::~LaunchRecorder() { platform::SetLauncherHandler(std::move(previous_)); }

}  // namespace testing_support
