// "生成账号" on the real window: the format check, the lines, the status line
// and what the user does during a run.

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "accounts/builder.h"
#include "accounts/pump.h"
#include "accounts/random.h"
#include "export/export_accounts.h"
#include "gui_support.h"
#include "shell/label.h"
#include "shell/pump.h"
#include "text/number.h"

namespace {

const std::vector<HandlerBinding> kProgram{{"GenerateAccounts", &GenerateAccounts},
                                           {"ExportAccounts", &ExportAccounts}};

const QString kDone = QStringLiteral("账号生成完毕！");

QList<QByteArray> Lines(const QByteArray& list) {
    QList<QByteArray> lines = list.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r')) return {QByteArray("<no CR>")};
        line.chop(1);
    }
    return lines;
}

bool IsHanziThenDigits(const QByteArray& line, int hanzi, int digits) {
    if (line.size() != 2 * hanzi + digits) return false;
    for (int i = 0; i < 2 * hanzi; ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b < 0xB0 || b > 0xDA) return false;
    }
    for (int i = 2 * hanzi; i < line.size(); ++i) {
        if (line[i] < '0' || line[i] > '9') return false;
    }
    return true;
}

void SetFormat(const QString& letters, const QString& hanzi, const QString& digits, const QString& count) {
    SetBox("编辑框2", letters);
    SetBox("编辑框3", hanzi);
    SetBox("编辑框4", digits);
    SetBox("编辑框5", count);
}

// Records the caption of a label each time it is painted.
class PaintRecorder : public QObject {
public:
    QStringList painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        auto* label = qobject_cast<Label*>(watched);
        painted << (label ? label->Caption() : QString());
        return false;
    }
};

std::uint32_t Tick1000() { return 1000; }

}  // namespace

