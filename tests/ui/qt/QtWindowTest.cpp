// The real window on Qt's offscreen platform: the program's window made by
// the Qt toolkit, driven by clicks, keys and mouse moves as a user would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <memory>

#include "base/VbError.h"
#include "base/Version.h"
#include "ui/SampleFixture.h"
#include "ui/StringTable.h"
#include "ui/frmMain.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtToolkit.h"
#include "ui/qt/QtWindow.h"

// QString in test messages as text.
inline void PrintTo(const QString& strText, std::ostream* os) {
    *os << '"' << strText.toStdString() << '"';
}

namespace {

using ui::GetString;
using ui::GetStringFormat;
using ui::qt::ToQString;

class QtApplicationEnvironment final : public ::testing::Environment {
    void SetUp() override {
        // Headless unless the caller chose a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        mApp = std::make_unique<QApplication>(mArgc, mArgv);
    }
    void TearDown() override { mApp.reset(); }
    int mArgc = 1;
    char mName[8] = "test_qt";
    char* mArgv[2] = {mName, nullptr};
    std::unique_ptr<QApplication> mApp;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// Texts as the window shows them: line breaks without the CR.
QString Shown(const std::wstring& strText) {
    QString text = ToQString(strText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The program's window on the sample knowledge base, opened and active.
class QtWindowTest : public testing_support::SampleFixture {
protected:
    void TearDown() override {
        frm.reset();
        SampleFixture::TearDown();
    }

    void Open() {
        WriteSample();
        frm = std::make_unique<frmMain>(toolkit, L"");
        ASSERT_EQ(frm->Start(), 1);
        window = dynamic_cast<ui::qt::QtWindow*>(frm->Form());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    }

    template <class T>
    T* Find(const QString& name) const {
        T* found = window->Widget()->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void ExpectShown(const std::vector<testing_support::ShownControl>& controls) const {
        for (const auto& c : controls) {
            const QWidget* widget = Find<QWidget>(ToQString(c.name));
            EXPECT_EQ(widget->property("text").toString(), Shown(c.text)) << c.name;
            EXPECT_EQ(widget->isEnabled(), c.enabled) << c.name;
            EXPECT_EQ(widget->isVisible(), c.visible) << c.name;
            EXPECT_EQ(widget->property("checked").toBool(), c.checked) << c.name;
        }
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        auto* list = Find<QListWidget>("lstInfoUserItems");
        for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text().toStdWString());
        return lines;
    }
    // Runs fnAction at the program's nth pump from now (1 = the next).
    void AtPump(int n, std::function<void()> fnAction) {
        auto* timer = new QTimer(window->Widget());
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, n, count = 0, fnAction]() mutable {
            if (++count < n) return;
            timer->stop();
            fnAction();
        });
        timer->start();
    }

    ui::qt::QtToolkit toolkit;
    std::unique_ptr<frmMain> frm;
    ui::qt::QtWindow* window = nullptr;
};

TEST_F(QtWindowTest, TheWindowShowsEveryControlWithItsCaption) {
    Open();
    EXPECT_EQ(window->Widget()->windowTitle(), ToQString(base::kProgramTitle));
    EXPECT_FALSE(window->Widget()->windowIcon().isNull());
    ExpectShown(IdleWindow());
    EXPECT_FALSE(Find<QCheckBox>("chkOptions(0)")->isVisible());
    // The shadow lies one pixel right of and below the title, and under it.
    auto* shadow = Find<QLabel>("lblAppName(0)");
    auto* front = Find<QLabel>("lblAppName(1)");
    EXPECT_EQ(shadow->text(), front->text());
    EXPECT_EQ(shadow->geometry().topLeft() - front->geometry().topLeft(), QPoint(1, 1));
    const QObjectList banner = shadow->parent()->children();
    EXPECT_LT(banner.indexOf(shadow), banner.indexOf(front));
    EXPECT_GE(window->Widget()->width(), 521);
    EXPECT_GE(window->Widget()->height(), 351);

    // Tab walks the tab stops in their order; the disabled REPORT is passed.
    Find<QCheckBox>("chkOptions(1)")->setFocus();
    std::vector<std::wstring> walk;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk.push_back(QApplication::focusWidget()->objectName().toStdWString());
    }
    EXPECT_EQ(walk, TabWalk());
}

TEST_F(QtWindowTest, ARunShowsProgressResultsAndDetails) {
    Open();
    auto* list = Find<QListWidget>("lstInfoUserItems");
    Find<QCheckBox>("chkOptions(2)")->click();
    bool pumped = false;
    AtPump(1, [&] {
        pumped = true;
        ExpectShown(DuringRun());
        EXPECT_EQ(window->Widget()->cursor().shape(), Qt::WaitCursor);
    });
    Find<QPushButton>("cmdStart")->click();
    EXPECT_TRUE(pumped);
    ExpectShown(AfterRun());
    EXPECT_EQ(window->Widget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(Lines(), SampleLines());
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(255, 0, 0));
    // No caption is cut, by its own size or by its container.
    for (QLabel* label : window->Widget()->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        const std::string name = label->objectName().toStdString();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
        } else {
            EXPECT_LE(label->sizeHint().width(), label->width()) << name;
        }
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry())) << name;
    }
    for (QAbstractButton* button : window->Widget()->findChildren<QAbstractButton*>()) {
        if (!button->isVisible()) continue;
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    }

    // The keyboard picks a line; Enter shows its description and link.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(Find<QLabel>("lblInfoUserFooter")->isVisible()) << "arrows alone show nothing";
    QTest::keyClick(list, Qt::Key_Return);
    ExpectShown(Details(L"Popis Alfa", L"alfa.htm"));
    auto* link = Find<QLabel>("lblInfoUserFooterUrl");
    EXPECT_EQ(link->toolTip(), "http://help.example/fw/alfa.htm");
    EXPECT_TRUE(link->font().bold() && link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor) << "the hand cursor";
    // A link that looks like markup is shown as it is, never interpreted.
    frm->Controls().lblInfoUserFooterUrl->ToolTip(L"<img src=\"x.png\">");
    QTextDocument shown;
    shown.setHtml(link->toolTip());
    EXPECT_EQ(shown.toPlainText(), "<img src=\"x.png\">");

    // Hovering a line: the hand and the hint; below the lines: neither.
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseMove(list->viewport(), second.center());
    EXPECT_EQ(list->viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(list->toolTip(), ToQString(GetString(111)));
    QTest::mouseMove(list->viewport(), QPoint(second.center().x(), second.bottom() + second.height()));
    EXPECT_NE(list->viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(list->toolTip(), "");
}

TEST_F(QtWindowTest, EscapeDuringARunClosesTheWindowOnceTheRunHasUnwound) {
    Open();
    // Past the run's first pumps, so the check itself sees the cancel.
    bool closeBoxRefused = false;
    AtPump(3, [&] {
        QTest::keyClick(window->Widget(), Qt::Key_Escape);
        // The close box asks the same question and is refused as well.
        closeBoxRefused = !window->Widget()->close();
    });
    Find<QPushButton>("cmdStart")->click();
    EXPECT_TRUE(closeBoxRefused);
    EXPECT_EQ(frm->LastResult(), -1);
    EXPECT_EQ(Text("lblInfoUserHeader"), ToQString(GetString(104)));
    EXPECT_TRUE(window->Loaded()) << "the close waits for the close timer";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Loaded(); }, 10000));
    EXPECT_FALSE(window->Widget()->isVisible());
}

