#include "engine/generate.h"

#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"

namespace engine {

namespace {

unsigned char Lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// Membership of the lower-cased one-byte characters in CleanedCharacterSet.
struct CleanedTable {
  bool in[256] = {};
  CleanedTable() {
    for (unsigned char c : CleanedCharacterSet()) in[c] = true;
  }
};

const CleanedTable& Cleaned() {
  static const CleanedTable table;
  return table;
}

int Ask(const std::function<int(const Prompt&)>& ask, const Prompt& p) {
  if (ask) return ask(p);
  return platform::ShowMessageBox(p.text, p.title, p.flags);
}

}  // namespace

const std::string& CleanedCharacterSet() {
  static const std::string set = "0123456789abcdefghijklmnopqrstuvwxyz?!.()[]{};:,<>|\\/-+=";
  return set;
}

std::string RemoveCleanedCharacters(std::string_view text) {
  const auto& table = Cleaned();
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    if (gbk::IsLeadByte(c)) {
      std::size_t n = i + 1 < text.size() ? 2 : 1;
      out.append(text.substr(i, n));
      i += n;
      continue;
    }
    if (!table.in[Lower(c)]) out += static_cast<char>(c);
    ++i;
  }
  return out;
}

std::string OffendingCharacters(std::string_view text) {
  const auto& table = Cleaned();
  bool present[256] = {};
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    if (gbk::IsLeadByte(c)) {
      i += 2;
      continue;
    }
    if (table.in[Lower(c)]) present[Lower(c)] = true;
    ++i;
  }
  std::string out;
  for (unsigned char c : CleanedCharacterSet())
    if (present[c]) out += static_cast<char>(c);
  return out;
}

std::string TrimBlanks(std::string_view text) {
  static const std::string ideographicSpace = gbk::G("\u3000");
  auto blankAtStart = [&](std::string_view t) -> std::size_t {
    if (t.empty()) return 0;
    char c = t.front();
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return 1;
    if (t.substr(0, 2) == ideographicSpace) return 2;
    return 0;
  };
  while (std::size_t n = blankAtStart(text)) text.remove_prefix(n);
  // From the end, only whole characters count: walk forward to find where
  // the trailing blanks begin.
  std::size_t keep = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = blankAtStart(text.substr(i));
    if (n) {
      i += n;
      continue;
    }
    i += gbk::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    keep = i;
  }
  return std::string(text.substr(0, keep));
}

Prompt BossNameQuestion() {
  return {gbk::G("公司老板姓名未设置完整,是否继续？"), gbk::G("询问"), platform::kYesNoQuestion};
}

Prompt MissingDataRefusal() {
  return {gbk::G("初始化网络数据失败,请检查您的网络是否通畅,或稍后重打开软件再试一下!"),
          gbk::G("提示 ErrorCode=1"), platform::kOkInformation};
}

Prompt CombinationLengthRefusal() {
  return {gbk::G("组合模式只支持二字名和三字名！请在<字词限定>选项里修改设置！"), gbk::G("提示"),
          platform::kOkInformation};
}

Prompt PrefixCleaningQuestion(std::string_view offending) {
  return {gbk::G("'地区前缀'内含非中文字符'") + std::string(offending) + gbk::G("',是否清除?"),
          gbk::G("询问"), platform::kYesNoQuestion};
}

Prompt SuffixCleaningQuestion(std::string_view offending) {
  return {gbk::G("'行业后缀'内含非中文字符'") + std::string(offending) + gbk::G("',是否清除?"),
          gbk::G("询问"), platform::kYesNoQuestion};
}

PreparedRun PrepareRun(GenerationMode mode, const GenerateRequest& request,
                       std::vector<std::string> combinationCharacters,
                       const std::function<int(const Prompt&)>& ask) {
  PreparedRun run;
  run.fixed = request.fixed;
  if (mode != GenerationMode::SmartMode2) {
    run.writeBackFixed = true;
    for (auto& f : run.fixed) f = RemoveCleanedCharacters(TrimBlanks(f));
  }
  run.prefix = request.prefix;
  run.suffix = request.suffix;
  std::string prefixOffending = OffendingCharacters(run.prefix);
  std::string suffixOffending = OffendingCharacters(run.suffix);
  if (!prefixOffending.empty() && Ask(ask, PrefixCleaningQuestion(prefixOffending)) == platform::kYes)
    run.prefix = RemoveCleanedCharacters(run.prefix);
  if (!suffixOffending.empty() && Ask(ask, SuffixCleaningQuestion(suffixOffending)) == platform::kYes)
    run.suffix = RemoveCleanedCharacters(run.suffix);

  RunInputs& in = run.inputs;
  in.mode = mode;
  in.prefix = run.prefix;
  in.suffix = run.suffix;
  // Smart mode 2 and combination mode never place fixed characters.
  if (mode == GenerationMode::SmartMode1) in.fixed = run.fixed;
  in.nameLength = request.lengthIndex + 2;
  in.combinationCharacters = std::move(combinationCharacters);
  TakeGenerationData(in);
  return run;
}

GeneratePlan OnGenerateClicked(const GenerateRequest& request, const GenerateHooks& hooks) {
  GeneratePlan plan;
  if ((request.bossSurname.empty() || request.bossGivenName.empty()) &&
      Ask(hooks.ask, BossNameQuestion()) != platform::kYes) {
    plan.action = GenerateAction::FocusBossSurname;
    return plan;
  }
  auto& g = frame::globals();
  bool missing = g.twoCharPool.Get().empty();
  // Names of any other length than two come from the long-name pool; a run
  // over an empty pool could only list empty names, so it is refused the
  // same way.
  if (request.mode == GenerationMode::SmartMode1 && request.lengthIndex + 2 != 2 &&
      g.longNamePool.Get().empty())
    missing = true;
  if (missing) {
    Ask(hooks.ask, MissingDataRefusal());
    return plan;
  }
  if (hooks.clearResults) hooks.clearResults();
  // The names the result buttons work on go with the rows: a refused or
  // cancelled combination run leaves nothing that the grid no longer shows.
  g.generatedNames.Set("");
  g.generatedFullNames.Set("");
  switch (request.mode) {
    case GenerationMode::SmartMode1:
    case GenerationMode::SmartMode2:
      plan.run = PrepareRun(request.mode, request, {}, hooks.ask);
      plan.action = GenerateAction::StartRun;
      break;
    case GenerationMode::Combination:
      if (request.lengthIndex == 2) {
        Ask(hooks.ask, CombinationLengthRefusal());
        break;
      }
      plan.action = GenerateAction::OpenCombinationWindow;
      break;
  }
  return plan;
}

}  // namespace engine
