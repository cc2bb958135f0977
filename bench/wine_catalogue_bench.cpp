// What a catalogue load costs beside the platform calls of a load that reads each value with a
// self-contained call: CServiceList::Reload (each service's key opened once, below the Services
// key, and its values read from it) beside the bare per-value calls (per pass the Windows
// directory and one enumeration, per entry five SHGetValueW reads, each opening and closing its
// key), timed in alternating rounds. Meant for the many-services Wine prefix; prints figures and
// the goal, judges nothing.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/measure.h"
#include "catalogue/service_list.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"

namespace {

void ReadText(const std::wstring& key, const wchar_t* name) {
    wchar_t text[kTextBytes];
    DWORD type = 0;
    DWORD size = sizeof text;
    SHGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, &type, text, &size);
}

// One pass that reads each value with a self-contained call, as a load did before it opened each
// key once; returns the entries read.
size_t BarePass(DWORD serviceType) {
    wchar_t windows[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, kEnumerationAccess));
    if (!manager) {
        return 0;
    }
    std::vector<ServiceEntry> entries;
    if (EnumerateEntries(manager.Get(), serviceType, entries) != 0) {
        return 0;
    }
    for (const ServiceEntry& entry : entries) {
        const std::wstring key = std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") +
                                 reinterpret_cast<const wchar_t*>(entry.serviceNameW.c_str());
        ReadText(key, L"ImagePath");
        ReadText(key, L"Description");
        ReadText(key, L"Group");
        DWORD start = 0, type = 0, size = sizeof start;
        SHGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Start", &type, &start, &size);
        ReadText(key + L"\\Parameters", L"ServiceDll");
    }
    return entries.size();
}

// The real platform, with the time spent inside its calls summed up: what of a Reload is the
// platform's and what the catalogue's own.
class TimedSystem : public ServiceManagerApi, public ServiceRegistryApi {
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
    EnumerationResult EnumerateServices(uint32_t type,
                                        std::vector<ServiceEntry>& entries) override {
        return Timed([&] { return real_.EnumerateServices(type, entries); });
    }
    uint32_t OpenServiceSession(const std::u16string& name, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override {
        return Timed([&] { return real_.OpenServiceSession(name, access, session); });
    }
    uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) override {
        return Timed([&] { return real_.OpenConfigQuery(query); });
    }
    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override {
        return Wrap(Timed([&] { return real_.OpenKey(path); }));
    }

private:
    // A key whose calls, and whose closing, count as the platform's.
    class TimedKey : public RegistryKey {
    public:
        TimedKey(TimedSystem& system, std::unique_ptr<RegistryKey> key)
            : system_(system), key_(std::move(key)) {}
        ~TimedKey() override {
            system_.Timed([&] {
                key_.reset();
                return 0;
            });
        }
        std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) override {
            return system_.Wrap(system_.Timed([&] { return key_->OpenSubKey(name); }));
        }
        bool GetValue(const char* name, RegistryValue& value) override {
            return system_.Timed([&] { return key_->GetValue(name, value); });
        }
        bool LoadIndirectString(const char* name, std::string& text) override {
            return system_.Timed([&] { return key_->LoadIndirectString(name, text); });
        }

    private:
        TimedSystem& system_;
        std::unique_ptr<RegistryKey> key_;
    };

    std::unique_ptr<RegistryKey> Wrap(std::unique_ptr<RegistryKey> key) {
        if (!key) {
            return nullptr;
        }
        return std::unique_ptr<RegistryKey>(new TimedKey(*this, std::move(key)));
    }

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
    std::printf("per-value platform calls:    %8.1f  %8.1f ms\n", bareMs, Fastest(bare));
    std::printf("CServiceList::Reload:        %8.1f  %8.1f ms\n", reloadMs, Fastest(reload));
    std::printf("  of it in platform calls:   %8.1f  %8.1f ms\n", Median(inside), Fastest(inside));
    std::printf("ratio Reload / per-value:    %8.3f  %8.3f (goal <= 0.65)\n", reloadMs / bareMs,
                Fastest(reload) / Fastest(bare));
    return 0;
}
