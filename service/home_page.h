// The page at "/": what the product and the service are.
#pragma once
#include <string>
#include <string_view>

namespace lanjian {

// Small UTF-8 HTML, free of "{" and "}" like every non-recognition answer.
std::string HomePage(std::string_view engineName);

}  // namespace lanjian