class tst_Builder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareWindowTests();
        SetPumpHook(&TestPump::Pump);
    }
    void init() {
        TestPump::Reset();
        SetTickSource(nullptr);
    }

    void blankFormatIsRejected_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("hanzi");
        QTest::addColumn<QString>("digits");
        for (const char* l : {"", "0"})
            for (const char* h : {"", "0"})
                for (const char* d : {"", "0"})
                    QTest::addRow("\"%s\" \"%s\" \"%s\"", l, h, d) << l << h << d;
    }
    void blankFormatIsRejected() {
        QFETCH(QString, letters);
        QFETCH(QString, hanzi);
        QFETCH(QString, digits);
        LoadedWindow w(kProgram);
        SetFormat(letters, hanzi, digits, "5");
        SetBox("编辑框1", "an old list\r\n");
        WriteCaption("标签6", TextFromUtf8("before"));
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), QStringList{QStringLiteral("请正确设置账号格式！")});
        QCOMPARE(ReadBox("编辑框1"), QString());
        QCOMPARE(ReadLabel("标签6"), QStringLiteral("before"));
        QCOMPARE(TestPump::calls, 0);
    }

    void countsThatReadAsZeroPass_data() {
        QTest::addColumn<QString>("count");
        QTest::newRow("00") << "00";
        QTest::newRow("space 0") << " 0";
        QTest::newRow("abc") << "abc";
        QTest::newRow("full-width zero") << QStringLiteral("０");
    }
    void countsThatReadAsZeroPass() {
        QFETCH(QString, count);
        LoadedWindow w(kProgram);
        SetFormat(count, count, count, "4");
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), QStringList{kDone});
        QCOMPARE(ReadBoxBytes("编辑框1"), QByteArray("\r\n\r\n\r\n\r\n"));
        QCOMPARE(TestPump::calls, 0);  // no character, so no event processed
    }

    void initialFormMakesAHundredAccounts() {
        LoadedWindow w(kProgram);
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), QStringList{kDone});
        QCOMPARE(driver.seen().front().title, QStringLiteral("信息："));
        const QByteArray list = ReadBoxBytes("编辑框1");
        QCOMPARE(list.size(), 1300);
        const QList<QByteArray> lines = Lines(list);
        QCOMPARE(lines.size(), 100);
        for (const QByteArray& line : lines) QVERIFY2(IsHanziThenDigits(line, 3, 5), line.toHex().constData());
        QCOMPARE(ReadLabel("标签6"), QStringLiteral("  账号生成完毕！"));
        QCOMPARE(TestPump::calls, 800);  // once after every character
    }

    void noAccountsStillFinish_data() {
        QTest::addColumn<QString>("count");
        for (const char* c : {"0", "-3", "abc", ""}) QTest::newRow(*c ? c : "empty") << c;
    }
    void noAccountsStillFinish() {
        QFETCH(QString, count);
        LoadedWindow w(kProgram);
        SetBox("编辑框5", count);
        SetBox("编辑框1", "old");
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), QStringList{kDone});
        QCOMPARE(ReadBox("编辑框1"), QString());
        QCOMPARE(ReadLabel("标签6"), QStringLiteral("  账号生成完毕！"));
    }

    void mailOption_data() {
        QTest::addColumn<QString>("domain");
        QTest::newRow("163.com") << "163.com";
        QTest::newRow("no domain") << "";
        QTest::newRow("outside code page 936") << QStringLiteral("ä😀.example");
    }
    void mailOption() {
        QFETCH(QString, domain);
        LoadedWindow w(kProgram);
        SetFormat("2", "", "1", "3");
        w.control<QLineEdit>("编辑框6")->setText(domain);
        w.control<QCheckBox>("选择框1")->setChecked(true);
        ModalDriver driver;
        Click("按钮1");
        const QStringList lines = ReadBox("编辑框1").split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.last(), QString());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i].size(), 3 + 1 + domain.size());
            QVERIFY(lines[i].endsWith(QLatin1Char('@') + domain));
        }
    }

    void exactLinesForAFixedTick() {
        LoadedWindow w(kProgram);
        SetTickSource(&Tick1000);
        RestoreRandomState({});
        SetFormat("3", "2", "4", "1");
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(ReadBoxBytes("编辑框1"), QByteArray("cfr\xD8\xB7\xDA\xCD" "4862\r\n"));
        // The character shown is what the bytes are in code page 936.
        QCOMPARE(ReadBox("编辑框1"), QStringLiteral("cfr胤谕4862\r\n"));
    }

    void changesDuringARun() {
        LoadedWindow w(kProgram);
        SetFormat("", "1", "1", "6");  // 2 characters, so 2 pumps per account
        // During account 3: more letters from its next count read on, the
        // number of accounts is not read again, the mail option and the
        // domain apply from the next line.
        TestPump::At(5, [] {
            SetBox("编辑框5", "1");
            SetBox("编辑框4", "3");
            WriteChecked("选择框1", 1);
            SetBox("编辑框6", "x.cn");
        });
        ModalDriver driver;
        Click("按钮1");
        const QList<QByteArray> lines = Lines(ReadBoxBytes("编辑框1"));
        QCOMPARE(lines.size(), 6);
        QVERIFY(IsHanziThenDigits(lines[0], 1, 1));
        QVERIFY(IsHanziThenDigits(lines[1], 1, 1));
        // Account 3 was at its Chinese character: its digits read the new count.
        QVERIFY(lines[2].endsWith("@x.cn"));
        QVERIFY(IsHanziThenDigits(lines[2].chopped(5), 1, 3));
        for (int i = 3; i < 6; ++i) QVERIFY(IsHanziThenDigits(lines[i].chopped(5), 1, 3));
    }

    void typingIntoTheListDuringARunStays() {
        LoadedWindow w(kProgram);
        SetFormat("1", "", "", "4");
        TestPump::At(2, [&] {
            auto* list = w.control<QPlainTextEdit>("编辑框1");
            list->setFocus();
            list->moveCursor(QTextCursor::End);
            QTest::keyClicks(list, "typed");
        });
        ModalDriver driver;
        Click("按钮1");
        const QList<QByteArray> lines = Lines(ReadBoxBytes("编辑框1"));
        QCOMPARE(lines.size(), 4);
        // Typed after line 1, then account 2 was appended right behind it.
        QVERIFY(lines[1].startsWith("typed"));
        QCOMPARE(lines[1].size(), 6);
    }

    void secondClickStartsANestedRun() {
        LoadedWindow w(kProgram);
        SetFormat("", "1", "1", "3");
        TestPump::At(3, [] { Click("按钮1"); });  // during account 2
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), (QStringList{kDone, kDone}));
        // The nested run's 3 lines, then accounts 2 and 3 of the first run;
        // account 1 went when the nested run emptied the list.
        QCOMPARE(Lines(ReadBoxBytes("编辑框1")).size(), 5);
        QCOMPARE(ReadLabel("标签6"), QStringLiteral("  账号生成完毕！"));
    }

    void exportDuringARunSavesTheLinesSoFar() {
        QTemporaryDir folder;
        const QString path = folder.filePath("during.txt");
        LoadedWindow w(kProgram);
        SetFormat("", "2", "3", "5");
        TestPump::At(5 * 2 + 1, [] { Click("按钮2"); });  // as account 3 begins
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, path); });
        driver.ThenDismiss();  // "数据导出成功！"
        driver.ThenDismiss();  // "账号生成完毕！"
        Click("按钮1");
        QCOMPARE(driver.texts(), (QStringList{QStringLiteral("数据导出成功！"), kDone}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QCOMPARE(Lines(saved).size(), 2);
        QVERIFY(ReadBoxBytes("编辑框1").startsWith(saved));
        QCOMPARE(Lines(ReadBoxBytes("编辑框1")).size(), 5);
    }

    void statusLineAsPainted() {
        LoadedWindow w(kProgram);
        QVERIFY(QTest::qWaitForWindowExposed(w.window()));
        PaintRecorder recorder;
        w.control("标签6")->installEventFilter(&recorder);
        PaintRecorder listPaints;
        w.control<QPlainTextEdit>("编辑框1")->viewport()->installEventFilter(&listPaints);
        // A slow run, so that frames are painted while it goes.
        SetFormat("", "", "20", "30");
        TestPump::everyCall = [] { QThread::usleep(300); };
        ModalDriver driver;
        QElapsedTimer run;
        run.start();
        Click("按钮1");
        // The list is repainted once a frame at most, not once a line.
        QVERIFY2(listPaints.painted.size() <= run.elapsed() / FrameClock::kFrameMilliseconds + 4,
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(listPaints.painted.size()).arg(run.elapsed())));
        QTRY_VERIFY(recorder.painted.contains(QStringLiteral("  账号生成完毕！")));
        bool sawProgress = false;
        for (const QString& caption : recorder.painted) {
            if (caption.isEmpty() || caption == QStringLiteral("  账号生成完毕！")) continue;
            sawProgress = true;
            // Painted while a later account was made: never the last one's.
            QVERIFY2(QRegularExpression(QStringLiteral("^  正在生成第([1-9]|[12][0-9])个账号\\.\\.\\.$")).match(caption).hasMatch(),
                     qPrintable(caption));
        }
        QVERIFY(sawProgress);

        // With a single account no progress is ever painted.
        recorder.painted.clear();
        SetBox("编辑框5", "1");
        Click("按钮1");
        QTRY_VERIFY(!recorder.painted.isEmpty());
        for (const QString& caption : recorder.painted) QVERIFY2(!caption.contains(QStringLiteral("正在")), qPrintable(caption));
    }

    void garbageInTheCountBoxes_data() {
        QTest::addColumn<int>("seed");
        for (int seed : {1, 2, 3, 4, 5, 6}) QTest::addRow("seed %d", seed) << seed;
    }
    void garbageInTheCountBoxes() {
        // Ten thousand characters of everything a box can hold: control
        // characters, replacement characters (what a lone lead byte shows as),
        // full-width digits and signs, blanks, Chinese, characters outside
        // code page 936.
        QFETCH(int, seed);
        QRandomGenerator random(static_cast<quint32>(seed));
        const QString pool = QStringLiteral("\x01\x02\t\x7f\uFFFD０１２３４５６７８９－＋　 -+abcXYZ汉字数ä😀\u2029\r\n");
        auto garbage = [&] {
            QString text;
            while (text.size() < 10000) text += pool[static_cast<int>(random.bounded(static_cast<quint32>(pool.size())))];
            // Keep the run short: a count that reads as more than 20 gets a letter in front.
            if (TextToInt(ToText(text)) > 20) text.prepend(QLatin1Char('x'));
            return text;
        };
        LoadedWindow w(kProgram);
        const QString boxes[3] = {garbage(), garbage(), garbage()};
        SetFormat(boxes[0], boxes[1], boxes[2], "3");
        ModalDriver driver;
        Click("按钮1");
        QCOMPARE(driver.texts(), QStringList{kDone});
        int expected = 0;
        const int weights[3] = {1, 2, 1};
        for (int i = 0; i < 3; ++i) expected += weights[i] * qMax(0, static_cast<int>(TextToInt(ToText(boxes[i]))));
        const QList<QByteArray> lines = Lines(ReadBoxBytes("编辑框1"));
        QCOMPARE(lines.size(), 3);
        for (const QByteArray& line : lines) QCOMPARE(line.size(), expected);
    }

    void closingTheWindowDuringARun() {
        LoadedWindow w(kProgram);
        SetBox("编辑框5", "2147483647");
        TestPump::At(1000, [&] { w.window()->close(); });
        ModalDriver driver;
        QTimer::singleShot(0, [] { Click("按钮1"); });
        QCOMPARE(RunEventLoop(), 0);
        QVERIFY(!w.window()->isVisible());
        QVERIFY(driver.seen().isEmpty());
        // The generator finished its fragment, then nothing was dispatched.
        QVERIFY(TestPump::calls < 1000 + 8);
    }
};

QTEST_MAIN(tst_Builder)
#include "builder_test.moc"
