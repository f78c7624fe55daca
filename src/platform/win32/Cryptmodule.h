#pragma once
#include <memory>

#include "platform/Crypto.h"

// The system's CNG library, loaded from the system folder only and reached through its
// entry points by name.
class TCryptography : public ICrypto {
public:
    TCryptography();
    ~TCryptography() override;
    TCryptography(const TCryptography&) = delete;
    TCryptography& operator=(const TCryptography&) = delete;

    bool Available() override;
    bool Random(uint8_t* bytes, size_t size) override;
    size_t BlockLength() override;
    bool Encrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* plain, size_t plainSize,
                 std::vector<uint8_t>& cipher) override;
    bool Decrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* cipher, size_t cipherSize,
                 std::vector<uint8_t>& plain) override;

private:
    bool Run(bool encrypt, const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* in, size_t inSize,
             std::vector<uint8_t>& out);

    struct TEntryPoints;
    void* m_Module = nullptr;
    std::unique_ptr<TEntryPoints> m_Api;
    void* m_Algorithm = nullptr;  // the AES provider, opened once
};
