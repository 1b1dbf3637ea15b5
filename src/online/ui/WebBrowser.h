#pragma once
#include <string_view>

namespace online {

// Hands an http or https address (GBK) to the system's web browser,
// percent-encoded; anything else, or a browser that does not start, gives
// one message naming the address. A page of the site is refused with a
// message while no site address is set. Returns whether the browser
// started.
bool OpenInWebBrowser(std::string_view address);

}  // namespace online