TEST_F(QtWindowTest, StartWithNoCheckTypeAsksInAMessageBox) {
    Open();
    Find<QCheckBox>("chkOptions(1)")->click();
    bool answered = false;
    // The box runs its own loop; a timer answers it from there.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        answer.stop();
        EXPECT_EQ(box->text(), ToQString(GetString(501)));
        EXPECT_EQ(box->windowTitle(), ToQString(base::kProgramTitle));
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        answered = true;
        box->accept();
    });
    answer.start(10);
    // Alt+S is START's access key; the button shows itself pressed first.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 10000));
    EXPECT_EQ(frm->LastResult(), frmMain::kNoRun);
}

TEST(QtWindowFitTest, AWindowGrowsEvenlyRatherThanCutACaption) {
    ui::qt::QtToolkit toolkit;
    const struct {
        ui::toolkit::Twips width;
        bool grows;
    } cases[] = {{1275, false}, {900, true}};
    for (const auto& c : cases) {
        auto window = toolkit.NewWindow(L"frmFit");
        window->ClientSize(ui::toolkit::Size{3000, 1500});
        ui::toolkit::Button& button = window->AddButton(L"cmdFit");
        button.Bounds(ui::toolkit::Rect{150, 150, c.width, 435});
        button.Caption(L"&START");
        window->Show();
        auto& qtWindow = dynamic_cast<ui::qt::QtWindow&>(*window);
        auto* widget = qtWindow.Widget()->findChild<QPushButton*>(QStringLiteral("cmdFit"));
        EXPECT_EQ(qtWindow.LayoutDpi() > 96, c.grows);
        EXPECT_LE(widget->sizeHint().width(), widget->width());
        // The window grew with the button, so the button still fits inside.
        EXPECT_TRUE(qtWindow.Widget()->rect().contains(widget->geometry()));
        EXPECT_EQ(button.Bounds().Width, c.width) << "the layout keeps its twips";
    }
}

