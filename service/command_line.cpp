#include "service/command_line.h"

#include <thread>

#include "service/zinnia_engine.h"

namespace lanjian {
namespace {

bool ParseUnsigned(const std::string& text, unsigned long maximum, unsigned long* value) {
  if (text.empty() || text.size() > 9) return false;
  unsigned long result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<unsigned long>(c - '0');
  }
  if (result > maximum) return false;
  *value = result;
  return true;
}

// "127.0.0.1:8461", "[::1]:8461", "localhost:8461".
bool ParseListen(const std::string& text, ServerOptions* server) {
  std::string host;
  std::string port;
  if (!text.empty() && text[0] == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') return false;
    host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || text.find(':') != colon) return false;
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  unsigned long number = 0;
  if (host.empty() || !ParseUnsigned(port, 65535, &number)) return false;
  server->host = host == "localhost" ? "127.0.0.1" : host;
  server->port = static_cast<std::uint16_t>(number);
  return true;
}

}  // namespace

bool OursEngineBuilt() {
#ifdef LANJIAN_HAVE_OURS_ENGINE
  return true;
#else
  return false;
#endif
}

std::string UsageText() {
  std::string text =
      "Usage: lanjian-recognizer [options]\n"
      "Handwriting recognition service for the Lanjian pad (POST / with type=1&wd=<ink>).\n"
      "\n"
      "  --listen HOST:PORT   address to listen on (default 127.0.0.1:8461; port 0 picks one)\n"
      "  --threads N          worker threads (default: one per processor)\n"
      "  --model PATH         zinnia model (default " +
      std::string(kDefaultZinniaModel) + ")\n";
  if (OursEngineBuilt()) {
    text +=
        "  --engine NAME        recogniser: ours or zinnia (default ours)\n"
        "  --ours-model PATH    our engine's model (default lanjian-ours.model beside the program)\n";
  } else {
    text += "  --engine NAME        recogniser: zinnia (the only one in this build)\n";
  }
  text +=
      "  --help               show this help and exit\n"
      "\n"
      "Logs one line per request on stderr. Stops on SIGTERM or SIGINT.\n";
  return text;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  ServiceOptions& options = result.options;
  // Ours reads order-free, cursive and key-point writing far better than
  // zinnia on the benchmark, so it is the default wherever it is built.
  options.engine = OursEngineBuilt() ? "ours" : "zinnia";
  options.model = kDefaultZinniaModel;
  const unsigned cores = std::thread::hardware_concurrency();
  options.server.threads = cores == 0 ? 2 : cores;

  const auto fail = [&result](std::string error) {
    result.ok = false;
    result.error = std::move(error);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool haveValue = false;
    const std::size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      haveValue = true;
    }
    if (name == "--help" || name == "-h") {
      if (haveValue) return fail("--help takes no value");
      options.help = true;
      continue;
    }
    if (name != "--listen" && name != "--threads" && name != "--model" && name != "--engine" &&
        name != "--ours-model") {
      return fail("unknown option: " + args[i]);
    }
    if (!haveValue) {
      if (i + 1 == args.size()) return fail(name + " needs a value");
      value = args[++i];
    }
    if (name == "--listen") {
      if (!ParseListen(value, &options.server)) {
        return fail("--listen wants HOST:PORT, for example 127.0.0.1:8461; got \"" + value + "\"");
      }
    } else if (name == "--threads") {
      unsigned long threads = 0;
      if (!ParseUnsigned(value, 256, &threads) || threads == 0) {
        return fail("--threads wants a number from 1 to 256; got \"" + value + "\"");
      }
      options.server.threads = static_cast<unsigned>(threads);
    } else if (name == "--model") {
      if (value.empty()) return fail("--model needs a path");
      options.model = value;
    } else if (name == "--ours-model") {
      if (value.empty()) return fail("--ours-model needs a path");
      options.oursModel = value;
    } else if (name == "--engine") {
      if (value == "zinnia" || (value == "ours" && OursEngineBuilt())) {
        options.engine = value;
      } else if (value == "ours") {
        return fail("this build has no engine \"ours\"; use --engine zinnia");
      } else {
        return fail("unknown engine \"" + value + "\"");
      }
    }
  }
  result.ok = true;
  return result;
}

}  // namespace lanjian
