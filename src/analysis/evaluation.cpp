#include "analysis/evaluation.h"

#include "platform/gbk.h"

namespace analysis {

std::optional<EvaluationRefusal> CheckEvaluationInput(const NameBoxes& boxes, bool companyLayout,
                                                      bool onlineCharacterListEmpty) {
  const std::string title = gbk::G("提示");
  if (companyLayout) {
    if (boxes.prefix.empty()) return EvaluationRefusal{gbk::G("请输入公司前缀"), title, NameBoxId::Prefix};
    if (boxes.mainName.empty())
      return EvaluationRefusal{gbk::G("请输入公司主体名称"), title, NameBoxId::Main};
    if (boxes.suffix.empty()) return EvaluationRefusal{gbk::G("请输入公司后缀"), title, NameBoxId::Suffix};
  } else if (boxes.mainName.empty()) {
    return EvaluationRefusal{gbk::G("请输入公司主体名称、商标、产品名等内容"), title, NameBoxId::Main};
  }
  if (onlineCharacterListEmpty) {
    return EvaluationRefusal{gbk::G("初始化网络数据失败,请检查您的网络是否通畅,或稍后重打开软件再试一下!"),
                             gbk::G("提示 ErrorCode=1"), NameBoxId::None};
  }
  return std::nullopt;
}

std::string EvaluatedName(const NameBoxes& boxes, bool companyLayout) {
  return companyLayout ? boxes.prefix + boxes.mainName + boxes.suffix : boxes.mainName;
}

std::string EvaluationWindowTitle() { return gbk::G("公司名称测算"); }

std::string EvaluationBusyTitle(const NameBoxes& boxes, bool companyLayout) {
  return gbk::G("正在测算 ") + EvaluatedName(boxes, companyLayout) + gbk::G(" ,请稍等...");
}

std::string DictionaryTabWindowTitle(const std::string& character) {
  return gbk::G("『") + character + gbk::G("』的字典解释");
}

std::vector<std::string> CharacterTabTitles(const NameBoxes& boxes, bool companyLayout) {
  std::vector<std::string> titles;
  // Character by character, so that a one-byte character left in the text
  // cannot pair the halves of two neighbours into a false character.
  for (std::string& c : gbk::SplitCharacters(StripNameText(EvaluatedName(boxes, companyLayout)))) {
    if (c.size() == 2) titles.push_back(std::move(c));
  }
  return titles;
}

EvaluationResult RunEvaluation(NameBoxes boxes, bool companyLayout) {
  EvaluationResult result;
  result.page = BuildScorePage(boxes, companyLayout);
  result.written = WriteScorePage(result.page);
  result.boxes = std::move(boxes);
  return result;
}

}  // namespace analysis
