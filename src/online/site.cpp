#include "online/site.h"

#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "platform/web_address.h"

namespace online {

std::string SitePathSegment() {
  const std::string& segment = frame::globals().sitePathSegment;
  return segment.empty() ? std::string(kSitePathSegment) : segment;
}

std::string EditionUrl(std::string_view rest) {
  std::string url = frame::SiteBaseUrl() + SitePathSegment();
  url.append(rest);
  return url;
}

std::string InformationFileUrl() { return frame::SiteBaseUrl() + "ver/cname.txt"; }

std::string ReferencePageUrl(std::string_view file) { return EditionUrl("/page_gs/") + std::string(file); }

std::string PerpetualCalendarUrl() { return EditionUrl("/wnl2/index.html"); }

std::string AuspiciousDaysUrl() { return EditionUrl("/j2011.htm"); }

std::string KnowledgeArticleUrl(std::string_view folder, std::string_view file) {
  std::string rest = "/";
  rest.append(folder);
  rest += '/';
  rest.append(file);
  return EditionUrl(rest);
}

std::string DictionaryStartUrl() { return EditionUrl("/html2/"); }

std::string DictionaryRadicalIndexUrl() { return EditionUrl("/html/"); }

std::string DictionaryPageUrl(std::string_view pageNumber) {
  return EditionUrl("/html3/") + std::string(pageNumber) + ".html";
}

std::string DuplicateNameQueryUrl(std::string_view name) {
  // Encoded whole: "&", "#" or "%" in a name must not reach the site as
  // query syntax.
  return EditionUrl("/companyname_gs/list.asp?key=") + platform::PercentEncodeBytes(name);
}

std::string DocumentListUrl() { return EditionUrl("/doc/list.asp"); }

std::string HomePageUrl() { return frame::SiteBaseUrl(); }

std::string TrademarkQueryUrl() { return frame::SiteBaseUrl() + "shangbiaochaxun/"; }

}  // namespace online
