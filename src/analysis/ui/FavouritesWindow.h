#pragma once
// The favourites list of the region prefix and industry suffix given when
// the window opens, with a remove link per name, print, clear and export.
#include <QWidget>
#include <string>

#include "platform/ui/Controls.h"

namespace analysis {

class FavouritesPage;

class FavouritesWindow : public QWidget, public platform::NamedControls<FavouritesWindow> {
  Q_OBJECT
 public:
  static constexpr int kDesignedWidth = 588;
  static constexpr int kDesignedHeight = 401;

  FavouritesWindow(const std::string& prefix, const std::string& suffix, QWidget* parent = nullptr);

  // Creates the window (deleted when closed) and shows it maximised.
  static FavouritesWindow* Open(QWidget* parent, const std::string& prefix, const std::string& suffix);

  FavouritesPage* favourites() const { return favourites_; }

 private:
  void ShowTitle(int count);

  FavouritesPage* favourites_ = nullptr;
};

}  // namespace analysis
