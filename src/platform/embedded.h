#pragma once
// Files under data/ are linked into the program as raw bytes.
#include <string_view>

namespace platform {

// The bytes of the embedded file at `name` (its path relative to data/), or
// an empty view when there is no such file. The bytes are followed by a zero
// byte that the view does not count.
std::string_view EmbeddedFile(std::string_view name);

}  // namespace platform
