// Prints how long a catalogue load takes per record and how much memory a record costs, for the
// fake service manager with 1,000, 10,000 and 100,000 services. Figures of a sanitized debug build
// are slower than the program's; compare runs of one build with each other.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/fake_services.h"
#include "catalogue/service_list.h"

namespace {

// Heap bytes a string holds beyond the object itself (none while it fits the small buffer).
std::size_t HeapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

void Measure(int count) {
    FakeSystem fake;
    AddBenchmarkServices(fake, count);
    CServiceList list(fake, fake);
    list.Reload();  // warm up the allocator and the fake's tables

    const int rounds = count >= 100000 ? 1 : 3;
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        list.Reload();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - begin;

    std::size_t nameBytes = 0;
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list.GetFirst(cursor, item); more; more = list.GetNext(cursor, item)) {
        nameBytes += HeapBytes(item->lpServiceName) + HeapBytes(item->lpDisplayName);
    }
    double records = static_cast<double>(list.GetCount());
    double perRecord = sizeof(SERVICE_ITEM) + sizeof(SERVICE_ITEM*) + nameBytes / records;
    std::printf(
        "%7d services: %8.2f us per record (%8.1f ms per load), %6zu + %5.1f = %7.1f bytes "
        "per record (record + names), %6.1f MB in all\n",
        count, elapsed.count() / rounds / records, elapsed.count() / rounds / 1000.0,
        sizeof(SERVICE_ITEM) + sizeof(SERVICE_ITEM*), nameBytes / records, perRecord,
        perRecord * records / (1024.0 * 1024.0));
}

}  // namespace

int main() {
    std::printf("Catalogue load over the fake service manager and registry (5 reads per record)\n");
    for (int count : {1000, 10000, 100000})
        Measure(count);
    return 0;
}
