#include "child_process.h"

#include <stdexcept>
#include <thread>

namespace dpx::testing {

ChildProcess::ChildProcess(const std::wstring& exePath, const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  output_.Reset(readEnd);
  win32::UniqueHandle childEnd(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring commandLine = L"\"" + exePath + L"\" " + arguments;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &info))
    throw std::runtime_error("CreateProcess failed");
  process_.Reset(info.hProcess);
  CloseHandle(info.hThread);
}

ChildProcess::~ChildProcess() {
  if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

bool ChildProcess::ReadAvailable() {
  DWORD available = 0;
  if (!PeekNamedPipe(output_.Get(), nullptr, 0, nullptr, &available, nullptr)) return false;
  if (available == 0) return true;
  std::string chunk(available, '\0');
  DWORD read = 0;
  if (!ReadFile(output_.Get(), chunk.data(), available, &read, nullptr)) return false;
  buffered_.append(chunk, 0, read);
  return true;
}

std::vector<std::string> ChildProcess::ReadLines(std::size_t count,
                                                 std::chrono::milliseconds timeout) {
  std::vector<std::string> lines;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (lines.size() < count) {
    const auto end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      buffered_.erase(0, end + 1);
      continue;
    }
    if (std::chrono::steady_clock::now() > deadline || !ReadAvailable()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return lines;
}

std::string ChildProcess::ReadToEnd(std::chrono::milliseconds timeout) {
  WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count()));
  while (ReadAvailable()) {
    DWORD available = 0;
    if (!PeekNamedPipe(output_.Get(), nullptr, 0, nullptr, &available, nullptr) || !available)
      break;
  }
  return std::exchange(buffered_, {});
}

std::wstring ThisProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring CopyBeside(const std::wstring& source, const std::wstring& newName) {
  const std::wstring target = source.substr(0, source.find_last_of(L'\\') + 1) + newName;
  if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
    throw std::runtime_error("CopyFile failed");
  return target;
}

}  // namespace dpx::testing
