// The host's AES-256-CBC (CNG on Windows, OpenSSL natively) against one known answer, so both
// builds are shown to encrypt the same bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "hw/Envelope.h"
#include "platform/Crypto.h"

TEST(HostCryptoTest, KnownAnswerAndRoundTrip) {
    std::unique_ptr<ICrypto> crypto = MakeHostCrypto();
    ASSERT_TRUE(crypto->Available());
    EXPECT_EQ(crypto->BlockLength(), 16u);
    uint8_t key[32];
    std::memcpy(key, envelope::kChannelKey, 32);
    uint8_t iv[16];
    uint8_t plain[40];
    for (int i = 0; i < 16; ++i) iv[i] = static_cast<uint8_t>(i);
    for (int i = 0; i < 40; ++i) plain[i] = static_cast<uint8_t>(i);
    const std::vector<uint8_t> expected = {
        0xd0, 0x1a, 0x18, 0x92, 0x91, 0x1c, 0xa2, 0x72, 0x35, 0x58, 0xd6, 0x68, 0x2a, 0x25, 0x58, 0xd8,
        0x61, 0x9c, 0x6c, 0x77, 0x40, 0x90, 0x36, 0x7c, 0xba, 0x61, 0xdb, 0x22, 0x31, 0xb9, 0x20, 0xc6,
        0xb7, 0xc5, 0xa0, 0x52, 0x76, 0x1a, 0xc7, 0xfb, 0x97, 0xe2, 0x1d, 0x35, 0x20, 0xb2, 0x55, 0x54,
    };
    std::vector<uint8_t> cipher;
    ASSERT_TRUE(crypto->Encrypt(key, iv, 16, plain, 40, cipher));
    EXPECT_EQ(cipher, expected);

    std::vector<uint8_t> back;
    ASSERT_TRUE(crypto->Decrypt(key, iv, 16, cipher.data(), cipher.size(), back));
    EXPECT_EQ(back, std::vector<uint8_t>(plain, plain + 40));
    cipher.back() ^= 1;  // the padding no longer checks out
    EXPECT_FALSE(crypto->Decrypt(key, iv, 16, cipher.data(), cipher.size(), back));

    uint8_t a[16] = {}, b[16] = {};
    ASSERT_TRUE(crypto->Random(a, 16));
    ASSERT_TRUE(crypto->Random(b, 16));
    EXPECT_NE(std::memcmp(a, b, 16), 0);
    // A draw longer than any buffering still comes fresh to its end, never a repeat of earlier bytes.
    std::vector<uint8_t> large(3000, 0);
    ASSERT_TRUE(crypto->Random(large.data(), large.size()));
    EXPECT_NE(std::vector<uint8_t>(large.end() - 64, large.end()), std::vector<uint8_t>(64, 0));
    EXPECT_NE(std::memcmp(large.data(), large.data() + 1024, 1024), 0);
    EXPECT_NE(std::memcmp(large.data() + 1024, large.data() + 2048, 952), 0);
}
