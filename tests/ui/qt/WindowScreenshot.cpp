// Renders the Linux window after a check that found two items, for the
// README: a firewall is installed and the bank's server is out of reach on
// a fake machine. Usage: quorvex_window_screenshot OUTPUT.png

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <cstdio>

#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/TempFolder.h"
#include "log/mdlLog.h"
#include "platform/AnsiCodePage.h"
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
    const wchar_t* lines[] = {L"[General]", L"Count=3", L"[Breed_1]", L"Name=Alfa Firewall",
                              L"Info=Firewall Alfa blokuje spojení se servery banky.",
                              L"URL=http://help.example/fw/alfa.htm", L"Filter=1", L"Proof=1", L"Count=1",
                              L"Track1=REGISTRY~#~#INSTR~#Alfa Firewall~#0", L"[Breed_2]", L"Name=Beta Security",
                              L"Filter=1", L"Proof=1", L"Count=1", L"Track1=PROCESS~#~#INSTR~#beta~#0", L"[Breed_3]",
                              L"Name=Server banky", L"Filter=2", L"Proof=1", L"Count=1",
                              L"Track1=PROCESS~#~#INSTR~#blocker~#0"};
    std::wstring text;
    for (const wchar_t* line : lines) text += std::wstring(line) + L"\r\n";
    folder.Write(L"Vigilor.dat", platform::ToAnsi(text));
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
