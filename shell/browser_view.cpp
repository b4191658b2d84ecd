#include "shell/browser_view.h"

std::string ProductPageAddress(std::string_view serviceAddress) {
  if (serviceAddress.empty()) return {};
  const std::size_t scheme = serviceAddress.find("://");
  const std::size_t hostStart = scheme == std::string_view::npos ? 0 : scheme + 3;
  const std::size_t hostEnd = serviceAddress.find_first_of("/?#", hostStart);
  return std::string(serviceAddress.substr(0, hostEnd)) + "/";
}
