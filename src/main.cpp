// 账号生成器: the window, with its two buttons bound to the account builder and
// the export.

#include "accounts/builder.h"
#include "accounts/pump.h"
#include "export/export_accounts.h"
#include "shell/app.h"
#include "shell/pump.h"

int main(int argc, char** argv) {
    SetPumpHook(&PumpEvents);
    return RunProgram(argc, argv,
                      {{"GenerateAccounts", &GenerateAccounts}, {"ExportAccounts", &ExportAccounts}});
}
