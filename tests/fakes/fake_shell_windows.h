// Stand-ins for the Win32-only click handlers of the shell (AboutWindow and
// 编辑框1), counting how often the portable event routing reached them.
#pragma once

namespace fake {

struct ShellWindowCalls {
  int openAbout = 0;
  int closeAbout = 0;
  int editBoxBackspace = 0;
};

extern ShellWindowCalls shellWindowCalls;

}  // namespace fake
