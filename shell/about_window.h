// AboutWindow: a small modeless box with a contact notice and a "关闭"
// button. It exists at most once and is closed, open, or closing (its close
// has been requested and is carried out by the message loop a little later).
#pragma once

// Click handler of 按钮18 ("关于"): brings an open AboutWindow forward, or
// creates one (replacing one that is still closing).
void OpenAboutWindow();
// Click handler of AboutWindow's "关闭": the window goes away once the click
// handler has returned.
void CloseAboutWindow();
