// Whole runs through the real window on the offscreen platform.
//   bench_window generate N   click "生成账号" with the initial format and N
//                              accounts; time until the completion message
//   bench_window export N     the same list, then "导出数据" to a file; time
//                              from the confirmed dialog to the success message
// Each prints seconds, accounts per second and peak memory (VmHWM).

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "../tests/gui_support.h"
#include "accounts/builder.h"
#include "accounts/pump.h"
#include "export/export_accounts.h"
#include "shell/pump.h"

namespace {

long StatusKb(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, std::strlen(field)) == 0) kb = std::atol(line + std::strlen(field) + 1);
    }
    if (status) std::fclose(status);
    return kb;
}

void ResetPeak() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_window generate|export COUNT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    SetPumpHook(&PumpEvents);
    const std::string mode = argv[1];
    const long count = std::atol(argv[2]);
    LoadMainWindow({{"GenerateAccounts", &GenerateAccounts}, {"ExportAccounts", &ExportAccounts}});
    SetBox("编辑框5", QString::number(count));
    const long baselineKb = StatusKb("VmRSS:");

    QElapsedTimer clock;
    double generateSeconds = 0;
    {
        ModalDriver driver;
        driver.Then([&](QWidget*) { generateSeconds = clock.nsecsElapsed() / 1e9; });
        clock.start();
        Click("按钮1");
    }
    const long afterGenerateKb = StatusKb("VmHWM:");
    if (mode == "generate") {
        std::printf("generate %ld accounts: %.3f s, %.0f accounts/s, peak memory %.1f MB (%.1f MB before the run)\n",
                    count, generateSeconds, count / generateSeconds, afterGenerateKb / 1024.0, baselineKb / 1024.0);
        ShutDown();
        return 0;
    }

    QTemporaryDir folder;
    const QString path = folder.filePath("export.txt");
    const long beforeExportKb = StatusKb("VmRSS:");
    ResetPeak();
    double exportSeconds = 0;
    {
        ModalDriver driver;
        driver.Then([&](QWidget* dialog) {
            AcceptSaveDialog(dialog, path);
            clock.start();
        });
        driver.Then([&](QWidget*) { exportSeconds = clock.nsecsElapsed() / 1e9; });
        Click("按钮2");
    }
    const long peakKb = StatusKb("VmHWM:");
    const double listMb = QFile(path).size() / 1048576.0;
    std::printf("export %ld lines (%.1f MB): %.3f s, peak memory %.1f MB, %.1f MB above the window before the "
                "export (%.1f copies of the list)\n",
                count, listMb, exportSeconds, peakKb / 1024.0, (peakKb - beforeExportKb) / 1024.0,
                (peakKb - beforeExportKb) / 1024.0 / listMb);
    ShutDown();
    return 0;
}
