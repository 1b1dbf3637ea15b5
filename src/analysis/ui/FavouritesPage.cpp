#include "analysis/ui/FavouritesPage.h"

#include <QPushButton>

#include "analysis/favourites.h"
#include "analysis/name_pages.h"
#include "analysis/ui/PageLinks.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/ui/BrowserBox.h"

namespace analysis {

FavouritesPage::FavouritesPage(platform::BrowserBox* box, QPushButton* print, QPushButton* clear,
                               QPushButton* exportButton, std::filesystem::path file, QObject* parent)
    : QObject(parent), box_(box), file_(std::move(file)) {
  AttachPageLinks(box_, this, [this](const std::string& name) { RemoveName(name); });
  connect(print, &QPushButton::clicked, this, &FavouritesPage::PrintPreview);
  connect(clear, &QPushButton::clicked, this, &FavouritesPage::Clear);
  connect(exportButton, &QPushButton::clicked, this, &FavouritesPage::Export);
}

void FavouritesPage::Render() {
  const FavouritesList list = ReadFavourites(file_);
  if (!list.ok) ReportFavouritesFailure(FavouritesChange::ReadFailed, file_);
  count_ = static_cast<int>(list.names.size());
  const std::string html = BuildFavouritesPage(list.names);
  const std::filesystem::path page = FavouritesPagePath(frame::globals().pageDirectory);
  // A page file that could not be replaced would show an older list.
  if (platform::WriteFileAtomically(page, html))
    box_->openFile(page);
  else
    box_->showPage(html, page);
  emit rendered(count_);
}

void FavouritesPage::RemoveName(const std::string& name) {
  ReportFavouritesFailure(RemoveNameFromFavourites(file_, name), file_);
  Render();
}

void FavouritesPage::Clear() {
  if (platform::ShowMessageBox(gbk::G("是否清空自选列表？"), gbk::G("询问"), platform::kYesNoInformation) ==
      platform::kNo)
    return;
  ReportFavouritesFailure(ClearFavourites(file_), file_);
  Render();
}

void FavouritesPage::Export() {
  const bool withAttributes =
      platform::ShowMessageBox(gbk::G("是否同时导出拼音、笔画、五行等属性？"), gbk::G("询问"),
                               platform::kYesNoInformation) == platform::kYes;
  const FavouritesList list = ReadFavourites(file_);
  if (ReportFavouritesFailure(list.ok ? FavouritesChange::Done : FavouritesChange::ReadFailed, file_)) return;
  const std::filesystem::path out = ExportFilePath(frame::globals().pageDirectory);
  if (!platform::WriteFileAtomically(out, ExportText(list.names, withAttributes))) {
    // Opening the file now would show an older export as if it were this one.
    platform::ShowMessageBox(
        gbk::G("导出失败，无法写入文件：") + gbk::FromUtf8(out.string()) + platform::WriteFailureNote(out),
        gbk::G("提示"), platform::kOkInformation);
    return;
  }
  platform::LaunchProgram(platform::ExternalProgram::TextEditor, out.string());
}

void FavouritesPage::PrintPreview() { box_->printPreview(); }

}  // namespace analysis
