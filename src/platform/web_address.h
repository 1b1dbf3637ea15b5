#pragma once
// Web addresses (GBK texts): which may be fetched or handed to a browser,
// and how bytes are written into one.
#include <string>
#include <string_view>

namespace platform {

// An address that may be fetched: "http://" or "https://" (ASCII letter case
// ignored) and a host, with no blanks or control bytes.
bool IsHttpAddress(std::string_view address);

// `address` with the bytes that may not stand raw in a request target
// percent-encoded; "%" and every other printable ASCII byte are kept, so an
// address that is already encoded passes through unchanged.
std::string EncodeAddressForRequest(std::string_view address);

// Every byte but A-Z a-z 0-9 - . _ ~ as %XX: a value that travels in a link
// address (GBK bytes, "&", "#", "%", quotes) comes back exactly.
std::string PercentEncodeBytes(std::string_view bytes);

}  // namespace platform
