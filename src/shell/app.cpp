#include "shell/app.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <unistd.h>

#include <climits>
#include <new>
#include <string>

#include "shell/icon.h"
#include "shell/main_window.h"
#include "shell/memory.h"
#include "shell/message.h"
#include "shell/translations.h"
#include "text/cp936.h"

namespace {

// The application record.
struct Shell {
    int dispatchLock = 0;
    bool loopEntered = false;
    bool quitRequested = false;
    int quitStatus = 0;
    QEventLoop* mainLoop = nullptr;
};
Shell g_shell;

// Catches what the toolkit throws when its own allocations fail, so that
// running out of memory ends the same way wherever it happens.
class ShellApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            StopForLackOfMemory(0);
        }
    }
};

// The folder of the program file becomes the current directory.
void EnterProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string::npos) return;
    folder.resize(slash ? slash : 1);
    if (chdir(folder.c_str()) != 0) {
        // Nothing of the program uses a relative path; carry on where we are.
    }
}

}  // namespace

void RaiseDispatchLock() { ++g_shell.dispatchLock; }
void LowerDispatchLock() {
    if (g_shell.dispatchLock > 0) --g_shell.dispatchLock;
}
bool DispatchLocked() { return g_shell.dispatchLock > 0; }

void RunHandler(void (*handler)()) {
    if (!handler || DispatchLocked() || g_shell.quitRequested) return;
    handler();
}

void RequestQuit(int status) {
    if (!g_shell.loopEntered || g_shell.quitRequested) return;
    g_shell.quitRequested = true;
    g_shell.quitStatus = status;
    if (g_shell.mainLoop) g_shell.mainLoop->exit(status);
}

bool QuitRequested() { return g_shell.quitRequested; }

void LoadMainWindow(const std::vector<HandlerBinding>& handlers) {
    g_shell = Shell{};
    const FormDescription& form = MainWindowForm();
    if (!FormIsComplete(form, handlers)) StopWithRuntimeError(TextFromUtf8("加载窗口数据失败。"));
    if (!QGuiApplication::primaryScreen()) StopWithRuntimeError(TextFromUtf8("加载启动窗口失败。"));
    QCoreApplication::processEvents();
    RaiseDispatchLock();
    auto* window = new MainWindow(form, handlers);
    SetCurrentMainWindow(window);
    window->ShowAndActivate();
    QCoreApplication::processEvents();
    LowerDispatchLock();
}

int RunEventLoop() {
    g_shell.loopEntered = true;
    MainWindow* window = CurrentMainWindow();
    if (!window || window->IsClosed()) return g_shell.quitStatus;
    QEventLoop loop;
    g_shell.mainLoop = &loop;
    const int status = loop.exec();
    g_shell.mainLoop = nullptr;
    return status;
}

void ShutDown() {
    RaiseDispatchLock();
    MainWindow* window = CurrentMainWindow();
    SetCurrentMainWindow(nullptr);
    delete window;
}

int RunProgram(int& argc, char** argv, const std::vector<HandlerBinding>& handlers) {
    EnterProgramFolder();
    InstallMemoryReserve();
    ShellApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("account-generator"));
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.accountgenerator.AccountGenerator"));
    InstallChineseTranslations(app);
    LoadMainWindow(handlers);
    const int status = RunEventLoop();
    ShutDown();
    ReleaseMemoryReserve();
    return status;
}
