// The quorvex executable.

#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "platform/Dialogs.h"
#include "platform/Libraries.h"
#include "ui/mdlMain.h"

int main(int argc, char* argv[]) {
    // Before anything can load a library by name or touch a drive.
    platform::HardenLibraryLoading();
    platform::SuppressSystemErrorBoxes();
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.push_back(platform::FromAnsi(argv[i]));
    return mdlMain::Main(args);
}
