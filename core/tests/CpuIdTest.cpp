// Processor identification: the signature fields, the brand text rules, the leaf range checks, and
// agreement with what the kernel reports in /proc/cpuinfo.
#include <qyx/QYX_cpuid.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <sched.h>
#include <sys/resource.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

using namespace qyx;

TEST(CpuId, SignatureFields) {
    struct TCase {
        uint32_t Signature;
        int Type, Family, ExFamily, Model, ExModel, Stepping;
        bool OverDrive;
    };
    const TCase cases[] = {
        {0x000306A9, 0, 6, 0, 10, 3, 9, false},      {0x00B00F21, 0, 15, 11, 2, 0, 1, false},
        {0x00001632, 1, 6, 0, 3, 0, 2, true}, // an OverDrive processor
        {0x0FFF3FFF, 3, 15, 255, 15, 15, 15, false}, {0, 0, 0, 0, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Signature);
        EXPECT_EQ(CPU_Type(c.Signature), c.Type);
        EXPECT_EQ(CPU_Family(c.Signature), c.Family);
        EXPECT_EQ(CPU_ExFamily(c.Signature), c.ExFamily);
        EXPECT_EQ(CPU_Model(c.Signature), c.Model);
        EXPECT_EQ(CPU_ExModel(c.Signature), c.ExModel);
        EXPECT_EQ(CPU_Stepping(c.Signature), c.Stepping);
        EXPECT_EQ(CPU_OverDrive(c.Signature), c.OverDrive);
    }
}

TEST(CpuId, MarketNameText) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"       Intel(R) Core(TM) i7-3770 CPU @ 3.40GHz", "Intel(R) Core(TM) i7-3770 CPU @ 3.40GHz"},
        {"AMD Ryzen 7 5800X 8-Core Processor    \0\0\0\0"s, "AMD Ryzen 7 5800X 8-Core Processor"},
        {"\0\0  Name\0"s, "Name"},
        {"Na\x01me"s, "unknown"},
        {"Name\0with zero"s, "unknown"},
        {std::string(48, '\0'), ""},
        {"Caf\xE9 CPU", "Caf\xE9 CPU"},
    };
    for (const auto& [raw, name] : cases) {
        SCOPED_TRACE(testing::PrintToString(raw));
        EXPECT_EQ(CPU_MarketNameOf(raw), name);
    }
}

TEST(CpuId, FeatureNamesAndFDiv) {
    EXPECT_EQ(CPUFeatureNames.size(), 32u);
    EXPECT_EQ(CPUFeatureNames[cpuft_fpu], "Floating Point Unit");
    EXPECT_EQ(CPUFeatureNames[cpuft_sepamd], "Fast system calls (AMD only)");
    EXPECT_EQ(CPUFeatureNames[cpuft_reserved1], "reserved");
    EXPECT_EQ(CPUFeatureNames[cpuft_simd2], "SSE2 (WNI) instructions");
    EXPECT_EQ(CPUFeatureNames[cpuft_3dnow], "3DNow! instructions available");
    EXPECT_FALSE(CPU_FDIVBugPresent());
}

#if defined(__x86_64__)

TEST(CpuId, LeavesBeyondTheRangeRaise) {
    EXPECT_TRUE(CPU_IDSupport());
    const uint32_t highestStd = CPU_ExecuteLeaf(0).EAX;
    const uint32_t highestExt = CPU_ExecuteLeaf(0x80000000u).EAX;
    EXPECT_EQ(CPU_ExecuteLeaf(0, 3).EBX, CPU_ExecuteLeaf(0).EBX);
    for (const uint32_t leaf : {highestStd + 1, 0x7FFFFFFFu, highestExt + 1, 0xFFFFFFFFu}) {
        SCOPED_TRACE(leaf);
        try {
            CPU_ExecuteLeaf(leaf);
            ADD_FAILURE() << "no error";
        } catch (const EQYXCpuIdError& e) {
            EXPECT_EQ(e.Message(), "CPUID: execution level not supported");
        }
    }
}

namespace {

// The fields of the first processor in /proc/cpuinfo.
std::map<std::string, std::string> CpuInfo() {
    std::map<std::string, std::string> fields;
    std::ifstream f("/proc/cpuinfo");
    std::string line;
    while (std::getline(f, line) && !line.empty()) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        fields[key] = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
    }
    return fields;
}

std::set<std::string> Words(const std::string& S) {
    std::istringstream in(S);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

int ProcessorsInCpuInfo() {
    std::ifstream f("/proc/cpuinfo");
    std::string line;
    int n = 0;
    while (std::getline(f, line)) n += line.rfind("processor", 0) == 0;
    return n;
}

} // namespace

