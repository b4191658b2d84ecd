// 编辑框1 and 按钮11, beyond MainWindow's right edge.
#pragma once

// Click handler of 按钮11: a typed Backspace for 编辑框1, which deletes the
// selection or else the character before the caret; nothing when it is empty.
void EditBoxBackspace();
