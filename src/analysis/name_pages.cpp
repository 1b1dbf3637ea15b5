#include "analysis/name_pages.h"

#include <algorithm>

#include "analysis/html_text.h"
#include "engine/char_tables.h"
#include "frame/globals.h"
#include "platform/embedded.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/web_address.h"

namespace analysis {

namespace {

std::string_view Piece(std::string_view name) { return platform::EmbeddedFile(name); }

const std::string& TablePlaceholder() {
  static const std::string text = gbk::G("表格一行");
  return text;
}

std::string FillPage(std::string_view page, std::string_view rows) {
  return Fill(page, {{TablePlaceholder(), rows}});
}

}  // namespace

NameAttributeTexts AttributeTextsOf(std::string_view name, bool html) {
  NameAttributeTexts t;
  for (size_t i = 0; i + 1 < name.size(); i += 2) {
    const std::string_view c = name.substr(i, 2);
    const engine::CharacterAttributes a = engine::LookupNameAttributes(c);
    const std::string shown = html ? HtmlEscape(c) : std::string(c);
    t.pinyin += shown + "(" + a.pinyin + ")";
    t.simplified += shown + "(" + std::to_string(a.simplifiedStrokes) + ")";
    t.kangxi += shown + "(" + std::to_string(a.kangxiStrokes) + ")";
    t.elements += (html ? HtmlEscape(a.traditional) : a.traditional) + "(" + a.fiveElement + ")";
    t.simplifiedTotal += a.simplifiedStrokes;
    t.kangxiTotal += a.kangxiStrokes;
  }
  return t;
}

std::string BuildNameRow(std::string_view name, RowLink link) {
  static const std::string k1 = gbk::G("替换1"), kA = gbk::G("替换A"), k2 = gbk::G("替换2"),
                           k3 = gbk::G("替换3"), k4 = gbk::G("替换4"), k5 = gbk::G("替换5"),
                           k6 = gbk::G("替换6"), k7 = gbk::G("替换7");
  std::string links;
  for (size_t i = 0; i + 1 < name.size(); i += 2) {
    const std::string_view c = name.substr(i, 2);
    links += "<a href='zidian.htm?word=" + platform::PercentEncodeBytes(c) + "'><font color='#0099CC'>" +
             HtmlEscape(c) + "</font></a> ";
  }
  const NameAttributeTexts t = AttributeTextsOf(name, true);
  const std::string value = platform::PercentEncodeBytes(name);
  const std::string total6 = std::to_string(t.simplifiedTotal), total7 = std::to_string(t.kangxiTotal);
  return Fill(Piece(link == RowLink::Add ? "pages/row_add.htm" : "pages/row_remove.htm"), {{k1, links},
                                                                                           {kA, value},
                                                                                           {k2, t.pinyin},
                                                                                           {k3, t.simplified},
                                                                                           {k4, t.kangxi},
                                                                                           {k5, t.elements},
                                                                                           {k6, total6},
                                                                                           {k7, total7}});
}

std::vector<std::string> SplitNameLines(std::string_view text) {
  const std::vector<std::string_view> lines = gbk::SplitLines(text);
  return {lines.begin(), lines.end()};
}

int NamePageCount(int names) {
  return names <= 0 ? 0 : names / kNamesPerPage + (names % kNamesPerPage ? 1 : 0);
}

NamePage BuildNamePage(std::string_view namesText, int page) {
  NamePage out;
  const std::vector<std::string> names = SplitNameLines(namesText);
  out.pageCount = NamePageCount(static_cast<int>(names.size()));
  // A later run may have left fewer pages than the one asked for.
  out.page = std::max(1, std::min(page, out.pageCount));
  std::string rows;
  const size_t first = static_cast<size_t>(out.page - 1) * kNamesPerPage;
  for (size_t i = first; i < names.size() && i < first + kNamesPerPage; ++i)
    rows += BuildNameRow(names[i], RowLink::Add);
  out.html = FillPage(Piece("pages/name_page.htm"), rows);
  return out;
}

std::string BuildFavouritesPage(const std::vector<std::string>& names) {
  std::string rows;
  for (const std::string& name : names) rows += BuildNameRow(name, RowLink::Remove);
  return FillPage(Piece("pages/favourites_page.htm"), rows);
}

std::filesystem::path NamePagePath(const std::filesystem::path& pageDirectory) {
  return pageDirectory / "namelist.htm";
}

std::filesystem::path FavouritesPagePath(const std::filesystem::path& pageDirectory) {
  return pageDirectory / "namelist2.htm";
}

std::filesystem::path PreparePageDirectory() {
  frame::Globals& g = frame::globals();
  g.pageDirectory = g.appDataDirectory;
  platform::EnsureFolder(g.pageDirectory);
  return g.pageDirectory;
}

bool WritePageSupportFiles(const std::filesystem::path& pageDirectory) {
  bool ok = platform::EnsureFolder(pageDirectory);
  for (const char* file : {"ok.htm", "zidian.htm", "arrow_200.gif", "button_prvs.gif"})
    ok = platform::WriteFileAtomically(pageDirectory / file, Piece(std::string("pages/") + file)) && ok;
  return ok;
}

PageCommand ParsePageCommand(bool localFile, std::string_view fileName, std::string_view query) {
  PageCommand command;
  if (!localFile) return command;
  const std::string file = gbk::AsciiLower(fileName);
  std::string_view key;
  if (file == "ok.htm") {
    command.kind = PageCommandKind::Name;
    key = "name=";
  } else if (file == "zidian.htm") {
    command.kind = PageCommandKind::Dictionary;
    key = "word=";
  } else {
    return command;
  }
  if (query.size() >= key.size() && gbk::AsciiLower(query.substr(0, key.size())) == key)
    command.value = std::string(query.substr(key.size()));
  return command;
}

}  // namespace analysis
