#pragma once
// The process's resident memory as the kernel reports it, for the benchmarks
// and stress runs of the windowed program (Linux; elsewhere no figures).

namespace velkrant::ProcessMemory {

/// Resident memory now, in MiB; negative where the system does not say.
double ResidentMiB();

/// The highest resident memory since the start or the last ResetPeak(),
/// in MiB; negative where the system does not say.
double PeakMiB();

/// Hands memory that was freed back to the system and makes the peak start
/// again from the resident memory now, so that a measured step's peak is
/// its own and not that of the steps before it. False where the kernel
/// does not allow it (the peak is then the whole process's).
bool ResetPeak();

}  // namespace velkrant::ProcessMemory
