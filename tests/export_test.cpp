// "导出数据" on the real window, through the real save dialog and message
// boxes, with real files.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "accounts/builder.h"
#include "accounts/pump.h"
#include "export/export_accounts.h"
#include "gui_support.h"
#include "shell/pump.h"

namespace {

const std::vector<HandlerBinding> kProgram{{"GenerateAccounts", &GenerateAccounts},
                                           {"ExportAccounts", &ExportAccounts}};
const QString kSaved = QStringLiteral("数据导出成功！");

QByteArray Contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Only the files a user would see: no stray temporary file stays behind.
QStringList FilesIn(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Exports through the dialog to `path`; `afterAccept` runs once the user
// has confirmed, before the file is written. Returns the messages shown.
QStringList ExportTo(const QString& path, const std::function<void()>& afterAccept = {}) {
    ModalDriver driver;
    driver.Then([&](QWidget* dialog) {
        AcceptSaveDialog(dialog, path);
        if (afterAccept) afterAccept();
    });
    Click("按钮2");
    return driver.texts();
}

// What a Chinese input method sends when the user picks the characters.
void TypeWithInputMethod(QWidget* target, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(target, &commit);
}

void Generate() {
    ModalDriver driver;
    Click("按钮1");
}

}  // namespace

class tst_Export : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareWindowTests();
        SetPumpHook(&TestPump::Pump);
    }
    void init() { TestPump::Reset(); }

    void initialListIsSavedByteForByte() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        Generate();
        const QString path = folder.filePath("accounts.txt");
        QCOMPARE(ExportTo(path), QStringList{kSaved});
        const QByteArray saved = Contents(path);
        QCOMPARE(saved.size(), 1300);
        QCOMPARE(saved, ReadBoxBytes("编辑框1"));
        QCOMPARE(saved.count("\r\n"), 100);
        QCOMPARE(FilesIn(folder), QStringList{"accounts.txt"});
    }

    void emptyListGivesAnEmptyFile() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        const QString fresh = folder.filePath("fresh.txt");
        QCOMPARE(ExportTo(fresh), QStringList{kSaved});
        QCOMPARE(Contents(fresh), QByteArray());
        // An existing file of that name is emptied (after the overwrite question).
        const QString old = folder.filePath("old.txt");
        Put(old, "old content\r\n");
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, old); });
        driver.Then(AnswerYes);
        Click("按钮2");
        QCOMPARE(driver.texts().last(), kSaved);
        QCOMPARE(Contents(old), QByteArray());
    }

    void overwriteAsksFirstAndReplacesEntirely() {
        QTemporaryDir folder;
        const QString path = folder.filePath("list.txt");
        Put(path, QByteArray(5000, 'o'));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        LoadedWindow w(kProgram);
        SetBox("编辑框1", "new\r\n");

        // "No" keeps the dialog open; cancelling then leaves the file alone.
        ModalDriver refuse;
        refuse.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, path); });
        refuse.Then([](QWidget* question) { static_cast<QMessageBox*>(question)->button(QMessageBox::No)->click(); });
        refuse.Then([](QWidget* dialog) { CancelDialog(dialog); });
        Click("按钮2");
        QCOMPARE(refuse.seen().size(), 1);  // the question, and no message after it
        QCOMPARE(Contents(path), QByteArray(5000, 'o'));

        ModalDriver confirm;
        confirm.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, path); });
        confirm.Then(AnswerYes);
        Click("按钮2");
        QCOMPARE(confirm.texts().last(), kSaved);
        QCOMPARE(Contents(path), QByteArray("new\r\n"));
        // The replacement keeps the old file's permissions.
        QCOMPARE(QFile::permissions(path) & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup);
        QCOMPARE(FilesIn(folder), QStringList{"list.txt"});
    }

    void cancelChangesNothing() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        SetBox("编辑框1", "first\r\n");
        ModalDriver first;
        first.Then([](QWidget* dialog) { CancelDialog(dialog); });
        Click("按钮2");
        QVERIFY(first.seen().isEmpty());
        QVERIFY(FilesIn(folder).isEmpty());

        const QString path = folder.filePath("kept.txt");
        QCOMPARE(ExportTo(path), QStringList{kSaved});
        SetBox("编辑框1", "second\r\n");
        QString startedAt;
        ModalDriver later;
        later.Then([&](QWidget* dialog) {
            startedAt = static_cast<QFileDialog*>(dialog)->selectedFiles().value(0);
            CancelDialog(dialog);
        });
        Click("按钮2");
        QVERIFY(later.seen().isEmpty());
        // The second showing starts at the path chosen before.
        QCOMPARE(startedAt, path);
        QCOMPARE(Contents(path), QByteArray("first\r\n"));
        FileDialogSettings settings;
        QVERIFY(ReadDialogSettings("导出对话框", settings));
        QCOMPARE(ToQString(settings.fileName), path);
        QCOMPARE(ToQString(settings.filter), QStringLiteral("文本文件(*.txt)|*.txt"));
    }

    void handEditedChineseIsSavedInCodePage936() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        auto* list = w.control<QPlainTextEdit>("编辑框1");
        list->setFocus();
        TypeWithInputMethod(list, QStringLiteral("张三"));
        QTest::keyClick(list, Qt::Key_Return);
        TypeWithInputMethod(list, QStringLiteral("李四"));
        QTest::keyClicks(list, "abc");
        TypeWithInputMethod(list, QStringLiteral("€"));
        const QString path = folder.filePath("hand.txt");
        QCOMPARE(ExportTo(path), QStringList{kSaved});
        QCOMPARE(Contents(path), QByteArray("\xD5\xC5\xC8\xFD\r\n\xC0\xEE\xCB\xC4" "abc\x80"));
    }

    void pathsLongerThan259Bytes() {
        QTemporaryDir root;
        QString folder = root.path();
        for (int i = 0; i < 4; ++i) folder += QLatin1Char('/') + QString(80, QChar(u'账'));  // 240 bytes a level in UTF-8
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/列表.txt");
        QVERIFY(path.toUtf8().size() > 900);
        LoadedWindow w(kProgram);
        SetBox("编辑框1", "long\r\n");
        QCOMPARE(ExportTo(path), QStringList{kSaved});
        QCOMPARE(Contents(path), QByteArray("long\r\n"));
        FileDialogSettings settings;
        ReadDialogSettings("导出对话框", settings);
        QCOMPARE(ToQString(settings.fileName), path);
    }

    void nameWithoutExtensionGetsTxt() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        SetBox("编辑框1", "x");
        QCOMPARE(ExportTo(folder.filePath("named")), QStringList{kSaved});
        QCOMPARE(Contents(folder.filePath("named.txt")), QByteArray("x"));
    }

    void dialogRefusesAMissingFolder() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        const QString path = folder.filePath("no/such/folder/a.txt");
        ModalDriver driver;
        QString warning;
        driver.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, path); });
        driver.Then([&](QWidget* box) {
            warning = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        driver.Then([](QWidget* dialog) { CancelDialog(dialog); });
        Click("按钮2");
        QVERIFY2(warning.contains(QStringLiteral("不存在")), qPrintable(warning));
        QVERIFY(!driver.texts().contains(kSaved));
    }

    void failedWritesSayWhyAndKeepTheOldFile_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reason");
        // The folder disappears between the dialog and the write.
        QTest::newRow("missing folder") << "removeFolder" << QStringLiteral("文件夹不存在");
        // A folder now stands where the file should go.
        QTest::newRow("target is a folder") << "folderAtTarget" << QStringLiteral("文件夹，不是文件");
        // The test process caps its own file size, so the write fails half-way.
        QTest::newRow("write fails half-way") << "sizeCap" << QStringLiteral("超出了允许的大小");
    }
    void failedWritesSayWhyAndKeepTheOldFile() {
        QFETCH(QString, how);
        QFETCH(QString, reason);
        QTemporaryDir root;
        const QString folder = root.filePath("out");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/accounts.txt";
        if (how == "sizeCap") Put(path, "precious\r\n");
        LoadedWindow w(kProgram);
        Generate();

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) {
            AcceptSaveDialog(dialog, path);
            if (how == "removeFolder") QDir(folder).removeRecursively();
            if (how == "folderAtTarget") QDir().mkpath(path);
            if (how == "sizeCap") {
                rlimit cap = saved;
                cap.rlim_cur = 512;
                setrlimit(RLIMIT_FSIZE, &cap);
            }
        });
        if (how == "sizeCap") driver.Then(AnswerYes);  // the overwrite question
        Click("按钮2");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        const QStringList texts = driver.texts();
        QVERIFY(!texts.isEmpty());
        const QString message = texts.last();
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY(!texts.contains(kSaved));
        if (how == "sizeCap") {
            QCOMPARE(Contents(path), QByteArray("precious\r\n"));
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"accounts.txt"});
        }
    }

    void deviceTargetIsWrittenInPlace() {
        QTemporaryDir folder;
        const QString path = folder.filePath("null-device.txt");
        // A node of our own with the numbers of the null device, never /dev itself.
        if (mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) QSKIP("cannot make a device node here");
        LoadedWindow w(kProgram);
        Generate();
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) { AcceptSaveDialog(dialog, path); });
        driver.Then([](QWidget* box) {  // the overwrite question, where the dialog asks one
            if (auto* question = qobject_cast<QMessageBox*>(box); question && question->button(QMessageBox::Yes)) AnswerYes(box);
        });
        Click("按钮2");
        QCOMPARE(driver.texts().last(), kSaved);
        struct stat node {};
        QCOMPARE(stat(QFile::encodeName(path).constData(), &node), 0);
        QVERIFY(S_ISCHR(node.st_mode));
        QCOMPARE(FilesIn(folder), QStringList{"null-device.txt"});
    }

    void listPastedFullOfUnsavableCharactersDuringARun() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        SetBox("编辑框5", "50");
        QString pasted;
        for (int i = 0; i < 2000; ++i) pasted += QStringLiteral("😀ä\u00A0");
        // Halfway through the run the user pastes into the list.
        TestPump::Reset();
        TestPump::At(200, [&] {
            auto* box = w.control<QPlainTextEdit>("编辑框1");
            box->moveCursor(QTextCursor::End);
            box->insertPlainText(pasted);
        });
        Generate();
        const QString list = ReadBox("编辑框1");
        QVERIFY(list.contains(pasted));
        const QString path = folder.filePath("pasted.txt");
        const QStringList texts = ExportTo(path);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("U+1F600")), qPrintable(texts[0]));
        QVERIFY(!QFile::exists(path));
        QVERIFY(FilesIn(folder).isEmpty());
        QCOMPARE(ReadBox("编辑框1"), list);  // nothing lost
    }

    void characterOutsideCodePage936IsRefused() {
        QTemporaryDir folder;
        LoadedWindow w(kProgram);
        const QString list = QStringLiteral("abc\r\n中文ä\r\n");
        SetBox("编辑框1", list);
        const QString path = folder.filePath("refused.txt");
        const QStringList texts = ExportTo(path);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(QStringLiteral("第 2 行")), qPrintable(texts[0]));
        QVERIFY2(texts[0].contains(QStringLiteral("“ä”(U+00E4)")), qPrintable(texts[0]));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(ReadBox("编辑框1"), list);
    }
};

QTEST_MAIN(tst_Export)
#include "export_test.moc"
