// QYX_cpuid: identification of the x86 processor the application runs on: the CPUID instruction's
// vendor, signature, feature flags and brand name, the processor count, a clock-speed estimate from
// the time-stamp counter, and the early division-flaw test.
//
// On x86-64 the CPUID instruction always exists. On other processors every query that executes a
// leaf raises EQYXCpuIdError "Cannot acquire CPU information (CPUID not supported)".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <qyx/QYX_qyxbase.h>

namespace qyx {

/// Errors of this unit (plain messages, no component prefix).
class EQYXCpuIdError : public EQYXError {
public:
    using EQYXError::EQYXError;
};

/// The standard feature flags of leaf 1 (EDX), bit 0 first.
enum TCPUFeatures : uint8_t {
    cpuft_fpu,
    cpuft_vme,
    cpuft_de,
    cpuft_pse,
    cpuft_tsc,
    cpuft_msr,
    cpuft_pae,
    cpuft_mce,
    cpuft_cx8,
    cpuft_apic,
    cpuft_sepamd,
    cpuft_sep,
    cpuft_mtrr,
    cpuft_pge,
    cpuft_mca,
    cpuft_cmov,
    cpuft_pat,
    cpuft_pse36,
    cpuft_serial,
    cpuft_clflush,
    cpuft_reserved1,
    cpuft_dts,
    cpuft_acpi,
    cpuft_mmx,
    cpuft_xsr,
    cpuft_simd,
    cpuft_simd2,
    cpuft_ss,
    cpuft_reserved2,
    cpuft_tm,
    cpuft_ia64,
    cpuft_3dnow
};

/// A description of every feature flag, indexed by TCPUFeatures.
extern const TFixedArray<std::string, cpuft_fpu, cpuft_3dnow> CPUFeatureNames;

/// The four registers one CPUID execution delivers.
struct TCPURegisters {
    uint32_t EAX = 0;
    uint32_t EBX = 0;
    uint32_t ECX = 0;
    uint32_t EDX = 0;
};

/// Executes CPUID with Leaf Repeat times (at least once) and delivers the registers of the last
/// execution. Raises EQYXCpuIdError "CPUID: execution level not supported" for a standard leaf above
/// the highest standard leaf or an extended leaf ($80000000 and up) above the highest extended one.
TCPURegisters CPU_ExecuteLeaf(uint32_t Leaf, int Repeat = 1);

/// True when the CPUID instruction exists (bit 21 of the flags register can be changed).
bool CPU_IDSupport();
/// The number of processors the operating system reports online.
int CPU_Count();
/// Leaf 0: EBX, EDX, ECX as 12 characters ("GenuineIntel"); "Unknown" when shorter.
std::string CPU_VendorString();
/// Leaf 1, EAX.
uint32_t CPU_Signature();
/// Leaf 1, EDX: bit n set when feature TCPUFeatures(n) is present.
uint32_t CPU_FeatureSet();
/// Leaf $80000001, EDX.
uint32_t CPU_ExtendedFeatureSet();
/// Leaf 1, the low byte of EBX.
int CPU_BrandID();

/// Fields of the signature (of this processor, or of a given one); all 0 (false) for signature 0.
int CPU_Type();       ///< bits 12-13
bool CPU_OverDrive(); ///< the type is 1
int CPU_Family();     ///< bits 8-11
int CPU_ExFamily();   ///< bits 20-27
int CPU_Model();      ///< bits 4-7
int CPU_ExModel();    ///< bits 16-19
int CPU_Stepping();   ///< bits 0-3
int CPU_Type(uint32_t Signature);
bool CPU_OverDrive(uint32_t Signature);
int CPU_Family(uint32_t Signature);
int CPU_ExFamily(uint32_t Signature);
int CPU_Model(uint32_t Signature);
int CPU_ExModel(uint32_t Signature);
int CPU_Stepping(uint32_t Signature);

/// 24 upper-case hexadecimal digits: EAX of leaf 1, then EDX and ECX of a second execution of leaf 1.
std::string CPU_SerialNumber();
/// The brand name of leaves $80000002..$80000004 (see CPU_MarketNameOf).
std::string CPU_MarketName();
/// A raw brand text with leading and trailing characters up to 32 removed; "unknown" when a
/// character below 32 remains inside.
std::string CPU_MarketNameOf(std::string_view Raw);
/// True when 3145727 * (4195835 / 3145727) - 4195835 in extended precision is not 0.
bool CPU_FDIVBugPresent();
/// The clock estimate in MHz: time-stamp counter ticks per millisecond of the tick counter over at
/// least Delay milliseconds (divided by the milliseconds that really passed), busy-waiting meanwhile
/// on the processor the thread is on (its nice value raised for that time where permitted; no
/// real-time scheduling). 0 for a Delay below 1.
float CPU_Speed(int Delay);

} // namespace qyx
