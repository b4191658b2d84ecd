#include "tests/fakes/fake_shell_windows.h"

#include "shell/about_window.h"
#include "shell/edit_box.h"

namespace fake {
ShellWindowCalls shellWindowCalls;
}  // namespace fake

void OpenAboutWindow() { ++fake::shellWindowCalls.openAbout; }
void CloseAboutWindow() { ++fake::shellWindowCalls.closeAbout; }
void EditBoxBackspace() { ++fake::shellWindowCalls.editBoxBackspace; }
