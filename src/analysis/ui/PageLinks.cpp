#include "analysis/ui/PageLinks.h"

#include <QPointer>
#include <QTimer>

#include "analysis/name_pages.h"
#include "analysis/ui/OtherWindows.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"

namespace analysis {

void AttachPageLinks(platform::BrowserBox* box, QObject* context,
                     std::function<void(const std::string& name)> nameAction) {
  QObject::connect(
      box, &platform::BrowserBox::aboutToNavigateTo, context,
      [context, nameAction](const platform::NavigationTarget& target, bool* cancel) {
        const PageCommand command = ParsePageCommand(target.localFile, target.fileNameGbk, target.queryGbk);
        if (command.kind == PageCommandKind::None) return;
        *cancel = true;
        // A character link without its character is no command; a name link
        // without a name stands for an empty line of a damaged list, which
        // the favourites page must be able to remove (adding refuses it).
        if (command.value.empty() && command.kind != PageCommandKind::Name) return;
        QPointer<QObject> alive(context);
        QTimer::singleShot(0, context, [alive, command, nameAction] {
          if (!alive) return;
          if (command.kind == PageCommandKind::Name)
            nameAction(command.value);
          else if (Others().openDictionary)
            Others().openDictionary(command.value);
        });
      },
      Qt::DirectConnection);
}

bool ReportFavouritesFailure(FavouritesChange change, const std::filesystem::path& file) {
  if (change != FavouritesChange::ReadFailed && change != FavouritesChange::WriteFailed) return false;
  platform::ShowMessageBox(FavouritesFailureText(change, file), gbk::G("提示"), platform::kOkInformation);
  return true;
}

}  // namespace analysis
