// lanjian-recognizer's command line.
#pragma once
#include <string>
#include <vector>

#include "service/http_server.h"

namespace lanjian {

struct ServiceOptions {
  ServerOptions server;
  std::string engine;      // "zinnia" or "ours"
  std::string model;       // zinnia model
  std::string oursModel;   // our own engine's model; empty means beside the program
  bool help = false;
};

struct CommandLine {
  bool ok = false;
  ServiceOptions options;
  std::string error;
};

// True when this build carries our own engine.
bool OursEngineBuilt();

// args excludes the program name. Options take "--name value" or "--name=value".
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace lanjian
