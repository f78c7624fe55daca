#include "hw/Envelope.h"

#include <cstring>

#include "sys/Bytes.h"

namespace envelope {
using namespace bytes;

TKey DeriveKey(const uint8_t salt[kSaltSize]) {
    TKey key;
    std::memcpy(key.data(), kChannelKey, key.size());
    std::memcpy(key.data() + 13, salt, kSaltSize);
    return key;
}

bool Seal(uint8_t envelope[kEnvelopeSize], const uint8_t* iv, size_t ivSize, const uint8_t salt[kSaltSize],
          const std::vector<uint8_t>& cipher) {
    if (ivSize != kIvSize || cipher.size() != kCipherSize) return false;
    Put32(envelope + kIvLengthAt, static_cast<uint32_t>(ivSize));
    std::memcpy(envelope + kIvAt, iv, ivSize);
    std::memcpy(envelope + kSaltAt, salt, kSaltSize);
    std::memcpy(envelope + kCipherAt, cipher.data(), cipher.size());
    Put32(envelope + kCipherLengthAt, static_cast<uint32_t>(cipher.size()));
    return true;
}

bool Open(const uint8_t* input, size_t size, TOpened& opened) {
    // The fixed fields, then at least one ciphertext byte and its 4-byte length, 2 bytes short of the end.
    constexpr size_t kFixed = kSaltAt + kSaltSize;
    if (size < kFixed + 1 + 6) return false;
    opened.IvSize = Get32(input + kIvLengthAt);
    if (opened.IvSize == 0 || opened.IvSize > kSaltAt - kIvAt) return false;
    opened.Iv = input + kIvAt;
    opened.Salt = input + kSaltAt;
    // The ciphertext is found from the end: its length ends 2 bytes before the input does.
    opened.CipherSize = Get32(input + size - 6);
    if (opened.CipherSize == 0 || opened.CipherSize > size - 6 - kFixed) return false;
    opened.Cipher = input + size - 6 - opened.CipherSize;
    return true;
}

std::array<uint8_t, kPlainSize> Plaintext(uint32_t innerCode, const uint8_t* inner, size_t innerSize) {
    std::array<uint8_t, kPlainSize> plain{};
    Put32(plain.data(), innerCode);
    std::memcpy(plain.data() + kInnerOffset, inner, innerSize < kMaxInnerSize ? innerSize : kMaxInnerSize);
    return plain;
}

std::array<uint8_t, kMemoryRequestSize> EncodeMemoryRequest(const TMemoryRequest& r) {
    std::array<uint8_t, kMemoryRequestSize> bytes{};
    Put64(bytes.data(), r.Address);
    Put32(bytes.data() + 8, r.Length);
    Put32(bytes.data() + 12, r.Unit);
    Put64(bytes.data() + 16, r.Destination);
    return bytes;
}

TMemoryRequest DecodeMemoryRequest(const uint8_t* bytes) {
    return {Get64(bytes), Get32(bytes + 8), Get32(bytes + 12), Get64(bytes + 16)};
}

std::array<uint8_t, kPciRequestSize> EncodePciRequest(const TPciRequest& r) {
    std::array<uint8_t, kPciRequestSize> bytes{};
    bytes[0] = r.Bus;
    bytes[1] = r.Device;
    bytes[2] = r.Function;
    Put16(bytes.data() + 4, r.Offset);
    Put32(bytes.data() + 8, r.Result);
    return bytes;
}

TPciRequest DecodePciRequest(const uint8_t* bytes) {
    return {bytes[0], bytes[1], bytes[2], Get16(bytes + 4), Get32(bytes + 8)};
}

}  // namespace envelope
