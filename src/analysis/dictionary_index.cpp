#include "analysis/dictionary_index.h"

#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "platform/embedded.h"
#include "platform/gbk.h"

namespace analysis {

std::string_view DictionaryIndex() { return platform::EmbeddedFile("dict/index.txt"); }

std::optional<std::string> DictionaryPageNumber(std::string_view character) {
  if (character.empty()) return std::nullopt;
  std::string_view index = DictionaryIndex();
  std::string key(character);
  key += '|';
  int p = gbk::Find(index, key);
  if (p < 0) return std::nullopt;
  std::string_view rest = index.substr(static_cast<size_t>(p - 1) + key.size());
  size_t end = rest.find("\r\n");
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(rest.substr(0, end));
}

namespace {
std::string SiteRoot() { return frame::SiteBaseUrl() + frame::globals().sitePathSegment; }
}  // namespace

std::string DictionaryStartPageAddress() { return SiteRoot() + "/html2/"; }

std::string DictionaryRadicalIndexAddress() { return SiteRoot() + "/html/"; }

std::string DictionaryPageAddress(std::string_view pageNumber) {
  return SiteRoot() + "/html3/" + std::string(pageNumber) + ".html";
}

std::string DictionaryAddressFor(std::string_view character) {
  auto page = DictionaryPageNumber(character);
  return page ? DictionaryPageAddress(*page) : DictionaryStartPageAddress();
}

}  // namespace analysis
