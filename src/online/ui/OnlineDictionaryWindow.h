#pragma once
// The site's character dictionary in a browser box: one character's page,
// the start page (index by pinyin), the index by radical and a search by
// character through the stored page index.
#include <QWidget>
#include <string>

#include "platform/ui/Controls.h"

namespace platform {
class BrowserBox;
}

namespace online {

class OnlineDictionaryWindow : public QWidget, public platform::NamedControls<OnlineDictionaryWindow> {
  Q_OBJECT
 public:
  // Reads the hand-over value DictionaryCharacter: empty opens the start
  // page; an unindexed character leaves the box empty and says so in the
  // title.
  explicit OnlineDictionaryWindow(QWidget* parent = nullptr);

  // Creates the window (deleted when closed) and shows it maximised;
  // DictionaryCharacter is left as it is.
  static OnlineDictionaryWindow* Open(QWidget* parent);

  // The tool bar's buttons act by their caption (UTF-8).
  void OnDictionaryToolbarClicked(const QString& caption);
  // "汉字检索": asks for a character and opens its page.
  void SearchCharacter();

 private:
  platform::BrowserBox* browser_ = nullptr;
};

// Opens the dictionary on one character (GBK), as a link in a generated page
// does: sets DictionaryCharacter and opens a window of its own, without a
// parent.
OnlineDictionaryWindow* OpenDictionaryOnCharacter(const std::string& character);

}  // namespace online
