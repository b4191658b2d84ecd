// Prints what a process holds, for the resource measurements:
//   {"pid":N,"private_bytes":N,"working_set":N,"handles":N,"threads":N}
//   lanjian_process_stats PID
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lanjian_process_stats PID\n");
    return 2;
  }
  const DWORD pid = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) {
    std::printf("{\"pid\":%lu,\"error\":%lu}\n", static_cast<unsigned long>(pid),
                static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  CloseHandle(process);
  unsigned long threads = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot != INVALID_HANDLE_VALUE) {
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
      if (entry.th32OwnerProcessID == pid) ++threads;
    CloseHandle(snapshot);
  }
  std::printf("{\"pid\":%lu,\"private_bytes\":%llu,\"working_set\":%llu,\"handles\":%lu,\"threads\":%lu}\n",
              static_cast<unsigned long>(pid), static_cast<unsigned long long>(memory.PrivateUsage),
              static_cast<unsigned long long>(memory.WorkingSetSize), static_cast<unsigned long>(handles), threads);
  return 0;
}
