#include "gui/app/MenuTable.h"

namespace kelvo {
namespace {

using C = MenuCommand;
using W = WindowClass;

constexpr MenuItemSpec Sub(const char* name, const char* within, const char* caption) {
  return {name, within, caption, C::Submenu, W::Form9, 0, ""};
}
constexpr MenuItemSpec Sep(const char* name, const char* within) {
  return {name, within, "-", C::Separator, W::Form9, 0, ""};
}
constexpr MenuItemSpec Win(const char* name, const char* within, const char* caption, W cls,
                           int mode, const char* captionSet = "") {
  return {name, within, caption, C::OpenWindow, cls, mode, captionSet};
}
constexpr MenuItemSpec Cmd(const char* name, const char* within, const char* caption, C command) {
  return {name, within, caption, command, W::Form9, 0, ""};
}

constexpr MenuItemSpec kMenu[] = {
    Sub("menudian", "", "点估计(&A)"),
    Win("menu01", "menudian", "0-1分布", W::Form9, 1, "0-1分布点估计"),
    Win("menuex", "menudian", "二项分布", W::Form9, 2, "二项分布"),
    Win("menubs", "menudian", "泊松分布", W::Form9, 3, "泊松分布"),
    Sep("menuspace1", "menudian"),
    Win("menujy", "menudian", "均匀分布", W::Form9, 4, "均匀分布"),
    Win("menuzt", "menudian", "正态分布", W::Form9, 5, "正态分布"),
    Win("menuzs", "menudian", "指数分布", W::Form9, 6, "指数分布"),

    Sub("menuqj", "", "区间估计(&B)"),
    Win("menu01a", "menuqj", "0-1分布", W::Form3, 1, "0-1分布"),
    Win("menuexa", "menuqj", "二项分布", W::Form3, 2, "二项分布"),
    Win("menubsa", "menuqj", "泊松分布", W::Form3, 3, "泊松分布"),
    Sep("menuspace2", "menuqj"),
    Sub("menujya", "menuqj", "单个正态分布"),
    Win("menuzt1", "menujya", "σ已知；求μ", W::Form3a, 1),
    Win("menuzt2", "menujya", "σ未知；求μ", W::Form3a, 2),
    Sep("menusp3", "menujya"),
    Win("menuzt3", "menujya", "μ已知；求σ", W::Form3a, 3),
    Win("menutzt4", "menujya", "μ未知；求σ", W::Form3a, 4),
    Sub("menuzta", "menuqj", "两个正态分布"),
    Win("menuzt5", "menuzta", "σ1与σ2已知；求μ1-μ2", W::Form3a, 5),
    Win("menuzt6", "menuzta", "σ1=σ2 未知；求μ1-μ2", W::Form3a, 6),
    Win("menuzt7", "menuzta", "σ1与σ2未知；求μ1-μ2", W::Form3a, 7),
    Sep("menusp4", "menuzta"),
    Win("menuzt8", "menuzta", "μ1与μ2已知；求σ1/σ2", W::Form3a, 8),
    Win("menuzt9", "menuzta", "μ1与μ2未知；求σ1/σ2", W::Form3a, 9),
    Win("menuzsa", "menuqj", "指数分布", W::Form3, 6, "指数分布"),

    Sub("menucsjy", "", "参数检验(&C)"),
    Sub("junzhijy", "menucsjy", "均值检验"),
    Sub("dangezongti", "junzhijy", "单个总体"),
    Win("menuzjy1", "dangezongti", "Z检验", W::Form4, 1),
    Sep("menuspace211", "dangezongti"),
    Win("menutjy1", "dangezongti", "T检验", W::Form4, 2),
    Sep("menuspace21", "junzhijy"),
    Sub("lianggezongti", "junzhijy", "两个总体"),
    Win("menuzjy2", "lianggezongti", "Z检验", W::Form4, 5),
    Sep("menuspce221", "lianggezongti"),
    Win("menutjy2", "lianggezongti", "T检验", W::Form4, 6),
    Sep("menusp5", "lianggezongti"),
    Win("menutjy3", "lianggezongti", "T检验(Ⅱ)", W::Form4, 7),
    Sep("menusp21", "menucsjy"),
    Sub("bzcjy", "menucsjy", "标准差检验"),
    Sub("dangezongtia", "bzcjy", "单个总体"),
    Win("menuxjy", "dangezongtia", "x2检验(Ⅰ)", W::Form4, 3),
    Sep("menusp6", "dangezongtia"),
    Win("menuxjy2", "dangezongtia", "x2检验(Ⅱ)", W::Form4, 4),
    Sep("menuspace221", "bzcjy"),
    Sub("lianggezongtia", "bzcjy", "两个总体"),
    Win("menufjy", "lianggezongtia", "F检验", W::Form4, 8),
    Sep("menusp22", "menucsjy"),
    Win("menucdsj", "menucsjy", "成对数据", W::Form4, 9),
    Sep("menusp7", "menucsjy"),
    Sub("jjcsjy", "menucsjy", "渐进检验"),
    Win("jjo1menu", "jjcsjy", "0-1分布", W::Form8, 1),
    Sep("menusp8", "jjcsjy"),
    Win("jjexmenu", "jjcsjy", "二项分布", W::Form8, 2),
    Sep("menusp9", "jjcsjy"),
    Win("jjbsmenu", "jjcsjy", "泊松分布", W::Form8, 3),
    Sep("menusp10", "jjcsjy"),
    Win("jjzsmenu", "jjcsjy", "指数分布", W::Form8, 4),
    Sep("menuspanova", "menucsjy"),
    Win("menuanova", "menucsjy", "方差分析", W::FormAnova, 0, "方差分析"),
    Win("menuregr", "menucsjy", "一元线性回归", W::FormRegression, 0),

    Sub("menufbhs", "", "分布函数检验(&D)"),
    Win("menufbnh", "menufbhs", "分布拟合检验", W::Form5, 0, "分布拟和检验"),
    Sep("menusp31", "menufbhs"),
    Win("menupdfd", "menufbhs", "偏度,峰度检验", W::Form8, 5),
    Sep("menusp32", "menufbhs"),
    Win("menuzhjy", "menufbhs", "秩和检验", W::Form7, 0, "秩和检验"),

    Sub("huanjiang", "", "环境变量(&E)"),
    Cmd("yangben", "huanjiang", "设置样本量上限", C::SampleLimit),
    Sep("yangben2", "huanjiang"),
    Cmd("yangben1", "huanjiang", "设置样本数宽度", C::DataWidth),

    Sub("menutools", "", "工具(&T)"),
    Cmd("menuprob", "menutools", "概率计算器", C::ProbabilityCalculator),
    Cmd("menutables", "menutools", "统计用表", C::StatisticalTables),

    Sub("menuexercise", "", "练习(&X)"),
    Cmd("menupractice", "menuexercise", "开始练习…", C::Exercise),
    Cmd("menuproblemset", "menuexercise", "生成习题集…", C::ProblemSet),

    Sub("menuhelp", "", "帮助(&H)"),
    Cmd("menuhelp1", "menuhelp", "软件帮助", C::Help),
};

}  // namespace

std::span<const MenuItemSpec> MainMenuTable() { return kMenu; }

}  // namespace kelvo
