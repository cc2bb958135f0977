// Prints how long saving and opening a saved inventory take for 1,000 and 10,000 records (each
// with its configuration as the fake's manager and registry tell it), beside the catalogue load of
// the same size over the fake platform and beside a live load of that size:
// the live service manager of the prefix it runs in, timed and scaled by its time per record (run
// it in the many-services prefix for a live figure over some 1,200 records). Also what reading the
// live configuration and hashing the files adds to a live save. Judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/inventory_io.h"
#include "app/live_configuration.h"
#include "bench/fake_services.h"
#include "bench/measure.h"
#include "catalogue/service_list.h"
#include "platform/win32/win32_system.h"

namespace {

template <typename Step>
double MedianMilliseconds(int rounds, Step&& step) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto began = Clock::now();
        step();
        times.push_back(MillisecondsSince(began));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    Win32System system;
    CServiceList live(system, system);
    live.Reload();  // the first load pays for the service manager's start
    const double liveMs = MedianMilliseconds(5, [&] { live.Reload(); });
    const double livePerRecord = live.GetCount() ? liveMs / live.GetCount() : 0;
    std::printf("live load: %zu records in %.1f ms, %.3f ms per record (median of 5)\n",
                live.GetCount(), liveMs, livePerRecord);
    // What a save or an export adds on the live system: each service's configuration from the
    // manager and the registry, and the digest of its file (each file read once a pass).
    LiveConfiguration configuration(system, system);
    std::vector<InventoryRecord> records;
    const double configurationMs =
        MedianMilliseconds(5, [&] { InventoryRecordsOf(live, configuration, records); });
    ManagerConfiguration managerOnly(system, system);
    const double managerMs =
        MedianMilliseconds(5, [&] { InventoryRecordsOf(live, managerOnly, records); });
    std::printf(
        "live configuration and file digests: %.1f ms, %.3f ms per record, of which the manager "
        "and the registry %.1f ms (medians of 5)\n\n",
        configurationMs, live.GetCount() ? configurationMs / live.GetCount() : 0, managerMs);
    std::printf("%8s %12s %12s %10s %10s %11s %11s\n", "records", "fake load", "live (est.)",
                "save", "open", "save/live", "open/live");

    const std::wstring path = TempPath(L"orvane-inventory-bench.csv");
    for (int count : {1000, 10000}) {
        FakeSystem fake;
        AddBenchmarkServices(fake, count);
        CServiceList catalogue(fake, fake);
        const double loadMs = MedianMilliseconds(5, [&] { catalogue.Reload(); });
        // Save: the file's text, written beside the target, flushed and moved over it.
        ManagerConfiguration fakeConfiguration(fake, fake);
        const double saveMs =
            MedianMilliseconds(5, [&] { WriteInventoryFile(path, catalogue, fakeConfiguration); });
        // Open: read, loaded into a catalogue and checked against the file (the list then takes
        // that catalogue's records).
        size_t opened = 0;
        const double openMs = MedianMilliseconds(5, [&] {
            LoadedInventory loaded;
            InventoryOpenFailure failure;
            if (ReadInventoryFile(path, loaded, failure))
                opened = loaded.catalogue->GetCount();
        });
        const double liveEstimate = livePerRecord * static_cast<double>(count);
        std::printf("%8zu %9.1f ms %9.1f ms %7.1f ms %7.1f ms %11.3f %11.3f%s\n",
                    catalogue.GetCount(), loadMs, liveEstimate, saveMs, openMs,
                    liveEstimate > 0 ? saveMs / liveEstimate : 0,
                    liveEstimate > 0 ? openMs / liveEstimate : 0,
                    opened == catalogue.GetCount() ? "" : "  (open did not load every record)");
    }
    std::printf(
        "\ngoal: save and open each under a tenth (0.100) of a live load of the same size\n");
    DeleteFileW(path.c_str());
    return 0;
}
