#pragma once
// Addresses on the maker's site. Every address starts with SiteBaseUrl()
// (which ends in "/"); most continue with the edition segment. Texts are
// GBK: file names are inserted as they stand.
#include <string>
#include <string_view>

namespace online {

// The edition segment used when the main window has not set one.
inline constexpr const char* kSitePathSegment = "P20111229";

// The edition segment in force (frame::globals().sitePathSegment, or the
// default above while that is still empty).
std::string SitePathSegment();

// SiteBaseUrl() + SitePathSegment() + `rest`; `rest` begins with "/".
std::string EditionUrl(std::string_view rest);

// The start-up information file: SiteBaseUrl() + "ver/cname.txt".
std::string InformationFileUrl();

// Reference pages shown in the page viewer: ".../page_gs/" + file.
std::string ReferencePageUrl(std::string_view file);
// The perpetual calendar: ".../wnl2/index.html".
std::string PerpetualCalendarUrl();
// The auspicious-days page: ".../j2011.htm".
std::string AuspiciousDaysUrl();
// A knowledge article: ".../" + folder + "/" + file.
std::string KnowledgeArticleUrl(std::string_view folder, std::string_view file);

// The online dictionary: start page ".../html2/", radical index ".../html/",
// and one character's page ".../html3/" + number + ".html".
std::string DictionaryStartUrl();
std::string DictionaryRadicalIndexUrl();
std::string DictionaryPageUrl(std::string_view pageNumber);

// The duplicate-name query: ".../companyname_gs/list.asp?key=" + the name
// with every byte but A-Z a-z 0-9 - . _ ~ percent-encoded.
std::string DuplicateNameQueryUrl(std::string_view name);

// The document list: ".../doc/list.asp".
std::string DocumentListUrl();

// Opened in the system's web browser: the home page and the trademark query.
std::string HomePageUrl();
std::string TrademarkQueryUrl();

}  // namespace online
