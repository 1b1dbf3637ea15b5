#pragma once
// The links of the generated name pages: "ok.htm?name=" carries a name for
// the page's own action (add or remove), "zidian.htm?word=" a character to
// look up in the online dictionary. Both are carried out after the browser
// box has cancelled the navigation, so no dialog or window opens inside
// the engine's callback.
#include <QObject>
#include <functional>
#include <string>

#include "analysis/favourites.h"

namespace platform {
class BrowserBox;
}

namespace analysis {

// Lets `box` carry out the page commands; `nameAction` gets the name (GBK)
// of an "ok.htm" link, on the GUI thread, while `context` lives.
void AttachPageLinks(platform::BrowserBox* box, QObject* context,
                     std::function<void(const std::string& name)> nameAction);

// Tells the user that a favourites change failed; true when it did.
bool ReportFavouritesFailure(FavouritesChange change, const std::filesystem::path& file);

}  // namespace analysis