TEST(CpuId, AgreesWithProcCpuInfo) {
    const auto info = CpuInfo();
    if (info.empty()) GTEST_SKIP() << "no /proc/cpuinfo";
    EXPECT_EQ(CPU_VendorString(), info.at("vendor_id"));

    // The kernel shows the family with the extended family added for family 15, and the model with
    // the extended model for families 6 and 15.
    const int family = CPU_Family() == 15 ? CPU_Family() + CPU_ExFamily() : CPU_Family();
    const int model =
        CPU_Family() == 6 || CPU_Family() >= 15 ? CPU_ExModel() * 16 + CPU_Model() : CPU_Model();
    EXPECT_EQ(std::to_string(family), info.at("cpu family"));
    EXPECT_EQ(std::to_string(model), info.at("model"));
    EXPECT_EQ(std::to_string(CPU_Stepping()), info.at("stepping"));
    EXPECT_EQ(CPU_Count(), ProcessorsInCpuInfo());

    // Leaf 1 EDX under the kernel's names. Every flag the kernel shows is set; the kernel may hide
    // flags of features it does not use (MTRR under a hypervisor, the serial number always).
    const char* names[32] = {"fpu",  "vme",   "de",    "pse",     "tsc",   "msr", "pae",  "mce",
                             "cx8",  "apic",  nullptr, "sep",     "mtrr",  "pge", "mca",  "cmov",
                             "pat",  "pse36", "pn",    "clflush", nullptr, "dts", "acpi", "mmx",
                             "fxsr", "sse",   "sse2",  "ss",      "ht",    "tm",  "ia64", "pbe"};
    const std::set<std::string> mayHide = {"mtrr", "pn"};
    const std::set<std::string> flags = Words(info.at("flags"));
    const uint32_t set = CPU_FeatureSet();
    for (int bit = 0; bit < 32; ++bit) {
        if (!names[bit]) continue;
        SCOPED_TRACE(names[bit]);
        const bool kernel = flags.count(names[bit]) > 0;
        const bool cpuid = (set >> bit) & 1;
        if (kernel || !mayHide.count(names[bit])) {
            EXPECT_EQ(cpuid, kernel);
        }
    }
    // Leaf $80000001 EDX: long mode, no-execute and fast system calls, where the kernel shows them.
    const std::pair<const char*, int> ext[] = {{"syscall", 11}, {"nx", 20}, {"lm", 29}};
    for (const auto& [name, bit] : ext) {
        if (flags.count(name)) {
            EXPECT_TRUE((CPU_ExtendedFeatureSet() >> bit) & 1) << name;
        }
    }
    EXPECT_TRUE((CPU_ExtendedFeatureSet() >> 29) & 1) << "every x86-64 processor has long mode";
}

TEST(CpuId, BrandNameAgreesWithProcCpuInfo) {
    const auto info = CpuInfo();
    if (!info.count("model name")) GTEST_SKIP() << "no model name in /proc/cpuinfo";
    // The raw brand registers, read here independently.
    std::string raw;
    for (unsigned leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
        unsigned r[4];
        __cpuid(leaf, r[0], r[1], r[2], r[3]);
        raw.append(reinterpret_cast<const char*>(r), 16);
    }
    const std::string name = CPU_MarketName();
    EXPECT_EQ(name, CPU_MarketNameOf(raw));
    EXPECT_NE(name, "unknown");
    const bool virtualMachine = Words(info.at("flags")).count("hypervisor") > 0;
    if (virtualMachine && name != info.at("model name")) {
        // The kernel took its copy when it booted; a virtual machine resumed on another host
        // answers CPUID with that host's brand.
        RecordProperty("kernel_model_name", info.at("model name"));
        std::printf("note: CPUID brand \"%s\", kernel's copy \"%s\"\n", name.c_str(),
                    info.at("model name").c_str());
    } else {
        EXPECT_EQ(name, info.at("model name"));
    }
}

TEST(CpuId, SerialNumberAndBrandID) {
    const std::string serial = CPU_SerialNumber();
    ASSERT_EQ(serial.size(), 24u);
    EXPECT_EQ(serial.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    char signature[9];
    std::snprintf(signature, sizeof signature, "%08X", CPU_Signature());
    EXPECT_EQ(serial.substr(0, 8), signature);
    char features[9];
    std::snprintf(features, sizeof features, "%08X", CPU_FeatureSet());
    EXPECT_EQ(serial.substr(8, 8), features);
    EXPECT_GE(CPU_BrandID(), 0);
    EXPECT_LE(CPU_BrandID(), 255);
}

TEST(CpuId, SpeedMatchesTheKernelsClock) {
    EXPECT_EQ(CPU_Speed(0), 0.0f);
    EXPECT_EQ(CPU_Speed(-5), 0.0f);
    const int niceBefore = ::getpriority(PRIO_PROCESS, 0);
    cpu_set_t maskBefore;
    ASSERT_EQ(::sched_getaffinity(0, sizeof maskBefore, &maskBefore), 0);
    // Short busy-waits; the median of three, in case a busy machine holds the thread up between
    // reading the two clocks.
    float runs[3] = {CPU_Speed(10), CPU_Speed(10), CPU_Speed(10)};
    std::sort(runs, runs + 3);
    const float mhz = runs[1];
    EXPECT_EQ(::getpriority(PRIO_PROCESS, 0), niceBefore) << "the priority is restored";
    cpu_set_t maskAfter;
    ASSERT_EQ(::sched_getaffinity(0, sizeof maskAfter, &maskAfter), 0);
    EXPECT_TRUE(CPU_EQUAL(&maskBefore, &maskAfter)) << "the processor affinity is restored";
    EXPECT_GT(mhz, 100.0f);
    const auto info = CpuInfo();
    if (info.count("cpu MHz")) {
        const double kernel = std::stod(info.at("cpu MHz"));
        // The time-stamp counter runs at the nominal clock; the kernel's figure may be the current
        // one. Both agree within a factor of two.
        EXPECT_GT(mhz, kernel / 2);
        EXPECT_LT(mhz, kernel * 2);
    }
}

#endif
