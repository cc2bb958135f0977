#include "tests/support/inventory_files.h"

#include <cstdint>

#include "catalogue/service_list.h"
#include "inventory/csv.h"
#include "inventory/inventory_csv.h"
#include "platform/fake/fake_system.h"
#include "platform/utf16.h"

namespace {

// libstdc++'s 64-bit _Hash_bytes: a state mixed with each 8-byte block in turn.
constexpr uint64_t kMul = 0xc6a4a7935bd1e995ull;
constexpr uint64_t kSeed = 0xc70f6907ull;  // what std::hash passes

uint64_t ShiftMix(uint64_t v) {
    return v ^ (v >> 47);  // its own inverse: the shift is more than half the width
}

uint64_t Inverse(uint64_t odd) {
    uint64_t x = odd;  // Newton's iteration doubles the correct low bits each round
    for (int i = 0; i < 6; ++i)
        x *= 2 - odd * x;
    return x;
}

// The 8-byte block of four UTF-16 units, little-endian.
uint64_t Block(const std::u16string& units, std::size_t first) {
    uint64_t block = 0;
    for (std::size_t i = 4; i-- > 0;)
        block = block << 16 | units[first + i];
    return block;
}

bool Usable(char16_t unit) {
    return unit >= 0x20 && (unit < 0xD800 || unit > 0xDFFF);  // printable, no lone surrogate
}

}  // namespace

std::string SavedInventoryOf(FakeSystem& fake) {
    CServiceList catalogue(fake, fake);
    catalogue.Reload();
    ManagerConfiguration configuration(fake, fake);
    std::string file;
    WriteInventoryCsv(catalogue, configuration, file);
    return file;
}

std::string InventoryFileOf(const std::vector<std::string>& names) {
    FakeSystem none;
    CServiceList empty(none, none);
    std::string file;
    WriteInventoryCsv(empty, file);  // the byte-order mark and the header
    for (const std::string& name : names) {
        AppendCsvField(file, name);
        file += ',';
        AppendCsvField(file, name);
        file += ",48,16,1,3,,C:\\service.exe,,,0,2,,,,,,,,,\r\n";  // no configuration
    }
    return file;
}

std::vector<std::string> OrdinaryServiceNames(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        std::string digits = std::to_string(i);
        names.push_back("svc" + std::string(7 - digits.size(), '0') + digits);
    }
    return names;
}

std::vector<std::string> CollidingServiceNames(std::size_t count) {
    // The key path of 34 units and a name of 10 make 11 whole blocks; the last is the name's last
    // four units, chosen so that the state after it is the same for every name.
    const std::u16string prefix = std::u16string(kServicesKeyW) + u"\\";
    const std::size_t units = prefix.size() + 10;
    const uint64_t inverse = Inverse(kMul);
    const uint64_t target = 0x5eed5eed5eed5eedull;
    std::vector<std::string> names;
    for (uint64_t counter = 0; names.size() < count; ++counter) {
        std::u16string key = prefix;
        for (uint64_t n = counter, i = 0; i < 6; ++i, n /= 26)
            key += static_cast<char16_t>(u'a' + n % 26);
        key.append(4, u'\0');
        uint64_t hash = kSeed ^ (units * 2 * kMul);
        for (std::size_t first = 0; first + 4 < units; first += 4) {
            hash ^= ShiftMix(Block(key, first) * kMul) * kMul;
            hash *= kMul;
        }
        // (hash ^ mixed(block)) * kMul == target, solved for the block.
        const uint64_t block = ShiftMix((hash ^ target * inverse) * inverse) * inverse;
        bool usable = true;
        for (std::size_t i = 0; i < 4; ++i) {
            key[units - 4 + i] = static_cast<char16_t>(block >> (16 * i));
            usable = usable && Usable(key[units - 4 + i]);
        }
        if (usable)
            names.push_back(Utf16ToUtf8(key.substr(prefix.size())));
    }
    return names;
}
