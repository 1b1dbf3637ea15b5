#include "online/dictionary_index.h"

#include "online/site.h"
#include "platform/embedded.h"
#include "platform/gbk.h"

namespace online {

std::string_view DictionaryIndex() { return platform::EmbeddedFile("dict/index.txt"); }

std::optional<std::string> DictionaryPageNumber(std::string_view character) {
  if (character.empty()) return std::nullopt;
  // A text that ends inside a character (a lone lead byte) would match a
  // character whose trail byte is the "|", and take the "|" for the page.
  size_t end = 0;
  while (end < character.size()) end += static_cast<unsigned char>(character[end]) >= 0x80 ? 2 : 1;
  if (end != character.size()) return std::nullopt;
  std::string_view index = DictionaryIndex();
  std::string key(character);
  key += '|';
  int p = gbk::Find(index, key);
  if (p < 0) return std::nullopt;
  std::string_view rest = index.substr(static_cast<size_t>(p - 1) + key.size());
  size_t lineEnd = rest.find("\r\n");
  if (lineEnd == std::string_view::npos) return std::nullopt;
  return std::string(rest.substr(0, lineEnd));
}

std::string DictionaryAddressFor(std::string_view character) {
  auto page = DictionaryPageNumber(character);
  return page ? DictionaryPageUrl(*page) : DictionaryStartUrl();
}

}  // namespace online
