#pragma once
// The names of the last run as attribute pages of 25 names, with a link
// per name that adds it to the favourites list; the second tab shows that
// list (the file of the region prefix and industry suffix given when the
// window opens).
#include <QWidget>
#include <memory>
#include <string>

#include "platform/threads.h"
#include "platform/ui/Controls.h"
#include "platform/ui/WorkerMailbox.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace platform {
class BrowserBox;
}

namespace analysis {

class FavouritesPage;
struct NamePage;

class NameAttributesWindow : public QWidget, public platform::NamedControls<NameAttributesWindow> {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 588;
  static constexpr int kDesignedHeight = 421;

  // `prefix` and `suffix` (GBK) choose the favourites file.
  NameAttributesWindow(const std::string& prefix, const std::string& suffix, QWidget* parent = nullptr);
  ~NameAttributesWindow() override;

  // Creates the window (deleted when closed) and shows it maximised.
  static NameAttributesWindow* Open(QWidget* parent, const std::string& prefix, const std::string& suffix);

  int pageNumber() const { return pageNumber_; }
  int pageCount() const { return pageCount_; }
  bool isRendering() const { return rendering_; }
  FavouritesPage* favourites() const { return favourites_; }

  void ShowPreviousNamePage();
  void ShowNextNamePage();
  void OnNamePageSelected(int index);
  void AddNameFromPage(const std::string& name);

 signals:
  // A name page was shown (for whoever waits on it).
  void namePageShown();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void RenderNamePage(int page);
  void ApplyNamePage(int request, const NamePage& page);
  void OnAttributesTabChanged(int index);
  void ShowFavouritesTitle(int count);
  void StopRendering();

  QTabWidget* tabs_ = nullptr;
  platform::BrowserBox* namesBrowser_ = nullptr;
  platform::BrowserBox* favouritesBrowser_ = nullptr;
  QComboBox* pageList_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QFrame* noticeFrame_ = nullptr;
  QLabel* notice_ = nullptr;
  QTimer* noticeTimer_ = nullptr;
  FavouritesPage* favourites_ = nullptr;

  // Page state belongs to each window: two windows page on their own.
  int pageNumber_ = 1;
  int pageCount_ = 0;
  QString namePagesCaption_;
  bool rendering_ = false;
  // A page chosen in the list hands the focus to the paging buttons once
  // they are enabled again.
  bool focusPagingButtons_ = false;
  int request_ = 0;

  platform::WorkerMailbox<NameAttributesWindow> mailbox_;
  platform::ThreadHandle worker_;
};

}  // namespace analysis
