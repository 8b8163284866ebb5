#include "shell/qt_text.h"

#include "text/cp936.h"

QString ToQString(const Text& text) {
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    const std::size_t units = DecodeCp936(text.view(), reinterpret_cast<char16_t*>(out.data()));
    out.truncate(static_cast<qsizetype>(units));
    return out;
}

Text ToText(QStringView text) {
    return EncodeCp936(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
}
