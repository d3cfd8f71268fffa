// The Chinese string table (language 2052), in code page 936.
// Each text is written as its bytes; the line comment shows it in UTF-8.
#include <iterator>

#include "resimage.h"
#include "resource.h"

namespace {

const AFX_RESOURCE_STRING kChinese[] = {
    {IDS_EDIT, 2052, "\xb1\xe0\xbc\xad"},  // 编辑
    {IDS_SAVE, 2052, "\xb1\xa3\xb4\xe6"},  // 保存
    {IDS_SAVE_AS, 2052, "\xc1\xed\xb4\xe6\xce\xaa"},  // 另存为
    {IDS_FILTER_BRU, 2052, "\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd\xbf\xe2\xce\xc4\xbc\xfe(*.bru)|*.bru||"},  // 填充样式库文件(*.bru)|*.bru||
    {IDS_GO_UP, 2052, "\xb7\xb5\xbb\xd8\xc9\xcf\xd2\xbb\xbc\xb6\xa3\xbf"},  // 返回上一级？
    {IDS_OVERWRITE_SAME_ID, 2052, "\xb8\xb2\xb8\xc7\xb1\xe0\xba\xc5\xcf\xe0\xcd\xac\xb5\xc4\xd1\xf9\xca\xbd\xa3\xbf"},  // 覆盖编号相同的样式？
    {IDS_SAVE_FILE, 2052, "\xb1\xa3\xb4\xe6\xce\xc4\xbc\xfe\xa3\xbf"},  // 保存文件？
    {IDS_FILTER_BMP, 2052, "\xcd\xbc\xcf\xf1\xce\xc4\xbc\xfe(*.bmp)|*.bmp||"},  // 图像文件(*.bmp)|*.bmp||
    {IDS_ROOT_GROUP, 2052, "\xb8\xf9\xd7\xe9"},  // 根组
    {IDS_NEW_FILLSTYLE, 2052, "\xd0\xc2\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd"},  // 新填充样式
    {IDS_NEW_GROUP, 2052, "\xd0\xc2\xd7\xe9"},  // 新组
    {IDS_SETTING, 2052, "\xc9\xe8\xd6\xc3..."},  // 设置...
    {IDS_CLIPBOARD_LARGER, 2052, "\xbc\xf4\xcc\xf9\xb0\xe5\xd6\xd0\xb5\xc4\xcd\xbc\xcf\xf1\xb1\xc8\xce\xbb\xcd\xbc\xb4\xf3\xa3\xac\xca\xc7\xb7\xf1\xb7\xc5\xb4\xf3\xce\xbb\xcd\xbc\xa3\xbf"},  // 剪贴板中的图像比位图大，是否放大位图？
    {IDS_PREVIOUS, 2052, "\xc9\xcf\xd2\xbb\xbc\xb6"},  // 上一级
    {IDS_COL_NAME, 2052, "\xc3\xfb\xb3\xc6"},  // 名称
    {IDS_COL_GROUP_NAME, 2052, "\xd7\xe9\xc3\xfb"},  // 组名
    {IDS_COL_RESOLUTION, 2052, "\xb7\xd6\xb1\xe6\xc2\xca"},  // 分辨率
    {IDS_COL_SIZE, 2052, "\xb3\xdf\xb4\xe7"},  // 尺寸
    {IDS_COL_ITEM_COUNT, 2052, "\xcf\xee\xca\xfd"},  // 项数
    {IDS_COL_SUBGROUP_COUNT, 2052, "\xd7\xd3\xd7\xe9\xca\xfd"},  // 子组数
    {IDS_COL_CODE, 2052, "\xb1\xe0\xba\xc5"},  // 编号
    {IDS_GRADIENT_LINEAR, 2052, "\xcf\xdf\xd0\xd4"},  // 线性
    {IDS_GRADIENT_RADIAL, 2052, "\xbe\xb6\xcf\xf2"},  // 径向
    {IDS_GRADIENT_CONICAL, 2052, "\xd7\xb6\xd0\xce"},  // 锥形
    {IDS_GRADIENT_SQUARE, 2052, "\xb7\xbd\xd0\xce"},  // 方形
    {ID_EDITTOOL_SELECT, 2052, "\xd1\xa1\xd4\xf1"},  // 选择
    {ID_EDITTOOL_ERASE, 2052, "\xb2\xc1\xb3\xfd"},  // 擦除
    {ID_EDITTOOL_PEN, 2052, "\xbb\xad\xb1\xca"},  // 画笔
    {ID_EDITTOOL_LINE, 2052, "\xd6\xb1\xcf\xdf"},  // 直线
    {ID_EDITTOOL_QUARTER_ELLIPSE, 2052, "\xcb\xc4\xb7\xd6\xd6\xae\xd2\xbb\xcd\xd6\xd4\xb2"},  // 四分之一椭圆
    {ID_EDITTOOL_RECTANGLE, 2052, "\xbe\xd8\xd0\xce"},  // 矩形
    {ID_EDITTOOL_ELLIPSE, 2052, "\xcd\xd6\xd4\xb2"},  // 椭圆
    {ID_EDITTOOL_RECTANGLEFILL, 2052, "\xcc\xee\xb3\xe4\xbe\xd8\xd0\xce"},  // 填充矩形
    {ID_EDITTOOL_ELLIPSEFILL, 2052, "\xcc\xee\xb3\xe4\xcd\xd6\xd4\xb2"},  // 填充椭圆
    {ID_BRUSH_INVERT, 2052, "\xb7\xb4\xc9\xab"},  // 反色
    {ID_BRUSH_IMAGE, 2052, "\xb5\xbc\xc8\xeb\xcd\xbc\xcf\xf1\xce\xc4\xbc\xfe"},  // 导入图像文件
    {ID_FSL_EDITTOOL_SYMBOL, 2052, "\xd0\xc2\xbd\xa8\xb7\xfb\xba\xc5\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd"},  // 新建符号填充样式
    {ID_BRUSHLIB_NEW, 2052, "\xd0\xc2\xbd\xa8\xbf\xe2"},  // 新建库
    {ID_BRUSHLIB_OPEN, 2052, "\xb4\xf2\xbf\xaa\xbf\xe2"},  // 打开库
    {ID_BRUSHLIB_SAVE, 2052, "\xb1\xa3\xb4\xe6"},  // 保存
    {ID_BRUSHLIB_SAVEAS, 2052, "\xc1\xed\xb4\xe6\xce\xaa"},  // 另存为
    {ID_LOAD_SYSLIB, 2052, "\xd4\xd8\xc8\xeb\xcf\xb5\xcd\xb3\xc4\xac\xc8\xcf\xbf\xe2"},  // 载入系统默认库
    {ID_BRUSHLIB_SUBGROUP, 2052, "\xd0\xc2\xbd\xa8\xd7\xd3\xd7\xe9"},  // 新建子组
    {ID_BRUSH_NEW, 2052, "\xd0\xc2\xbd\xa8\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd"},  // 新建填充样式
    {ID_BRUSH_DELETE, 2052, "\xc9\xbe\xb3\xfd"},  // 删除
    {ID_BRUSH_CUT, 2052, "\xbc\xf4\xc7\xd0"},  // 剪切
    {ID_BRUSH_COPY, 2052, "\xb8\xb4\xd6\xc6"},  // 复制
    {ID_BRUSH_PASTE, 2052, "\xd5\xb3\xcc\xf9"},  // 粘贴
    {ID_BRUSH_ARRANGEPASTE, 2052, "\xc5\xc5\xc1\xd0\xd5\xb3\xcc\xf9"},  // 排列粘贴
    {ID_BRUSH_CLEAR, 2052, "\xc7\xe5\xb3\xfd"},  // 清除
    {ID_BRUSH_UNDO, 2052, "\xb3\xb7\xcf\xfa"},  // 撤销
    {ID_FSL_EXPORT_BMP, 2052, "\xb5\xbc\xb3\xf6""BMP\xce\xc4\xbc\xfe"},  // 导出BMP文件
    {ID_FSL_DIALOG_SETTING, 2052, "\xd1\xa1\xcf\xee"},  // 选项
};

}  // namespace

AFX_RESOURCE_SECTION(RegisterChineseStrings) {
  AfxRegisterStrings(hModule, kChinese, std::size(kChinese));
}
