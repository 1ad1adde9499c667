// Processor identification through the CPUID instruction and the time-stamp counter.
#include <qyx/QYX_cpuid.h>

#include <qyx/platform/SysInfo.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sched.h>
#include <sys/resource.h>

#if defined(__x86_64__) || defined(__i386__)
#define QYX_HAVE_CPUID 1
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace qyx {

const TFixedArray<std::string, cpuft_fpu, cpuft_3dnow> CPUFeatureNames = {{
    "Floating Point Unit",
    "V86 Mode Extensions",
    "Debug Extensions - I/O breakpoints supported",
    "Page Size Extensions (4 MB pages supported)",
    "Time Stamp Counter and RDTSC instruction are available",
    "Model Specific Registers",
    "Physical Address Extensions (36-bit address, 2MB pages)",
    "Machine Check Exception supported",
    "Compare Exchange Eight Byte instruction available",
    "Local APIC present (multiprocessor operation support)",
    "Fast system calls (AMD only)",
    "Fast system calls",
    "Memory Type Range Registers",
    "Page Global Enable",
    "Machine Check Architecture",
    "Conditional MOVe instructions",
    "Page Attribute Table",
    "36 bit Page Size Extensions",
    "Processor Serial Number",
    "Cache Flush",
    "reserved",
    "Debug Trace Store",
    "ACPI support",
    "MultiMedia Extensions",
    "FXSAVE and FXRSTOR instructions",
    "SSE instructions",
    "SSE2 (WNI) instructions",
    "self snoop",
    "reserved",
    "Automatic clock control",
    "IA64 instructions",
    "3DNow! instructions available",
}};

namespace {

constexpr char NoCpuId[] = "Cannot acquire CPU information (CPUID not supported)";
constexpr uint32_t ExtendedBase = 0x80000000u;

TCPURegisters RawCpuId(uint32_t Leaf) {
    TCPURegisters r;
#ifdef QYX_HAVE_CPUID
    __cpuid_count(Leaf, 0, r.EAX, r.EBX, r.ECX, r.EDX);
#else
    (void)Leaf;
#endif
    return r;
}

// Four register bytes as characters, least significant byte first.
void AppendRegister(std::string& S, uint32_t Reg) {
    for (int k = 0; k < 4; ++k) S += static_cast<char>((Reg >> (8 * k)) & 0xFF);
}

} // namespace

bool CPU_IDSupport() {
#if defined(__x86_64__)
    return true; // every x86-64 processor has CPUID
#elif defined(__i386__)
    return __get_cpuid_max(0, nullptr) != 0; // tests whether the ID flag can be changed
#else
    return false;
#endif
}

TCPURegisters CPU_ExecuteLeaf(uint32_t Leaf, int Repeat) {
    if (!CPU_IDSupport()) RaiseError<EQYXCpuIdError>(NoCpuId);
    // Standard leaves are bounded by leaf 0, extended ones by leaf $80000000.
    const uint32_t highest = Leaf < ExtendedBase ? RawCpuId(0).EAX : RawCpuId(ExtendedBase).EAX;
    if (Leaf > highest || (Leaf >= ExtendedBase && highest < ExtendedBase))
        RaiseError<EQYXCpuIdError>("CPUID: execution level not supported");
    TCPURegisters r;
    for (int k = 0; k < (Repeat < 1 ? 1 : Repeat); ++k) r = RawCpuId(Leaf);
    return r;
}

int CPU_Count() {
    return GetProcessorCount();
}

std::string CPU_VendorString() {
    const TCPURegisters r = CPU_ExecuteLeaf(0);
    std::string s;
    AppendRegister(s, r.EBX);
    AppendRegister(s, r.EDX);
    AppendRegister(s, r.ECX);
    s.resize(std::strlen(s.c_str())); // the text ends at a zero byte
    return s.size() < 12 ? "Unknown" : s;
}

uint32_t CPU_Signature() {
    return CPU_ExecuteLeaf(1).EAX;
}

uint32_t CPU_FeatureSet() {
    return CPU_ExecuteLeaf(1).EDX;
}

uint32_t CPU_ExtendedFeatureSet() {
    return CPU_ExecuteLeaf(0x80000001u).EDX;
}

int CPU_BrandID() {
    return static_cast<int>(CPU_ExecuteLeaf(1).EBX & 0xFF);
}

int CPU_Type(uint32_t Signature) {
    return static_cast<int>((Signature >> 12) & 0x3);
}
bool CPU_OverDrive(uint32_t Signature) {
    return CPU_Type(Signature) == 1;
}
int CPU_Family(uint32_t Signature) {
    return static_cast<int>((Signature >> 8) & 0xF);
}
int CPU_ExFamily(uint32_t Signature) {
    return static_cast<int>((Signature >> 20) & 0xFF);
}
int CPU_Model(uint32_t Signature) {
    return static_cast<int>((Signature >> 4) & 0xF);
}
int CPU_ExModel(uint32_t Signature) {
    return static_cast<int>((Signature >> 16) & 0xF);
}
int CPU_Stepping(uint32_t Signature) {
    return static_cast<int>(Signature & 0xF);
}

int CPU_Type() {
    return CPU_Type(CPU_Signature());
}
bool CPU_OverDrive() {
    return CPU_OverDrive(CPU_Signature());
}
int CPU_Family() {
    return CPU_Family(CPU_Signature());
}
int CPU_ExFamily() {
    return CPU_ExFamily(CPU_Signature());
}
int CPU_Model() {
    return CPU_Model(CPU_Signature());
}
int CPU_ExModel() {
    return CPU_ExModel(CPU_Signature());
}
int CPU_Stepping() {
    return CPU_Stepping(CPU_Signature());
}

std::string CPU_SerialNumber() {
    const TCPURegisters first = CPU_ExecuteLeaf(1);
    const TCPURegisters second = CPU_ExecuteLeaf(1);
    char text[25];
    std::snprintf(text, sizeof text, "%08X%08X%08X", first.EAX, second.EDX, second.ECX);
    return text;
}

std::string CPU_MarketNameOf(std::string_view Raw) {
    const auto blankOrZero = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t first = 0, last = Raw.size();
    while (first < last && blankOrZero(Raw[first])) ++first;
    while (last > first && blankOrZero(Raw[last - 1])) --last;
    const std::string_view name = Raw.substr(first, last - first);
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 32) return "unknown";
    return std::string(name);
}

