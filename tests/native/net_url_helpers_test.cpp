#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/url_helpers.h"

TEST(UrlHelpers, TakeTheAddressApartByFixedCuts) {
  struct Case {
    std::string url, host, hostWithPort, path;
    int port;
  };
  const std::vector<Case> cases = {
      {"http://HostName:8080/dir/page?x=1", "hostname", "hostname:8080", "/dir/page?x=1", 8080},
      {"http://HostName", "hostname", "hostname", "/", 80},
      {"http://HostName:8080", "hostname", "hostname:8080", "/", 8080},
      {"http://HostName/", "hostname", "hostname", "/", 80},
      {"HostName/a/b", "hostname", "hostname", "/a/b", 80},
      {"http://HostName:/a", "hostname", "hostname:", "/a", 0},
      {"http://HostName:8o/a", "hostname", "hostname:8o", "/a", 8},
      {"HTTP://HostName/a", "http", "http:", "//HostName/a", 0},
      // Hosts whose text also occurs inside the scheme: the path is still the URL's own.
      {"http://h/x", "h", "h", "/x", 80},
      {"http://tp:81/y?z=/", "tp", "tp:81", "/y?z=/", 81},
      {"http://p", "p", "p", "/", 80},
      {"http:///x", "", "", "/x", 80},
      {"http://127.0.0.1:8461/", "127.0.0.1", "127.0.0.1:8461", "/", 8461},
      {"http://h:99999999999/", "h", "h:99999999999", "/", 2147483647},
      {"http://h:\xA3\xB8\xA3\xB1/", "h", "h:\xA3\xB8\xA3\xB1", "/", 81},  // full-width 81
      {"", "", "", "/", 80},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
  }
}

TEST(TextBetween, CutsBetweenTheFirstMarkers) {
  struct Case {
    std::string t, startMarker, endMarker, expected;
  };
  const std::vector<Case> cases = {
      {"Set-Cookie: SID=ab12; path=/", "=", ";", "ab12"},
      {"Set-Cookie: SID=ab12; path=/", "Set-Cookie:", ";", " SID=ab12"},
      {"Set-Cookie: SID=ab12", "=", ";", ""},
      {"abcabc", "b", "b", "ca"},
      {"abc", "a", "b", ""},
      {"abc", "b", "", "c"},
      {"abc", "x", "", ""},
      {"abc", "", "c", "ab"},
      {"abc", "", "x", ""},
      {"abc", "", "", "abc"},
      {"", "", "", ""},
      {"  ", "", "", "  "},
      {"Set-Cookie: x=; path=/", "=", ";", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetween(c.t, c.startMarker, c.endMarker), c.expected)
        << c.t << " | " << c.startMarker << " | " << c.endMarker;
  }
}
