#pragma once
// Scenes of the screenshot tool: a window file registers its scenes by name, e.g.
//   static const kelvo::SceneRegistrar kForm3("form3", [](kelvo::ScriptedDialogs& dialogs) {...});
// A scene opens its windows (the main window is already shown) and may queue dialog answers.
#include <QString>
#include <functional>

namespace kelvo {

class ScriptedDialogs;

using SceneSetup = std::function<void(ScriptedDialogs& dialogs)>;

struct SceneRegistrar {
  SceneRegistrar(const char* name, SceneSetup setup);
};

// The setup of a registered scene, or nullptr.
const SceneSetup* FindScene(const QString& name);

// Without a window manager a maximised window is one that fills the screen.
void FillScreen(QWidget* window);

}  // namespace kelvo
