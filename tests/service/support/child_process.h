// Starting a program for a test or benchmark and reading what it writes,
// with every wait bounded.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace lanjian::testing {

class ChildProcess {
 public:
  // Runs `program` with `args`; its stdout and stderr are read through pipes
  // (or stderr goes to /dev/null when quietStderr).
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               bool quietStderr = false);
  ~ChildProcess();  // kills the child if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Reads stderr until it contains `text` or the time is up; true if found.
  bool WaitForStderr(const std::string& text, int timeoutMs);
  const std::string& stderrText() const { return stderr_; }
  const std::string& stdoutText() const { return stdout_; }
  void Signal(int signal);
  // Exit status (or 128 + signal), -1 on time-out.
  int Wait(int timeoutMs);

 private:
  void Drain(int timeoutMs);
  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  std::string stdout_;
  std::string stderr_;
  int status_ = -1;
};

// Resident memory of a process in KiB (VmRSS), 0 when unknown.
long ResidentKiB(pid_t pid);

// CPU seconds a process has used (user + system), 0 when unknown.
double ProcessCpuSeconds(pid_t pid);

}  // namespace lanjian::testing
