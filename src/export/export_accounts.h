#pragma once
// "导出数据": saves the list, byte for byte in code page 936, to a file that the
// user picks.
//
// Nothing is read or written unless the user confirms a file. A list holding
// a character that code page 936 cannot hold is not written at all: the
// message names the character and its line, and the list stays as it is. A
// failed write names the file and the reason, and the old file stays intact
// (export/file_writer.h).

void ExportAccounts();
