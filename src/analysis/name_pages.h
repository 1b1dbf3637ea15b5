#pragma once
// The attribute pages of names: one table row per name with every
// character's pinyin, stroke counts, traditional form and element, 25 names
// a page. The favourites pages are the same table with a remove link.
//
// Texts are GBK. Names are text in the page (HTML-escaped); the values of
// the "ok.htm?name=" and "zidian.htm?word=" links are percent-encoded GBK
// bytes, so any name comes back from a click exactly as it was written.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

inline constexpr int kNamesPerPage = 25;

enum class RowLink { Add, Remove };

// The attribute texts of a name, per two-byte character c in order (a last
// odd byte takes no part): c(pinyin), c(simplified strokes), c(Kangxi
// strokes), traditional form(element), and the two stroke totals (a
// non-hanzi adds its -1). With `html` the characters are HTML-escaped.
struct NameAttributeTexts {
  std::string pinyin, simplified, kangxi, elements;
  int simplifiedTotal = 0, kangxiTotal = 0;
};
NameAttributeTexts AttributeTextsOf(std::string_view name, bool html);

// The row of one name: per two-byte character (a last odd byte takes no part)
// its dictionary link, c(pinyin), c(simplified strokes), c(Kangxi strokes)
// and traditional form(element), with the two stroke totals; the link
// picture adds the name (name pages) or removes it (favourites pages).
std::string BuildNameRow(std::string_view name, RowLink link);

// Names of a text whose lines each end in CR LF: an empty piece after the
// last CR LF is no name, an empty line inside is an empty name.
std::vector<std::string> SplitNameLines(std::string_view text);

// n div 25, plus one for a partial page.
int NamePageCount(int names);

struct NamePage {
  std::string html;
  int pageCount = 0;
  int page = 1;  // the page shown: the one asked for, kept within 1..pageCount
};

// One name page of the names in `namesText` (lines ended by CR LF).
NamePage BuildNamePage(std::string_view namesText, int page);

// The favourites page of `names`, in their order.
std::string BuildFavouritesPage(const std::vector<std::string>& names);

// Where the pages go (PageDirectory), their files and the link targets.
std::filesystem::path NamePagePath(const std::filesystem::path& pageDirectory);        // namelist.htm
std::filesystem::path FavouritesPagePath(const std::filesystem::path& pageDirectory);  // namelist2.htm

// Sets PageDirectory to the program's own data folder, creates it and
// returns it.
std::filesystem::path PreparePageDirectory();

// Writes "ok.htm", "zidian.htm", "arrow_200.gif" and "button_prvs.gif" into
// the folder (created when missing); false when one could not be written.
bool WritePageSupportFiles(const std::filesystem::path& pageDirectory);

// The commands a generated page carries as links. A command is a link to a
// local page whose file name is "ok.htm" or "zidian.htm" (any letter case);
// its value is the query after "name=" or "word=". Anything else is an
// ordinary navigation.
enum class PageCommandKind { None, Name, Dictionary };
struct PageCommand {
  PageCommandKind kind = PageCommandKind::None;
  std::string value;  // GBK; empty when the link carried none
};
PageCommand ParsePageCommand(bool localFile, std::string_view fileName, std::string_view query);

}  // namespace analysis
