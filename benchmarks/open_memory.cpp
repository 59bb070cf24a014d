// Resident memory of the process after opening the 20 MB sample file, as a
// multiple of the file's size. The file is written a record at a time, so
// making it leaves nothing resident worth counting.
#include <fstream>
#include <iostream>
#include <string>

#include "big_file.h"
#include "engine/cartulo.h"
#include "ratio.h"
#include "temp_folder.h"

namespace {

// A "Vm...:" line of /proc/self/status, in bytes; -1 when it is missing.
long long StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field + ":") {
            long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return -1;
}

}  // namespace

int main() {
    using namespace cartulo::bench;
    TempFolder folder;
    const std::string path = folder.File("grande.ctu");
    const long long size = WriteBigFile(path);

    const long long before = StatusBytes("VmRSS");
    cartulo::cCartulo ctu;
    if (!ctu.OpenFile(path)) {
        std::cerr << "OpenFile: " << ctu.LastError().description << '\n';
        return 1;
    }
    const long long after = StatusBytes("VmRSS");
    const long long peak = StatusBytes("VmHWM");
    if (after <= 0 || size <= 0) {
        std::cerr << "cannot read VmRSS from /proc/self/status\n";
        return 1;
    }

    constexpr double kMiB = 1024.0 * 1024.0;
    std::cout << "open_memory: file " << size / kMiB << " MiB, " << ctu.CardCount()
              << " cards; resident before " << before / kMiB << " MiB, after " << after / kMiB
              << " MiB, peak " << peak / kMiB << " MiB\n";
    std::cout << RatioLine("open_memory", static_cast<double>(after) / static_cast<double>(size), 2)
              << '\n';
    return 0;
}
