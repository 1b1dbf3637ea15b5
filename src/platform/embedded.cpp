#include "platform/embedded.h"

#include <cstddef>
#include <utility>

namespace platform::detail {
extern const std::pair<std::string_view, std::string_view> kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;
}  // namespace platform::detail

namespace platform {

std::string_view EmbeddedFile(std::string_view name) {
  for (std::size_t i = 0; i < detail::kEmbeddedFileCount; ++i) {
    if (detail::kEmbeddedFiles[i].first == name) return detail::kEmbeddedFiles[i].second;
  }
  return {};
}

}  // namespace platform
