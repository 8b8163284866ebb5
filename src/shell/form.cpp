#include "shell/form.h"

namespace {

constexpr EditStyle kNone = EditStyle::NotAnEdit;

// kind, title, file name, filter, filter index, initial folder, default
// extension, file must exist, prompt before overwriting, path must exist
const FileDialogDescription kExportDialog{
    true, "", "", "", 0, "", "文本文件(*.txt)|*.txt", true, true, true,
};

// clang-format off
const FormDescription kMainWindow{
    {"账号生成器  作者：开发组", 364, 306, true, false},
    {{
        // kind                   name          left  top  width height  visible disabled tabStop order text          onClick            edit                      border  dialog
        {ControlKind::Label,      "标签6",        -8, 248,  376,  32,    true,   false,   false,  0, "",            nullptr,           kNone,                    true, nullptr},
        {ControlKind::FileDialog, "导出对话框",    72, 104,   40,  32,    false,  false,   false,  0, "",            nullptr,           kNone,                    false, &kExportDialog},
        {ControlKind::Button,     "按钮2",       176, 208,  168,  32,    true,   false,   true,   0, "导出数据",     "ExportAccounts",  kNone,                    false, nullptr},
        {ControlKind::Button,     "按钮1",       176, 168,  168,  32,    true,   false,   true,   0, "生成账号",     "GenerateAccounts", kNone,                   false, nullptr},
        {ControlKind::EditBox,    "编辑框6",     248,  96,   72,  24,    true,   false,   true,   0, "163.com",     nullptr,           EditStyle::SingleLeft,    false, nullptr},
        {ControlKind::CheckBox,   "选择框1",     176,  96,   72,  24,    true,   false,   true,   0, "生成邮箱",     nullptr,           kNone,                    false, nullptr},
        {ControlKind::Label,      "标签1",       264,  32,   40,  24,    true,   false,   false,  0, "汉字 +",      nullptr,           kNone,                    false, nullptr},
        {ControlKind::EditBox,    "编辑框2",     176,  32,   24,  24,    true,   false,   true,   0, "",            nullptr,           EditStyle::SingleCentred, false, nullptr},
        {ControlKind::EditBox,    "编辑框5",     232,  64,   48,  24,    true,   false,   true,   0, "100",         nullptr,           EditStyle::SingleCentred, false, nullptr},
        {ControlKind::Label,      "标签5",       176,  64,   56,  24,    true,   false,   false,  0, "生成数量：",   nullptr,           kNone,                    false, nullptr},
        {ControlKind::EditBox,    "编辑框4",     304,  32,   24,  24,    true,   false,   true,   0, "5",           nullptr,           EditStyle::SingleCentred, false, nullptr},
        {ControlKind::Label,      "标签4",       328,  32,   24,  24,    true,   false,   false,  0, "数字",         nullptr,           kNone,                    false, nullptr},
        {ControlKind::Label,      "标签3",       200,  32,   40,  24,    true,   false,   false,  0, "字母 +",      nullptr,           kNone,                    false, nullptr},
        {ControlKind::EditBox,    "编辑框3",     240,  32,   24,  24,    true,   false,   true,   0, "3",           nullptr,           EditStyle::SingleCentred, false, nullptr},
        {ControlKind::Label,      "标签2",       176,   8,   56,  24,    true,   false,   false,  0, "账号格式：",   nullptr,           kNone,                    false, nullptr},
        {ControlKind::EditBox,    "编辑框1",       8,   8,  160, 232,    true,   false,   true,   0, "",            nullptr,           EditStyle::MultiLine,     false, nullptr},
    }},
};
// clang-format on

}  // namespace

const FormDescription& MainWindowForm() { return kMainWindow; }
