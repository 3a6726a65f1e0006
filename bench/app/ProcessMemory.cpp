#include "ProcessMemory.h"

#include <QByteArray>
#include <QFile>

#include <cstring>
#include <fstream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace velkrant::ProcessMemory {

namespace {

// One of the "Vm...:" lines of /proc/self/status, given in KiB.
double StatusMiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ')[0].toDouble() / 1024.0;
        }
    }
    return -1;
}

}  // namespace

double ResidentMiB() {
    return StatusMiB("VmRSS:");
}

double PeakMiB() {
    return StatusMiB("VmHWM:");
}

bool ResetPeak() {
#ifdef __GLIBC__
    // Memory freed by earlier steps goes back to the system first, so the
    // peak starts from what is alive and not from what the allocator kept.
    malloc_trim(0);
#endif
    // Writing 5 to clear_refs resets the peak to the current resident size.
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return clearRefs.good();
}

}  // namespace velkrant::ProcessMemory
