#pragma once
// Texts at the edge of the toolkit: a code page 936 Text shows as its
// characters, and what a box holds comes back as its code page 936 bytes, with
// nothing lost (see text/cp936.h for characters outside the code page).

#include <QString>
#include <QStringView>

#include "text/text.h"

QString ToQString(const Text& text);
Text ToText(QStringView text);
