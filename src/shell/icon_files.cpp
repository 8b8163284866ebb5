// Writes the program's icon as PNG files for installation:
//   account-generator-icons FOLDER   ->  FOLDER/NxN/apps/account-generator.png

#include <QDir>
#include <QGuiApplication>

#include "shell/icon.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) return 2;
    for (int size : {16, 24, 32, 48}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder)) return 1;
        if (!DrawProgramIcon(size).save(folder + QStringLiteral("/account-generator.png"))) return 1;
    }
    return 0;
}
