#include "shell/message.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "shell/app.h"
#include "shell/qt_text.h"
#include "text/cp936.h"

int ShowMessage(const Text& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), ToQString(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
    case QMessageBox::Cancel: return 1;
    case QMessageBox::Abort: return 2;
    case QMessageBox::Retry: return 3;
    case QMessageBox::Ignore: return 4;
    case QMessageBox::Yes: return 5;
    case QMessageBox::No: return 6;
    default: return 0;
    }
}

void StopWithRuntimeError(const Text& message) {
    RaiseDispatchLock();  // for good: nothing reaches a handler any more
    const std::string utf8 = Cp936ToUtf8(message.view());
    std::fprintf(stderr, "account-generator: 运行时错误：%s\n", utf8.c_str());
    std::fflush(stderr);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("运行时错误"),
                        QStringLiteral("程序发生运行时错误，即将退出。\n\n") + ToQString(message), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.setWindowModality(Qt::NonModal);
        QEventLoop wait;
        QObject::connect(&box, &QMessageBox::finished, &wait, &QEventLoop::quit);
        box.show();
        wait.exec();
    }
    std::_Exit(255);
}