std::string CPU_MarketName() {
    std::string raw;
    for (uint32_t leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
        const TCPURegisters r = CPU_ExecuteLeaf(leaf);
        for (const uint32_t reg : {r.EAX, r.EBX, r.ECX, r.EDX}) AppendRegister(raw, reg);
    }
    return CPU_MarketNameOf(raw);
}

bool CPU_FDIVBugPresent() {
    // volatile keeps the compiler from folding the test at compile time.
    volatile long double x = 4195835.0L, y = 3145727.0L;
    const long double result = y * (x / y) - x;
    return result != 0.0L;
}

float CPU_Speed(int Delay) {
    if (Delay < 1) return 0;
#ifdef QYX_HAVE_CPUID
    // A best-effort raise of this thread's nice value; a real-time class could starve the system.
    errno = 0;
    const int oldNice = ::getpriority(PRIO_PROCESS, 0);
    const bool niceKnown = errno == 0;
    if (niceKnown) ::setpriority(PRIO_PROCESS, 0, oldNice - 5);

    // Both counter readings on one processor: the counters of different processors need not agree.
    cpu_set_t oldMask;
    const bool maskKnown = ::sched_getaffinity(0, sizeof oldMask, &oldMask) == 0;
    const int cpu = ::sched_getcpu();
    if (maskKnown && cpu >= 0 && cpu < CPU_SETSIZE) {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        ::sched_setaffinity(0, sizeof one, &one);
    }

    const uint32_t t0 = GetTickCount();
    uint32_t start;
    while ((start = GetTickCount()) == t0) {
    }
    const uint64_t tsc1 = __rdtsc();
    uint32_t elapsed;
    while ((elapsed = GetTickCount() - start) < static_cast<uint32_t>(Delay)) {
    }
    const uint64_t tsc2 = __rdtsc();

    if (maskKnown) ::sched_setaffinity(0, sizeof oldMask, &oldMask);
    if (niceKnown) ::setpriority(PRIO_PROCESS, 0, oldNice);
    // Divided by the milliseconds that really passed: without a real-time class the thread may be
    // held up past Delay before it sees the tick counter again.
    return static_cast<float>(static_cast<long double>(tsc2 - tsc1) / (1000.0L * elapsed));
#else
    RaiseError<EQYXCpuIdError>(NoCpuId);
#endif
}

} // namespace qyx
