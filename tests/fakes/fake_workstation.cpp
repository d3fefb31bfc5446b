#include "fakes/fake_workstation.h"

#include <sstream>

namespace dpx::fakes {
namespace {

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

class FakeLoadedLibrary final : public LoadedLibrary {
 public:
  FakeLoadedLibrary(FakeWorkstation& workstation, std::wstring name)
      : workstation_(workstation), name_(std::move(name)) {
    ++workstation_.librariesHeld;
  }
  ~FakeLoadedLibrary() override {
    --workstation_.librariesHeld;
    workstation_.log.push_back("FreeLibrary " + Narrow(name_));
  }

  std::function<bool()> BooleanFunction(const std::string& name) override {
    if (workstation_.libraries.at(name_).count(name) == 0) return {};
    FakeWorkstation& workstation = workstation_;
    return [&workstation, name] {
      workstation.log.push_back("Call " + name);
      return true;
    };
  }

 private:
  FakeWorkstation& workstation_;
  std::wstring name_;
};

}  // namespace

FakeWorkstation::FakeWorkstation() : libraries{{L"User32.Dll", {"LockWorkStation"}}} {}

std::unique_ptr<LoadedLibrary> FakeWorkstation::LoadSystemLibrary(const std::wstring& name) {
  const bool exists = libraries.count(name) != 0;
  log.push_back("LoadLibrary " + Narrow(name) + (exists ? "" : " failed"));
  if (!exists) return nullptr;
  return std::make_unique<FakeLoadedLibrary>(*this, name);
}

void FakeWorkstation::PostToDesktopWindow(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  std::ostringstream line;
  line << "PostToDesktop 0x" << std::hex << message << " 0x" << wParam << std::dec << " " << lParam;
  log.push_back(line.str());
}

}  // namespace dpx::fakes
