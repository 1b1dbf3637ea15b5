#pragma once
// The article list: the naming articles beside a browser box that shows the
// chosen one. The last article read is remembered in the settings file.
#include <QWidget>
#include <string>
#include <vector>

#include "online/article_pages.h"

class QTreeWidget;

namespace platform {
class BrowserBox;
}

namespace online {

class KnowledgeViewerWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 629;
  static constexpr int kDesignedHeight = 553;

  // Reads KnowledgeTitle, KnowledgeArticleList and KnowledgeFolder, lists
  // the articles and shows the remembered one.
  explicit KnowledgeViewerWindow(QWidget* parent = nullptr);

  // Shows the open list, or a new one (deleted when closed), maximised.
  static KnowledgeViewerWindow* Open(QWidget* parent);

  // Shows the article of `row` and remembers the row; a row without a file
  // opens nothing.
  void showArticle(int row);

 private:
  QTreeWidget* list_ = nullptr;
  platform::BrowserBox* browser_ = nullptr;
  std::vector<ArticleEntry> articles_;
  std::string settingKey_, folder_;
  // The address of the article last shown, and whether the reader has
  // followed links away from it since.
  std::string shownAddress_;
  bool browsedAway_ = false;
};

// The menu item "公司取名文章大全": hands over the stored index and opens the
// list with `parent` (the main window).
void OpenKnowledgeArticleList(QWidget* parent);

}  // namespace online
