#include "analysis/score_page.h"

#include "analysis/html_text.h"
#include "engine/char_tables.h"
#include "frame/globals.h"
#include "platform/embedded.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace analysis {

namespace {

std::string_view Piece(std::string_view name) { return platform::EmbeddedFile(name); }

std::string ScoreTable(int grade) {
  std::string word = frame::globals().onlineScoreWord.Get();
  std::string number = std::to_string(grade);
  return Fill(Piece("score/score_table.htm"), {{word, number}});
}

constexpr std::string_view kStrippedCharacters = "0123456789abcdefghijklmnopqrstuvwxyz?!.()[]{};:,<>|\\/-+= ";
}  // namespace

std::string StripNameText(std::string_view text) {
  return gbk::RemoveAsciiCharacters(text, kStrippedCharacters);
}

void CleanNameBoxes(NameBoxes& boxes) {
  boxes.prefix = StripNameText(boxes.prefix);
  boxes.mainName = StripNameText(boxes.mainName);
  boxes.suffix = StripNameText(boxes.suffix);
}

std::string CutLuckInterpretation(int number) {
  static const std::string kOpen = gbk::G("【"), kClose = gbk::G("】"), kEnd = gbk::G("【结束】");
  std::string_view text = Piece("score/interpretation.txt");
  std::string key = kOpen + std::to_string(number) + kClose;
  int p = gbk::Find(text, key);
  if (p < 0) return {};
  std::string_view rest = text.substr(static_cast<size_t>(p - 1) + key.size());
  int q = gbk::Find(rest, kEnd);
  if (q < 0) return {};
  return std::string(rest.substr(0, static_cast<size_t>(q - 1)));
}

int ReduceForInterpretation(int total) {
  for (int i = 0; i < 4; ++i) {
    if (total > 81) total -= 80;
  }
  return total;
}

int KangxiStrokeTotal(std::string_view text) {
  int total = 0;
  for (const std::string& c : gbk::SplitCharacters(text)) {
    if (c.size() == 2) total += engine::GetKangxiStrokes(c);
  }
  return total;
}

std::string BuildScorePage(NameBoxes& boxes, bool companyLayout) {
  static const std::string kName = gbk::G("显示公司名称"), kStrokes = gbk::G("显示笔画数"),
                           kMainHeading = gbk::G("主体名称："), kWholeHeading = gbk::G("整体名称："),
                           kBody = gbk::G("替换");

  CleanNameBoxes(boxes);
  if (boxes.mainName.empty()) return {};

  int main = KangxiStrokeTotal(boxes.mainName);
  int full = KangxiStrokeTotal(boxes.prefix) + main + KangxiStrokeTotal(boxes.suffix);
  int mainN = ReduceForInterpretation(main);
  int fullN = ReduceForInterpretation(full);

  std::string body;
  std::string mainText = std::to_string(main);
  std::string mainName = HtmlEscape(boxes.mainName);
  body += Fill(CutLuckInterpretation(mainN), {{kName, mainName}, {kStrokes, mainText}});
  body += ScoreTable(engine::LuckGradeOfNumber(mainN));

  if (companyLayout) {
    std::string fullText = std::to_string(full);
    std::string fullName = HtmlEscape(boxes.prefix + boxes.mainName + boxes.suffix);
    body += "<br>";
    body += Fill(CutLuckInterpretation(fullN),
                 {{kName, fullName}, {kMainHeading, kWholeHeading}, {kStrokes, fullText}});
    body += ScoreTable(engine::LuckGradeOfNumber(fullN));
  }

  body += Piece("score/note_table.htm");
  return Fill(Piece("score/page_frame.htm"), {{kBody, body}});
}

std::filesystem::path ScorePagePath() { return frame::globals().dataDirectory / "temp.htm"; }

bool WriteScorePage(std::string_view page) { return platform::WriteFileAtomically(ScorePagePath(), page); }

}  // namespace analysis
