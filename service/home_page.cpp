#include "service/home_page.h"

namespace lanjian {

std::string HomePage(std::string_view engineName) {
  std::string page =
      "<!DOCTYPE html>\n"
      "<html lang=\"zh-CN\">\n"
      "<head><meta charset=\"utf-8\"><title>澜笺手写输入法 识别服务</title></head>\n"
      "<body style=\"font-family: sans-serif; max-width: 40em; margin: 2em auto\">\n"
      "<h1>澜笺手写输入法 V3.0</h1>\n"
      "<p>This is the handwriting recognition service of the Lanjian pad. It runs on this "
      "machine, so your handwriting never leaves it.</p>\n"
      "<p>本机手写识别服务正在运行：您的笔迹只在这台电脑上处理。</p>\n"
      "<ul>\n"
      "<li><code>POST /</code> with the form <code>type=1&amp;wd=&lt;ink&gt;</code> answers up to "
      "ten candidate characters, best first.</li>\n"
      "<li><code>GET /healthz</code> answers <code>ok</code>.</li>\n"
      "</ul>\n"
      "<p>Recognition engine: ";
  for (char c : engineName) {
    if (c == '<') page += "&lt;";
    else if (c == '>') page += "&gt;";
    else if (c == '&') page += "&amp;";
    else if (c != '{' && c != '}') page += c;
  }
  page += ".</p>\n</body>\n</html>\n";
  return page;
}

}  // namespace lanjian
