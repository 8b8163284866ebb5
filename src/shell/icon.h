#pragma once
// The program's icon: a blue card with a list of accounts and an "@" badge,
// drawn for 16, 24, 32 and 48 pixels.

#include <QIcon>
#include <QImage>

QImage DrawProgramIcon(int size);
QIcon ProgramIcon();
