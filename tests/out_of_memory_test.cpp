// Running out of memory ends the program through the fatal error box with
// status 255, and the report names the bytes asked for. Each case runs in a
// child process whose address space is limited.

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <sys/resource.h>
#include <unistd.h>
#include <QAbstractButton>

#include <cstdio>
#include <new>

#include "shell/memory.h"
#include "text/text.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Limits the address space to what the process uses now and a little more,
// so that a large request really fails. (The address sanitizer reserves
// terabytes of shadow memory, so there the request is simply impossible.)
std::size_t LimitAddressSpace() {
    if (kSanitized) return std::size_t(1) << 45;
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    const rlim_t now = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
    rlimit limit{now + (96u << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    return 512u << 20;
}

int Child(int argc, char** argv, const QString& how) {
    QApplication app(argc, argv);
    InstallMemoryReserve();
    // Dismiss the error box as a user would, once it is up.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                std::fprintf(stdout, "box: %s\n", box->text().toUtf8().constData());
                std::fflush(stdout);
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    dismiss.start(20);
    const std::size_t huge = LimitAddressSpace();
    if (how == "text") {
        TextBuilder builder(huge);
        builder.Append('x');
    } else {
        char* volatile block = new char[huge];
        block[0] = 1;
    }
    return 0;  // not reached
}

}  // namespace

class tst_OutOfMemory : public QObject {
    Q_OBJECT

private slots:
    void endsWithStatus255AndTheReport_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("a text value") << "text";
        QTest::newRow("operator new") << "new";
    }
    void endsWithStatus255AndTheReport() {
        QFETCH(QString, how);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "allocator_may_return_null=1:detect_leaks=0");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"--child", how});
        QVERIFY(child.waitForFinished(60000));
        const QString err = QString::fromUtf8(child.readAllStandardError());
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 255);
        QVERIFY2(err.contains(QStringLiteral("内存不足")), qPrintable(err));
        QVERIFY2(out.contains(QStringLiteral("box: 程序发生运行时错误")), qPrintable(out));
        // The number of bytes asked for is in the report.
        QVERIFY2(QRegularExpression(QStringLiteral("无法分配 \\d{9,} 字节")).match(err).hasMatch(), qPrintable(err));
    }
};

int main(int argc, char** argv) {
    if (argc >= 3 && QByteArray(argv[1]) == "--child") return Child(argc, argv, QString::fromUtf8(argv[2]));
    QCoreApplication app(argc, argv);
    tst_OutOfMemory test;
    return QTest::qExec(&test, argc, argv);
}

#include "out_of_memory_test.moc"
