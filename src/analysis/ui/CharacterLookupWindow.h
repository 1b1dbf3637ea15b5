#pragma once
// The character lookup window: the five element, simplified strokes, Kangxi
// strokes or pinyin of the characters typed, one tab each.
#include <QWidget>

#include "platform/ui/Controls.h"

namespace platform {
class DesignedTabs;
}

namespace analysis {

class CharacterLookupWindow : public QWidget, public platform::NamedControls<CharacterLookupWindow> {
  Q_OBJECT
 public:
  // Opens on the tab frame::globals().lookupPage names.
  explicit CharacterLookupWindow(QWidget* parent);

  // The click of a page's 查询.
  void query(int page);

 private:
  platform::DesignedTabs* tabs_ = nullptr;
};

// The four lookup menu items: sets lookupPage (0..3) and opens the window.
CharacterLookupWindow* OpenCharacterLookup(QWidget* parent, int page);

}  // namespace analysis
