#include "engine/generation_data.h"

#include <string>

#include "frame/globals.h"
#include "platform/embedded.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace engine {

void PutGenerationDataInPlace() {
  auto& g = frame::globals();
  std::string twoCharPool(platform::EmbeddedFile("generation/two_char_pool.txt"));
  g.longNamePool.Set(std::string(platform::EmbeddedFile("generation/long_name_pool.txt")));
  g.smartWordSource.Set(std::string(platform::EmbeddedFile("generation/smart_words.txt")));

  const std::string_view settings = platform::EmbeddedFile("generation/settings.ini");
  auto setting = [settings](const char* key, std::string_view fallback) {
    return platform::ReadProfileStringFromText(settings, "generation", key, fallback);
  };
  g.namesPerRun.Set(setting("NamesPerRun", "2000"));
  g.combinationLimit.Set(setting("CombinationLimit", "2"));
  g.onlineScoreWord.Set(setting("OnlineScoreWord", gbk::G("分数")));
  // The evaluation only asks whether a character list is there; the
  // characters the program proposes are the ones it can speak for.
  g.onlineCharacterList.Set(twoCharPool);
  g.twoCharPool.Set(std::move(twoCharPool));
}

}  // namespace engine
