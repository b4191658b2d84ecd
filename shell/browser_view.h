// 超文本浏览框1: the system's web browser control, showing the product page of
// the recognition service. Only the address is portable.
#pragma once
#include <string>
#include <string_view>

// The root page ("/") of the service at serviceAddress: scheme, host and port
// kept, any path, query or fragment dropped. Empty for an empty address.
std::string ProductPageAddress(std::string_view serviceAddress);
