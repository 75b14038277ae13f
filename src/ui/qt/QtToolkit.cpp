#include "ui/qt/QtToolkit.h"

#include <QMessageBox>
#include <clocale>

#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

namespace {

// Platform plugins that draw nowhere: reaching one means no display.
constexpr const char* kNoDisplayPlatform = "minimal";

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

QtToolkit::QtToolkit() {
    Prepare();
}

QtToolkit::~QtToolkit() = default;

void QtToolkit::Prepare() {
    // The program decides when it ends: hiding its window must not stop a
    // message box's loop.
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvex"));
}

std::unique_ptr<QtToolkit> QtToolkit::Open(const QString& strPlatforms) {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
        return std::make_unique<QtToolkit>();
    }
    auto kit = std::make_unique<QtToolkit>();
    // Qt ends the process when no platform in its list starts; one that
    // needs no display, last in the list, turns that into an answer.
    const bool blnAskedForNoDisplay = strPlatforms.split(u';').contains(QLatin1String(kNoDisplayPlatform));
    const QString platforms = strPlatforms + u';' + QLatin1String(kNoDisplayPlatform);
    kit->mArgText = {"quorvex", "-platform", platforms.toStdString()};
    for (std::string& arg : kit->mArgText) kit->mArgv.push_back(arg.data());
    kit->mArgv.push_back(nullptr);
    kit->mArgc = static_cast<int>(kit->mArgText.size());

    // Qt switches the process to the user's locale; the program's own text
    // and number handling must not depend on which front end runs.
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    // The plugins that fail say so; the fallback to the console is the answer.
    const QtMessageHandler previous = qInstallMessageHandler(Quiet);
    kit->mApp = std::make_unique<QApplication>(kit->mArgc, kit->mArgv.data());
    qInstallMessageHandler(previous);
    std::setlocale(LC_ALL, locale.c_str());
    if (!blnAskedForNoDisplay && QGuiApplication::platformName() == QLatin1String(kNoDisplayPlatform)) return nullptr;
    return kit;
}

std::unique_ptr<toolkit::Window> QtToolkit::NewWindow(std::wstring_view strName) {
    return std::make_unique<QtWindow>(*this, std::wstring(strName));
}

int32_t QtToolkit::MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (lngFlags & 0x70) {
        case 0x10:
            icon = QMessageBox::Critical;
            break;
        case 0x20:
            icon = QMessageBox::Question;
            break;
        case toolkit::kMsgExclamation:
            icon = QMessageBox::Warning;
            break;
        case toolkit::kMsgInformation:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    const QMessageBox::StandardButtons buttons =
        (lngFlags & 0x0F) == toolkit::kMsgOkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
    QString text = ToQString(strText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, ToQString(strTitle), text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Cancel ? toolkit::kMsgAnswerCancel : toolkit::kMsgAnswerOk;
}

void QtToolkit::DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtToolkit::Run(toolkit::Window& objWindow) {
    while (objWindow.Loaded()) {
        QEventLoop loop;
        mLoop = &loop;
        loop.exec();
        mLoop = nullptr;
    }
}

void QtToolkit::WindowUnloaded() {
    if (mLoop != nullptr) mLoop->quit();
}

}  // namespace ui::qt
