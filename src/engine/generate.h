#pragma once
// The generate button (按钮1 "立即起名") below the widgets: its checks and
// questions, and the cleaning of the inputs that a run needs before it
// starts. Every question is asked on the GUI thread, through the `ask` hook,
// before any worker starts; the worker only ever gets a finished snapshot.
//
// How MainWindow's click handler uses it:
//
//   engine::GenerateRequest r = <read 编辑框N1, 编辑框N2, the checked mode
//       radio box, 组合框1's selected index, 编辑框1, 编辑框2, 编辑框A1..A4>;
//   engine::GenerateHooks hooks;
//   hooks.clearResults = [&] { hide 图片框3, 按钮2, 按钮3; resultModel->clear(); };
//   engine::GeneratePlan plan = engine::OnGenerateClicked(r, hooks);
//   switch (plan.action) {
//     case GenerateAction::None: break;                 // refused; all shown
//     case GenerateAction::FocusBossSurname: 编辑框N1->setFocus(); break;
//     case GenerateAction::StartRun:
//       <write plan.run.fixed into 编辑框A1..A4 when plan.run.writeBackFixed,
//        plan.run.prefix into 编辑框1, plan.run.suffix into 编辑框2>;
//       编辑框A1->setFocus();
//       engine::StartGenerationRun(plan.run.inputs, sink);  // smart_mode_run.h
//       break;
//     case GenerateAction::OpenCombinationWindow:
//       disable 按钮1 and 按钮4; run CombinationInputWindow modally, handing it
//       a start callback that calls engine::PrepareRun(GenerationMode::
//       Combination, <a fresh GenerateRequest>, characters, hooks.ask), writes
//       the texts back as above and calls StartGenerationRun; enable 按钮4;
//       enable 按钮1 only when the window reports that no run was started.
//   }
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smart_mode_run.h"

namespace engine {

// The 56 ASCII characters the runs clean out of the fixed-character boxes and
// ask about in the prefix and suffix: "0123456789abcdefghijklmnopqrstuvwxyz
// ?!.()[]{};:,<>|\/-+=".
const std::string& CleanedCharacterSet();

// `text` without any character of CleanedCharacterSet (letters in either
// case). Two-byte characters are stepped over whole, so a trail byte is never
// taken for one of them.
std::string RemoveCleanedCharacters(std::string_view text);

// The characters of CleanedCharacterSet that `text` contains (letters in
// either case), each once, in the order of the set, letters in lower case.
std::string OffendingCharacters(std::string_view text);

// `text` without blanks (spaces, tabs, line breaks, ideographic spaces) at
// either end.
std::string TrimBlanks(std::string_view text);

// What MainWindow's controls hold when 按钮1 is clicked (GBK).
struct GenerateRequest {
  std::string bossSurname;                           // 编辑框N1
  std::string bossGivenName;                         // 编辑框N2
  GenerationMode mode = GenerationMode::SmartMode1;  // 单选框1 / 单选框3 / 单选框2
  int lengthIndex = 0;               // 组合框1's selected index (二字 0, 三字 1, 四字 2; -1 none)
  std::string prefix;                // 编辑框1
  std::string suffix;                // 编辑框2
  std::array<std::string, 4> fixed;  // 编辑框A1..A4
};

struct GenerateHooks {
  // Shows a message box on the GUI thread and returns its result (5 Yes,
  // 6 No, 0 OK). When empty, platform::ShowMessageBox.
  std::function<int(const Prompt&)> ask;
  // Hides 图片框3, deletes every row of the result grid and hides the result
  // buttons 按钮2 and 按钮3. Called once the checks have passed, before the
  // mode is dispatched; GeneratedNames and GeneratedFullNames are emptied
  // with it.
  std::function<void()> clearResults;
};

// A run ready to start, with the cleaned texts to show in the boxes.
struct PreparedRun {
  RunInputs inputs;
  bool writeBackFixed = false;       // smart mode 1 and combination mode clean the fixed boxes
  std::array<std::string, 4> fixed;  // new texts of 编辑框A1..A4
  std::string prefix;                // new text of 编辑框1
  std::string suffix;                // new text of 编辑框2
};

// The run's own first steps, on the GUI thread: trims and cleans the fixed
// characters (not in smart mode 2), asks about non-Chinese characters in the
// prefix and then the suffix and cleans the box on Yes, and takes the
// snapshot (generation data included).
PreparedRun PrepareRun(GenerationMode mode, const GenerateRequest& request,
                       std::vector<std::string> combinationCharacters,
                       const std::function<int(const Prompt&)>& ask = {});

enum class GenerateAction { None, FocusBossSurname, StartRun, OpenCombinationWindow };

struct GeneratePlan {
  GenerateAction action = GenerateAction::None;
  PreparedRun run;  // with StartRun
};

// The click of 按钮1: asks about an incomplete boss name, refuses while the
// generation data is missing, clears the results, and then either prepares a
// smart mode run, refuses four-character names in combination mode, or asks
// for the combination window.
GeneratePlan OnGenerateClicked(const GenerateRequest& request, const GenerateHooks& hooks);

// The individual checks (GBK texts, flags and titles as shown).
Prompt BossNameQuestion();
Prompt MissingDataRefusal();
Prompt CombinationLengthRefusal();
Prompt PrefixCleaningQuestion(std::string_view offending);
Prompt SuffixCleaningQuestion(std::string_view offending);

}  // namespace engine
