#include "online/ui/WebBrowser.h"

#include <string>

#include "frame/text_helpers.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/web_address.h"

namespace online {

bool OpenInWebBrowser(std::string_view address) {
  using gbk::G;
  // Without a site address the site's pages live on a name that never
  // resolves: a browser would only show its own error page.
  if (!frame::SiteAddressSet() && address.starts_with(frame::SiteBaseUrl())) {
    platform::ShowMessageBox(G("这个网页在澜舟雅集的网站上,网站现在无法访问,暂时不能打开。"), G("提示"),
                             platform::kOkInformation);
    return false;
  }
  const bool web = platform::IsHttpAddress(address);
  if (web && platform::LaunchProgram(platform::ExternalProgram::WebBrowser,
                                     platform::EncodeAddressForRequest(address)))
    return true;
  platform::ShowMessageBox(G("无法打开网页浏览器:\r\n") + std::string(address), G("提示"),
                           platform::kOkInformation);
  return false;
}

}  // namespace online
