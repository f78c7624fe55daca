#include "hw/Readwrite.h"

#include <cstring>

#include "hw/HardwareTest.h"
#include "sys/Bytes.h"

using namespace envelope;
using bytes::Get32;
using bytes::Put32;

namespace {
// Keeps a copy of every envelope on its way to the simulated driver.
class TRecordingDevice : public IDriverDevice {
public:
    explicit TRecordingDevice(IDriverDevice& inner) : m_Inner(inner) {}
    THandle Open(const std::string& path) override { return m_Inner.Open(path); }
    void Close(THandle handle) override { m_Inner.Close(handle); }
    bool IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
                   uint32_t& returned) override {
        Envelopes.emplace_back(in, in + inSize);
        return m_Inner.IoControl(handle, code, in, inSize, out, outSize, returned);
    }
    std::vector<std::vector<uint8_t>> Envelopes;

private:
    IDriverDevice& m_Inner;
};

class ChannelTest : public THardwareTest {
protected:
    void SetUp() override {
        THardwareTest::SetUp();
        TPlatform ports = Machine.Ports();
        ports.Driver = &Recorder;
        InstallPlatform(ports);
    }
    TRecordingDevice Recorder{Machine.Driver};
};
}  // namespace

TEST_F(ChannelTest, EnvelopeLayoutAndAFreshSaltAndIvPerRequest) {
    TReadWrite& channel = GetReadWrite();
    Machine.Hardware.Write(0xE0000, {0x11, 0x22, 0x33, 0x44});
    EXPECT_EQ(channel.ReadPhysicalDword(0xE0000), 0x44332211u);
    EXPECT_EQ(channel.ReadPciConfigDword(0, 31, 0, 0), 0xFFFFFFFFu);
    ASSERT_EQ(Recorder.Envelopes.size(), 2u);

    for (const auto& box : Recorder.Envelopes) {
        ASSERT_EQ(box.size(), 104u);
        EXPECT_EQ(Get32(&box[2]), 16u);   // IV length
        EXPECT_EQ(Get32(&box[98]), 48u);  // ciphertext length
        std::vector<uint8_t> plain;
        ASSERT_TRUE(Machine.Crypto->Decrypt(DeriveKey(&box[27]).data(), &box[6], 16, &box[50], 48, plain));
        EXPECT_EQ(plain.size(), 40u);
    }
    std::vector<uint8_t> plain;
    Machine.Crypto->Decrypt(DeriveKey(&Recorder.Envelopes[0][27]).data(), &Recorder.Envelopes[0][6], 16,
                            &Recorder.Envelopes[0][50], 48, plain);
    EXPECT_EQ(Get32(&plain[0]), kReadMemoryCode);
    TMemoryRequest request = DecodeMemoryRequest(&plain[8]);
    EXPECT_EQ(request.Address, 0xE0000u);
    EXPECT_EQ(request.Length, 4u);
    EXPECT_EQ(request.Unit, 2u);
    EXPECT_NE(request.Destination, 0u);

    // Salt and IV differ between requests; so does the key the salt makes.
    const auto& a = Recorder.Envelopes[0];
    const auto& b = Recorder.Envelopes[1];
    EXPECT_NE(std::memcmp(&a[27], &b[27], 16), 0);
    EXPECT_NE(std::memcmp(&a[6], &b[6], 16), 0);
    const TKey key = DeriveKey(&a[27]);
    EXPECT_EQ(std::memcmp(key.data(), kChannelKey, 13), 0);
    EXPECT_EQ(std::memcmp(key.data() + 13, &a[27], 16), 0);
    EXPECT_EQ(std::memcmp(key.data() + 29, kChannelKey + 29, 3), 0);
}

