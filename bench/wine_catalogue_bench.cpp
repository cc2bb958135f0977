// How much the catalogue adds to the platform calls a load cannot avoid: CServiceList::Reload
// beside the bare calls it makes (per pass the Windows directory and one enumeration, per entry
// five SHGetValueW reads), timed in alternating rounds. Meant for the many-services Wine prefix;
// prints figures, judges nothing.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "catalogue/service_list.h"
#include "platform/win32/enum_buffer.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point began) {
    return std::chrono::duration<double, std::milli>(Clock::now() - began).count();
}

void ReadText(const std::wstring& key, const wchar_t* name) {
    wchar_t text[kTextBytes];
    DWORD type = 0;
    DWORD size = sizeof text;
    SHGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, &type, text, &size);
}

// One pass made of nothing but the platform calls; returns the entries read.
size_t BarePass(DWORD serviceType) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        return 0;
    }
    EnumBuffer buffer;
    if (EnumerateIntoBuffer(manager.Get(), serviceType, buffer) != 0) {
        return 0;
    }
    const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.bytes.get());
    for (uint32_t i = 0; i < buffer.count; ++i) {
        const std::wstring key =
            std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + entries[i].lpServiceName;
        ReadText(key, L"ImagePath");
        ReadText(key, L"Description");
        ReadText(key, L"Group");
        DWORD start = 0, type = 0, size = sizeof start;
        SHGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Start", &type, &start, &size);
        ReadText(key + L"\\Parameters", L"ServiceDll");
    }
    return buffer.count;
}

// The real platform, with the time spent inside its calls summed up: what of a Reload is the
// platform's and what the catalogue's own.
class TimedSystem : public ServiceManagerApi, public RegistryApi {
public:
    double platformMs = 0;

    template <typename Call>
    auto Timed(Call&& call) -> decltype(call()) {
        const auto began = Clock::now();
        auto result = call();
        platformMs += MillisecondsSince(began);
        return result;
    }

    std::string WindowsDirectory() override {
        return Timed([&] { return real_.WindowsDirectory(); });
    }
    bool EnumerateServices(uint32_t type, std::vector<ServiceEntry>& entries) override {
        return Timed([&] { return real_.EnumerateServices(type, entries); });
    }
    uint32_t OpenServiceSession(const std::u16string& name,
                                std::unique_ptr<ServiceSession>& session) override {
        return Timed([&] { return real_.OpenServiceSession(name, session); });
    }
    bool GetValue(const std::u16string& key, const char* name, RegistryValue& value) override {
        return Timed([&] { return real_.GetValue(key, name, value); });
    }
    bool LoadIndirectString(const std::u16string& key, const char* name,
                            std::string& text) override {
        return Timed([&] { return real_.LoadIndirectString(key, name, text); });
    }
    bool ReadValue(const char* key, const char* name, RegistryValue& value) override {
        return Timed([&] { return real_.ReadValue(key, name, value); });
    }
    bool EnumerateValues(const char* key, std::vector<RegistryValue>& values) override {
        return Timed([&] { return real_.EnumerateValues(key, values); });
    }

private:
    Win32System real_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    TimedSystem system;
    CServiceList list(system, system);
    std::vector<double> bare;
    std::vector<double> reload;
    std::vector<double> inside;
    size_t entries = 0;
    // Alternating which goes first keeps a warm-up or a neighbour's load from favouring one side.
    for (int round = 0; round < rounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            const auto began = Clock::now();
            if ((side + round) % 2 == 0) {
                entries = BarePass(SERVICE_WIN32) + BarePass(SERVICE_DRIVER);
                bare.push_back(MillisecondsSince(began));
            } else {
                system.platformMs = 0;
                list.Reload();
                reload.push_back(MillisecondsSince(began));
                inside.push_back(system.platformMs);
            }
        }
    }
    const double bareMs = Median(bare);
    const double reloadMs = Median(reload);
    std::printf("entries enumerated: %zu, records catalogued: %zu, rounds: %d\n", entries,
                list.GetCount(), rounds);
    std::printf("                               median   fastest\n");
    std::printf("bare platform calls:         %8.1f  %8.1f ms\n", bareMs, Fastest(bare));
    std::printf("CServiceList::Reload:        %8.1f  %8.1f ms\n", reloadMs, Fastest(reload));
    std::printf("  of it in platform calls:   %8.1f  %8.1f ms\n", Median(inside), Fastest(inside));
    std::printf("ratio Reload / bare:         %8.3f  %8.3f (goal <= 1.10)\n", reloadMs / bareMs,
                Fastest(reload) / Fastest(bare));
    return 0;
}
