#include "support/gui/recorders.h"

#include "platform/gbk.h"

namespace testing_support {

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ =
      platform::SetMessageBoxHandler([this](std::string_view text, std::string_view title, int flags) {
        shown_.push_back({gbk::ToUtf8(text), gbk::ToUtf8(title), flags});
        if (!answers_.empty()) {
          int a = answers_.front();
          answers_.pop_front();
          return a;
        }
        const int buttons = flags & 0x0F;
        return buttons == 3 || buttons == 4 ? static_cast<int>(platform::kYes)
                                            : static_cast<int>(platform::kOk);
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

InputBoxRecorder::InputBoxRecorder() {
  previous_ = platform::SetInputBoxHandler([this](std::string_view title, std::string_view prompt,
                                                  std::string_view) -> std::optional<std::string> {
    shown_.emplace_back(gbk::ToUtf8(title), gbk::ToUtf8(prompt));
    if (answers_.empty()) return std::nullopt;
    auto a = std::move(answers_.front());
    answers_.pop_front();
    if (!a) return std::nullopt;
    return gbk::FromUtf8(*a);
  });
}

InputBoxRecorder::~InputBoxRecorder() { platform::SetInputBoxHandler(std::move(previous_)); }

}  // namespace testing_support
