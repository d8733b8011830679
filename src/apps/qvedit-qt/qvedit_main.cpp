// qvedit on Linux, the clock's skin editor: answers --help and --version without a display,
// enters the skin folder (the one named, or the working folder the clock hands over) and opens
// its skin in the window "qvs".
#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "apps/qvedit-qt/editor_window.h"
#include "apps/qvedit-qt/handed_activation.h"
#include "apps/qvedit-qt/skin_dialogs.h"
#include "apps/qvedit-qt/work_keeper.h"
#include "runtime/standard_descriptors.h"

namespace {
constexpr const char* kUsageLine = "usage: qvedit [--help | --version | FOLDER]\n";
constexpr const char* kHelp =
    "qvedit, the skin editor of the QUARVEL clock.\n"
    "Opens the skin (tyou.sin, tan.sin, byou.sin, settings.ini and the face bitmap) of FOLDER,\n"
    "or of the working folder: a right-click on the clock starts it in the clock's own.\n"
    "\"Save and start clock\" saves and starts quarvel in that folder.\n"
    "Options:\n"
    "  --help        print this text and exit\n"
    "  --version     print the version and exit\n"
    "More in qvedit(1).\n";

// The command line, read before anything else. -1 when the editor is to start, else the exit
// status.
int CommandLine(int argc, char** argv) {
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsageLine, stdout);
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("qvedit " QUARVEL_VERSION);
      return 0;
    }
    if (arg.starts_with("-") || folder != nullptr) {
      std::fprintf(stderr, "qvedit: %s '%s'\n%s",
                   arg.starts_with("-") ? "unknown option" : "unexpected argument", argv[i],
                   kUsageLine);
      return 2;
    }
    folder = argv[i];
  }
  if (folder != nullptr && chdir(folder) != 0) {
    std::fprintf(stderr, "qvedit: can't open the skin folder '%s': %s\n", folder,
                 std::strerror(errno));
    return 66;
  }
  return -1;
}
}  // namespace

int main(int argc, char** argv) {
  quarvel::OpenStandardDescriptors();
  if (const int status = CommandLine(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  QApplication::setApplicationName("qvedit");
  QApplication::setApplicationVersion(QUARVEL_VERSION);
  quarvel::SystemClock clock;
  quarvel::EditorWindow editor(std::make_unique<quarvel::QtSkinDialogs>(), clock);
  // From here on a signal, the session's end or the display's keeps the unsaved edits.
  quarvel::WorkKeeper keeper(editor);
  editor.Open();
  quarvel::ComeToFrontWhenHandedOver(editor);
  editor.show();
  return QApplication::exec();
}
