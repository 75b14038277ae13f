// Renders the Linux window after a check that found two items, for the
// README: a firewall is installed and the bank's server is out of reach on
// a fake machine. Usage: quorvex_window_screenshot OUTPUT.png

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <cstdio>
#include <filesystem>

#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/TempFolder.h"
#include "log/mdlLog.h"
#include "ui/frmMain.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtWindow.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    testing_support::TempFolder folder;
    testing_support::FakeMachine fake;
    mdlLog::LogInit(nullptr, L"");
    fake.system.programFolder = folder.WPath();
    fake.system.programPath = folder.File(L"quorvex");
    std::filesystem::copy_file(QUORVEX_SCREENSHOT_DATA "/Vigilor.dat", folder.Path() / "Vigilor.dat");
    fake.registry.AddUninstallEntry(L"{A1}", std::wstring(L"Alfa Firewall 2.0"));
    fake.processes.processes = {L"init", L"blocker"};

    int status = 1;
    {
        ui::qt::QtToolkit toolkit;
        frmMain frm(toolkit, L"");
        frm.Start();
        auto* window = dynamic_cast<ui::qt::QtWindow*>(frm.Form());
        QWidget* widget = window->Widget();
        widget->findChild<QCheckBox*>(QStringLiteral("chkOptions(2)"))->click();
        widget->findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
        QCoreApplication::processEvents();
        if (frm.Found(0) == 2 && widget->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) status = 0;
        if (status != 0) std::fprintf(stderr, "the window could not be rendered (%d found)\n", frm.Found(0));
    }
    mdlLog::LogInit(nullptr, L"");
    return status;
}