TEST_F(ChannelTest, TheDriverRefusesATamperedEnvelope) {
    // A configuration read: its envelope carries no pointer into this process, so it can be
    // replayed safely.
    GetReadWrite().ReadPciConfigDword(0, 0, 0, 0);
    std::vector<uint8_t> box = Recorder.Envelopes[0];
    auto handle = Machine.Driver.Open("\\\\.\\KytDrv103");
    uint8_t out[24];
    uint32_t returned = 0;
    ASSERT_TRUE(Machine.Driver.IoControl(handle, kEnvelopeCode, box.data(), 104, out, 12, returned));
    for (size_t at : {size_t(27), size_t(60)}) {  // salt, ciphertext
        std::vector<uint8_t> tampered = box;
        tampered[at] ^= 0x5A;
        const int refused = Machine.Driver.Refused;
        EXPECT_FALSE(Machine.Driver.IoControl(handle, kEnvelopeCode, tampered.data(), 104, out, 12, returned)) << at;
        EXPECT_EQ(Machine.Driver.Refused, refused + 1) << at;
    }
    // A changed last ciphertext byte garbles the padding block; the envelope carries no message
    // check, so now and then a garbled block still passes the driver's checks (5 in 32 seen). Over
    // fresh envelopes (each with its own salt and IV) most are refused.
    int refusedLast = 0;
    constexpr int kEnvelopes = 32;
    for (int i = 0; i < kEnvelopes; ++i) {
        GetReadWrite().ReadPciConfigDword(0, 0, 0, 0);
        std::vector<uint8_t> tampered = Recorder.Envelopes.back();
        tampered[97] ^= 0x5A;
        if (!Machine.Driver.IoControl(handle, kEnvelopeCode, tampered.data(), 104, out, 12, returned)) ++refusedLast;
    }
    EXPECT_GE(refusedLast, kEnvelopes / 2);
    std::vector<uint8_t> lying = box;
    Put32(&lying[98], 5000);  // a ciphertext length larger than the envelope
    EXPECT_FALSE(Machine.Driver.IoControl(handle, kEnvelopeCode, lying.data(), 104, out, 12, returned));
    Machine.Driver.Close(handle);
}

TEST_F(ChannelTest, MemoryReadsInEachUnitAndWithoutADriver) {
    Machine.Hardware.Write(0xE1000, {1, 2, 3, 4, 5, 6, 7, 8});
    TReadWrite& channel = GetReadWrite();
    for (uint32_t unit : {0u, 1u, 2u}) {
        uint8_t bytes[8] = {};
        EXPECT_TRUE(channel.ReadPhysicalMemoryUnits(bytes, 8, unit, 0xE1000)) << unit;
        EXPECT_EQ(bytes[7], 8) << unit;
    }
    uint8_t gap[2];
    EXPECT_TRUE(channel.ReadPhysicalMemory(gap, 2, 0x1000));
    EXPECT_EQ(gap[0], 0xFF);  // no memory there

    ResetSingletonsForTests();
    Machine.Services.Services.clear();
    Machine.Files = TSimFileSystem();
    TDriverImages none;
    SetDriverImagesForTests(&none);
    TReadWrite& orphan = GetReadWrite();
    EXPECT_EQ(orphan.DeviceHandle(), IDriverDevice::kInvalid);
    EXPECT_EQ(orphan.ReadPhysicalDword(0xE1000), 0xFFFFFFFFu);
    EXPECT_EQ(orphan.SearchPhysicalMemory(0x20000, 1, 4, "\x01\x02\x03\x04", 0, 0xE0000), kNotFound);
    SetDriverImagesForTests(&Images);
}

TEST_F(ChannelTest, SearchFindsMatchesAcrossWindowEdgesAndCountsOccurrences) {
    Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    Machine.Hardware.Write(0xE0FFD, {'$', 'C', 'N', '1', '3', '6', '8', '$'});  // straddles 0xE1000
    Machine.Hardware.Write(0xE5000, {'$', 'C', 'N', '1', '3', '6', '8', '$'});
    TReadWrite& channel = GetReadWrite();
    EXPECT_EQ(channel.SearchPhysicalMemory(0x20000, 1, 8, "$CN1368$", 0, 0xE0000), 0xE0FFDu);
    EXPECT_EQ(channel.SearchPhysicalMemory(0x20000, 1, 8, "$CN1368$", 1, 0xE0000), 0xE5000u);
    EXPECT_EQ(channel.SearchPhysicalMemory(0x20000, 1, 8, "$CN1368$", 2, 0xE0000), kNotFound);
    // Step 16 only tests aligned addresses.
    EXPECT_EQ(channel.SearchPhysicalMemory(0x20000, 16, 8, "$CN1368$", 0, 0xE0000), 0xE5000u);
    EXPECT_EQ(channel.SearchPhysicalMemory(0x20000, 0, 8, "$CN1368$", 0, 0xE0000), 0xE0FFDu);  // step 0 counts as 1
}

