// The main window and the shell's shared operations, in-process on the
// offscreen platform.

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "gui_support.h"
#include "shell/label.h"
#include "shell/message.h"
#include "shell/pump.h"

namespace {

int g_generateClicks = 0;
int g_exportClicks = 0;
void CountGenerate() { ++g_generateClicks; }
void CountExport() { ++g_exportClicks; }

const std::vector<HandlerBinding> kCounting{{"GenerateAccounts", &CountGenerate}, {"ExportAccounts", &CountExport}};

const char* const kTabRing[] = {"编辑框1", "编辑框3", "编辑框4", "编辑框5", "编辑框2",
                                "选择框1", "编辑框6", "按钮1",   "按钮2"};

QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Counts the events of one type that reach an object.
class EventCounter : public QObject {
public:
    explicit EventCounter(QEvent::Type type) : type_(type) {}
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) ++count;
        return false;
    }

private:
    QEvent::Type type_;
};

constexpr QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::User + 1);

class Probe : public QObject {
public:
    int received = 0;
    bool event(QEvent* event) override {
        if (event->type() == kProbe) {
            ++received;
            return true;
        }
        return QObject::event(event);
    }
};

}  // namespace

class tst_Shell : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareWindowTests();
    }
    void init() { g_generateClicks = g_exportClicks = 0; }

    void initialState() {
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        QCOMPARE(ReadBox("编辑框1"), QString());
        QCOMPARE(ReadBox("编辑框2"), QString());
        QCOMPARE(ReadBox("编辑框3"), QStringLiteral("3"));
        QCOMPARE(ReadBox("编辑框4"), QStringLiteral("5"));
        QCOMPARE(ReadBox("编辑框5"), QStringLiteral("100"));
        QCOMPARE(ReadBox("编辑框6"), QStringLiteral("163.com"));
        QCOMPARE(ReadLabel("标签6"), QString());
        QCOMPARE(ReadLabel("标签2"), QStringLiteral("账号格式："));
        int checked = -1;
        QVERIFY(ReadChecked("选择框1", checked));
        QCOMPARE(checked, 0);
        QCOMPARE(w.control<QCheckBox>("选择框1")->text(), QStringLiteral("生成邮箱"));
        QCOMPARE(w.control<QPushButton>("按钮1")->text(), QStringLiteral("生成账号"));
        QCOMPARE(w.control<QPushButton>("按钮2")->text(), QStringLiteral("导出数据"));
        QCOMPARE(FocusName(), QStringLiteral("编辑框1"));
        QVERIFY(w.window()->windowTitle().startsWith(QStringLiteral("账号生成器")));
        QCOMPARE(w.window()->frameGeometry().size(), QSize(364, 306));
        QCOMPARE(w.window()->minimumSize(), w.window()->maximumSize());
        const Qt::WindowFlags flags = w.window()->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(w.window()->frameGeometry().topLeft(),
                 QPoint((screen.width() - 364) / 2, (screen.height() - 306) / 2));
        QCOMPARE(w.control("标签6")->geometry(), QRect(-8, 248, 376, 32));
        QCOMPARE(w.control("编辑框1")->geometry(), QRect(8, 8, 160, 232));
        auto* list = w.control<QPlainTextEdit>("编辑框1");
        QCOMPARE(list->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(w.control<QLineEdit>("编辑框3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(w.control<QLineEdit>("编辑框6")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        const QList<int> sizes = [&] {
            QList<int> s;
            for (QSize size : w.window()->windowIcon().availableSizes()) s << size.width();
            return s;
        }();
        for (int size : {16, 24, 32, 48}) QVERIFY2(sizes.contains(size), qPrintable(QString::number(size)));
    }

    void labelShowsAmpersandAndPaintsOnNextEvents() {
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        auto* status = w.control<Label>("标签6");
        EventCounter paints(QEvent::Paint);
        status->installEventFilter(&paints);
        QTest::qWait(FrameClock::kFrameMilliseconds + 5);
        paints.count = 0;
        QVERIFY(WriteCaption("标签6", TextFromUtf8("A&B")));
        QCOMPARE(paints.count, 0);  // not during the write
        PumpEvents();
        QTRY_VERIFY(paints.count > 0);
        QCOMPARE(ReadLabel("标签6"), QStringLiteral("A&B"));
    }

    void tabRing_data() {
        QTest::addColumn<bool>("backwards");
        QTest::newRow("Tab") << false;
        QTest::newRow("Shift+Tab") << true;
    }
    void tabRing() {
        QFETCH(bool, backwards);
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        const int n = std::size(kTabRing);
        for (int step = 1; step <= n; ++step) {
            QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            const int expected = backwards ? (n - step % n) % n : step % n;
            QCOMPARE(FocusName(), QString::fromUtf8(kTabRing[expected]));
        }
        // Tab in the list moves the focus; it never types a tab character.
        QCOMPARE(ReadBox("编辑框1"), QString());
    }

    void escapeClosesFromAnyControl_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"编辑框1", "编辑框2", "编辑框6", "选择框1", "按钮2"}) QTest::newRow(name) << QString::fromUtf8(name);
    }
    void escapeClosesFromAnyControl() {
        QFETCH(QString, control);
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        QWidget* target = w.window()->findChild<QWidget*>(control);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!w.window()->isVisible());
        // The controls are gone for the program from that moment on.
        Text text;
        QVERIFY(!ReadText("编辑框3", text));
        QVERIFY(!WriteText("编辑框1", Text()));
        QVERIFY(!WriteCaption("标签6", Text()));
        int checked = 0;
        QVERIFY(!ReadChecked("选择框1", checked));
        FileDialogSettings settings;
        QVERIFY(!ReadDialogSettings("导出对话框", settings));
        QVERIFY(!AppendText("编辑框1", Text()));
        QCOMPARE(DialogOwner(), nullptr);
    }

    void enterAndSpace() {
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        auto* generate = w.control<QPushButton>("按钮1");
        generate->setFocus();
        QTest::keyClick(generate, Qt::Key_Return);
        QTest::keyClick(generate, Qt::Key_Enter);
        QCOMPARE(g_generateClicks, 0);
        QTest::keyClick(generate, Qt::Key_Space);
        QCOMPARE(g_generateClicks, 1);
        // Enter in a single-line box does nothing either.
        auto* count = w.control<QLineEdit>("编辑框2");
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(FocusName(), QStringLiteral("编辑框2"));
        QCOMPARE(g_generateClicks + g_exportClicks, 1);
        // In the list Enter breaks the line.
        auto* list = w.control<QPlainTextEdit>("编辑框1");
        list->setFocus();
        QTest::keyClicks(list, "ab");
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClicks(list, "c");
        QCOMPARE(ReadBoxBytes("编辑框1"), QByteArray("ab\r\nc"));
    }

    void focusComesBackAfterAMessage() {
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        w.control("编辑框5")->setFocus();
        ModalDriver driver;
        driver.ThenDismiss();
        ShowMessage(TextFromUtf8("x"));
        w.window()->activateWindow();  // as the window manager does when the box goes
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        QTRY_COMPARE(FocusName(), QStringLiteral("编辑框5"));
    }

    void showMessage_data() {
        QTest::addColumn<QString>("body");
        QTest::newRow("text") << QStringLiteral("账号生成完毕！");
        QTest::newRow("empty") << QString();
        QTest::newRow("markup is shown as typed") << QStringLiteral("<b>1 < 2</b>");
    }
    void showMessage() {
        QFETCH(QString, body);
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowActive(w.window()));
        bool clickIgnored = false;
        ModalDriver driver;
        driver.Then([&](QWidget* box) {
            // While the box is shown the window takes no input.
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QCOMPARE(box->parentWidget(), nullptr);
            Click("按钮1");
            clickIgnored = g_generateClicks == 0;
        });
        QCOMPARE(ShowMessage(ToText(body)), 0);
        QVERIFY(clickIgnored);
        QCOMPARE(driver.seen().size(), 1);
        const ModalDriver::Seen& seen = driver.seen().front();
        QCOMPARE(seen.title, QStringLiteral("信息："));
        QCOMPARE(seen.text, body);
        QVERIFY(!seen.hasIcon);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
        // Input again after the box.
        Click("按钮1");
        QCOMPARE(g_generateClicks, 1);
    }

    void pumpHandlesPendingEvents() {
        LoadedWindow w(kCounting);
        Probe probe;
        for (int i = 0; i < 3; ++i) QCoreApplication::postEvent(&probe, new QEvent(kProbe));
        PumpEvents();
        QCOMPARE(probe.received, 3);
        PumpEvents();  // nothing pending
        QCOMPARE(probe.received, 3);
        // Window-system input (typing) goes through too, a moment later at most.
        auto* box = w.control<QLineEdit>("编辑框2");
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7"));
        PumpEvents();
        QCOMPARE(box->text(), QStringLiteral("7"));
    }

    void pumpStopsAtTheQuitRequest() {
        // The quit request exists once the loop runs: run it, with the test
        // inside it.
        LoadedWindow w(kCounting);
        Probe probe;
        int afterQuit = -1;
        QTimer::singleShot(0, [&] {
            QCoreApplication::postEvent(&probe, new QEvent(kProbe));
            w.window()->close();  // posts the quit request
            PumpEvents();
            PumpEvents();
            afterQuit = probe.received;
            QVERIFY(QuitRequested());
        });
        QCOMPARE(RunEventLoop(), 0);
        QCOMPARE(afterQuit, 0);
        QVERIFY(!w.window()->isVisible());
    }

    void noHandlerWhileTheDispatchLockIsRaised() {
        LoadedWindow w(kCounting);
        RaiseDispatchLock();
        Click("按钮1");
        Click("按钮2");
        LowerDispatchLock();
        QCOMPARE(g_generateClicks + g_exportClicks, 0);
        Click("按钮2");
        QCOMPARE(g_exportClicks, 1);
    }

    void loadingDropsWhatArrivesMeanwhile() {
        // Loading dispatches what is pending once before it raises the lock
        // and once, with the window built, before it lowers it: a click that
        // arrives in between reaches no handler.
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                if (!CurrentMainWindow() || !DispatchLocked()) return;
                Click("按钮1");
                clicked = true;
            });
        });
        LoadedWindow w(kCounting);
        QVERIFY(clicked);
        QCOMPARE(g_generateClicks, 0);
        QVERIFY(!DispatchLocked());
    }

    void listKeepsLongLinesAndLongText() {
        LoadedWindow w(kCounting);
        const QString longLine(5000, QLatin1Char('x'));
        SetBox("编辑框1", longLine + QStringLiteral("\r\n") + longLine);
        QCOMPARE(ReadBox("编辑框1").size(), 2 * 5000 + 2);
        auto* list = w.control<QPlainTextEdit>("编辑框1");
        QCOMPARE(list->document()->blockCount(), 2);  // no wrapping into more lines
        const QString big(100000, QLatin1Char('7'));
        SetBox("编辑框5", big);
        QCOMPARE(ReadBox("编辑框5").size(), big.size());
    }

    void appendKeepsWhatTheUserSees() {
        LoadedWindow w(kCounting);
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        auto* list = w.control<QPlainTextEdit>("编辑框1");
        QString lines;
        for (int i = 0; i < 200; ++i) lines += QStringLiteral("line %1\r\n").arg(i);
        SetBox("编辑框1", lines);
        list->verticalScrollBar()->setValue(50);
        for (int i = 0; i < 100; ++i) AppendText("编辑框1", TextFromUtf8("more\r\n"));
        QTest::qWait(FrameClock::kFrameMilliseconds * 3);
        QCOMPARE(list->verticalScrollBar()->value(), 50);
        // Every read sees every append, and typing lands after them.
        QCOMPARE(ReadBox("编辑框1").count(QStringLiteral("more")), 100);
        AppendText("编辑框1", TextFromUtf8("tail"));
        list->moveCursor(QTextCursor::End);
        QTest::keyClicks(list, "!");
        QVERIFY(ReadBox("编辑框1").endsWith(QStringLiteral("more\r\ntail!")));
    }

    void textThatCodePage936CannotHoldComesBackUnchanged() {
        LoadedWindow w(kCounting);
        const QString typed = QStringLiteral("mail-ä😀中");
        w.control<QLineEdit>("编辑框6")->setText(typed);
        QCOMPARE(ReadBox("编辑框6"), typed);
        SetBox("编辑框2", typed);
        QCOMPARE(w.control<QLineEdit>("编辑框2")->text(), typed);
    }
};

QTEST_MAIN(tst_Shell)
#include "shell_test.moc"
