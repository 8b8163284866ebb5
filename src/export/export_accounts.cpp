#include "export/export_accounts.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "export/file_writer.h"
#include "export/save_dialog.h"
#include "shell/controls.h"
#include "shell/message.h"
#include "text/cp936.h"

namespace {

constexpr std::string_view kList = "编辑框1";
constexpr std::string_view kDialog = "导出对话框";

std::string DescribeError(int error) {
    switch (error) {
    case ENOENT: return "文件夹不存在。";
    case ENOTDIR: return "路径中有一部分不是文件夹。";
    case EISDIR: return "这是一个文件夹，不是文件。";
    case EACCES:
    case EPERM: return "没有写入权限。";
    case ENOSPC: return "磁盘空间不足。";
    case EDQUOT: return "超出了磁盘配额。";
    case EFBIG: return "文件超出了允许的大小。";
    case EROFS: return "文件系统是只读的。";
    case ENAMETOOLONG: return "文件名太长。";
    case ELOOP: return "符号链接的层数太多。";
    case ENXIO: return "这个命名管道没有读取方。";
    case EIO: return "输入输出错误。";
    default: return std::string("系统错误：") + std::strerror(error) + "。";
    }
}

}  // namespace

void ExportAccounts() {
    FileDialogSettings settings;
    if (!ReadDialogSettings(kDialog, settings)) return;
    settings.filter = TextFromUtf8("文本文件(*.txt)|*.txt");
    if (!WriteDialogSettings(kDialog, settings)) return;
    if (!ShowFileDialog(kDialog)) return;

    Bytes bytes;
    {
        Text list;
        if (!ReadText(kList, list)) return;
        bytes = TextToBytes(list);
    }
    if (const auto unsavable = FindUnsavable(bytes.view())) {
        ShowMessage(TextFromUtf8("数据未导出：第 " + std::to_string(unsavable->line) + " 行的字符" +
                                 DescribeCharacter(unsavable->codePoint) +
                                 "无法以 GBK（代码页 936）保存。\n列表没有改动；请删除或替换这个字符后再导出。"));
        return;
    }

    if (!ReadDialogSettings(kDialog, settings)) return;
    const WriteResult written = WriteBytesToFile(settings.fileName, {&bytes});
    if (written.ok()) {
        ShowMessage(TextFromUtf8("数据导出成功！"));
    } else {
        ShowMessage(TextFromUtf8("数据导出失败：无法写入文件“" + Cp936ToUtf8(settings.fileName.view()) + "”。\n" +
                                 DescribeError(written.error)));
    }
}