TEST_F(ChannelTest, PciSearchByIdentifierAndClass) {
    auto& hw = Machine.Hardware;
    hw.AddPciFunction(0, 0, 0, 0x8086, 0x3E30, 0x060000);
    hw.AddPciFunction(0, 20, 0, 0x8086, 0xA36D, 0x0C0330, 0x80);  // multi-function
    hw.AddPciFunction(0, 20, 2, 0x8086, 0xA36F, 0x050000);
    hw.AddPciFunction(3, 0, 0, 0x1022, 0x149C, 0x0C0330);
    auto& hidden = hw.AddPciFunction(4, 0, 0, 0x1B21, 0x2142, 0x0C0330, 0x80);
    hidden.Config[0] = hidden.Config[1] = hidden.Config[2] = hidden.Config[3] = 0;  // function 0 reads 0
    hw.AddPciFunction(4, 0, 1, 0x1B21, 0x3242, 0x0C0330);

    TReadWrite& channel = GetReadWrite();
    struct Case {
        uint32_t match;
        uint16_t location;
    };
    const Case kCases[] = {
        {0xA36F8086, 0 * 256 + 20 * 8 + 2},  // function 2 of a multi-function device
        {0xA36FFFFF, 0 * 256 + 20 * 8 + 2},  // any vendor with that device
        {0xFFFF1022, 3 * 256},               // any device of that vendor
        {0x149C1022, 3 * 256},
        {0x32421B21, kNoPciLocation},  // behind a function 0 that reads 0
        {0x12345678, kNoPciLocation},
    };
    for (const Case& c : kCases) EXPECT_EQ(channel.FindPciDevice(c.match), c.location) << std::hex << c.match;
    EXPECT_EQ(channel.FindPciFunction(0x0C0330, 0, 1), 0 * 256 + 20 * 8);
    EXPECT_EQ(channel.FindPciFunction(0x0C0330, 1, 1), 3 * 256);
    EXPECT_EQ(channel.FindPciFunction(0x0C03FF, 0, 1), 0 * 256 + 20 * 8);  // any programming interface
    EXPECT_EQ(channel.FindPciFunction(0xFF0000, 0, 1), 0);                 // any base class, subclass 00, interface 00
    EXPECT_EQ(channel.FindPciFunction(0x0C0330, 0, 2), kNoPciLocation);
}

TEST_F(ChannelTest, AFailedConfigurationReadAnswersAbsentNotThePreviousValue) {
    Machine.Hardware.AddPciFunction(0, 20, 0, 0x8086, 0xA36D);
    TReadWrite& channel = GetReadWrite();
    EXPECT_EQ(channel.ReadPciConfigDword(0, 20, 0, 0), 0xA36D8086u);
    Machine.Services.Services["KytDrv103"].Running = false;
    Machine.Driver.Close(channel.DeviceHandle());  // the driver goes away
    EXPECT_EQ(channel.ReadPciConfigDword(0, 20, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(channel.ReadPciConfigWord(0, 20, 0, 0), 0xFFFF);
}

TEST(EnvelopeTest, InputsTooShortForTheirCiphertextAreRefused) {
    // Found by fuzzing: 43 bytes end where the salt ends, and the length check underflowed.
    struct Case {
        const char* name;
        size_t size;
        bool opens;
    };
    const Case kCases[] = {{"salt only", 43, false},
                           {"no room for a ciphertext", 48, false},
                           {"one ciphertext byte", 50, true},
                           {"the real size", 104, true}};
    for (const Case& c : kCases) {
        std::vector<uint8_t> input(c.size, 0);
        Put32(&input[2], 16);
        if (c.size >= 6) Put32(&input[c.size - 6], c.opens ? static_cast<uint32_t>(c.size - 6 - 43) : 0xFFFFFFFF);
        TOpened opened;
        EXPECT_EQ(envelope::Open(input.data(), input.size(), opened), c.opens) << c.name;
        if (c.opens) {
            EXPECT_GE(opened.Cipher, input.data() + 43) << c.name;
            EXPECT_LE(opened.Cipher + opened.CipherSize, input.data() + c.size - 6) << c.name;
        }
    }
}
