#pragma once
// The main window's menu as data: every item in display order with the menu that holds it.
#include <span>

namespace kelvo {

enum class WindowClass { Form9, Form3, Form3a, Form4, Form8, Form5, Form7, FormAnova, FormRegression };

enum class MenuCommand {
  Submenu,      // opens a further menu
  Separator,    // caption "-"
  OpenWindow,   // creates an analysis window
  SampleLimit,  // asks for the sample-size limit
  DataWidth,    // asks for the data width
  Help,         // opens the help document
  ProbabilityCalculator,  // opens the probability calculator
  StatisticalTables,      // opens the statistical tables
  Exercise,               // opens the exercise window
  ProblemSet,             // writes a problem set and its answer key
};

struct MenuItemSpec {
  const char* name;        // objectName of the item
  const char* within;      // objectName of the menu holding it; "" for the menu bar
  const char* caption;     // as shown, with & before the accelerator letter
  MenuCommand command;
  WindowClass windowClass;  // OpenWindow only
  int mode;                 // the window's Tag; 0 when the command passes none
  const char* captionSet;   // the caption the command gives its window; "" when none
};

std::span<const MenuItemSpec> MainMenuTable();

}  // namespace kelvo