TEST(QtListBoxTest, LinesDataAndTheLineNearestToAPoint) {
    ui::qt::QtToolkit toolkit;
    auto window = toolkit.NewWindow(L"frmList");
    window->ClientSize(ui::toolkit::Size{4500, 3000});
    ui::toolkit::ListBox& list = window->AddListBox(L"lstList");
    list.Bounds(ui::toolkit::Rect{0, 0, 4500, 3000});
    window->Show();
    auto* widget = dynamic_cast<ui::qt::QtWindow&>(*window).Widget()->findChild<QListWidget*>(QStringLiteral("lstList"));
    const auto twips = [](int pixels) { return ui::toolkit::TwipsFromPixels(pixels); };

    EXPECT_EQ(list.ItemFromPoint(twips(5), twips(5)).Line, -1) << "an empty list";
    list.AddItem(L"b");
    list.AddItem(L"a", 0);
    list.AddItem(L"c", -1);
    list.ItemData(1, 7);
    EXPECT_EQ((std::vector<std::wstring>{list.List(0), list.List(1), list.List(2)}), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(list.ItemData(1), 7);
    for (const auto& bad : std::vector<std::function<void()>>{[&] { list.ItemData(3); }, [&] { list.RemoveItem(3); },
                                                            [&] { list.AddItem(L"x", 4); }, [&] { list.ListIndex(3); }}) {
        EXPECT_THROW(bad(), base::VbError);
    }
    // A line, below the lines and left of the list.
    const QRect second = widget->visualItemRect(widget->item(1));
    const QRect last = widget->visualItemRect(widget->item(2));
    const struct {
        QPoint at;
        int32_t line;
        bool outside;
    } points[] = {
        {second.center(), 1, false},
        {{second.center().x(), last.bottom() + 20}, 2, true},
        {{-3, second.center().y()}, 1, true},
    };
    for (const auto& p : points) {
        const ui::toolkit::ListHit hit = list.ItemFromPoint(twips(p.at.x()), twips(p.at.y()));
        EXPECT_EQ(hit.Line, p.line) << p.at.x() << "," << p.at.y();
        EXPECT_EQ(hit.Outside, p.outside) << p.at.x() << "," << p.at.y();
    }
    list.ListIndex(2);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1) << "the selected line moves up with the lines";
}

}  // namespace
