// Prints what a process holds, for the resource measurements:
//   {"pid":N,"private_bytes":N,"working_set":N,"handles":N,"threads":N}
//   lanjian_process_stats PID
// Wine leaves PrivateUsage and GetProcessHandleCount at 0; there the private
// bytes are the commit charge (PagefileUsage, the same figure on Windows) and
// the handles are counted in the system's handle table.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// SYSTEM_HANDLE_INFORMATION (class 16) as NtQuerySystemInformation fills it.
struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

unsigned long HandlesInSystemTable(DWORD pid) {
  auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  LONG status;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);
  while ((status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch &&
         buffer.size() < (256u << 20))
    buffer.resize(buffer.size() * 2);
  if (status != 0) return 0;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  unsigned long count = 0;
  for (ULONG i = 0; i < table->count; ++i)
    if (table->entries[i].ownerPid == pid) ++count;
  return count;
}

unsigned long ThreadsOf(DWORD pid) {
  unsigned long threads = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == pid) ++threads;
  CloseHandle(snapshot);
  return threads;
}

}  // namespace

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
  const unsigned long long privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  const unsigned long handleCount = handles ? handles : HandlesInSystemTable(pid);
  std::printf("{\"pid\":%lu,\"private_bytes\":%llu,\"working_set\":%llu,\"handles\":%lu,\"threads\":%lu}\n",
              static_cast<unsigned long>(pid), privateBytes, static_cast<unsigned long long>(memory.WorkingSetSize),
              handleCount, ThreadsOf(pid));
  return 0;
}
