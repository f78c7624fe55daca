#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The request envelope of the hardware-access driver and the inner requests it carries.
// Integers are little-endian.
namespace envelope {

constexpr uint32_t kEnvelopeCode = 0x0022EC00;
constexpr uint32_t kReadMemoryCode = 0x0022E808;
constexpr uint32_t kReadPciByteCode = 0x0022E830;
constexpr uint32_t kReadPciWordCode = 0x0022E838;
constexpr uint32_t kReadPciDwordCode = 0x0022E840;

constexpr size_t kEnvelopeSize = 104;
constexpr size_t kIvSize = 16;
constexpr size_t kSaltSize = 16;
constexpr size_t kPlainSize = 40;
constexpr size_t kCipherSize = 48;
constexpr size_t kInnerOffset = 8;
constexpr size_t kMaxInnerSize = kPlainSize - kInnerOffset;
constexpr size_t kMemoryRequestSize = 24;
constexpr size_t kPciRequestSize = 12;

// Field offsets of the envelope.
constexpr size_t kIvLengthAt = 2;
constexpr size_t kIvAt = 6;
constexpr size_t kSaltAt = 27;
constexpr size_t kCipherAt = 50;
constexpr size_t kCipherLengthAt = 98;

// The channel key: 32 hexadecimal characters, used as their 32 character codes. The driver
// holds the same text.
inline constexpr char kChannelKey[] = "7C3E9A1F0B5D4E8A2C6F1B9D3A7E5C0F";
static_assert(sizeof(kChannelKey) == 33);

using TKey = std::array<uint8_t, 32>;

// The key of one request: the channel key with bytes 13 to 28 replaced by the request's salt.
TKey DeriveKey(const uint8_t salt[kSaltSize]);

// Places IV, salt and ciphertext into an envelope whose other bytes are already random.
bool Seal(uint8_t envelope[kEnvelopeSize], const uint8_t* iv, size_t ivSize, const uint8_t salt[kSaltSize],
          const std::vector<uint8_t>& cipher);

// The parts of a received envelope, found as the driver finds them; false when the lengths
// do not fit the input.
struct TOpened {
    const uint8_t* Iv = nullptr;
    uint32_t IvSize = 0;
    const uint8_t* Salt = nullptr;
    const uint8_t* Cipher = nullptr;
    uint32_t CipherSize = 0;
};
bool Open(const uint8_t* input, size_t size, TOpened& opened);

// Plaintext: inner code at 0, inner request from 8.
std::array<uint8_t, kPlainSize> Plaintext(uint32_t innerCode, const uint8_t* inner, size_t innerSize);

struct TMemoryRequest {
    uint64_t Address = 0;
    uint32_t Length = 0;
    uint32_t Unit = 0;  // 0 bytes, 1 16-bit words, 2 32-bit words
    uint64_t Destination = 0;
};
std::array<uint8_t, kMemoryRequestSize> EncodeMemoryRequest(const TMemoryRequest& request);
TMemoryRequest DecodeMemoryRequest(const uint8_t* bytes);

struct TPciRequest {
    uint8_t Bus = 0;
    uint8_t Device = 0;
    uint8_t Function = 0;
    uint16_t Offset = 0;
    uint32_t Result = 0xFFFFFFFF;
};
std::array<uint8_t, kPciRequestSize> EncodePciRequest(const TPciRequest& request);
TPciRequest DecodePciRequest(const uint8_t* bytes);

}  // namespace envelope
