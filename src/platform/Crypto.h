#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Random numbers and AES-256 in cipher-block chaining with PKCS #7 padding.
class ICrypto {
public:
    virtual ~ICrypto() = default;
    virtual bool Available() = 0;
    virtual bool Random(uint8_t* bytes, size_t size) = 0;
    virtual size_t BlockLength() = 0;
    virtual bool Encrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* plain,
                         size_t plainSize, std::vector<uint8_t>& cipher) = 0;
    virtual bool Decrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* cipher,
                         size_t cipherSize, std::vector<uint8_t>& plain) = 0;
};

// The host's own implementation: the system's CNG library on Windows, OpenSSL elsewhere.
std::unique_ptr<ICrypto> MakeHostCrypto();
