#pragma once
// The toolkit's own texts (dialog buttons, the save dialog) in Chinese.

class QCoreApplication;

void InstallChineseTranslations(QCoreApplication& app);
