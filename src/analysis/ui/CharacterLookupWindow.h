#pragma once
// The character lookup window: the five element, simplified strokes, Kangxi
// strokes or pinyin of the characters typed, one tab each.
#include <QWidget>

namespace frame {
class DesignedTabs;
}

namespace analysis {

class CharacterLookupWindow : public QWidget {
  Q_OBJECT
 public:
  // Opens on the tab frame::globals().lookupPage names.
  explicit CharacterLookupWindow(QWidget* parent);

  // A control by its designed name (UTF-8).
  template <class T>
  T* control(const char* name) const {
    return findChild<T*>(QString::fromUtf8(name));
  }

  // The click of a page's 查询.
  void query(int page);

 private:
  frame::DesignedTabs* tabs_ = nullptr;
};

// The four lookup menu items: sets lookupPage (0..3) and opens the window.
CharacterLookupWindow* OpenCharacterLookup(QWidget* parent, int page);

}  // namespace analysis
