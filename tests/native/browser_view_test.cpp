#include <gtest/gtest.h>

#include "shell/browser_view.h"

TEST(ProductPageAddressTest, KeepsSchemeHostAndPortAndAsksForTheRoot) {
  const struct {
    const char* service;
    const char* page;
  } cases[] = {
      {"http://127.0.0.1:8461/", "http://127.0.0.1:8461/"},
      {"http://127.0.0.1:8461", "http://127.0.0.1:8461/"},
      {"http://example.test/recognize/v2?type=1", "http://example.test/"},
      {"http://example.test?x=1", "http://example.test/"},
      {"https://example.test:8443/a#frag", "https://example.test:8443/"},
      {"localhost:8461/x", "localhost:8461/"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProductPageAddress(c.service), c.page) << c.service;
}
