#include "online/update_check.h"

namespace online {

bool CheckForUpdate(std::string_view /*latestVersion*/, std::string_view /*currentVersion*/,
                    std::string_view /*appName*/, std::string_view /*downloadUrl*/,
                    const UpdateWindowHooks& /*window*/, UpdateCheckMode /*mode*/, bool /*forced*/,
                    bool /*allowForced*/) {
  // TODO: compare the versions and hand over to the updater.
  return false;
}

}  // namespace online
