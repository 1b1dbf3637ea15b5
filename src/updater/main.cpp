// The updater: started by the main program from its own folder with the
// main program's process id, it downloads and verifies the new version,
// waits for the main program to end, installs the new version and starts
// it. Whatever happens, the program is started again when the updater ends,
// so the user is never left without it.
#include <QApplication>
#include <QProcess>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "online/update_check.h"
#include "online/updater.h"
#include "platform/ini.h"
#include "platform/ui/end_signals.h"
#include "updater/UpdaterWindow.h"
// Made by the build from the key the releases are signed with.
#include "update_key.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::IgnoreFileSizeSignal();
  // Ended by the session, the update is cancelled the normal way.
  platform::CloseWindowsOnEndSignals(app);
  const pid_t mainProgram = argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0;

  online::UpdaterSetup setup;
  // The program lies beside the updater, whatever its folder is called.
  setup.programFolder = online::ProgramFolder();
  setup.publicKeyPem = kUpdatePublicKey;
#ifdef LANZHOU_UPDATER_LOW_SPEED_SECONDS
  setup.limits.lowSpeedTime = std::chrono::seconds(LANZHOU_UPDATER_LOW_SPEED_SECONDS);
#endif
#ifdef LANZHOU_UPDATER_MAX_DOWNLOAD_MIB
  setup.limits.maxDownloadBytes = std::size_t{LANZHOU_UPDATER_MAX_DOWNLOAD_MIB} << 20;
#endif
  const std::filesystem::path instructionFile = online::UpdaterInstructionFile();
  updater::UpdaterWindow window(online::ReadUpdaterInstructions(instructionFile), setup, mainProgram,
                                instructionFile);
  window.show();
  window.start();
  int code = app.exec();

  // The main program ended for the update; bring it (new or unchanged) back.
  const std::filesystem::path program = setup.programFolder / online::kProgramFileName;
  std::error_code ec;
  if (mainProgram > 0 && updater::ProcessHasEnded(mainProgram) &&
      std::filesystem::is_regular_file(program, ec))
    QProcess::startDetached(QString::fromStdString(program.string()), {});
  return code;
}
